// SPDX-License-Identifier: GPL-3.0-or-later
// The game window end to end, with real key events: moves and their undo, conflicts, the check,
// the coach's three levels, pause, save and resume, resizing; the main window's way in; and the
// colours of every cell state, told apart with any colour vision.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <sys/stat.h>

#include <csignal>

#include <array>
#include <cmath>
#include <memory>

#include "cell_edit.h"
#include "command_line.h"
#include "game_file.h"
#include "game_store.h"
#include "games_window.h"
#include "generate_dialog.h"
#include "ladder/narrator_fr.h"
#include "modal_watchdog.h"
#include "play_board.h"
#include "play_window.h"
#include "puzzles.h"
#include "qt_colour.h"
#include "quit_signals.h"
#include "recorded_boxes.h"
#include "scripted_dialogs.h"
#include "techniques_window.h"
#include "tf_vrn.h"

using vornel::CellLook;
using vornel::PlayBoard;
using vornel::Tf_play;

namespace {

// Row 1, column 3 of the easy puzzle: empty, its solution is 4.
constexpr int kFree = 2;

vornel::play::Grid easy_givens() {
    vornel::play::Grid g{};
    vornel::play::grid_from_line(std::string(vornel::test::kEasy), g);
    return g;
}

} // namespace

class PlayWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void keys_write_pencil_clear_and_move_with_wrap();
    void digit_keys_name_their_digit_on_any_layout();
    void undo_and_redo_by_their_shortcuts_walk_every_move();
    void a_duplicate_is_framed_as_soon_as_it_is_typed();
    void check_hatches_wrong_digits_until_the_next_move();
    void hint_goes_through_three_levels_then_applies();
    void hint_tells_a_wrong_digit_first();
    void pause_hides_the_board_stops_the_clock_and_ignores_keys();
    void finishing_tells_time_rating_and_hints();
    void closing_saves_the_game_and_the_main_window_offers_it_back();
    void board_scales_with_the_window();
    void games_save_open_and_export_through_the_file_dialogs();
    void new_game_comes_from_the_generation_dialog();
    void print_puts_the_givens_on_paper();
    void the_hint_link_opens_the_technique_page();
    void main_window_reports_a_board_that_cannot_be_played();
    void main_window_entries_follow_the_specified_ones();
    void patterns_are_off_by_default_and_remembered();
    void command_line_takes_play();
    void every_pair_of_cell_states_differs_in_any_colour_vision();
    void hostile_files_are_refused_at_once_in_a_short_sentence();
    void a_quitting_signal_saves_the_last_move_once();
    void every_move_is_written_to_the_game_file_at_once();
    void the_pad_writes_erases_pencils_and_counts_what_is_left();
    void a_right_click_opens_the_cell_pencil_menu();
    void every_button_has_a_key();
    void keys_reach_the_board_again_after_the_help_page();
    void the_list_of_games_resumes_and_deletes();
    void numbers_around_the_board_and_the_window_inside_the_screen();

private:
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(w_->board(), k, mods); }
    // Sends a shortcut to the window, as the user's keyboard would.
    void shortcut(const QKeySequence& sequence) {
        QTest::keySequence(w_.get(), sequence);
        QCoreApplication::processEvents();
    }

    std::unique_ptr<Tf_play> w_;
    std::shared_ptr<std::vector<vornel::BoxRequest>> boxes_;
    std::unique_ptr<vornel::test::ModalWatchdog> watchdog_;
};

void PlayWindowTest::init() {
    QFile::remove(Tf_play::resume_path());
    QDir(Tf_play::store_folder()).removeRecursively();
    QSettings({QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("vornel"), QStringLiteral("vornel")})
        .remove(QStringLiteral("affichage/motifs"));
    boxes_ = std::make_shared<std::vector<vornel::BoxRequest>>();
    watchdog_ = std::make_unique<vornel::test::ModalWatchdog>();
    w_ = std::make_unique<Tf_play>();
    w_->set_message_boxes(std::make_unique<vornel::test::RecordedBoxes>(boxes_));
    QVERIFY(w_->play_givens(easy_givens()));
    w_->show();
    w_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w_.get()));
    w_->board()->setFocus();
    QCOMPARE(w_->board()->selected(), kFree); // the first cell that is not a given
}

void PlayWindowTest::cleanup() {
    QVERIFY2(!watchdog_->fired(), qPrintable(watchdog_->unexpected().join('\n')));
    w_.reset();
}

void PlayWindowTest::keys_write_pencil_clear_and_move_with_wrap() {
    const vornel::play::Game& game = *w_->game();
    key(Qt::Key_4);
    QCOMPARE(game.value(kFree), 4);
    key(Qt::Key_Right);
    key(Qt::Key_2, Qt::ShiftModifier);
    key(Qt::Key_6, Qt::ShiftModifier);
    QCOMPARE(game.marks(3), 0x44);
    // Pencil mode: plain digits toggle marks.
    w_->findChild<QAction*>(QStringLiteral("p_pencil"))->setChecked(true);
    key(Qt::Key_6);
    QCOMPARE(game.marks(3), 0x04);
    w_->findChild<QAction*>(QStringLiteral("p_pencil"))->setChecked(false);
    key(Qt::Key_Backspace);
    QCOMPARE(game.marks(3), 0);
    key(Qt::Key_Left);
    key(Qt::Key_Delete);
    QCOMPARE(game.value(kFree), 0);
    // A given refuses every key.
    key(Qt::Key_Left);
    key(Qt::Key_9);
    key(Qt::Key_Delete);
    QCOMPARE(game.value(1), 3);
    // Arrows wrap round the board.
    struct Move {
        Qt::Key key;
        int from;
        int to;
    } moves[] = {{Qt::Key_Left, 0, 8},
                 {Qt::Key_Right, 8, 0},
                 {Qt::Key_Up, 4, 76},
                 {Qt::Key_Down, 76, 4},
                 {Qt::Key_Down, 40, 49}};
    for (const Move& m : moves) {
        w_->board()->set_selected(m.from);
        key(m.key);
        QCOMPARE(w_->board()->selected(), m.to);
    }
}

// What layouts deliver for the digit row: the key's text decides, and Shift means a pencil mark.
void PlayWindowTest::digit_keys_name_their_digit_on_any_layout() {
    struct Case {
        const char* layout;
        Qt::Key key;
        QString text;
        Qt::KeyboardModifiers mods;
        int written;
        std::uint16_t marks;
    } cases[] = {
        {"US, 7", Qt::Key_7, QStringLiteral("7"), Qt::NoModifier, 7, 0},
        {"US, Shift+7", Qt::Key_Ampersand, QStringLiteral("&"), Qt::ShiftModifier, 0, 1u << 7},
        {"French, 1 key", Qt::Key_Ampersand, QStringLiteral("&"), Qt::NoModifier, 1, 0},
        {"French, 2 key", Qt::Key_Eacute, QStringLiteral("é"), Qt::NoModifier, 2, 0},
        {"French, Shift+9 key", Qt::Key_9, QStringLiteral("9"), Qt::ShiftModifier, 0, 1u << 9},
        {"keypad 3", Qt::Key_3, QStringLiteral("3"), Qt::KeypadModifier, 3, 0},
        {"a letter", Qt::Key_A, QStringLiteral("a"), Qt::NoModifier, 0, 0},
        {"Ctrl+1", Qt::Key_1, QStringLiteral("1"), Qt::ControlModifier, 0, 0},
    };
    for (const Case& c : cases) {
        QVERIFY(w_->play_givens(easy_givens()));
        QKeyEvent press(QEvent::KeyPress, c.key, c.mods, c.text);
        QApplication::sendEvent(w_->board(), &press);
        QVERIFY2(w_->game()->value(kFree) == c.written, c.layout);
        QVERIFY2(w_->game()->marks(kFree) == c.marks, c.layout);
    }
    // P switches the pencil mode; F1 lists the keys.
    key(Qt::Key_P);
    QVERIFY(w_->findChild<QAction*>(QStringLiteral("p_pencil"))->isChecked());
    key(Qt::Key_5);
    QCOMPARE(w_->game()->marks(kFree), static_cast<std::uint16_t>(1u << 5));
    key(Qt::Key_P);
    key(Qt::Key_4);
    QCOMPARE(w_->game()->value(kFree), 4);
    shortcut(QKeySequence(Qt::Key_F1));
    QCOMPARE(boxes_->size(), 1u);
    QVERIFY(boxes_->front().text.contains(QStringLiteral("Ctrl+Maj+Z ou Ctrl+Y : rétablir")));
}

void PlayWindowTest::undo_and_redo_by_their_shortcuts_walk_every_move() {
    const vornel::play::Game& game = *w_->game();
    key(Qt::Key_1);
    key(Qt::Key_4);
    key(Qt::Key_Right);
    key(Qt::Key_2, Qt::ShiftModifier);
    QCOMPARE(game.marks(3), 0x04);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(game.marks(3), 0);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(game.value(kFree), 1);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(game.value(kFree), 0);
    QVERIFY(!w_->findChild<QAction*>(QStringLiteral("p_undo"))->isEnabled());
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    QCOMPARE(game.value(kFree), 1);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    QCOMPARE(game.value(kFree), 4);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    QCOMPARE(game.marks(3), 0x04);
    QVERIFY(!w_->findChild<QAction*>(QStringLiteral("p_redo"))->isEnabled());
    // "Remplir les candidats" is one move.
    w_->findChild<QPushButton*>(QStringLiteral("PlayFill"))->click();
    QVERIFY(game.marks(4 * 9 + 1) != 0);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(game.marks(4 * 9 + 1), 0);
}

void PlayWindowTest::a_duplicate_is_framed_as_soon_as_it_is_typed() {
    key(Qt::Key_5); // row 1 holds a 5 in column 1
    QVERIFY(w_->board()->look_of(kFree).conflict);
    QVERIFY(w_->board()->look_of(0).conflict);
    QVERIFY(!w_->board()->look_of(1).conflict);
    key(Qt::Key_4);
    QVERIFY(!w_->board()->look_of(kFree).conflict);
    QVERIFY(!w_->board()->look_of(0).conflict);
}

void PlayWindowTest::check_hatches_wrong_digits_until_the_next_move() {
    key(Qt::Key_1); // wrong, no duplicate
    QVERIFY(!w_->board()->look_of(kFree).wrong);
    w_->findChild<QPushButton*>(QStringLiteral("PlayCheck"))->click();
    QVERIFY(w_->board()->look_of(kFree).wrong);
    QVERIFY(!w_->board()->look_of(3).wrong);
    QCOMPARE(w_->findChild<QLabel*>(QStringLiteral("PlayStatus"))->text(),
             QStringLiteral("Hachuré : 1 chiffre faux, 0 case dont les candidats ont perdu le bon chiffre."));
    key(Qt::Key_Delete);
    QVERIFY(!w_->board()->look_of(kFree).wrong);
    w_->check();
    QCOMPARE(w_->findChild<QLabel*>(QStringLiteral("PlayStatus"))->text(), QStringLiteral("Aucune erreur jusqu'ici."));
}

void PlayWindowTest::hint_goes_through_three_levels_then_applies() {
    auto* apply = w_->findChild<QPushButton*>(QStringLiteral("PlayApply"));
    key(Qt::Key_H);
    QCOMPARE(w_->hint_level(), 1);
    // Level 1: the unit to look at, hatched, and nothing else.
    QVERIFY2(w_->hint_label()->text().contains(QStringLiteral("Regardez ")), qPrintable(w_->hint_label()->text()));
    QVERIFY(w_->hint_label()->text().contains(QStringLiteral("<a href=\"hidden-single\">")));
    const auto& level1 = w_->board()->hint_picture();
    QVERIFY(level1);
    int unit = 0;
    for (const auto& cell : level1->cells) {
        QVERIFY(!cell.pattern && !cell.placed && !cell.removed && !cell.highlighted);
        unit += cell.in_unit;
    }
    QCOMPARE(unit, 9);
    QVERIFY(apply->isHidden());
    key(Qt::Key_Return); // nothing to apply yet
    QCOMPARE(w_->hint_level(), 1);

    // Level 2: the digits placed that rule the other cells out, framed, with the lines they rule.
    key(Qt::Key_H);
    QCOMPARE(w_->hint_level(), 2);
    QVERIFY2(w_->hint_label()->text().contains(QStringLiteral("déjà placés excluent les autres cases vides")),
             qPrintable(w_->hint_label()->text()));
    const auto& level2 = w_->board()->hint_picture();
    QVERIFY(level2);
    int pattern = 0;
    for (int c = 0; c < 81; ++c) {
        const auto& cell = level2->cells[static_cast<std::size_t>(c)];
        QVERIFY(!cell.placed && !cell.removed);
        if (cell.pattern) QVERIFY(w_->game()->value(c) != 0); // a digit placed, never the answer's cell
        pattern += cell.pattern;
    }
    QVERIFY(pattern > 0);
    QVERIFY(!level2->links.empty());
    QVERIFY(apply->isHidden());

    key(Qt::Key_H);
    QCOMPARE(w_->hint_level(), 3);
    QVERIFY(!apply->isHidden());
    const auto& level3 = w_->board()->hint_picture();
    QVERIFY(level3);
    int placed = -1;
    for (int c = 0; c < 81; ++c)
        if (level3->cells[static_cast<std::size_t>(c)].placed) placed = c;
    QVERIFY(placed >= 0);
    QCOMPARE(w_->game()->hints_used(), 1); // three levels of one hint

    key(Qt::Key_Return); // Enter applies, as the button does
    QCOMPARE(w_->game()->value(placed), static_cast<int>(w_->game()->solution()[static_cast<std::size_t>(placed)]));
    QVERIFY(!w_->board()->hint_picture()); // a move forgets the hint
    QVERIFY(apply->isHidden());
    QCOMPARE(w_->hint_level(), 0);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(w_->game()->value(placed), 0);
}

void PlayWindowTest::hint_tells_a_wrong_digit_first() {
    key(Qt::Key_1);
    key(Qt::Key_Down);
    w_->hint();
    const QString text = w_->hint_label()->text();
    QVERIFY2(text.contains(QStringLiteral("Le 1 de L1C3 n'est pas le bon chiffre")), qPrintable(text));
    QVERIFY2(!text.contains(QStringLiteral("le 4")), qPrintable(text)); // never the answer
    QCOMPARE(w_->board()->selected(), kFree);
    QVERIFY(w_->board()->hint_picture()->cells[kFree].pattern);
    QVERIFY(w_->findChild<QPushButton*>(QStringLiteral("PlayApply"))->isHidden());
    // "Retour avant ma première erreur" is at hand, and takes the game back.
    auto* back = w_->findChild<QPushButton*>(QStringLiteral("PlayBack"));
    QVERIFY(!back->isHidden());
    back->click();
    QCOMPARE(w_->game()->value(kFree), 0);
    QVERIFY(w_->game()->can_redo());
}

void PlayWindowTest::pause_hides_the_board_stops_the_clock_and_ignores_keys() {
    w_->game()->add_time(5000);
    auto* pause = w_->findChild<QPushButton*>(QStringLiteral("PlayPause"));
    pause->click();
    QVERIFY(w_->board()->hidden());
    QVERIFY(w_->game()->paused());
    QCOMPARE(pause->text(), QStringLiteral("Reprendre (Espace)"));
    // Nothing reads the hidden board: no undo, hint, check, pad.
    QVERIFY(!w_->findChild<QAction*>(QStringLiteral("p_undo"))->isEnabled());
    QVERIFY(!w_->findChild<QPushButton*>(QStringLiteral("PlayHint"))->isEnabled());
    QVERIFY(!w_->findChild<QPushButton*>(QStringLiteral("PlayCheck"))->isEnabled());
    QVERIFY(!w_->pad()->isEnabled());
    const std::int64_t before = w_->game()->elapsed_ms();
    QTest::qWait(600);
    QCOMPARE(w_->game()->elapsed_ms(), before);
    key(Qt::Key_4);
    QCOMPARE(w_->game()->value(kFree), 0);
    w_->hint();
    QCOMPARE(w_->hint_level(), 0);
    // The board shows nothing of the grid: no digit pixel differs between two different games.
    const QImage paused = w_->board()->grab().toImage();
    w_->game()->write(kFree, 4);
    QCOMPARE(w_->board()->grab().toImage(), paused);
    key(Qt::Key_Space); // Space resumes, as the button does
    QVERIFY(!w_->board()->hidden());
    QVERIFY(w_->pad()->isEnabled());
    QTRY_VERIFY(w_->game()->elapsed_ms() > before);
}

void PlayWindowTest::finishing_tells_time_rating_and_hints() {
    vornel::play::Game& game = *w_->game();
    const vornel::play::Grid solution = game.solution();
    for (int cell = 0; cell < 81; ++cell)
        if (!game.is_given(cell) && cell != kFree) game.write(cell, solution[static_cast<std::size_t>(cell)]);
    w_->game()->set_paused(false);
    w_->hint(); // one hint, then the last digit by key
    w_->board()->set_selected(kFree);
    key(Qt::Key_4);
    QVERIFY(game.finished());
    QVERIFY(boxes_->empty()); // told in the panel, no box to close
    const QString text = w_->hint_label()->text();
    QVERIFY2(text.contains(QStringLiteral("Grille résolue en ")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("Difficulté : ") +
                           QString::fromStdString(std::string(vornel::ladder::level_name_fr(game.rating().level)))),
             qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("Indices demandés : 1. Erreurs : 0.")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("<li><a href=\"")), qPrintable(text)); // the technique met, with its page
    QVERIFY(!w_->findChild<QWidget*>(QStringLiteral("PlayFinish"))->isHidden());
    // The finished game stays as history; "Rejouer" starts the same grid in a game of its own.
    const QString finished = w_->game_path();
    w_->findChild<QPushButton*>(QStringLiteral("PlayReplay"))->click();
    QVERIFY(w_->game_path() != finished);
    QCOMPARE(w_->game()->givens(), easy_givens());
    QVERIFY(!w_->game()->finished());
    const vornel::play::GameStore store(Tf_play::store_folder().toStdString());
    const std::vector<vornel::play::StoredGame> games = store.list();
    QCOMPARE(games.size(), 2u);
    int done = 0;
    for (const auto& g : games) done += g.finished;
    QCOMPARE(done, 1);
    w_->close();
}

void PlayWindowTest::closing_saves_the_game_and_the_main_window_offers_it_back() {
    key(Qt::Key_4);
    key(Qt::Key_Right);
    key(Qt::Key_2, Qt::ShiftModifier);
    w_->game()->add_time(61000);
    const vornel::play::Position position = w_->game()->position();
    w_->close();
    QVERIFY(QFile::exists(w_->game_path()));

    vornel::Tf_vrn main;
    QVERIFY(main.findChild<QAction*>(QStringLiteral("m_play_resume"))->isEnabled());
    main.start_playing(QString()); // `vornel --play`: the last game left unfinished
    Tf_play* back = main.play_window();
    QVERIFY(back);
    QVERIFY(back->isVisible());
    QCOMPARE(back->game()->position(), position);
    QVERIFY(back->game()->elapsed_ms() >= 61000);
    QVERIFY(back->game()->is_given(0));
    back->close();

    // A broken game file is reported, and nothing opens over it.
    QTemporaryDir dir;
    const QString broken = dir.filePath(QStringLiteral("cassee.vornel"));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("{\"format\":\"x\"}");
    file.close();
    auto main_boxes = std::make_shared<std::vector<vornel::BoxRequest>>();
    Tf_play other;
    other.set_message_boxes(std::make_unique<vornel::test::RecordedBoxes>(main_boxes));
    QVERIFY(!other.open_file(broken));
    QCOMPARE(main_boxes->size(), 1u);
    QVERIFY(main_boxes->front().text.startsWith(QStringLiteral("Ce fichier n'est pas une partie de Vornel")));
}

void PlayWindowTest::board_scales_with_the_window() {
    // At the default size, pencil marks are at least 11 px high (a third of the cell less margins).
    const int default_side = w_->board()->cell_rect(0).height();
    QVERIFY2((default_side - 4) * 3 / 10 >= 11, qPrintable(QString::number(default_side)));
    QVERIFY(w_->width() <= 1366 && w_->height() <= 768);
    w_->resize(w_->minimumSize());
    QCoreApplication::processEvents();
    const int small = w_->board()->cell_rect(0).height();
    w_->resize(1300, 740);
    QCoreApplication::processEvents();
    const int large = w_->board()->cell_rect(0).height();
    QVERIFY2(small < default_side && default_side < large,
             qPrintable(QStringLiteral("%1 %2 %3").arg(small).arg(default_side).arg(large)));
    // The whole board stays inside the board widget, cells side by side.
    const QRect all = w_->board()->cell_rect(0).united(w_->board()->cell_rect(80));
    QVERIFY(w_->board()->rect().contains(all));
    QCOMPARE(w_->board()->cell_rect(1).left(), w_->board()->cell_rect(0).right() + 1);
}

void PlayWindowTest::games_save_open_and_export_through_the_file_dialogs() {
    QTemporaryDir dir;
    auto script = std::make_shared<vornel::test::ScriptedDialogs::Script>();
    auto dialogs = std::make_unique<vornel::test::ScriptedDialogs>(script);
    vornel::test::ScriptedDialogs& scripted = *dialogs;
    w_->set_file_dialogs(std::move(dialogs));
    key(Qt::Key_4);
    key(Qt::Key_Right);
    key(Qt::Key_1, Qt::ShiftModifier);
    const vornel::play::Position position = w_->game()->position();

    // Ctrl+S: the extension is added when the name lacks it.
    scripted.answer(dir.filePath(QStringLiteral("partie")).toStdString());
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("partie.vornel"))));
    // The givens alone as a ".sud" puzzle.
    scripted.answer(dir.filePath(QStringLiteral("grille.sud")).toStdString());
    w_->findChild<QAction*>(QStringLiteral("p_export"))->trigger();

    // Ctrl+Shift+O brings the game back as it was saved, and opens a ".sud" puzzle as a new game.
    key(Qt::Key_Left);
    key(Qt::Key_Delete);
    QVERIFY(w_->game()->position() != position);
    scripted.answer(dir.filePath(QStringLiteral("partie.vornel")).toStdString());
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    QCOMPARE(w_->game()->position(), position);
    scripted.answer(dir.filePath(QStringLiteral("grille.sud")).toStdString());
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    QCOMPARE(w_->game()->givens(), easy_givens());
    QCOMPARE(w_->game()->position().values, easy_givens());
    // Cancelling changes nothing; a missing file is reported.
    scripted.answer("");
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    QVERIFY(boxes_->empty());
    scripted.answer(dir.filePath(QStringLiteral("absente.vornel")).toStdString());
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    QCOMPARE(boxes_->size(), 1u);
    QVERIFY(boxes_->front().text.startsWith(QStringLiteral("Impossible d'ouvrir le fichier")));
    QCOMPARE(scripted.unexpected(), 0);
}

void PlayWindowTest::new_game_comes_from_the_generation_dialog() {
    vornel::GenerateDialog* dialog = nullptr;
    watchdog_->expect([&](QWidget* modal) {
        if (!dialog) dialog = qobject_cast<vornel::GenerateDialog*>(modal);
    });
    key(Qt::Key_4);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    QTRY_VERIFY(dialog != nullptr);
    dialog->set_seed(21);
    dialog->findChild<QPushButton*>(QStringLiteral("generate_button"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(w_->game()->givens() != easy_givens(), 20000);
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    watchdog_->expect_none();
    // A fresh game on the new givens: nothing written, nothing to undo, the clock from zero.
    QCOMPARE(w_->game()->position().values, w_->game()->givens());
    QVERIFY(!w_->game()->can_undo());
    QVERIFY(w_->game()->elapsed_ms() < 1000);
    QVERIFY(w_->hint_label()->text().isEmpty());
    // The game left behind is kept to resume, with its move.
    const vornel::play::GameStore store(Tf_play::store_folder().toStdString());
    const std::vector<vornel::play::StoredGame> games = store.list();
    QCOMPARE(games.size(), 2u);
    int moved = 0;
    for (const auto& g : games) moved += g.saved && g.saved->position.values[kFree] == 4;
    QCOMPARE(moved, 1);
}

void PlayWindowTest::print_puts_the_givens_on_paper() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("grille.pdf"));
    int asked = 0;
    w_->set_print_dialog([&](QPrinter& printer) {
        ++asked;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return asked == 1; // printed once, then cancelled
    });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    QCOMPARE(asked, 1);
    QVERIFY(QFileInfo(pdf).size() > 1000);
    QFile::remove(pdf);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    QCOMPARE(asked, 2);
    QVERIFY(!QFile::exists(pdf));
}

void PlayWindowTest::the_hint_link_opens_the_technique_page() {
    w_->hint();
    emit w_->hint_label()->linkActivated(QStringLiteral("hidden-single"));
    auto* page = w_->findChild<vornel::Tf_techniques*>();
    QVERIFY(page);
    QVERIFY(page->isVisible());
    QCOMPARE(page->selected(), vornel::ladder::Technique::HiddenSingle);
}

void PlayWindowTest::main_window_reports_a_board_that_cannot_be_played() {
    vornel::Tf_vrn main;
    auto log = std::make_shared<std::vector<vornel::BoxRequest>>();
    main.set_message_boxes(std::make_unique<vornel::test::RecordedBoxes>(log));
    main.findChild<QAction*>(QStringLiteral("m_play"))->trigger(); // an empty board
    QCOMPARE(log->size(), 1u);
    QCOMPARE(log->front().text, QStringLiteral("Cette grille a plusieurs solutions : on ne peut pas la jouer."));
    QVERIFY(!main.play_window() || !main.play_window()->isVisible());
    // `vornel --play` with nothing left to resume: told as information, not as a failure.
    QDir(Tf_play::store_folder()).removeRecursively();
    main.start_playing(QString());
    QCOMPARE(log->size(), 2u);
    QCOMPARE(log->back().text, QStringLiteral("Aucune partie à reprendre."));
    QCOMPARE(log->back().kind, vornel::BoxKind::Information);
}

void PlayWindowTest::main_window_entries_follow_the_specified_ones() {
    vornel::Tf_vrn main;
    auto* sudoku = main.menuBar()->findChild<QMenu*>(QStringLiteral("m_sudoku"));
    QStringList names;
    for (QAction* a : sudoku->actions()) names << a->objectName();
    QCOMPARE(names.mid(0, 3), (QStringList{"m_step", "m_number", "m_once"}));
    QCOMPARE(names.mid(names.size() - 6),
             (QStringList{"m_play", "m_play_new", "m_play_resume", "m_patterns", "m_learn", "m_progress"}));
    QCOMPARE(main.findChild<QAction*>(QStringLiteral("m_play"))->text(), QStringLiteral("Jouer cette grille"));
    QCOMPARE(main.findChild<QAction*>(QStringLiteral("m_play_new"))->text(), QStringLiteral("Nouvelle partie..."));
    QCOMPARE(main.findChild<QAction*>(QStringLiteral("m_play_resume"))->text(),
             QStringLiteral("Reprendre la partie..."));
    QVERIFY(main.findChild<QAction*>(QStringLiteral("m_play_resume"))->isEnabled()); // the list says what there is

    // "Jouer cette grille": the board's digits become the givens.
    vornel::test::type_givens(main, vornel::test::kEasy);
    main.findChild<QAction*>(QStringLiteral("m_play"))->trigger();
    Tf_play* play = main.play_window();
    QVERIFY(play && play->isVisible());
    QCOMPARE(play->game()->givens(), easy_givens());
    play->close();
}

void PlayWindowTest::patterns_are_off_by_default_and_remembered() {
    auto patterned = [](vornel::Tf_vrn& main) {
        int on = 0;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) on += main.cell(r, c)->patterns();
        return on;
    };
    {
        vornel::Tf_vrn main;
        auto* entry = main.findChild<QAction*>(QStringLiteral("m_patterns"));
        QVERIFY(entry->isCheckable());
        QVERIFY(!entry->isChecked());
        QCOMPARE(patterned(main), 0);
        // Red, orange and green cells look as specified until the entry is checked, then each gets
        // its own pattern; a white cell none.
        main.show();
        const vornel::Colour colours[] = {vornel::kRed, vornel::kOrange, vornel::kGreen, vornel::kWhite};
        for (int c = 0; c < 4; ++c) main.set_cell_colour(1, c + 1, colours[c]);
        main.paint_cells();
        QList<QImage> plain;
        for (int c = 0; c < 4; ++c) plain << main.cell(1, c + 1)->grab().toImage();
        entry->setChecked(true);
        QCOMPARE(patterned(main), 81);
        for (int c = 0; c < 4; ++c) {
            const QImage now = main.cell(1, c + 1)->grab().toImage();
            QCOMPARE(now != plain[c], colours[c] != vornel::kWhite);
        }
    }
    vornel::Tf_vrn again;
    QVERIFY(again.findChild<QAction*>(QStringLiteral("m_patterns"))->isChecked());
    QCOMPARE(patterned(again), 81);
}

void PlayWindowTest::command_line_takes_play() {
    struct Case {
        std::vector<std::string> args;
        bool play;
        std::string file;
    } cases[] = {{{"--play"}, true, ""}, {{"--play", "p.vornel"}, true, "p.vornel"}, {{"a.sud"}, false, "a.sud"}};
    for (const Case& c : cases) {
        const vornel::CommandLine line = vornel::parse_command_line(c.args);
        QCOMPARE(int(line.action), int(vornel::CommandLine::Action::run));
        QCOMPARE(line.play, c.play);
        QCOMPARE(line.file, c.file);
    }
}

namespace {

// Linear-light RGB, and back, for the colour-vision matrices.
double to_linear(int v) {
    const double c = v / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// One view of a picture as a person sees it: greyscale (relative luminance), or the colours
// through a dichromacy matrix (Viénot, Brettel and Mollon 1999) then reduced to luminance and two
// opponent channels. Returns per pixel three values in 0..255.
using View = std::array<double, 9>;
constexpr View kIdentity = {1, 0, 0, 0, 1, 0, 0, 0, 1};
constexpr View kProtanopia = {0.11238, 0.88762, 0, 0.11238, 0.88762, 0, 0.00401, -0.00401, 1};
constexpr View kDeuteranopia = {0.29275, 0.70725, 0, 0.29275, 0.70725, 0, -0.02234, 0.02234, 1};

std::vector<std::array<double, 3>> seen(const QImage& image, const View& m, bool grey) {
    std::vector<std::array<double, 3>> out;
    out.reserve(static_cast<std::size_t>(image.width() * image.height()));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const double r = to_linear(qRed(p)), g = to_linear(qGreen(p)), b = to_linear(qBlue(p));
            const double r2 = m[0] * r + m[1] * g + m[2] * b;
            const double g2 = m[3] * r + m[4] * g + m[5] * b;
            const double b2 = m[6] * r + m[7] * g + m[8] * b;
            const double y_lum = 0.2126 * r2 + 0.7152 * g2 + 0.0722 * b2;
            if (grey)
                out.push_back({255 * y_lum, 0, 0});
            else
                out.push_back({255 * y_lum, 255 * (r2 - g2), 255 * (b2 - (r2 + g2) / 2)});
        }
    }
    return out;
}

} // namespace

// Each state of a cell, painted alone, against every other: under greyscale, protanopia and
// deuteranopia, at least 4% of the cell's pixels must differ clearly (a frame, a hatching, a
// weight or a contrast), never only the hue a person may not see.
void PlayWindowTest::every_pair_of_cell_states_differs_in_any_colour_vision() {
    struct State {
        const char* name;
        CellLook look;
    };
    auto with = [](auto change) {
        CellLook look;
        look.value = 6;
        change(look);
        return look;
    };
    vornel::ladder::CellMarks pattern;
    pattern.pattern = true;
    pattern.candidates = 0x0C4;
    vornel::ladder::CellMarks removed;
    removed.candidates = 0x0C4;
    removed.removed = 0x040;
    vornel::ladder::CellMarks placed;
    placed.value = 6;
    placed.placed = true;
    const State states[] = {
        {"given", with([](CellLook& l) { l.given = true; })},
        {"player digit", with([](CellLook&) {})},
        {"conflict", with([](CellLook& l) { l.conflict = true; })},
        {"wrong", with([](CellLook& l) { l.wrong = true; })},
        {"selected", with([](CellLook& l) { l.selected = true; })},
        {"same digit", with([](CellLook& l) { l.same_digit = true; })},
        {"unit of the selection", with([](CellLook& l) { l.in_selection_units = true; })},
        {"hint pattern", with([&](CellLook& l) {
             l.value = 0;
             l.marks = 0x0C4;
             l.hint = pattern;
         })},
        {"removed candidate", with([&](CellLook& l) {
             l.value = 0;
             l.marks = 0x0C4;
             l.hint = removed;
         })},
        {"placed by the hint", with([&](CellLook& l) {
             l.value = 0;
             l.hint = placed;
         })},
        {"pencil marks", with([](CellLook& l) {
             l.value = 0;
             l.marks = 0x0C4;
         })},
        {"pencil mark of the selected digit", with([](CellLook& l) {
             l.value = 0;
             l.marks = 0x0C4;
             l.marked_digit = 6;
         })},
    };
    constexpr int kSide = 60;
    std::vector<QImage> images;
    for (const State& s : states) {
        QImage image(kSide, kSide, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        vornel::paint_cell_look(painter, QRect(0, 0, kSide, kSide), s.look);
        painter.end();
        images.push_back(image);
    }
    struct Vision {
        const char* name;
        View matrix;
        bool grey;
    } visions[] = {
        {"greyscale", kIdentity, true}, {"protanopia", kProtanopia, false}, {"deuteranopia", kDeuteranopia, false}};
    for (const Vision& v : visions) {
        std::vector<std::vector<std::array<double, 3>>> views;
        for (const QImage& image : images) views.push_back(seen(image, v.matrix, v.grey));
        for (std::size_t a = 0; a < views.size(); ++a) {
            for (std::size_t b = a + 1; b < views.size(); ++b) {
                int differing = 0;
                for (std::size_t p = 0; p < views[a].size(); ++p) {
                    const auto& x = views[a][p];
                    const auto& y = views[b][p];
                    const double d = std::abs(x[0] - y[0]) + 0.5 * (std::abs(x[1] - y[1]) + std::abs(x[2] - y[2]));
                    if (d > 24) ++differing;
                }
                const double share = double(differing) / double(views[a].size());
                QVERIFY2(share >= 0.04, qPrintable(QStringLiteral("%1: « %2 » and « %3 » differ on %4% of pixels")
                                                       .arg(v.name, states[a].name, states[b].name)
                                                       .arg(100 * share, 0, 'f', 1)));
            }
        }
    }
}

void PlayWindowTest::hostile_files_are_refused_at_once_in_a_short_sentence() {
    // A named pipe once held the window in open(), a link to /dev/zero read until memory ran out, a
    // file nested 40,000 deep overflowed the stack, and a huge string held the box's text layout
    // for minutes. Each is now refused in a sentence of a few lines, the game in play untouched.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString fifo_game = dir.filePath(QStringLiteral("tube.vornel"));
    const QString fifo_puzzle = dir.filePath(QStringLiteral("tube.sud"));
    QCOMPARE(::mkfifo(fifo_game.toUtf8().constData(), 0600), 0);
    QCOMPARE(::mkfifo(fifo_puzzle.toUtf8().constData(), 0600), 0);
    const QString zero = dir.filePath(QStringLiteral("zero.vornel"));
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), zero));
    const QString deep = dir.filePath(QStringLiteral("profond.vornel"));
    const QString huge = dir.filePath(QStringLiteral("long.vornel"));
    {
        QFile out(deep);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("{\"format\":\"vornel-partie\",\"x\":" + QByteArray(40000, '[') + QByteArray(40000, ']') + "}");
        QFile big(huge);
        QVERIFY(big.open(QIODevice::WriteOnly));
        big.write("{\"format\":\"vornel-partie\",\"" + QByteArray(900000, 'x') + "\" 1}");
    }
    const vornel::play::Position before = w_->game()->position();
    const struct {
        QString file;
        QString start;
    } cases[] = {
        {fifo_game, QStringLiteral("« %1 » est un tube nommé").arg(fifo_game)},
        {fifo_puzzle, QStringLiteral("« %1 » est un tube nommé").arg(fifo_puzzle)},
        {zero, QStringLiteral("« %1 » est un périphérique").arg(zero)},
        {deep, QStringLiteral("Ce fichier n'est pas une partie de Vornel : les valeurs s'imbriquent")},
        {huge, QStringLiteral("Ce fichier n'est pas une partie de Vornel : « : » est attendu après « xxxx")},
    };
    for (const auto& c : cases) {
        boxes_->clear();
        QVERIFY(!w_->open_file(c.file));
        QCOMPARE(boxes_->size(), 1u);
        QVERIFY2(boxes_->front().text.startsWith(c.start), qPrintable(boxes_->front().text));
        QVERIFY2(boxes_->front().text.size() < 300 + c.file.size(), qPrintable(c.file));
        QCOMPARE(w_->game()->position(), before);
    }
}

void PlayWindowTest::a_quitting_signal_saves_the_last_move_once() {
    // A session that logs out sends SIGTERM (or SIGHUP): the game is saved as on "Quitter".
    vornel::QuitSignals quit_signals;
    QVERIFY(quit_signals.active());
    QSignalSpy received(&quit_signals, &vornel::QuitSignals::received);
    key(Qt::Key_4);
    key(Qt::Key_Right);
    key(Qt::Key_7, Qt::ShiftModifier);
    const vornel::play::Position position = w_->game()->position();
    ::raise(SIGTERM);
    // The handler only wakes the event loop, which quits; a loop that never quit would end here.
    QTimer::singleShot(20000, [] { QCoreApplication::exit(99); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QCOMPARE(received.size(), 1);
    QCOMPARE(received.front().front().toInt(), SIGTERM);

    std::string error;
    const QByteArray path = w_->game_path().toUtf8();
    const std::optional<vornel::play::Game::Saved> saved = vornel::play::read_game_file(path.toStdString(), error);
    QVERIFY2(saved, error.c_str());
    QCOMPARE(saved->position, position);
    // Saving again what is already saved (Ctrl+Q saves, then the end of the event loop) writes
    // nothing: every write would replace the file by a new one.
    struct stat first {};
    QCOMPARE(::stat(path.constData(), &first), 0);
    w_->save_for_resume();
    struct stat second {};
    QCOMPARE(::stat(path.constData(), &second), 0);
    QCOMPARE(second.st_ino, first.st_ino);
}

// The game file holds every move as soon as it is made: a kill loses nothing already played.
void PlayWindowTest::every_move_is_written_to_the_game_file_at_once() {
    const std::string path = w_->game_path().toStdString();
    QVERIFY(!path.empty());
    const auto kept = [&] {
        std::string error;
        const auto saved = vornel::play::GameStore::load(path, error);
        return saved ? saved->position : vornel::play::Position{};
    };
    key(Qt::Key_4);
    QCOMPARE(kept(), w_->game()->position());
    key(Qt::Key_Right);
    key(Qt::Key_2, Qt::ShiftModifier);
    QCOMPARE(kept(), w_->game()->position());
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(kept(), w_->game()->position());
    // A new game gets a file of its own; the first keeps its moves.
    const vornel::play::Position first = w_->game()->position();
    QVERIFY(w_->play_givens(easy_givens()));
    QVERIFY(w_->game_path().toStdString() != path);
    QCOMPARE(kept(), first);
}

void PlayWindowTest::the_pad_writes_erases_pencils_and_counts_what_is_left() {
    auto pad = [&](const QString& name) { return w_->pad()->findChild<QPushButton*>(name); };
    // The easy puzzle holds two 4s: seven are left to place.
    QVERIFY2(pad(QStringLiteral("PlayPad4"))->text().endsWith(QStringLiteral("reste 7")),
             qPrintable(pad(QStringLiteral("PlayPad4"))->text()));
    QTest::mouseClick(w_->board(), Qt::LeftButton, {}, w_->board()->cell_rect(kFree).center());
    pad(QStringLiteral("PlayPad4"))->click();
    QCOMPARE(w_->game()->value(kFree), 4);
    QVERIFY(pad(QStringLiteral("PlayPad4"))->text().endsWith(QStringLiteral("reste 6")));
    QVERIFY(w_->board()->hasFocus()); // the keyboard stays on the board
    pad(QStringLiteral("PlayPadErase"))->click();
    QCOMPARE(w_->game()->value(kFree), 0);
    pad(QStringLiteral("PlayPencil"))->click();
    QVERIFY(w_->findChild<QAction*>(QStringLiteral("p_pencil"))->isChecked());
    pad(QStringLiteral("PlayPad1"))->click();
    pad(QStringLiteral("PlayPad2"))->click();
    QCOMPARE(w_->game()->marks(kFree), static_cast<std::uint16_t>(0x6));
    pad(QStringLiteral("PlayPad1"))->click();
    QCOMPARE(w_->game()->marks(kFree), static_cast<std::uint16_t>(0x4));
    pad(QStringLiteral("PlayPadErase"))->click();
    QCOMPARE(w_->game()->marks(kFree), static_cast<std::uint16_t>(0));
    // A digit with all nine placed is ticked off.
    vornel::play::Game& game = *w_->game();
    for (int c = 0; c < 81; ++c)
        if (game.solution()[static_cast<std::size_t>(c)] == 9) game.write(c, 9);
    w_->undo();
    w_->redo();
    QVERIFY2(pad(QStringLiteral("PlayPad9"))->text().endsWith(QStringLiteral("complet")),
             qPrintable(pad(QStringLiteral("PlayPad9"))->text()));
}

void PlayWindowTest::a_right_click_opens_the_cell_pencil_menu() {
    std::unique_ptr<QMenu> menu(w_->pencil_menu(kFree));
    auto* three = menu->findChild<QAction*>(QStringLiteral("PlayMenuMark3"));
    QVERIFY(three && three->isCheckable() && !three->isChecked());
    three->trigger();
    QCOMPARE(w_->game()->marks(kFree), static_cast<std::uint16_t>(1u << 3));
    menu.reset(w_->pencil_menu(kFree));
    QVERIFY(menu->findChild<QAction*>(QStringLiteral("PlayMenuMark3"))->isChecked());
    menu->findChild<QAction*>(QStringLiteral("PlayMenuClear"))->trigger();
    QCOMPARE(w_->game()->marks(kFree), static_cast<std::uint16_t>(0));
    // A cell holding the player's digit offers to erase it.
    w_->game()->write(kFree, 7);
    menu.reset(w_->pencil_menu(kFree));
    menu->findChild<QAction*>(QStringLiteral("PlayMenuErase"))->trigger();
    QCOMPARE(w_->game()->value(kFree), 0);
    // The right click itself selects the cell and pops the menu up.
    QTest::mouseClick(w_->board(), Qt::RightButton, {}, w_->board()->cell_rect(3).center());
    QCOMPARE(w_->board()->selected(), 3);
    QMenu* popped = nullptr;
    QTRY_VERIFY((popped = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr);
    QCOMPARE(popped->objectName(), QStringLiteral("PlayPencilMenu"));
    popped->close();
}

void PlayWindowTest::every_button_has_a_key() {
    // Each button of the panel names its key in its tooltip, and the key does what it does.
    for (const char* name : {"PlayPause", "PlayHint", "PlayCheck", "PlayFill", "PlayApply", "PlayBack", "PlayPencil",
                             "PlayPadErase", "PlayPad5"}) {
        auto* button = w_->findChild<QPushButton*>(QString::fromUtf8(name));
        QVERIFY2(button, name);
        QVERIFY2(button->toolTip().contains(QLatin1Char('(')) && button->toolTip().endsWith(QLatin1Char(')')), name);
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    }
    key(Qt::Key_C); // fill the candidates
    QVERIFY(w_->game()->marks(kFree) != 0);
    key(Qt::Key_1);
    key(Qt::Key_V); // check
    QVERIFY(w_->board()->look_of(kFree).wrong);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_E)); // back before the first mistake
    QCOMPARE(w_->game()->value(kFree), 0);
    key(Qt::Key_H);
    key(Qt::Key_H);
    key(Qt::Key_H);
    QCOMPARE(w_->hint_level(), 3);
    const vornel::play::Position before = w_->game()->position();
    key(Qt::Key_A); // apply
    QVERIFY(w_->game()->position() != before);
    key(Qt::Key_Space);
    QVERIFY(w_->board()->hidden());
    key(Qt::Key_Space);
    QVERIFY(!w_->board()->hidden());
}

void PlayWindowTest::keys_reach_the_board_again_after_the_help_page() {
    key(Qt::Key_H);
    emit w_->hint_label()->linkActivated(QStringLiteral("hidden-single"));
    auto* page = w_->findChild<vornel::Tf_techniques*>();
    QVERIFY(page && page->isVisible());
    page->close();
    QTRY_VERIFY(w_->board()->hasFocus());
    key(Qt::Key_4);
    QCOMPARE(w_->game()->value(kFree), 4);
    QCOMPARE(w_->hint_label()->focusPolicy(), Qt::NoFocus); // a click on a link keeps the board's keys
}

void PlayWindowTest::the_list_of_games_resumes_and_deletes() {
    key(Qt::Key_4);
    const QString first = w_->game_path();
    QVERIFY(w_->play_givens(easy_givens()));
    key(Qt::Key_Right);
    key(Qt::Key_6);
    vornel::Tf_games* list = nullptr;
    watchdog_->expect([&](QWidget* modal) {
        if (!list) list = qobject_cast<vornel::Tf_games*>(modal);
    });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    QTRY_VERIFY(list != nullptr);
    QTreeWidget* rows = list->list();
    QCOMPARE(rows->topLevelItemCount(), 2);
    // The game in play is marked and cannot be deleted; the other one can, after a question.
    auto* del = list->findChild<QPushButton*>(QStringLiteral("GamesDelete"));
    int in_play = -1;
    for (int i = 0; i < 2; ++i)
        if (rows->topLevelItem(i)->text(0) == QStringLiteral("(en cours)")) in_play = i;
    QVERIFY(in_play >= 0);
    rows->setCurrentItem(rows->topLevelItem(in_play));
    QVERIFY(!del->isEnabled());
    rows->setCurrentItem(rows->topLevelItem(1 - in_play));
    QVERIFY(del->isEnabled());
    QCOMPARE(rows->topLevelItem(1 - in_play)->text(3), QStringLiteral("1 sur 51 cases"));
    QString asked;
    list->set_confirm([&](const QString& text) {
        asked = text;
        return false;
    });
    del->click();
    QVERIFY(asked.startsWith(QStringLiteral("Supprimer la partie commencée le")));
    QCOMPARE(rows->topLevelItemCount(), 2); // answered no
    // Enter resumes the game chosen.
    QTest::keyClick(rows, Qt::Key_Return);
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    watchdog_->expect_none();
    QCOMPARE(w_->game_path(), first);
    QCOMPARE(w_->game()->value(kFree), 4);
    QCOMPARE(w_->game()->value(3), 0);
    // Deleting, answered yes, removes only that file.
    vornel::Tf_games again(w_.get(), vornel::play::GameStore(Tf_play::store_folder().toStdString()), first);
    again.set_confirm([](const QString&) { return true; });
    QCOMPARE(again.list()->topLevelItemCount(), 2);
    for (int i = 0; i < 2; ++i)
        if (again.list()->topLevelItem(i)->text(0).isEmpty())
            again.list()->setCurrentItem(again.list()->topLevelItem(i));
    again.delete_selected();
    QCOMPARE(again.list()->topLevelItemCount(), 1);
    QVERIFY(QFile::exists(first));
}

void PlayWindowTest::numbers_around_the_board_and_the_window_inside_the_screen() {
    // Room for the row numbers on the left and the column numbers on top.
    QVERIFY(w_->board()->cell_rect(0).left() >= 14);
    QVERIFY(w_->board()->cell_rect(0).top() >= 14);
    const QRect screen = w_->screen()->availableGeometry();
    QVERIFY(w_->width() <= screen.width() && w_->height() <= screen.height());
    QVERIFY(w_->level_label()->text().startsWith(QStringLiteral("Niveau : ")));
    // The size the player leaves is the size the next window opens at (within the screen).
    w_->resize(700, 500);
    w_->close();
    Tf_play next;
    QCOMPARE(next.size(), QSize(700, 500));
    QSettings({QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("vornel"), QStringLiteral("vornel")})
        .remove(QStringLiteral("jeu/taille"));
}

int main(int argc, char** argv) {
    QStandardPaths::setTestModeEnabled(true);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    PlayWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "play_window_test.moc"
