// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_dialogs.h"

#include <iterator>
#include <memory>

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

namespace vornel {

QStringList qt_name_filters(std::string_view filter) {
    const QStringList parts =
        QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size())).split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns) p = p.trimmed();
        patterns.removeAll(QString());
        const QString bracketed = QLatin1Char('(') + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
        if (description.endsWith(bracketed))
            result << description;
        else if (description.isEmpty())
            result << patterns.join(QLatin1Char(' '));
        else
            result << description + QLatin1Char(' ') + bracketed;
    }
    return result;
}

namespace {

constexpr const char* kFolderKey = "dialogues/dossier";

QSettings settings() {
    return {QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("vornel"), QStringLiteral("vornel")};
}

// The save dialog, asking before it hands back a name whose Save would replace a file.
class SaveDialog final : public QFileDialog {
public:
    SaveDialog(QWidget* parent, const QString& title, std::string (*replaced_file)(const std::string&))
        : QFileDialog(parent, title), replaced_file_(replaced_file) {}

    void accept() override {
        const QStringList files = selectedFiles();
        if (replaced_file_ && !files.isEmpty() && !QFileInfo(files.constFirst()).isDir()) {
            const std::string target = replaced_file_(QFile::encodeName(files.constFirst()).toStdString());
            if (!target.empty() && !confirm_replace(this, QFile::decodeName(target.c_str()))) return;
        }
        QFileDialog::accept(); // told not to ask again (DontConfirmOverwrite)
    }

private:
    std::string (*replaced_file_)(const std::string&);
};

enum class Purpose { Open, Save };

// The titles the file commands ask for ("Ouvrir", "Enregistrer sous"), in the window's language;
// a title the window has translated already passes through unchanged.
constexpr const char* kCommandTitles[] = {QT_TRANSLATE_NOOP("vornel::QtFileDialogs", "Ouvrir"),
                                          QT_TRANSLATE_NOOP("vornel::QtFileDialogs", "Enregistrer sous")};

QString dialog_title(const std::string& title) {
    static_assert(std::size(kCommandTitles) == 2);
    return QCoreApplication::translate("vornel::QtFileDialogs", title.c_str());
}

std::string run_dialog(QWidget* parent, const FileDialogRequest& request, Purpose purpose) {
    std::unique_ptr<QFileDialog> owned =
        purpose == Purpose::Save
            ? std::make_unique<SaveDialog>(parent, dialog_title(request.title), request.replaced_file)
            : std::make_unique<QFileDialog>(parent, dialog_title(request.title));
    QFileDialog& dialog = *owned;
    dialog.setObjectName(purpose == Purpose::Open ? QStringLiteral("OpenDialog1") : QStringLiteral("SaveDialog1"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(purpose == Purpose::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    // AnyFile for Open too: a name that does not exist is handed to the command, which reports it.
    dialog.setFileMode(QFileDialog::AnyFile);
    // Qt's own question would name the chosen file, not the one Save writes: SaveDialog asks.
    if (purpose == Purpose::Save) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(QString()); // the Save command adds ".sud" by its own rule

    const QStringList filters = qt_name_filters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const qsizetype index = request.filter_index;
        dialog.selectNameFilter(filters.value(index >= 1 && index <= filters.size() ? index - 1 : 0));
    }
    const QString examples = purpose == Purpose::Open ? examples_folder() : QString();
    if (!examples.isEmpty()) {
        QList<QUrl> places = dialog.sidebarUrls();
        const QUrl place = QUrl::fromLocalFile(examples);
        if (!places.contains(place)) places << place;
        dialog.setSidebarUrls(places);
    }
    if (const QString folder = remembered_folder(); !folder.isEmpty() && QFileInfo(folder).isDir())
        dialog.setDirectory(folder);
    else if (!examples.isEmpty())
        dialog.setDirectory(examples);
    dialog.selectFile(QString::fromStdString(request.file_name));

    const bool accepted = dialog.exec() == QDialog::Accepted;
    std::string chosen;
    if (accepted && !dialog.selectedFiles().isEmpty()) {
        chosen = dialog.selectedFiles().constFirst().toStdString();
        remember_folder(QFileInfo(dialog.selectedFiles().constFirst()).absolutePath());
    }

    if (parent) parent->window()->activateWindow();
    return chosen;
}

} // namespace

bool confirm_replace(QWidget* dialog, const QString& path) {
    // Qt's own question, in Qt's own words (French once its translations are installed).
    QMessageBox box(QMessageBox::Warning, dialog ? dialog->windowTitle() : QString(),
                    QFileDialog::tr("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(path).fileName()),
                    QMessageBox::Yes | QMessageBox::No, dialog);
    box.setObjectName(QStringLiteral("ReplaceQuestion"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString remembered_folder() { return settings().value(QLatin1String(kFolderKey)).toString(); }

void remember_folder(const QString& folder) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return;
    QSettings store = settings();
    store.setValue(QLatin1String(kFolderKey), folder);
}

QString examples_folder() {
    QStringList candidates;
    if (QCoreApplication::instance())
        candidates << QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                          QLatin1String(VORNEL_EXAMPLES_FROM_BIN);
    candidates << QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("vornel/exemples"),
                                            QStandardPaths::LocateDirectory);
    candidates << QStringLiteral(VORNEL_SOURCE_EXAMPLES);
    for (const QString& folder : candidates) {
        if (QFileInfo(folder).isDir()) return QDir(folder).canonicalPath();
    }
    return {};
}

QtFileDialogs::QtFileDialogs(QWidget* parent) : parent_(parent) {}

std::string QtFileDialogs::ask_open_file_name(const FileDialogRequest& request) {
    return run_dialog(parent_.data(), request, Purpose::Open);
}

std::string QtFileDialogs::ask_save_file_name(const FileDialogRequest& request) {
    return run_dialog(parent_.data(), request, Purpose::Save);
}

} // namespace vornel
