// SPDX-License-Identifier: GPL-3.0-or-later
// Writes screenshots of the windows in English for a person to look at: en_main (a puzzle three
// steps into "Every technique, step by step"), en_main_classic ("Solve step by step", one step
// further), en_explanations, en_techniques (the X-Wing page),
// en_generate and en_play (the coach's second hint level).
// Usage: language_screenshots OUTPUT_FOLDER

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QStandardPaths>

#include <cstdio>

#include "explications.h"
#include "generate_dialog.h"
#include "language_choice.h"
#include "message_box.h"
#include "play_window.h"
#include "puzzles.h"
#include "recorded_boxes.h"
#include "screenshot.h"
#include "techniques_window.h"
#include "tf_vrn.h"

namespace {

bool save(QWidget& w, const QDir& dir, const QString& name) { return vornel::test::save_screenshot(w, dir, name); }

} // namespace

int main(int argc, char** argv) {
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    if (!vornel::install_language(vornel::Language::English)) return 1;
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    QDir().mkpath(dir.path());
    auto log = std::make_shared<std::vector<vornel::BoxRequest>>();
    bool ok = true;

    vornel::Tf_vrn main;
    main.set_message_boxes(std::make_unique<vornel::test::RecordedBoxes>(log));
    main.show();
    main.open_puzzle_file(VORNEL_SOURCE_DIR "/examples/difficile.sud");
    main.findChild<QAction*>(QStringLiteral("m_ladder_step"))->trigger();
    for (int i = 0; i < 2; ++i) main.findChild<QPushButton*>(QStringLiteral("Button7"))->click();
    ok &= save(main, dir, QStringLiteral("en_main.png"));

    vornel::Tf_vrn classic;
    classic.set_message_boxes(std::make_unique<vornel::test::RecordedBoxes>(log));
    classic.show();
    classic.open_puzzle_file(VORNEL_SOURCE_DIR "/examples/facile.sud");
    classic.findChild<QAction*>(QStringLiteral("m_step"))->trigger();
    classic.findChild<QPushButton*>(QStringLiteral("Button5"))->click();
    ok &= save(classic, dir, QStringLiteral("en_main_classic.png"));

    Tf_explications explications(&main);
    explications.show();
    ok &= save(explications, dir, QStringLiteral("en_explanations.png"));

    vornel::Tf_techniques techniques(&main);
    techniques.select(vornel::ladder::Technique::XWing);
    techniques.show();
    ok &= save(techniques, dir, QStringLiteral("en_techniques.png"));

    vornel::GenerateDialog generate(&main);
    generate.show();
    ok &= save(generate, dir, QStringLiteral("en_generate.png"));

    vornel::Tf_play play;
    play.set_message_boxes(std::make_unique<vornel::test::RecordedBoxes>(log));
    vornel::play::Grid givens{};
    vornel::play::grid_from_line(std::string(vornel::test::kEasy), givens);
    play.play_givens(givens);
    play.show();
    play.hint();
    play.hint();
    ok &= save(play, dir, QStringLiteral("en_play.png"));
    return ok ? 0 : 1;
}
