// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QPalette>

#include "board_view.h"
#include "engine.h"
#include "explanation_export.h"
#include "guard.h"
#include "ladder/ladder_session.h"
#include "ladder/ladder_view.h"
#include "work_area.h"

class QAction;
class QPrinter;
class QLabel;
class QMenu;
class QPushButton;

namespace vornel {

class CellEdit;
class ClientArea;
class FileDialogs;
class LadderMarks;
class LogView;
class MessageBoxes;
class OccurrenceTable;
class Shape;
class Tf_techniques;
class Tf_learn;
class Tf_play;
class Tf_progress;

// The main window: the board of 81 cells Edit11..Edit99 with its separators and labels, the
// explanation log Memo1, the occurrence table gr1, the step buttons Button5/Button6 and the menu
// MainMenu1. It owns the work area and the engine, and shows the engine's work by implementing
// the board view on its widgets.
//
// Every entry point (menu action, button, a cell's change handling, the key hook, activation)
// runs through one guard: a failure is reported in a modal box through the message-box seam and
// the program goes on. A failure raised by a cell's change handling while the program itself
// writes the cell is reported right there, and the write returns normally to the engine.
//
// Cell colours and log lines take effect at once for the engine (cell_colour, the log's lines)
// and reach the screen in one batch when the handler returns to the event loop: the palette
// changes and text layout of a one-pass solve, done one by one, would take several frames.
//
// The ladder (every technique, step by step or at once, with Button7/Button8 and the way back to
// editing) runs in a LadderSession over this same board view and the ladder view below; its
// picture (pencil marks, pattern, struck candidates) is drawn over the cells by LadderMarks.
// Any other command that clears the log (New, Open, a classic solve) ends the ladder's display.
class Tf_vrn final : public QMainWindow, public BoardView, public ladder::LadderView {
    Q_OBJECT

public:
    Tf_vrn();
    ~Tf_vrn() override;

    // row, column 1-9
    CellEdit* cell(int row, int col) const;
    LogView* log_view() const { return memo_; }
    OccurrenceTable* occurrence_table() const { return gr1_; }
    WorkArea& area() { return area_; }
    Engine& engine() { return engine_; }

    // Seams: the message boxes and the file dialogs the commands use (tests script them).
    void set_message_boxes(std::unique_ptr<MessageBoxes> boxes);
    void set_file_dialogs(std::unique_ptr<FileDialogs> dialogs);
    // The print dialog "Imprimer l'explication..." shows: sets up the printer, true to print.
    void set_print_dialog(std::function<bool(QPrinter&)> dialog);

    // Reports a failure message as the program does: the "." rule, the application title as
    // caption, a stop-icon box with one OK button.
    void report_failure(const std::string& message);

    // Puzzles brought in from outside the Open dialog, each shown as "Ouvrir..." shows a file
    // (cells white, editable, log cleared, step buttons hidden); a failure is reported as every
    // failure is, and leaves the board as it was.
    // A ".sud" file: the command line's FICHIER, a file dropped on the window.
    void open_puzzle_file(const std::string& path);
    // A text holding a puzzle (see read_puzzle_text): pasted or dropped. A text that holds none
    // is reported as a failure that says what was expected and where the text went wrong.
    void bring_in_puzzle_text(const QString& text);

    // BoardView
    void set_cell_colour(int row, int col, Colour colour) override;
    Colour cell_colour(int row, int col) const override;
    void set_cell_text(int row, int col, std::string_view text) override;
    void set_cell_read_only(int row, int col, bool read_only) override;
    void clear_log() override;
    void append_log(std::string_view line) override;
    void set_button_visible(StepButton button, bool visible) override;
    void show_occurrence_table() override;
    void set_occurrence_cell(int col, int row, std::string_view text) override;

    // LadderView
    void show_picture(const ladder::BoardPicture& picture) override;
    void hide_picture() override;
    void set_ladder_button_visible(ladder::LadderButton button, bool visible) override;
    void show_technique(std::optional<ladder::Technique> technique) override;
    void keep_log_line_in_view(std::size_t line) override;
    bool cells_locked() const override;
    void show_walk(int part, int parts, const std::string& caption) override;

    ladder::LadderSession& ladder_session() { return ladder_; }

    // The game window, once made (nullptr before); `create` makes it (hidden, with no game).
    Tf_play* play_window(bool create = false);
    // Opens the game window on a game file or a puzzle file, or on the game left at the last
    // close when `path` is empty (`vornel --play [FICHIER]`).
    void start_playing(const QString& path);
    // The exercises window, once made (nullptr before); `create` makes it (hidden).
    Tf_learn* learn_window(bool create = false);
    // Opens the exercises, on `technique` when given, else on the next one to master
    // (`vornel --learn [ID]`).
    void open_learning(std::optional<ladder::Technique> technique);
    LadderMarks* ladder_marks() const { return marks_; }
    // The techniques window, once opened (nullptr before).
    Tf_techniques* techniques_window() const { return techniques_; }

    // Where the puzzle on the board comes from, as the caption says it: "Vornel" while no file is
    // open and no level is known (at start, after New, a paste or a drop of text), then the file's
    // name, and the ladder's level once a ladder command or the generator has rated the puzzle:
    // "Vornel — moyen.sud", "Vornel — moyen.sud, niveau moyen", "Vornel — niveau difficile".
    // `file` is a path (only its name is shown) or ""; `level` the rating's level or "".
    void show_puzzle_origin(const std::string& file, const std::string& level);
    // The title's level from the ladder's rating; none for a grid without one.
    void show_puzzle_rating(const std::optional<ladder::Rating>& rating);
    // The same with the file kept: the level a rating just gave.
    void show_puzzle_level(const std::string& level);

    // What a cell's colour means for the digit in hand, as its accessible description says it.
    static QString colour_description(Colour colour);

    // Paints every cell whose colour changed since the last paint (palette Base and accessible
    // description). Runs by itself as soon as the handler that set the colours returns to the
    // event loop; call it to see the palettes at once.
    void paint_cells();

private slots:
    void m_newClick();
    void m_openClick();
    void m_saveClick();
    void m_quitterClick();
    void m_generateClick();
    void m_stepClick();
    void m_numberClick();
    void m_onceClick();
    void m_explicationsClick();
    void m_aboutClick();
    void Button5Click();
    void Button6Click();
    void m_ladder_stepClick();
    void m_ladder_onceClick();
    void m_editClick();
    void m_techniquesClick();
    void Button7Click();
    void Button8Click();
    void walk_backClick();
    void walk_nextClick();
    void walk_wholeClick();
    void open_technique(const QString& id);
    void m_pasteClick();
    void m_copyClick();
    void m_exportClick();
    void m_printClick();
    void m_playClick();
    void m_play_newClick();
    void m_play_resumeClick();
    void m_patternsClick(bool on);
    void m_learnClick();
    void m_progressClick();
    void m_languageClick(QAction* choice);

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void build_client();
    void build_menu();
    void build_tab_order();
    // The ladder's menu entries, buttons, technique link and board drawing (tf_vrn_ladder.cpp).
    void build_ladder();
    // Runs a ladder command: the log clears it makes do not end the ladder's display.
    template<typename Command>
    void run_ladder(Command&& command);
    void build_transfer_menu();
    void accept_puzzle_drops();
    // "Exporter l'explication..." and "Imprimer l'explication..." (tf_vrn_export.cpp): they take
    // the explanation the last solve command made, from the grid it started from, and are greyed
    // out from New or Open (any clearing of the log outside a solve) until the next solve.
    void build_export_menu();
    // "Jouer cette grille", "Nouvelle partie...", "Reprendre la partie" and "Motifs pour
    // daltoniens", after the other "Sudoku" entries (tf_vrn_play.cpp).
    void build_play_menu();
    // One entry added after the others of the "Sudoku" menu: its object name, its French caption
    // (translated) and its handler.
    struct SudokuEntry {
        const char* name;
        const char* caption;
        void (Tf_vrn::*handler)();
    };
    // Appends the entries to the "Sudoku" menu, in order; returns their actions.
    std::vector<QAction*> add_sudoku_entries(std::initializer_list<SudokuEntry> entries);
    // "Exercices..." and "Progrès...", after the game's entries (tf_vrn_learn.cpp).
    void build_learn_menu();
    // "Langue" (Français, English), last entry of "?" (tf_vrn_language.cpp): the choice is
    // remembered and applies from the next start, which a box says.
    void build_language_menu();
    // A classic solve command: remembers the grid it starts from, for export and for the ladder's
    // "Modifier la grille", then runs it through the guard.
    void run_solve_command(void (Engine::*command)());
    void explained_by(report::Engine engine, const Values& start);
    void forget_explanation();
    // The name, without folder or extension, an exported or printed explanation is offered under:
    // the open file's, else "explication".
    QString explanation_file_stem() const;
    void FormCreate();
    void activate2();
    void Edit11KeyPress(CellEdit& sender, char16_t& key);
    void Edit11Change(CellEdit& sender);

    template<typename Handler>
    void run_guarded(Handler&& handler) {
        guarded([this](const std::string& message) { report_failure(message); }, std::forward<Handler>(handler));
    }

    WorkArea area_;
    Engine engine_;
    std::unique_ptr<MessageBoxes> boxes_;
    std::unique_ptr<FileDialogs> dialogs_;

    ClientArea* client_ = nullptr;
    std::array<CellEdit*, 81> cells_{};
    std::array<Shape*, 4> shapes_{};
    QLabel* label1_ = nullptr;
    OccurrenceTable* gr1_ = nullptr;
    LogView* memo_ = nullptr;
    QPushButton* button5_ = nullptr;
    QPushButton* button6_ = nullptr;

    ladder::LadderSession ladder_{area_, *this, *this};
    bool in_ladder_ = false; // a ladder command is running
    LadderMarks* marks_ = nullptr;
    QPushButton* button7_ = nullptr;
    QPushButton* button8_ = nullptr;
    QLabel* technique_link_ = nullptr;
    // Walking the step shown link by link (or branch by branch), under the log beside Button7.
    QPushButton* walk_back_ = nullptr;
    QPushButton* walk_next_ = nullptr;
    QPushButton* walk_whole_ = nullptr;
    QString technique_text_; // the technique link's text while no part is walked
    Tf_techniques* techniques_ = nullptr;
    std::array<QString, 81> ladder_descriptions_; // the cells' descriptions while a picture shows

    struct Explained {
        report::Engine engine;
        Values start;
    };
    std::optional<Explained> explained_;
    bool in_solve_ = false; // a classic solve command or step button is running
    QAction* export_action_ = nullptr;
    QAction* print_action_ = nullptr;
    std::function<bool(QPrinter&)> print_dialog_;

    Tf_play* play_ = nullptr;
    Tf_learn* learn_ = nullptr;
    Tf_progress* progress_ = nullptr;
    QAction* resume_action_ = nullptr;
    QString origin_file_;  // the open file's name, without its folder
    QString origin_level_; // the ladder's level of the puzzle, once rated

    std::map<Colour, QPalette> palettes_; // one shared cell palette per colour set so far
    bool paint_posted_ = false;
    bool centred_ = false;
    bool skip_next_activation_ = false;
};

} // namespace vornel
