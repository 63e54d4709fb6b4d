// SPDX-License-Identifier: GPL-3.0-or-later
// Writes screenshots of the game window for a person to look at, at the default, the smallest and
// a large size: play_start, play_states (selection, highlighted digit, pencil marks, a conflict, a
// wrong digit after "Vérifier"), play_hint1..3 (the coach's three levels), play_paused,
// play_small, play_large, and main_patterns (the main window with "Motifs pour daltoniens").
// Usage: play_screenshots OUTPUT_FOLDER

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTest>

#include <cstdio>

#include "cell_edit.h"
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
