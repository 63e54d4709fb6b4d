// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "page.h"

class QPagedPaintDevice;
class QPageLayout;

namespace vornel {

// How an explanation sits on paper: steps side by side in columns, each step (its heading, its
// sentences and its board) kept whole in one cell of a row.
struct PrintLayout {
    int columns = 2;         // 2 on a portrait page, 3 on a landscape one
    double board_mm = 0;     // a board's side
    double candidate_mm = 0; // a pencil mark's font size, board_mm scaled as in the page's SVG
};

// The layout for a page (its paintable area): columns by orientation, each board as wide as its
// column allows, up to 62 mm.
PrintLayout print_layout(const QPageLayout& page);

// Paints an explanation page on a paged device (a printer, a PDF file): the title, the puzzle and
// its verdict, the steps in rows of print_layout's columns, the closing lines and the final grid.
// Boards are drawn from the same pictures as the HTML page, as vector graphics; a row of steps
// never starts at the foot of a page without its boards, and no step is cut by a page break.
// False when painting failed (the device could not be opened).
bool paint_page(const report::Page& page, QPagedPaintDevice& device);

} // namespace vornel
