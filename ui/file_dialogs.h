// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "open_save.h"

namespace vornel {

// Converts a filter written as "description|patterns|description|patterns..." (patterns separated
// by ';') into Qt's name filters, one "description (patterns)" per pair. A description that
// already ends with its patterns in brackets, such as "Sudoku (*.sud)", is kept as it is. An
// unpaired trailing description is dropped; an empty filter gives no name filter.
QStringList qt_name_filters(std::string_view filter);

// The Open and Save commands' dialogs on real widgets: modal, non-native QFileDialogs (named
// "OpenDialog1" and "SaveDialog1", so tests find them through QApplication::activeModalWidget()).
//  - title, filter and filter index (1-based; out of range keeps the first) come from the request,
//    the name field starts with the request's file name (empty);
//  - the open dialog accepts a name that does not exist: the command reports the failure itself;
//  - the save dialog never adds an extension; before it hands back a name whose Save would
//    replace an existing file (existing_save_target: "grille" replaces "grille.sud"), it asks Qt's
//    standard question over itself ("Le fichier grille.sud existe déjà / Voulez-vous l'écraser ?",
//    Oui/Non, Non by default): on "Oui" the name is handed back, on "Non" the dialog stays open;
//  - both start in the folder of the last name chosen in either, remembered across runs in the
//    user's settings (~/.config/vornel/vornel.conf on Linux); before any choice, the open dialog
//    starts in the examples' folder, which its side panel also offers;
//  - the answer is the chosen full path in UTF-8, or "" when the user cancels;
//  - afterwards the parent's window is activated again, since without a window manager nothing
//    re-activates it after a modal dialog.
// The question before replacing `path` (only its name is shown), over `dialog`, with the dialog's
// title as caption: Qt's own "%1 already exists." box, Yes/No, No by default (object name
// "ReplaceQuestion"). True only on Yes.
bool confirm_replace(QWidget* dialog, const QString& path);

// The folder the file dialogs start in ("" before any choice) and the call that records it (a
// folder that does not exist is not recorded).
QString remembered_folder();
void remember_folder(const QString& folder);

// The folder of the bundled example puzzles: the installed one next to the program
// (../share/vornel/exemples from its folder), else one in the user's or the system's data folders
// (vornel/exemples), else the sources' examples/ when the program runs from its build tree; ""
// when none exists. The Open dialog starts there while no folder is remembered, and always lists
// it among its places.
QString examples_folder();

class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent);

    std::string ask_open_file_name(const FileDialogRequest& request) override;
    std::string ask_save_file_name(const FileDialogRequest& request) override;

private:
    QPointer<QWidget> parent_; // not owned; may go away before this object
};

} // namespace vornel
