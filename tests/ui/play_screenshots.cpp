// SPDX-License-Identifier: GPL-3.0-or-later
// Writes screenshots of the game window for a person to look at, at the default, the smallest and
// a large size: play_start, play_states (selection, highlighted digit, pencil marks, a conflict, a
// wrong digit after "Vérifier"), play_hint1..3 (the coach's three levels), play_mistake1..3 (a
// wrong digit explained), play_chain2..3 (a chain without, then with, its conclusion),
// play_finish, play_games (the list of games), play_paused, play_small, play_large, and
// main_patterns (the main window with "Motifs pour daltoniens").
// Usage: play_screenshots OUTPUT_FOLDER

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTest>

#include <cstdio>

#include "cell_edit.h"
#include "games_window.h"
#include "ladder/ladder_session.h"
#include "message_box.h"
#include "play_board.h"
#include "play_window.h"
#include "puzzles.h"
#include "recorded_boxes.h"
#include "screenshot.h"
#include "tf_vrn.h"

namespace {

bool save(QWidget& w, const QDir& dir, const QString& name) { return vornel::test::save_screenshot(w, dir, name); }

void key(vornel::Tf_play& w, Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(w.board(), k, mods);
}

} // namespace

int main(int argc, char** argv) {
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    QDir().mkpath(dir.path());
    QDir(vornel::Tf_play::store_folder()).removeRecursively(); // the list shows this run's games only
    auto log = std::make_shared<std::vector<vornel::BoxRequest>>();
    bool ok = true;

    vornel::Tf_play w;
    w.set_message_boxes(std::make_unique<vornel::test::RecordedBoxes>(log));
    vornel::play::Grid givens{};
    vornel::play::grid_from_line(std::string(vornel::test::kEasy), givens);
    w.play_givens(givens);
    w.show();
    ok &= save(w, dir, QStringLiteral("play_start.png"));

    // Row 1, column 3 selected: a wrong 8 (a conflict with the 8 below), pencil marks elsewhere.
    key(w, Qt::Key_8);
    key(w, Qt::Key_Right);
    key(w, Qt::Key_1, Qt::ShiftModifier);
    key(w, Qt::Key_2, Qt::ShiftModifier);
    key(w, Qt::Key_6, Qt::ShiftModifier);
    key(w, Qt::Key_Down);
    key(w, Qt::Key_2);
    key(w, Qt::Key_Down);
    w.check();
    ok &= save(w, dir, QStringLiteral("play_states.png"));
    w.undo();
    w.undo();
    w.undo();
    w.undo();
    w.undo();

    for (int level = 1; level <= 3; ++level) {
        w.hint();
        ok &= save(w, dir, QStringLiteral("play_hint%1.png").arg(level));
    }
    // A harder position: the hint of a subset over every candidate.
    vornel::play::grid_from_line(std::string(vornel::test::kHard), givens);
    w.play_givens(givens);
    w.fill_candidates();
    for (int level = 1; level <= 3; ++level) {
        w.hint();
        ok &= save(w, dir, QStringLiteral("play_hard_hint%1.png").arg(level));
    }
    // A chain: the hard puzzle played on until the coach's step is one.
    for (int guard = 0; guard < 200 && !w.game()->finished(); ++guard) {
        const vornel::play::Hint next = w.game()->hint(false);
        if (next.kind == vornel::play::Hint::Kind::Step && !next.step.links.empty()) break;
        w.game()->apply(next);
    }
    w.undo();
    w.redo();
    for (int level = 1; level <= 3; ++level) {
        w.hint();
        if (level > 1) ok &= save(w, dir, QStringLiteral("play_chain%1.png").arg(level));
    }
    // Chain discs: a step drawn with both colours ("is" a disc, "is not" a square), from the test
    // puzzles played on until one comes.
    for (const std::string_view line : {vornel::test::kHard, vornel::test::kSeventeenGivens}) {
        vornel::play::grid_from_line(std::string(line), givens);
        if (!w.play_givens(givens)) continue;
        w.fill_candidates();
        bool found = false;
        for (int guard = 0; guard < 300 && !w.game()->finished() && !found; ++guard) {
            const vornel::play::Hint next = w.game()->hint(false);
            if (next.kind == vornel::play::Hint::Kind::Step && !next.step.colour_a.empty() &&
                !next.step.colour_b.empty()) {
                found = true;
                break;
            }
            w.game()->apply(next);
        }
        if (!found) continue;
        w.undo();
        w.redo();
        for (int level = 1; level <= 3; ++level) w.hint();
        ok &= save(w, dir, QStringLiteral("play_colours.png"));
        break;
    }
    // A wrong digit that shows only further on, explained at its three levels.
    vornel::play::grid_from_line(std::string(vornel::test::kEasy), givens);
    w.play_givens(givens);
    w.board()->set_selected(2);
    key(w, Qt::Key_1);
    for (int level = 1; level <= 3; ++level) {
        w.hint();
        ok &= save(w, dir, QStringLiteral("play_mistake%1.png").arg(level));
    }
    // The end of a game.
    w.undo();
    for (int cell = 0; cell < 81; ++cell)
        if (cell != 2) w.game()->write(cell, w.game()->solution()[static_cast<std::size_t>(cell)]);
    w.board()->set_selected(2);
    key(w, Qt::Key_4);
    ok &= save(w, dir, QStringLiteral("play_finish.png"));
    {
        vornel::Tf_games list(&w, vornel::play::GameStore(vornel::Tf_play::store_folder().toStdString()),
                              w.game_path());
        list.show();
        ok &= save(list, dir, QStringLiteral("play_games.png"));
    }
    w.replay();
    w.set_paused(true);
    ok &= save(w, dir, QStringLiteral("play_paused.png"));
    w.set_paused(false);
    w.resize(w.minimumSize());
    ok &= save(w, dir, QStringLiteral("play_small.png"));
    w.resize(1360, 740);
    ok &= save(w, dir, QStringLiteral("play_large.png"));

    vornel::Tf_vrn main;
    main.show();
    vornel::test::type_givens(main, vornel::test::kStuckAfter28);
    main.findChild<QAction*>(QStringLiteral("m_patterns"))->setChecked(true);
    main.findChild<QAction*>(QStringLiteral("m_step"))->trigger();
    for (int i = 0; i < 6; ++i)
        main.findChild<QWidget*>(QStringLiteral("Button5"))->isVisible()
            ? (void)QMetaObject::invokeMethod(main.findChild<QWidget*>(QStringLiteral("Button5")), "click")
            : (void)0;
    main.paint_cells();
    ok &= save(main, dir, QStringLiteral("main_patterns.png"));
    main.findChild<QAction*>(QStringLiteral("m_patterns"))->setChecked(false);
    return ok ? 0 : 1;
}
