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

CommandLine parse_command_line(const std::vector<std::string>& args) {
    CommandLine line;
    line.action = early_action(args);
    if (line.action != CommandLine::Action::run) return line;

    bool options = true;
    std::vector<std::string> files;
    for (const std::string& arg : args) {
        if (options && arg == "--") {
            options = false;
        } else if (options && arg == "--play") {
            line.play = true;
        } else if (options && !arg.empty() && arg[0] == '-') {
            line.action = CommandLine::Action::usage_error;
            line.message = "option inconnue \u00ab " + arg + " \u00bb";
            return line;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() > 1) {
        line.action = CommandLine::Action::usage_error;
        line.message = "un seul fichier \u00e0 la fois (" + std::to_string(files.size()) + " donn\u00e9s)";
        return line;
    }
    if (!files.empty()) line.file = files.front();
    return line;
}

std::string help_text() {
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
           "  -h, --help     affiche cette aide et quitte\n"
           "  -v, --version  affiche la version et quitte\n";
}

std::string version_text() { return "vornel " VORNEL_VERSION "\n"; }

std::string usage_error_text(const std::string& message) { return tool_usage_error("vornel", message); }

} // namespace vornel
