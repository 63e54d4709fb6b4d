// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include <QWidget>

#include "game.h"
#include "ladder/ladder_picture.h"
#include "ladder_board.h"

class QKeyEvent;

namespace vornel {

// How one cell of the game board looks. Every state differs by shape, weight, frame or pattern
// as well as by colour, so that the board reads in greyscale and with any colour vision:
//  - a given: bold black digit on a grey cell; the player's digit: regular weight, blue;
//  - the selected cell: a thick solid frame; its row, column and region: a dotted tint;
//  - a cell holding the selected digit: a yellow cell with the digit underlined; a pencil mark of
//    that digit sits on a disc;
//  - a digit twice in a unit: a thick dashed red frame; a wrong digit after "Vérifier": red
//    hatching and the digit struck through; a cell whose pencil marks lost the solution's digit:
//    the same hatching;
//  - the coach's pattern, removed and placed candidates: drawn by the ladder's board painter
//    (thick frame, struck candidates, double frame).
struct CellLook {
    std::uint8_t value = 0; // the digit shown, 0 none
    bool given = false;
    std::uint16_t marks = 0; // pencil marks shown (empty cell)
    bool selected = false;
    bool in_selection_units = false;
    bool same_digit = false; // holds the selected digit
    int marked_digit = 0;    // the selected digit, for its pencil marks' discs
    bool conflict = false;
    bool wrong = false;
    std::optional<ladder::CellMarks> hint; // the coach's drawing over the cell
};

// Paints one cell: background, frames, patterns, digit or pencil marks, then the coach's drawing.
void paint_cell_look(QPainter& painter, const QRect& rect, const CellLook& look);

// The game board: 81 square cells that grow with the widget, drawn from a game and the window's
// view state, with the row numbers on the left and the column numbers on top (the numbers of the
// coach's cell names, "L4C2" / "r4c2"). Clicking a cell selects it; a right click asks for its
// pencil-mark menu; keys go to the handler the window sets.
class PlayBoard final : public QWidget {
    Q_OBJECT

public:
    explicit PlayBoard(QWidget* parent);

    void set_game(const play::Game* game) {
        game_ = game;
        update();
    }
    void set_selected(int cell);
    int selected() const { return selected_; }
    // The digit whose cells and pencil marks are highlighted, 0 none.
    void set_highlighted_digit(int digit) {
        digit_ = digit;
        update();
    }
    int highlighted_digit() const { return digit_; }
    // "Vérifier"'s findings, shown until the next move.
    void set_check(std::optional<play::CheckResult> check) {
        check_ = std::move(check);
        update();
    }
    // The coach's drawing (pattern, step), none to hide it.
    void set_hint_picture(std::optional<ladder::BoardPicture> picture) {
        picture_ = std::move(picture);
        update();
    }
    const std::optional<ladder::BoardPicture>& hint_picture() const { return picture_; }
    // Paused: the board shows nothing of the grid.
    void set_hidden(bool hidden) {
        hidden_ = hidden;
        update();
    }
    bool hidden() const { return hidden_; }
    void set_key_handler(std::function<bool(QKeyEvent*)> handler) { key_handler_ = std::move(handler); }

    // The rectangle of cell 0-80 in the widget.
    QRect cell_rect(int cell) const;
    // The look of cell 0-80 as painted now.
    CellLook look_of(int cell) const;
    QSize sizeHint() const override { return {540, 540}; }
    QSize minimumSizeHint() const override { return {270, 270}; }

signals:
    void cell_clicked(int cell);
    void cell_right_clicked(int cell, const QPoint& global);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool) override { return false; } // Tab stays on the board

private:
    int side() const;
    int margin() const; // the room of the row and column numbers
    CellLook look_of(int cell, const ladder::CellSet& conflicts) const;

    const play::Game* game_ = nullptr;
    int selected_ = 0;
    int digit_ = 0;
    bool hidden_ = false;
    std::optional<play::CheckResult> check_;
    std::optional<ladder::BoardPicture> picture_;
    std::function<bool(QKeyEvent*)> key_handler_;
};

} // namespace vornel
