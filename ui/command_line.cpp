#include "command_line.h"

#include "tool_voice.h"

#ifndef VORNEL_VERSION
#define VORNEL_VERSION "1.0"
#endif

namespace vornel {

namespace {

bool is_help(const std::string& arg) { return arg == "-h" || arg == "--help"; }
bool is_version(const std::string& arg) { return arg == "-v" || arg == "--version"; }

} // namespace

CommandLine::Action early_action(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--") break;
        if (is_help(arg)) return CommandLine::Action::help;
        if (is_version(arg)) return CommandLine::Action::version;
    }
    return CommandLine::Action::run;
}

Language command_line_language(const std::vector<std::string>& args) {
    return choose_language(args, environment_language()).language;
}

CommandLine parse_command_line(const std::vector<std::string>& args) {
    CommandLine line;
    line.action = early_action(args);
    const LanguageChoice choice = choose_language(args, environment_language());
    line.language = choice.language;
    if (line.action != CommandLine::Action::run) return line;
    if (!choice.error.empty()) {
        line.action = CommandLine::Action::usage_error;
        line.message = choice.error;
        return line;
    }
    const bool english = line.language == Language::English;

    bool options = true;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (options && arg == "--") {
            options = false;
        } else if (options && arg == "--play") {
            line.play = true;
        } else if (options && (arg == "--lang" || arg.rfind("--lang=", 0) == 0)) {
            line.asked_language = line.language;
            if (arg == "--lang") ++i; // its value, checked by choose_language
        } else if (options && !arg.empty() && arg[0] == '-') {
            line.action = CommandLine::Action::usage_error;
            line.message = english ? "unknown option '" + arg + "'" : "option inconnue \u00ab " + arg + " \u00bb";
            return line;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() > 1) {
        line.action = CommandLine::Action::usage_error;
        line.message = english ? "one file at a time (" + std::to_string(files.size()) + " given)"
                               : "un seul fichier \u00e0 la fois (" + std::to_string(files.size()) + " donn\u00e9s)";
        return line;
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
               "  FILE           a \".sud\" puzzle to open at start, as \"Ouvrir...\" does\n"
               "\n"
               "Options:\n"
               "  --play [GAME]  opens the game window on a \".vornel\" game or a \".sud\" puzzle,\n"
               "                 or, without a file, on the game left unfinished\n"
               "  --lang fr|en   the language of the program (default: the one chosen in the\n"
               "                 window, else English for an English locale, else French)\n"
               "  -h, --help     shows this help and exits\n"
               "  -v, --version  shows the version and exits\n";
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
           "  --lang fr|en   la langue du programme (par d\u00e9faut : celle choisie dans la\n"
           "                 fen\u00eatre, sinon l'anglais pour une locale anglaise, sinon le fran\u00e7ais)\n"
           "  -h, --help     affiche cette aide et quitte\n"
           "  -v, --version  affiche la version et quitte\n";
}

std::string version_text() { return "vornel " VORNEL_VERSION "\n"; }

std::string usage_error_text(const std::string& message, Language language) {
    return tool_usage_error("vornel", message, language);
}

} // namespace vornel
