// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"

#include "ladder/technique.h"
#include "tool_voice.h"

#include <string_view>

#ifndef VORNEL_VERSION
#define VORNEL_VERSION "1.0"
#endif

namespace vornel {

namespace {

bool is_help(const std::string& arg) { return arg == "-h" || arg == "--help"; }
bool is_version(const std::string& arg) { return arg == "-V" || arg == "--version"; }

} // namespace

CommandLine::Action early_action(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--") break;
        if (is_help(arg)) return CommandLine::Action::help;
        if (is_version(arg)) return CommandLine::Action::version;
    }
    return CommandLine::Action::run;
}

std::optional<Language> asked_language(const std::vector<std::string>& args) {
    std::optional<Language> asked;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") break;
        if (arg == "--lang" && i + 1 < args.size()) {
            asked = language_from_code(args[++i]);
        } else if (arg.rfind("--lang=", 0) == 0) {
            asked = language_from_code(std::string_view(arg).substr(7));
        }
    }
    return asked;
}

CommandLine parse_command_line(const std::vector<std::string>& args, Language messages) {
    const bool english = messages == Language::English;
    CommandLine line;
    line.action = early_action(args);
    if (line.action != CommandLine::Action::run) return line;

    const auto refuse = [&](std::string message) {
        line.action = CommandLine::Action::usage_error;
        line.message = std::move(message);
        return line;
    };
    bool options = true;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (options && arg == "--") {
            options = false;
        } else if (options && arg == "--play") {
            line.play = true;
        } else if (options && (arg == "--learn" || arg.rfind("--learn=", 0) == 0)) {
            // "--learn ID" takes the next argument when it is a technique's id; "--learn=ID" must be one.
            line.learn = true;
            ladder::Technique technique;
            if (arg != "--learn") {
                line.learn_id = arg.substr(8);
                if (!ladder::technique_from_id(line.learn_id, technique))
                    return refuse(english ? "unknown technique '" + line.learn_id + "'"
                                          : "technique inconnue \u00ab " + line.learn_id + " \u00bb");
            } else if (i + 1 < args.size() && ladder::technique_from_id(args[i + 1], technique)) {
                line.learn_id = args[++i];
            }
        } else if (options && (arg == "--lang" || arg.rfind("--lang=", 0) == 0)) {
            const bool joined = arg != "--lang";
            if (!joined && i + 1 == args.size())
                return refuse(english ? "option '--lang' needs a language: fr or en"
                                      : "l'option \u00ab --lang \u00bb attend une langue : fr ou en");
            const std::string value = joined ? arg.substr(7) : args[++i];
            line.language = language_from_code(value);
            if (!line.language)
                return refuse(english ? "unknown language '" + value + "': fr or en"
                                      : "langue inconnue \u00ab " + value + " \u00bb : fr ou en");
        } else if (options && !arg.empty() && arg[0] == '-') {
            return refuse(english ? "unknown option '" + arg + "'" : "option inconnue \u00ab " + arg + " \u00bb");
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() > 1) {
        const std::string count = std::to_string(files.size());
        return refuse(english ? "one file at a time (" + count + " given)"
                              : "un seul fichier \u00e0 la fois (" + count + " donn\u00e9s)");
    }
    if (!files.empty()) line.file = files.front();
    return line;
}

std::string help_text(Language language) {
    if (language == Language::English)
        return "Usage: vornel [FILE]\n"
               "       vornel --play [GAME]\n"
               "Solves a Sudoku puzzle and explains every deduction, in French or in English.\n"
               "\n"
               "  FILE           a '.sud' puzzle to open at start, as 'Open...' does\n"
               "\n"
               "Options:\n"
               "  --play [GAME]    opens the game window on a '.vornel' game or a '.sud'\n"
               "                 puzzle, or, without a file, on the game left unfinished\n"
               "  --learn [ID]   opens the exercises, on technique ID when given (a technique\n"
               "                 id, as in JSON: naked-pair, x-wing...)\n"
               "  --lang fr|en   the language of the window for this run (otherwise the one chosen in\n"
               "                 '?' > 'Language', else the locale's: English for an English locale)\n"
               "  -h, --help     shows this help and exits\n"
               "  -V, --version  shows the version and the licence, and exits\n";
    return "Utilisation : vornel [FICHIER]\n"
           "       vornel --play [PARTIE]\n"
           "R\u00e9sout une grille de Sudoku et explique chaque d\u00e9duction, en fran\u00e7ais.\n"
           "\n"
           "  FICHIER        une grille \u00ab .sud \u00bb \u00e0 ouvrir au d\u00e9marrage, comme le fait \u00ab "
           "Ouvrir... \u00bb\n"
           "\n"
           "Options :\n"
           "  --play [PARTIE]  ouvre la fen\u00eatre de jeu sur une partie \u00ab .vornel \u00bb ou une grille\n"
           "                 \u00ab .sud \u00bb, ou, sans fichier, sur la partie laiss\u00e9e en cours\n"
           "  --learn [ID]   ouvre les exercices, sur la technique ID si elle est donn\u00e9e (un\n"
           "                 identifiant de technique, comme en JSON : naked-pair, x-wing...)\n"
           "  --lang fr|en   la langue de la fen\u00eatre pour cette fois (sinon celle choisie dans\n"
           "                 \u00ab ? \u00bb > \u00ab Langue \u00bb, ou celle de la locale : l'anglais pour une\n"
           "                 locale anglaise)\n"
           "  -h, --help     affiche cette aide et quitte\n"
           "  -V, --version  affiche la version et la licence, et quitte\n";
}

std::string version_text(Language language) { return tool_version_text("vornel", VORNEL_VERSION, language); }

std::string usage_error_text(const std::string& message, Language language) {
    if (language == Language::English)
        return tool_message("vornel", message) + "Try 'vornel --help' for more information.\n";
    return tool_usage_error("vornel", message);
}

} // namespace vornel
