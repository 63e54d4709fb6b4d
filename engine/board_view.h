// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "colours.h"

namespace vornel {

enum class StepButton { Button5, Button6 }; // "Pas suivant", "Chiffre suivant"

// What the engine may do to the screen, and nothing more. The window and the headless board both
// implement it, so the engine runs the same code in both.
//
// Protocol:
//  - Cells are addressed by row and column 1..9; the view finds the control named "Edit" + row +
//    column ("Edit47"), whose tag is its cell code (47).
//  - set_cell_text runs the cell's change handling before it returns, so the work area's grid
//    already holds the new value when the call returns. Writing the text a cell already shows is
//    no change and runs nothing. A failure raised by that handling is reported by the view
//    itself, through the program's failure reporting, and the write still returns normally.
//  - cell_colour returns the colour last set on the cell (the view's default edit background
//    before any set); the engine compares it exactly with kGreen. The engine sets a colour
//    whenever the rules say so, the colour a cell already has included: a view that finds
//    painting costly skips what did not change.
//  - The log is a list of lines: clear_log empties it, append_log adds one line at the end.
//  - At most one step button is shown at a time; the engine hides one before showing the other.
//  - show_occurrence_table makes Label1 and then gr1 visible; nothing hides them again.
//  - set_occurrence_cell addresses gr1 by (column 0..9, row 0..1); row 0 is the header.
class BoardView {
public:
    virtual ~BoardView() = default;

    virtual void set_cell_colour(int row, int col, Colour colour) = 0;
    // Gives every cell the colour, as set_cell_colour on each cell in board order would; a view
    // may do it at once.
    virtual void set_all_cell_colours(Colour colour) {
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) set_cell_colour(r, c, colour);
    }
    virtual Colour cell_colour(int row, int col) const = 0;
    virtual void set_cell_text(int row, int col, std::string_view text) = 0;
    virtual void set_cell_read_only(int row, int col, bool read_only) = 0;

    virtual void clear_log() = 0;
    virtual void append_log(std::string_view line) = 0;

    virtual void set_button_visible(StepButton button, bool visible) = 0;
    virtual void show_occurrence_table() = 0;
    virtual void set_occurrence_cell(int col, int row, std::string_view text) = 0;
};

} // namespace vornel
