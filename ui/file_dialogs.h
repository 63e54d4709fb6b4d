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
//  - the save dialog replaces an existing file without asking and never adds an extension;
//  - the answer is the chosen full path in UTF-8, or "" when the user cancels;
//  - afterwards the parent's window is activated again, since without a window manager nothing
//    re-activates it after a modal dialog.
class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent);

    std::string ask_open_file_name(const FileDialogRequest& request) override;
    std::string ask_save_file_name(const FileDialogRequest& request) override;

private:
    QPointer<QWidget> parent_; // not owned; may go away before this object
};

} // namespace vornel
