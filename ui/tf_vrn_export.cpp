// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's export and print entries: the explanation on screen as an HTML page or on
// paper, whichever engine made it.

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "explanation_export.h"
#include "explanation_print.h"
#include "failures.h"
#include "file_dialogs.h"
#include "guard.h"
#include "language_choice.h"
#include "open_save.h"
#include "tf_vrn.h"

namespace vornel {

namespace {

std::string page_title(report::Engine engine) {
    const char* title = engine == report::Engine::Ladder
                            ? QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Vornel : explication avec toutes les techniques")
                            : QT_TRANSLATE_NOOP("vornel::Tf_vrn", "Vornel : explication chiffre par chiffre");
    return QCoreApplication::translate("vornel::Tf_vrn", title).toStdString();
}

} // namespace

QString Tf_vrn::explanation_file_stem() const {
    const QString stem = QFileInfo(origin_file_).completeBaseName();
    return stem.isEmpty() ? tr("explication") : stem;
}

void Tf_vrn::build_export_menu() {
    auto* fichier = menuBar()->findChild<QMenu*>(QStringLiteral("m_fichier"));
    export_action_ = new QAction(tr("Exporter l'explication..."), this);
    export_action_->setObjectName(QStringLiteral("m_export"));
    connect(export_action_, &QAction::triggered, this, &Tf_vrn::m_exportClick);
    print_action_ = new QAction(tr("Imprimer l'explication..."), this);
    print_action_->setObjectName(QStringLiteral("m_print"));
    connect(print_action_, &QAction::triggered, this, &Tf_vrn::m_printClick);
    if (fichier) fichier->addActions({export_action_, print_action_});
    print_dialog_ = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        dialog.setObjectName(QStringLiteral("PrintDialog1"));
        const bool accepted = dialog.exec() == QDialog::Accepted;
        activateWindow();
        return accepted;
    };
    forget_explanation();
}

void Tf_vrn::set_print_dialog(std::function<bool(QPrinter&)> dialog) { print_dialog_ = std::move(dialog); }

void Tf_vrn::explained_by(report::Engine engine, const Values& start) {
    explained_ = Explained{engine, start};
    export_action_->setEnabled(true);
    print_action_->setEnabled(true);
}

void Tf_vrn::forget_explanation() {
    explained_.reset();
    if (export_action_) export_action_->setEnabled(false);
    if (print_action_) print_action_->setEnabled(false);
}

void Tf_vrn::m_exportClick() {
    run_guarded([this] {
        if (!explained_) return;
        FileDialogRequest request;
        request.title = tr("Exporter l'explication").toStdString();
        request.filter = tr("Page HTML|*.html;*.htm").toStdString();
        request.file_name = (explanation_file_stem() + QStringLiteral(".html")).toStdString();
        request.replaced_file = report::existing_export_target;
        const std::string chosen = dialogs_->ask_save_file_name(request);
        const std::string path = report::export_file_name(chosen);
        if (path.empty()) return;
        const report::Page page = report::explanation_page(explained_->engine, explained_->start,
                                                           page_title(explained_->engine), installed_language());
        write_text_file(path, report::html_document(page));
    });
}

void Tf_vrn::m_printClick() {
    run_guarded([this] {
        if (!explained_) return;
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
        // The name a PDF is offered under: the puzzle's, in the last folder used. Without any
        // printer the PDF is all there is, so the dialog starts on it.
        printer.setDocName(explanation_file_stem());
        if (QPrinterInfo::availablePrinters().isEmpty()) {
            QString folder = remembered_folder();
            if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
            printer.setOutputFileName(QDir(folder).filePath(explanation_file_stem() + QStringLiteral(".pdf")));
        }
        if (!print_dialog_ || !print_dialog_(printer)) return;
        if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
            remember_folder(QFileInfo(printer.outputFileName()).absolutePath());
        const report::Page page = report::explanation_page(explained_->engine, explained_->start,
                                                           page_title(explained_->engine), installed_language());
        if (!paint_page(page, printer)) throw Failure(tr("L'impression n'a pas pu se faire").toStdString());
    });
}

} // namespace vornel
