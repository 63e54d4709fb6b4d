// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "language.h"

namespace vornel {

// The one voice of the three command-line tools on standard error, in the form other command-line
// programs use, so that editors and scripts can read it:
//   PROGRAMME: message
//   PROGRAMME: FICHIER: message
// and, for a command line that cannot be run, the message followed by where help is found, in the
// tool's language. Every text ends with a line end.

// The tools' own words: the French text, the program's own, and its English beside it.
constexpr std::string_view say(Language language, std::string_view french, std::string_view english) {
    return language == Language::English ? english : french;
}

inline std::string tool_message(std::string_view program, std::string_view message) {
    std::string text(program);
    text += ": ";
    text += message;
    return text + '\n';
}

inline std::string tool_file_message(std::string_view program, std::string_view file, std::string_view message) {
    std::string text(file);
    text += ": ";
    text += message;
    return tool_message(program, text);
}

// `message` names what was wrong ("option inconnue « --x »").
inline std::string tool_usage_error(std::string_view program, std::string_view message,
                                    Language language = Language::French) {
    std::string text = tool_message(program, message);
    text += say(language, "Essayez « ", "Try '");
    text += program;
    return text + std::string(say(language, " --help » pour en savoir plus.\n", " --help' for more information.\n"));
}

// What --version prints: the program and its version, then the notice and the licence.
inline std::string tool_version_text(std::string_view program, std::string_view version,
                                     Language language = Language::French) {
    std::string text(program);
    text += ' ';
    text += version;
    text += '\n';
    text +=
        say(language,
            "© 2026 Les développeurs de Vornel\n"
            "Licence GPL-3.0-or-later : GNU GPL version 3 ou ultérieure <https://www.gnu.org/licenses/gpl-3.0.html>.\n"
            "Ceci est un logiciel libre : vous pouvez le modifier et le redistribuer.\n"
            "Il n'y a AUCUNE GARANTIE, dans les limites permises par la loi.\n",
            "© 2026 The Vornel developers\n"
            "License GPL-3.0-or-later: GNU GPL version 3 or later <https://www.gnu.org/licenses/gpl-3.0.html>.\n"
            "This is free software: you are free to change and redistribute it.\n"
            "There is NO WARRANTY, to the extent permitted by law.\n");
    return text;
}

// The language the process's locale asks for (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
inline Language environment_language() {
    return language_from_environment(
        {std::getenv("LANGUAGE"), std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG")});
}

// The language a tool's command line asks for: the last "--lang X" or "--lang=X" before "--", else
// `fallback` (the environment's, for the tools). `error` tells, in the fallback language, a --lang
// without value or with a value that is neither fr nor en.
struct LanguageChoice {
    Language language = Language::French;
    std::string error;
};

inline LanguageChoice choose_language(const std::vector<std::string>& args, Language fallback) {
    LanguageChoice choice{fallback, {}};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") break;
        std::optional<std::string> value;
        if (arg == "--lang") {
            if (i + 1 >= args.size()) {
                choice.error =
                    say(fallback, "--lang attend une langue : fr ou en", "--lang needs a language: fr or en");
                return choice;
            }
            value = args[++i];
        } else if (arg.rfind("--lang=", 0) == 0) {
            value = arg.substr(7);
        }
        if (!value) continue;
        if (const auto language = language_from_code(*value)) {
            choice.language = *language;
        } else {
            choice.error = fallback == Language::English ? "unknown language '" + *value + "': fr or en"
                                                         : "langue inconnue « " + *value + " » : fr ou en";
            return choice;
        }
    }
    return choice;
}

} // namespace vornel
