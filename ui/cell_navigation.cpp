// SPDX-License-Identifier: GPL-3.0-or-later
#include "cell_navigation.h"

#include <QKeyEvent>

#include "cell_edit.h"

namespace vornel {

bool move_between_cells(CellEdit& cell, const QKeyEvent& event) {
    if ((event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    int row = cell.row();
    int col = cell.col();
    switch (event.key()) {
        case Qt::Key_Up: --row; break;
        case Qt::Key_Down: ++row; break;
        case Qt::Key_Left:
            if (cell.cursorPosition() != 0) return false;
            --col;
            break;
        case Qt::Key_Right:
            if (cell.cursorPosition() != cell.text().size()) return false;
            ++col;
            break;
        default: return false;
    }
    if (row < 1 || row > 9 || col < 1 || col > 9 || !cell.parentWidget()) return false;
    // Cells are found by their names, as everywhere on the board.
    auto* next = cell.parentWidget()->findChild<CellEdit*>(QStringLiteral("Edit%1%2").arg(row).arg(col),
                                                           Qt::FindDirectChildrenOnly);
    if (!next) return false;
    next->setFocus(Qt::OtherFocusReason);
    return true;
}

} // namespace vornel
