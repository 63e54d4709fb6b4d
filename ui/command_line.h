// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "language.h"

namespace vornel {

// The window program's command line: `vornel [--lang fr|en] [FICHIER]`, `vornel --help`,
// `vornel --version`.
// Plain C++, so that --help and --version answer before any window system is reached.
struct CommandLine {
    enum class Action { run, help, version, usage_error };
    Action action = Action::run;
    std::string file;                 // run: the puzzle file to open at start, "" for none
    bool play = false;                // run: "--play": the game window opens on `file` (or on the game left
                                      // unfinished when no file is given)
    bool learn = false;               // run: "--learn [ID]": the exercises open at start
    std::string learn_id;             // run: the technique of "--learn ID" (or "--learn=ID"), "" for none
    std::optional<Language> language; // "--lang fr|en" (or "--lang=fr|en"), when given
    std::string message;              // usage_error: the line that says what is wrong
};

// `args` are the arguments after the program's name. "-h"/"--help" and "-v"/"--version" answer
// at once wherever they stand (before a "--"); after "--" every argument is a file name. One
// file at most; "--lang" takes "fr" or "en" (either case), next or after "="; any other argument
// starting with "-" (a lone "-" included) is a usage error, said in `messages`.
CommandLine parse_command_line(const std::vector<std::string>& args, Language messages = Language::French);

// Only the two questions that need no window: help or version when asked for, run otherwise
// (the toolkit then takes its own options, such as -style, before the full parse).
CommandLine::Action early_action(const std::vector<std::string>& args);

// The language "--lang" asks for among `args` (the last one given, before a "--"), if any; a
// value that is not a language counts as none here (the full parse refuses it).
std::optional<Language> asked_language(const std::vector<std::string>& args);

// The texts printed for --help and --version, and after a usage error (each ends in "\n").
std::string help_text(Language language = Language::French);
std::string version_text(Language language = Language::French);
std::string usage_error_text(const std::string& message, Language language = Language::French);

} // namespace vornel
