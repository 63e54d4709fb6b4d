// SPDX-License-Identifier: GPL-3.0-or-later
// vornel-shell-words TEMPLATE OUTPUT: writes TEMPLATE to OUTPUT with the ladder's words put in
// place, so that the manual pages and the shell completion list exactly what the programs accept.
// Runs at build time only; it is not installed.
//   @VERSION@         the program's version
//   @TECHNIQUE_IDS@   the technique ids, ladder order, separated by spaces (what --find takes)
//   @TECHNIQUE_LIST@  the same, each in bold for a manual page, separated by ", "
//   @NEEDS_IDS@       the ids vornel-generate --needs takes, separated by spaces
//   @NEEDS_LIST@      the same, each in bold, separated by ", "
//   @EXPLAIN_OPTIONS@ the long options of vornel-explain, from its option table, separated by spaces
//   @GENERATE_OPTIONS@ the same for vornel-generate
//   @JSON_VERSION@    the version of vornel-explain's JSON objects
//   @LEVEL_WORDS@     the levels in their ASCII spelling ("tres-facile"), then their English names
//                     ("very-easy"), separated by spaces
//   @LEVEL_LIST@      the levels as written ("très facile"), each in bold, separated by ", "
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "data_contract.h"
#include "explain_cli.h"
#include "generate.h"
#include "generate_cli.h"

namespace {

using vornel::ladder::kTechniqueCount;
using vornel::ladder::Technique;
using vornel::ladder::technique_id;

// "très difficile" -> "tres-difficile": what level_from_name also takes, easy to type.
std::string ascii_level(std::string_view level) {
    std::string word;
    for (std::size_t i = 0; i < level.size(); ++i) {
        if (level.substr(i, 2) == "\xC3\xA8") { // è
            word += 'e';
            ++i;
        } else {
            word += level[i] == ' ' ? '-' : level[i];
        }
    }
    return word;
}

// A word in bold in a manual page, its hyphens written as such.
std::string bold(std::string_view word) {
    std::string text = "\\fB";
    for (const char c : word) text += c == '-' ? std::string("\\-") : std::string(1, c);
    return text + "\\fR";
}

void replace_all(std::string& text, const std::string& key, const std::string& value) {
    for (std::size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + value.size()))
        text.replace(at, key.size(), value);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "vornel-shell-words: utilisation : vornel-shell-words MODÈLE SORTIE\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::ostringstream read;
    read << in.rdbuf();
    if (!in) {
        std::cerr << "vornel-shell-words: " << argv[1] << ": lecture impossible\n";
        return 1;
    }
    std::string text = read.str();

    std::string ids, id_list, level_words, level_list;
    for (int t = 0; t < kTechniqueCount; ++t) {
        const std::string_view id = technique_id(static_cast<Technique>(t));
        ids += (t > 0 ? " " : "") + std::string(id);
        id_list += (t > 0 ? ", " : "") + bold(id);
    }
    for (std::size_t l = 0; l < vornel::generator::kLevels.size(); ++l) {
        level_words += (l > 0 ? " " : "") + ascii_level(vornel::generator::kLevels[l]);
        level_list += (l > 0 ? ", " : "") + bold(vornel::generator::kLevels[l]);
    }
    std::string needs_ids, needs_list, explain_options, generate_options;
    for (const std::string_view id : vornel::generate_needs_ids()) {
        needs_ids += (needs_ids.empty() ? "" : " ") + std::string(id);
        needs_list += (needs_list.empty() ? "" : ", ") + bold(id);
    }
    for (const std::string_view option : vornel::explain_option_names())
        explain_options += (explain_options.empty() ? "" : " ") + std::string(option);
    for (const std::string_view option : vornel::generate_option_names())
        generate_options += (generate_options.empty() ? "" : " ") + std::string(option);
    // --level takes the English names too.
    for (const std::string_view level : vornel::generator::kLevelsEnglish) level_words += " " + ascii_level(level);
    replace_all(text, "@VERSION@", VORNEL_VERSION);
    replace_all(text, "@TECHNIQUE_IDS@", ids);
    replace_all(text, "@TECHNIQUE_LIST@", id_list);
    replace_all(text, "@LEVEL_WORDS@", level_words);
    replace_all(text, "@LEVEL_LIST@", level_list);
    replace_all(text, "@NEEDS_IDS@", needs_ids);
    replace_all(text, "@NEEDS_LIST@", needs_list);
    replace_all(text, "@EXPLAIN_OPTIONS@", explain_options);
    replace_all(text, "@GENERATE_OPTIONS@", generate_options);
    replace_all(text, "@JSON_VERSION@", std::to_string(vornel::kJsonVersion));

    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        std::cerr << "vornel-shell-words: " << argv[2] << ": écriture impossible\n";
        return 1;
    }
    return 0;
}
