// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QElapsedTimer>
#include <QMainWindow>

#include "coach.h"
#include "game.h"
#include "game_store.h"

class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QPushButton;
class QScrollArea;
class QTimer;
class QVBoxLayout;

namespace vornel {

class FileDialogs;
class MessageBoxes;
class PlayBoard;
class Tf_games;
class Tf_techniques;

// The game window "f_play": the player solves a puzzle on a board that grows with the window, and
// the coach gives hints from their position. A view of play::Game: every rule lives there.
//
// Mouse alone: a click selects a cell, the digit pad beside the board writes (1-9, each with how
// many are left to place), erases and switches the pencil mode; a right click on a cell opens its
// pencil-mark menu. Keys on the board: arrows move the selection (wrapping round), 1-9 write a
// digit (Shift+digit, or any digit in pencil mode, toggles a pencil mark), Backspace/Delete clear,
// H asks for a hint, V checks, P switches the pencil mode, Enter or A applies the hint shown,
// Space pauses. Ctrl+Z undoes, Ctrl+Shift+Z and Ctrl+Y redo, Ctrl+O lists the games.
//
// The coach (play::advise): "Indice" once gives level 1 (where to look, with the technique's help
// page one click away), again level 2 (the pattern and its reason), again level 3 (the answer,
// with "Appliquer"). A move forgets the hint. A mistake is told first, without the answer, with
// "Retour avant ma première erreur" at hand.
//
// Every game lives in the store of games (play::GameStore, a folder of the user's data): a new
// game gets its own file, written after every move, on pause and on close; no game is ever
// removed but by the player, from "Mes parties" (Ctrl+O). The timer runs while the window is shown
// and the game neither paused nor finished; pausing hides the board and disables everything that
// reads it.
class Tf_play final : public QMainWindow {
    Q_OBJECT

public:
    explicit Tf_play(QWidget* parent = nullptr);
    ~Tf_play() override;

    // Starts playing `game` in a new file of the store (the previous game keeps its own).
    void play(play::Game game);
    // Resumes a game of the store; failures are reported.
    bool resume(const QString& path);
    // Starts a game on givens; a puzzle that cannot be played is reported and false returned.
    bool play_givens(const play::Grid& givens);
    // Opens a game file (".vornel") or a puzzle file (".sud"); failures are reported.
    bool open_file(const QString& path);

    const play::Game* game() const { return session_.game(); }
    play::Game* game() { return session_.game(); }
    // The store file of the game in play.
    QString game_path() const { return QString::fromStdString(session_.path()); }
    PlayBoard* board() const { return board_; }
    int hint_level() const { return hint_level_; }
    QLabel* hint_label() const { return hint_label_; }
    QLabel* clock_label() const { return clock_; }
    QLabel* level_label() const { return level_; }
    QWidget* pad() const { return pad_; }
    // The pencil-mark menu of a cell, as a right click opens it (the caller owns it).
    QMenu* pencil_menu(int cell);
    Tf_games* games_window() const { return games_; }

    void set_message_boxes(std::unique_ptr<MessageBoxes> boxes);
    void set_file_dialogs(std::unique_ptr<FileDialogs> dialogs);
    void set_print_dialog(std::function<bool(QPrinter&)> dialog) { print_dialog_ = std::move(dialog); }

    // The folder of the store of games (in the application's data folder).
    static QString store_folder();
    // The single resume file of earlier versions, moved into the store when met.
    static QString resume_path();
    // Writes the game to its file in the store; a failure is shown in the status line.
    void save_for_resume();
    // The store's most recent unfinished game, empty when none.
    static QString last_unfinished();

public slots:
    void hint();
    void apply_hint();
    void check();
    void undo();
    void redo();
    void fill_candidates();
    void undo_mistakes();
    void set_paused(bool paused);
    void show_games();
    void replay();
    void pad_digit(int digit);
    void pad_erase();
    void new_game();
    void open_game();
    void save_game();
    void export_sud();
    void print_puzzle();
    void show_help();
    void quit_program();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void build_menus();
    void build_panel();
    bool on_key(QKeyEvent* event);
    // After every move: forget the hint and the check, refresh, and end the game when solved.
    void moved(bool changed);
    void refresh();
    void tick();
    void report(const QString& text);
    void show_advice(const play::Advice& advice);
    void show_game();
    void show_summary();
    void finish();
    void build_pad(QVBoxLayout* panel, QWidget* parent);
    void refresh_pad();
    void open_help_page(const QString& id);
    void fit_to_screen();

    play::GameStore store_;
    play::GameSession session_;
    PlayBoard* board_ = nullptr;
    QLabel* clock_ = nullptr;
    QLabel* level_ = nullptr;
    QWidget* pad_ = nullptr;
    QScrollArea* panel_scroll_ = nullptr;
    std::vector<QPushButton*> pad_digits_;
    QPushButton* back_button_ = nullptr;
    QPushButton* check_button_ = nullptr;
    QPushButton* fill_button_ = nullptr;
    QWidget* finish_box_ = nullptr;
    QAction* hint_action_ = nullptr;
    QAction* check_action_ = nullptr;
    QAction* back_action_ = nullptr;
    QAction* apply_action_ = nullptr;
    Tf_games* games_ = nullptr;
    QLabel* hint_label_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* hint_button_ = nullptr;
    QPushButton* apply_button_ = nullptr;
    QPushButton* pause_button_ = nullptr;
    QAction* undo_action_ = nullptr;
    QAction* redo_action_ = nullptr;
    QAction* pencil_action_ = nullptr;
    QTimer* timer_ = nullptr;
    QElapsedTimer since_tick_;
    std::optional<play::Hint> hint_;
    int hint_level_ = 0;
    bool finished_told_ = false;
    QString file_;
    std::unique_ptr<MessageBoxes> boxes_;
    std::unique_ptr<FileDialogs> dialogs_;
    std::function<bool(QPrinter&)> print_dialog_;
    Tf_techniques* techniques_ = nullptr;
};

} // namespace vornel
