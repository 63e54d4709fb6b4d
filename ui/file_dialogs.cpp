#include "file_dialogs.h"

#include <QFileDialog>

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

enum class Purpose { Open, Save };

std::string run_dialog(QWidget* parent, const FileDialogRequest& request, Purpose purpose) {
    QFileDialog dialog(parent, QString::fromStdString(request.title));
    dialog.setObjectName(purpose == Purpose::Open ? QStringLiteral("OpenDialog1") : QStringLiteral("SaveDialog1"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(purpose == Purpose::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    // AnyFile for Open too: a name that does not exist is handed to the command, which reports it.
    dialog.setFileMode(QFileDialog::AnyFile);
    if (purpose == Purpose::Save) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(QString()); // the Save command adds ".sud" by its own rule

    const QStringList filters = qt_name_filters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const qsizetype index = request.filter_index;
        dialog.selectNameFilter(filters.value(index >= 1 && index <= filters.size() ? index - 1 : 0));
    }
    dialog.selectFile(QString::fromStdString(request.file_name));

    const bool accepted = dialog.exec() == QDialog::Accepted;
    std::string chosen;
    if (accepted && !dialog.selectedFiles().isEmpty()) chosen = dialog.selectedFiles().constFirst().toStdString();

    if (parent) parent->window()->activateWindow();
    return chosen;
}

} // namespace

QtFileDialogs::QtFileDialogs(QWidget* parent) : parent_(parent) {}

std::string QtFileDialogs::ask_open_file_name(const FileDialogRequest& request) {
    return run_dialog(parent_.data(), request, Purpose::Open);
}

std::string QtFileDialogs::ask_save_file_name(const FileDialogRequest& request) {
    return run_dialog(parent_.data(), request, Purpose::Save);
}

} // namespace vornel
