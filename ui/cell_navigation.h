// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QKeyEvent;

namespace vornel {

class CellEdit;

// The arrow keys between the cells of the board: Up and Down always move to the cell above or
// below; Left and Right move to the cell on that side only when the text cursor stands at that
// edge of the cell's text (at its start for Left, at its end for Right), so that inside a cell
// they keep moving the cursor. The cell moved to is entered as by the program (its whole text
// selected). No move past the board's edge, and none with Shift, Ctrl or Alt held.
// Returns true when the key moved the focus (the event is then used up).
bool move_between_cells(CellEdit& cell, const QKeyEvent& event);

} // namespace vornel
