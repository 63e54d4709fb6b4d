#pragma once

#include "page.h"

class QPagedPaintDevice;

namespace vornel {

// Paints an explanation page on a paged device (a printer, a PDF file): the title, the puzzle and
// its verdict, each step with its sentences and its board, the closing lines and the final grid.
// Boards are drawn from the same pictures as the HTML page; a step never starts at the foot of a
// page without its board, and no board is cut by a page break. False when painting failed (the
// device could not be opened).
bool paint_page(const report::Page& page, QPagedPaintDevice& device);

} // namespace vornel
