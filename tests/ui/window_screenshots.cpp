// SPDX-License-Identifier: GPL-3.0-or-later
// Writes screenshots of the main window in its characteristic states, for a person to look at:
//   window_empty.png        the board as the program starts
//   window_step_solve.png   a step-tempo solve under way: red, orange, green and white cells
//   window_invalid.png      the log of a grid with duplicates
//   window_failure_box.png  the failure box after "." typed into a cell
//   window_about_box.png    the About box
//   ladder_step.png         a ladder step on a hard puzzle: pencil marks, the pattern, struck candidates
//   ladder_end.png          the end of a ladder explanation: verdict, rating, hardest technique
//   ladder_techniques.png   the techniques window on the technique of that step
//   window_paste_error.png  the failure box of "Coller une grille" on a text without a puzzle
//   window_pasted.png       the board after "Coller une grille" on an 81-character line
//   explanation-print.pdf   that ladder explanation printed through "Imprimer l'explication..."
//                           to a PDF (scripts/screenshots-page turns its first pages into PNGs)
//   forcing_whole.png       a forcing chain of several branches, the whole step
//   forcing_branch_N.png    the same step walked to its branch N
//   forcing-print.pdf       that explanation printed the same way
//   wing_whole.png          an xy-wing, told as a chain, the whole step
//   wing_link_3.png         the same step walked to its third link
// Usage: ui_window_screenshots OUTPUT_FOLDER

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "cell_edit.h"
#include "colour_letters.h"
#include "ladder/ladder_session.h"
#include "message_box.h"
#include "modal_watchdog.h"
#include "puzzles.h"
#include "techniques_window.h"
#include "tf_vrn.h"

namespace {

bool save(const QPixmap& pixmap, const QDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    const bool ok = pixmap.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

// Lets the window paint what the last handler changed, then grabs it.
bool save_window(QWidget& w, const QDir& dir, const QString& name) {
    QCoreApplication::processEvents();
    return save(w.grab(), dir, name);
}

void type_puzzle(vornel::Tf_vrn& w, std::string_view puzzle) {
    for (std::size_t i = 0; i < 81; ++i)
        if (puzzle[i] >= '1' && puzzle[i] <= '9')
            QTest::keyClick(w.cell(static_cast<int>(i / 9 + 1), static_cast<int>(i % 9 + 1)), puzzle[i]);
}

// Runs `open` (which shows a modal box through the real seam), grabs the box, then presses OK.
bool grab_box(const std::function<void()>& open, const QDir& dir, const QString& name) {
    bool ok = false;
    QTimer timer;
    timer.setInterval(50);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        timer.stop();
        ok = save(box->grab(), dir, name);
        box->button(QMessageBox::Ok)->click();
    });
    timer.start();
    open();
    return ok;
}

bool has_every_colour(vornel::Tf_vrn& w) {
    std::string seen;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) seen += vornel::test::colour_letter(w.cell_colour(r, c));
    for (const vornel::Colour colour : vornel::test::kCellColours)
        if (seen.find(vornel::test::colour_letter(colour)) == std::string::npos) return false;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    vornel::test::default_to_offscreen();
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ui_window_screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    QDir dir;
    if (!dir.mkpath(QString::fromLocal8Bit(argv[1]))) return 1;
    dir.setPath(QString::fromLocal8Bit(argv[1]));

    int failures = 0;
    vornel::Tf_vrn w;
    w.show();
    w.activateWindow();
    if (!QTest::qWaitForWindowExposed(&w)) std::printf("note: the window was not exposed in time\n");
    failures += !save_window(w, dir, QStringLiteral("window_empty.png"));

    // The engine places 28 digits of this one before it gets stuck: plenty of steps to show.
    type_puzzle(w, vornel::test::kStuckAfter28);
    w.findChild<QAction*>(QStringLiteral("m_step"))->trigger();
    auto* next = w.findChild<QPushButton*>(QStringLiteral("Button5"));
    for (int i = 0; i < 200 && !next->isHidden() && !has_every_colour(w); ++i) next->click();
    if (!has_every_colour(w)) std::printf("note: the step solve never showed all four colours at once\n");
    failures += !save_window(w, dir, QStringLiteral("window_step_solve.png"));

    w.findChild<QAction*>(QStringLiteral("m_new"))->trigger();
    type_puzzle(w, "303020600900305001001806400008102900700000008006708200002609500800203009005010300");
    w.findChild<QAction*>(QStringLiteral("m_once"))->trigger();
    failures += !save_window(w, dir, QStringLiteral("window_invalid.png"));

    w.findChild<QAction*>(QStringLiteral("m_new"))->trigger();
    failures += !grab_box([&] { QTest::keyClick(w.cell(5, 5), '.'); }, dir, QStringLiteral("window_failure_box.png"));
    failures += !grab_box([&] { w.findChild<QAction*>(QStringLiteral("m_about"))->trigger(); }, dir,
                          QStringLiteral("window_about_box.png"));

    // A puzzle copied from a web page with its title line, then the line alone.
    const QString line = QString::fromLatin1(vornel::test::kStuckAfter28.data(), vornel::test::kStuckAfter28.size());
    QGuiApplication::clipboard()->setText(QStringLiteral("Grille du jour\n") + line);
    failures += !grab_box([&] { w.findChild<QAction*>(QStringLiteral("m_paste"))->trigger(); }, dir,
                          QStringLiteral("window_paste_error.png"));
    QGuiApplication::clipboard()->setText(line);
    w.findChild<QAction*>(QStringLiteral("m_paste"))->trigger();
    failures += !save_window(w, dir, QStringLiteral("window_pasted.png"));

    // The ladder on one of the hardest published puzzles (top95, the fourth): the first step of its
    // hardest technique that removes candidates (else the first that removes any).
    w.findChild<QAction*>(QStringLiteral("m_new"))->trigger();
    type_puzzle(w, "48.3............71.2.......7.5....6....2..8.............1.76...3.....4......5....");
    w.findChild<QAction*>(QStringLiteral("m_ladder_step"))->trigger();
    const auto& explanation = w.ladder_session().explanation();
    const auto& steps = explanation.steps;
    int shown = 0;
    for (std::size_t k = 0; k < steps.size() && shown == 0; ++k)
        if (!steps[k].eliminations.empty() && steps[k].technique == explanation.hardest)
            shown = static_cast<int>(k + 1);
    for (std::size_t k = 0; k < steps.size() && shown == 0; ++k)
        if (!steps[k].eliminations.empty()) shown = static_cast<int>(k + 1);
    auto* step = w.findChild<QPushButton*>(QStringLiteral("Button7"));
    while (w.ladder_session().position() < shown && step->isVisible()) step->click();
    failures += !save_window(w, dir, QStringLiteral("ladder_step.png"));

    w.findChild<QAction*>(QStringLiteral("m_techniques"))->trigger();
    if (shown > 0) w.techniques_window()->select(steps[static_cast<std::size_t>(shown - 1)].technique);
    failures += !save_window(*w.techniques_window(), dir, QStringLiteral("ladder_techniques.png"));
    w.techniques_window()->hide();

    w.findChild<QAction*>(QStringLiteral("m_edit"))->trigger();
    w.findChild<QAction*>(QStringLiteral("m_ladder_once"))->trigger();
    failures += !save_window(w, dir, QStringLiteral("ladder_end.png"));

    const QString pdf = dir.filePath(QStringLiteral("explanation-print.pdf"));
    QFile::remove(pdf);
    w.set_print_dialog([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    w.findChild<QAction*>(QStringLiteral("m_print"))->trigger();
    if (QFile::exists(pdf)) {
        std::printf("wrote %s\n", qPrintable(pdf));
    } else {
        std::fprintf(stderr, "could not print %s\n", qPrintable(pdf));
        ++failures;
    }

    // A forcing chain of five branches (one of the hardest published puzzles) walked branch by
    // branch: forcing_whole.png, forcing_branch_1.png and on; then that explanation printed.
    w.findChild<QAction*>(QStringLiteral("m_new"))->trigger();
    type_puzzle(w, "..3......4...8..36..8...1...4..6..73...9..........2..5..4.7..686........7..6..5..");
    w.findChild<QAction*>(QStringLiteral("m_ladder_step"))->trigger();
    const auto& forcing_steps = w.ladder_session().explanation().steps;
    const auto branching = [&](int position) {
        return position >= 1 && position <= static_cast<int>(forcing_steps.size()) &&
               forcing_steps[static_cast<std::size_t>(position - 1)].branches.size() >= 2;
    };
    while (!branching(w.ladder_session().position()) && step->isVisible()) step->click();
    if (branching(w.ladder_session().position())) {
        failures += !save_window(w, dir, QStringLiteral("forcing_whole.png"));
        const auto branches =
            forcing_steps[static_cast<std::size_t>(w.ladder_session().position() - 1)].branches.size();
        auto* walk = w.findChild<QPushButton*>(QStringLiteral("WalkNext"));
        for (std::size_t b = 1; b <= branches; ++b) {
            walk->click();
            failures += !save_window(w, dir, QStringLiteral("forcing_branch_%1.png").arg(b));
        }
    } else {
        std::fprintf(stderr, "no forcing chain of several branches to walk\n");
        ++failures;
    }
    const QString forcing_pdf = dir.filePath(QStringLiteral("forcing-print.pdf"));
    QFile::remove(forcing_pdf);
    w.set_print_dialog([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(forcing_pdf);
        return true;
    });
    w.findChild<QAction*>(QStringLiteral("m_print"))->trigger();
    if (QFile::exists(forcing_pdf)) {
        std::printf("wrote %s\n", qPrintable(forcing_pdf));
    } else {
        std::fprintf(stderr, "could not print %s\n", qPrintable(forcing_pdf));
        ++failures;
    }
    // A wing told as a chain: the first xy-wing of top95's fourth puzzle, whole, then at its third link.
    w.findChild<QAction*>(QStringLiteral("m_new"))->trigger();
    type_puzzle(w, "48.3............71.2.......7.5....6....2..8.............1.76...3.....4......5....");
    w.findChild<QAction*>(QStringLiteral("m_ladder_step"))->trigger();
    const auto& wing_steps = w.ladder_session().explanation().steps;
    const auto is_wing = [&](int position) {
        return position >= 1 && position <= static_cast<int>(wing_steps.size()) &&
               wing_steps[static_cast<std::size_t>(position - 1)].technique == vornel::ladder::Technique::XyWing;
    };
    while (!is_wing(w.ladder_session().position()) && step->isVisible()) step->click();
    if (is_wing(w.ladder_session().position())) {
        failures += !save_window(w, dir, QStringLiteral("wing_whole.png"));
        auto* walk = w.findChild<QPushButton*>(QStringLiteral("WalkNext"));
        for (int link = 1; link <= 3; ++link) walk->click();
        failures += !save_window(w, dir, QStringLiteral("wing_link_3.png"));
    }
    return failures;
}
