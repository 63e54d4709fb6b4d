// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QElapsedTimer>
#include <QMainWindow>

#include "game.h"

class QAction;
class QLabel;
class QPrinter;
class QPushButton;
class QTimer;

namespace vornel {

class FileDialogs;
class MessageBoxes;
class PlayBoard;
class Tf_techniques;

// The game window "f_play": the player solves a puzzle on a board that grows with the window, and
// the coach gives hints from their position. A view of play::Game: every rule lives there.
//
// Keys on the board: arrows move the selection (wrapping round), 1-9 write a digit (Shift+digit,
// or any digit in pencil mode, toggles a pencil mark), Backspace/Delete clear, H asks for a hint,
// P switches the pencil mode. Ctrl+Z undoes, Ctrl+Shift+Z and Ctrl+Y redo.
//
// The coach: "Indice" once gives level 1 (technique and where to look, with its help page one
// click away), again level 2 (the pattern drawn), again level 3 (the whole step drawn and told,
// with "Appliquer"). A move forgets the hint. A mistake is told first, at every level.
//
// The timer runs while the window is shown and the game neither paused nor finished; pausing
// hides the board. The game is written to the resume file whenever the window closes, and
// removed from it when it is finished.
class Tf_play final : public QMainWindow {
    Q_OBJECT

public:
    explicit Tf_play(QWidget* parent = nullptr);
    ~Tf_play() override;

    // Starts playing `game` (the previous one, unfinished, is saved as the one to resume).
    void play(play::Game game);
    // Starts a game on givens; a puzzle that cannot be played is reported and false returned.
    bool play_givens(const play::Grid& givens);
    // Opens a game file (".vornel") or a puzzle file (".sud"); failures are reported.
    bool open_file(const QString& path);

    const play::Game* game() const { return game_ ? &*game_ : nullptr; }
    play::Game* game() { return game_ ? &*game_ : nullptr; }
    PlayBoard* board() const { return board_; }
    int hint_level() const { return hint_level_; }
    QLabel* hint_label() const { return hint_label_; }
    QLabel* clock_label() const { return clock_; }

    void set_message_boxes(std::unique_ptr<MessageBoxes> boxes);
    void set_file_dialogs(std::unique_ptr<FileDialogs> dialogs);
    void set_print_dialog(std::function<bool(QPrinter&)> dialog) { print_dialog_ = std::move(dialog); }

    // Where the game left at the last close is kept (the application's data folder).
    static QString resume_path();
    // Saves the unfinished game to the resume file (and removes the file for a finished game).
    void save_for_resume();

public slots:
    void hint();
    void apply_hint();
    void check();
    void undo();
    void redo();
    void fill_candidates();
    void set_paused(bool paused);
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
    void show_hint_text(const std::vector<std::string>& lines);
    void finish();

    std::optional<play::Game> game_;
    PlayBoard* board_ = nullptr;
    QLabel* clock_ = nullptr;
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
    std::string last_resume_text_; // what the resume file holds, as this window last wrote it
    std::unique_ptr<MessageBoxes> boxes_;
    std::unique_ptr<FileDialogs> dialogs_;
    std::function<bool(QPrinter&)> print_dialog_;
    Tf_techniques* techniques_ = nullptr;
};

} // namespace vornel
