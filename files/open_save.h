// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "engine.h"

namespace vornel {

std::string existing_save_target(const std::string& chosen); // described below

// What the Open and Save commands ask of a file dialog before showing it modally.
struct FileDialogRequest {
    std::string title;  // "Ouvrir" or "Enregistrer sous"
    std::string filter; // "Sudoku (*.sud)|*.sud"
    int filter_index = 1;
    std::string file_name; // always empty: no name is suggested
    // Save dialogs: the existing file that writing under the chosen name would replace, or ""
    // (the dialog asks before handing back a name that replaces a file).
    std::string (*replaced_file)(const std::string& chosen) = existing_save_target;
};

// The seam through which the commands ask the user for a file name. The window shows real,
// non-native dialogs; tests script the next answer. Returns the chosen full path, or "" when the
// user cancels.
//
// Before the save dialog hands back a name, it asks whether an existing file may be replaced:
// the file that Save would write for that name (existing_save_target). On "Oui" the name is
// handed back; on "Non" the user stays in the dialog to choose another name or cancel.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual std::string ask_open_file_name(const FileDialogRequest& request) = 0;
    virtual std::string ask_save_file_name(const FileDialogRequest& request) = 0;
};

// "Ouvrir...": asks for a name, reads the ".sud" file into the grid and shows it as a fresh
// puzzle. Throws a Failure (InOutError) when the file cannot be opened or read; the grid, board,
// log and buttons are then as they were. Returns the name of the file read, "" when none was.
std::string open_command(Engine& engine, FileDialogs& dialogs);

// Reads the named ".sud" file into the grid and shows it as a fresh puzzle, as "Ouvrir..." does
// once a name is chosen (no extension added). Throws a Failure (InOutError) when the file cannot
// be opened or read; the grid, board, log and buttons are then as they were.
void open_puzzle_file(Engine& engine, const std::string& path);

// "Enregistrer sous...": asks for a name, adds ".sud" when the name has no three-letter
// extension, and writes the grid. Throws InOutError on failure; an existing file is then kept.
// Returns the name written, "" when nothing was.
std::string save_command(Engine& engine, FileDialogs& dialogs);

// The name Save writes under, for the name the dialog gave: "" when it has 4 characters or fewer
// (the command then does nothing); otherwise the name, with ".sud" appended unless its fourth
// character from the end is ".". Characters are counted in UTF-8, not in bytes.
std::string save_file_name(std::string name);

// The existing file that saving under the dialog's answer `chosen` would replace: the path
// save_file_name gives, when something that is not a folder stands there; "" otherwise (no
// name, nothing there, or a folder, which the dialog opens instead).
std::string existing_save_target(const std::string& chosen);

} // namespace vornel
