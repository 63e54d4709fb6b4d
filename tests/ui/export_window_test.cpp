// SPDX-License-Identifier: GPL-3.0-or-later
// "Exporter l'explication..." and "Imprimer l'explication..." in the main window, driven as a user
// drives them, with the save dialog scripted and the print dialog replaced by a PDF printer.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

#include "cell_edit.h"
#include "classic_page.h"
#include "explanation_export.h"
#include "file_dialogs.h"
#include "ladder.h"
#include "ladder_page.h"
#include "modal_watchdog.h"
#include "recorded_boxes.h"
#include "scripted_dialogs.h"
#include "tf_vrn.h"

using vornel::BoxRequest;
using vornel::Tf_vrn;

namespace {

const char* const kEasy = "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
const char* const kHard = "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......";

QByteArray file_bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

vornel::Values values_of_line(const char* line) {
    vornel::Values v{};
    for (int i = 0; i < 81; ++i) v[i] = static_cast<std::int16_t>(line[i] >= '1' && line[i] <= '9' ? line[i] - '0' : 0);
    return v;
}

} // namespace

class ExportWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Tf_vrn> w;
    std::shared_ptr<std::vector<BoxRequest>> boxes;
    std::unique_ptr<vornel::test::ModalWatchdog> watchdog;
    std::shared_ptr<vornel::test::ScriptedDialogs::Script> script;
    std::unique_ptr<QTemporaryDir> dir;
    QTemporaryDir config_;

    QAction* action(const char* name) const { return w->findChild<QAction*>(QString::fromLatin1(name)); }
    void type_puzzle(const char* puzzle) {
        for (int i = 0; i < 81; ++i)
            if (puzzle[i] >= '1' && puzzle[i] <= '9') QTest::keyClick(w->cell(i / 9 + 1, i % 9 + 1), puzzle[i]);
    }
    bool greyed() const { return !action("m_export")->isEnabled() && !action("m_print")->isEnabled(); }
    std::string path(const char* name) const { return dir->filePath(QString::fromLatin1(name)).toStdString(); }

private slots:
    void initTestCase() {
        // The dialogs remember their folder in the user's settings: keep this run's own.
        QVERIFY(config_.isValid());
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    }

    void export_and_print_offer_the_puzzle_name_in_the_last_folder_used() {
        const QString examples = vornel::examples_folder();
        // Each row: how the puzzle came (a file, or typed), the name the page and the PDF get.
        const struct {
            QString file;
            std::string html;
            QString pdf;
        } rows[] = {{examples + QStringLiteral("/difficile.sud"), "difficile.html", QStringLiteral("difficile.pdf")},
                    {QString(), "explication.html", QStringLiteral("explication.pdf")}};
        vornel::remember_folder(dir->path());
        for (const auto& row : rows) {
            action("m_new")->trigger();
            if (row.file.isEmpty()) {
                type_puzzle(kHard);
            } else {
                script->answers.push_back(row.file.toStdString());
                action("m_open")->trigger();
            }
            action("m_ladder_once")->trigger();
            script->answers.push_back(""); // the user cancels
            action("m_export")->trigger();
            const vornel::FileDialogRequest& request = script->save_requests.back();
            QCOMPARE(request.file_name, row.html);
            QCOMPARE(vornel::qt_name_filters(request.filter), QStringList{QStringLiteral("Page HTML (*.html *.htm)")});
            if (!QPrinterInfo::availablePrinters().isEmpty()) QSKIP("a printer is installed: the dialog starts on it");
            QString offered;
            QString doc;
            w->set_print_dialog([&](QPrinter& printer) {
                offered = printer.outputFileName();
                doc = printer.docName();
                return false;
            });
            action("m_print")->trigger();
            QCOMPARE(offered, QDir(dir->path()).filePath(row.pdf));
            QVERIFY(!doc.contains(QLatin1Char(':')));
        }
        QVERIFY(boxes->empty());
    }

    void init() {
        watchdog = std::make_unique<vornel::test::ModalWatchdog>();
        dir = std::make_unique<QTemporaryDir>(); // each test, and each row, starts with an empty folder
        boxes = std::make_shared<std::vector<BoxRequest>>();
        script = std::make_shared<vornel::test::ScriptedDialogs::Script>();
        w = std::make_unique<Tf_vrn>();
        w->set_message_boxes(std::make_unique<vornel::test::RecordedBoxes>(boxes));
        w->set_file_dialogs(std::make_unique<vornel::test::ScriptedDialogs>(script));
        w->set_print_dialog([](QPrinter&) -> bool {
            qFatal("no print dialog expected");
            return false;
        });
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }

    void cleanup() {
        w.reset();
        QVERIFY2(watchdog->unexpected().isEmpty(), qPrintable(watchdog->unexpected().join(QLatin1Char('\n'))));
        watchdog.reset();
        QCOMPARE(script->unexpected, 0);
        QVERIFY(boxes->empty());
    }

    void entries_end_the_file_menu() {
        auto* fichier = w->menuBar()->findChild<QMenu*>(QStringLiteral("m_fichier"));
        QVERIFY(fichier);
        const QList<QAction*> actions = fichier->actions();
        QVERIFY(actions.size() >= 6);
        QCOMPARE(actions.at(0)->objectName(), QStringLiteral("m_new"));
        QCOMPARE(actions.at(3)->objectName(), QStringLiteral("m_quitter"));
        QCOMPARE(actions.at(actions.size() - 2)->objectName(), QStringLiteral("m_export"));
        QCOMPARE(actions.at(actions.size() - 2)->text(), QStringLiteral("Exporter l'explication..."));
        QCOMPARE(actions.last()->objectName(), QStringLiteral("m_print"));
        QCOMPARE(actions.last()->text(), QStringLiteral("Imprimer l'explication..."));
    }

    // State / Action / Expected, for each command that explains or starts over.
    void entries_are_greyed_only_while_nothing_was_explained_since_new_or_open() {
        QVERIFY(greyed());
        type_puzzle(kEasy);
        QVERIFY(greyed()); // typing explains nothing
        action("m_step")->trigger();
        QVERIFY(!greyed());
        w->findChild<QPushButton*>(QStringLiteral("Button5"))->click(); // the next step keeps it
        QVERIFY(!greyed());
        action("m_new")->trigger();
        QVERIFY(greyed());
        type_puzzle(kEasy);
        action("m_ladder_step")->trigger();
        QVERIFY(!greyed());
        w->findChild<QPushButton*>(QStringLiteral("Button7"))->click();
        QVERIFY(!greyed());
        action("m_edit")->trigger();
        QVERIFY(!greyed()); // the explanation is still the last one made
        vornel::write_puzzle_file(path("p.sud"), values_of_line(kHard));
        script->answers.push_back(path("p.sud"));
        action("m_open")->trigger();
        QVERIFY(greyed());
        action("m_once")->trigger();
        QVERIFY(!greyed());
    }

    void export_writes_the_page_of_the_explanation_on_screen_for_either_engine_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("ladder");
        QTest::newRow("classic once") << "m_once" << false;
        QTest::newRow("classic step") << "m_step" << false;
        QTest::newRow("ladder step") << "m_ladder_step" << true;
        QTest::newRow("ladder once") << "m_ladder_once" << true;
    }
    void export_writes_the_page_of_the_explanation_on_screen_for_either_engine() {
        QFETCH(QString, command);
        QFETCH(bool, ladder);
        type_puzzle(kHard);
        action(command.toLatin1().constData())->trigger();
        script->answers.push_back(path("explication")); // ".html" is added
        action("m_export")->trigger();
        const QByteArray html = file_bytes(QString::fromStdString(path("explication.html")));
        QVERIFY(html.startsWith("<!DOCTYPE html>"));
        const vornel::report::Page expected =
            ladder ? vornel::report::ladder_page("", vornel::ladder::explain(values_of_line(kHard)))
                   : vornel::report::classic_page("", values_of_line(kHard));
        qsizetype boards = static_cast<qsizetype>(expected.steps.size() + 2);
        for (const auto& step : expected.steps) boards += static_cast<qsizetype>(step.branches.size());
        QCOMPARE(html.count("<svg "), boards);
        for (const auto& step : expected.steps)
            for (const std::string& sentence : step.sentences) {
                // An indented line is written without its leading spaces, as a margin.
                const std::string text = sentence.substr(std::min(sentence.find_first_not_of(' '), sentence.size()));
                QVERIFY2(html.contains(QByteArray::fromStdString(vornel::report::escape_html(text))), text.c_str());
            }
        QCOMPARE(script->save_requests.size(), std::size_t{1});
        QCOMPARE(script->save_requests.front().title, std::string("Exporter l'explication"));
    }

    void export_asks_before_replacing_a_page_and_keeps_it_on_no() {
        const QString target = QString::fromStdString(path("page.html"));
        {
            QFile old(target);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("ancienne page");
        }
        type_puzzle(kEasy);
        action("m_once")->trigger();
        // No, then cancel: the old page stays.
        script->answers.push_back(path("page.html"));
        script->replace_replies.push_back(false);
        script->answers.push_back("");
        action("m_export")->trigger();
        QCOMPARE(file_bytes(target), QByteArray("ancienne page"));
        QCOMPARE(script->replace_questions, std::vector<std::string>{path("page.html")});
        // Yes: the page is replaced.
        script->answers.push_back(path("page")); // the same file once ".html" is added
        script->replace_replies.push_back(true);
        action("m_export")->trigger();
        QVERIFY(file_bytes(target).startsWith("<!DOCTYPE html>"));
        QCOMPARE(script->replace_questions.size(), std::size_t{2});
    }

    void an_export_that_cannot_be_written_is_reported_and_writes_nothing() {
        type_puzzle(kEasy);
        action("m_once")->trigger();
        script->answers.push_back(path("missing-folder/page.html"));
        action("m_export")->trigger();
        QCOMPARE(boxes->size(), std::size_t{1});
        QVERIFY(!boxes->front().text.isEmpty());
        boxes->clear();
        QVERIFY(!QFile::exists(QString::fromStdString(path("missing-folder/page.html"))));
    }

    void print_goes_through_the_print_dialog_and_a_cancel_prints_nothing() {
        type_puzzle(kHard);
        action("m_ladder_once")->trigger();
        const QString pdf = QString::fromStdString(path("explication.pdf"));
        int asked = 0;
        w->set_print_dialog([&](QPrinter& printer) {
            ++asked;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return asked == 2; // the first time, the user cancels
        });
        action("m_print")->trigger();
        QCOMPARE(asked, 1);
        QVERIFY(!QFile::exists(pdf));
        action("m_print")->trigger();
        QCOMPARE(asked, 2);
        QVERIFY(file_bytes(pdf).startsWith("%PDF"));
    }
};

QTEST_MAIN(ExportWindowTest)
#include "export_window_test.moc"
