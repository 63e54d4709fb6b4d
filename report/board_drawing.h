// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <vector>

#include "page.h"

namespace vornel::report {

// How a shape of a board is painted. Colours are "#rrggbb" (or "#rgb"); a null colour paints
// nothing of that kind ("none" for a fill that must say so).
struct Style {
    const char* css_class = nullptr;
    const char* fill = nullptr;
    double fill_opacity = 1;
    const char* stroke = nullptr;
    double stroke_opacity = 1;
    double stroke_width = 0;
    const char* dash = nullptr; // "5 3": dash and gap lengths
};

// A straight segment x1, y1, x2, y2.
using Segment = std::array<int, 4>;

// What a board is drawn with, in the board's own units (kBoardSide square, y downwards): the SVG
// of the page writes each call as an element, the printer paints it.
class BoardCanvas {
public:
    virtual ~BoardCanvas() = default;
    virtual void rect(int x, int y, int side, const Style& style) = 0;
    virtual void circle(int cx, int cy, double r, const Style& style) = 0;
    virtual void segments(const std::vector<Segment>& segments, const Style& style) = 0;
    virtual void line(int x1, int y1, int x2, int y2, const Style& style) = 0;
    // A digit centred on x, its baseline at y; `fill` null is black.
    virtual void digit(int x, int y, int size, bool bold, const char* fill, int digit) = 0;
};

// Draws the board, back to front: shades, pattern backgrounds, discs, digits and pencil marks,
// the grid lines, the pattern frames.
void draw_board(const BoardPicture& board, BoardCanvas& canvas);

} // namespace vornel::report
