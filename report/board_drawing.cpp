// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_drawing.h"

#include <algorithm>
#include <cmath>

namespace vornel::report {

namespace {

constexpr int kCell = 40;  // cell side in board units
constexpr int kMargin = 2; // room for the outer thick line
static_assert(9 * kCell + 2 * kMargin == kBoardSide);

const char* shade_fill(BoardPicture::Shade shade) {
    switch (shade) {
        case BoardPicture::Shade::Free: return "#ffffff";
        case BoardPicture::Shade::Excluded: return "#ff2222";
        case BoardPicture::Shade::Occupied: return "#fa9404";
        case BoardPicture::Shade::Placed: return "#22ff22";
        case BoardPicture::Shade::None: break;
    }
    return "#ffffff";
}

} // namespace

void draw_board(const BoardPicture& board, BoardCanvas& canvas) {
    for (int cell = 0; cell < 81; ++cell) {
        const int x = kMargin + (cell % 9) * kCell;
        const int y = kMargin + (cell / 9) * kCell;
        const BoardPicture::Shade shade = board.shade[cell];
        if (shade != BoardPicture::Shade::None) {
            canvas.rect(x, y, kCell, {.fill = shade_fill(shade)});
            // Hatching where the digit cannot go, dots where another digit stands, drawn as lines and
            // discs so that the picture reads in black and white and in any SVG renderer.
            if (shade == BoardPicture::Shade::Excluded) {
                std::vector<Segment> hatch;
                for (int k = 8; k < 2 * kCell; k += 8) {
                    const int a = std::min(k, kCell);
                    const int b = std::max(0, k - kCell);
                    hatch.push_back({x + b, y + a, x + a, y + b});
                }
                canvas.segments(hatch, {.stroke = "#000", .stroke_opacity = 0.35, .stroke_width = 1});
            }
            if (shade == BoardPicture::Shade::Occupied) {
                for (const int dx : {8, 32})
                    for (const int dy : {8, 32})
                        canvas.circle(x + dx, y + dy, 2, {.fill = "#000", .fill_opacity = 0.45});
            }
        }
        if (board.pattern[cell]) canvas.rect(x, y, kCell, {.css_class = "pattern", .fill = "#dbe9ff"});
        const int value = board.placed[cell] ? board.placed[cell] : board.values[cell];
        if (board.placed[cell]) {
            // The digit this step writes: a green disc with a black ring, never the colour alone.
            canvas.circle(x + kCell / 2, y + kCell / 2, 16, {.fill = "#22ff22", .stroke = "#000", .stroke_width = 2});
        }
        if (value >= 1 && value <= 9) {
            canvas.digit(x + kCell / 2, y + kCell / 2 + 9, 26, board.given[cell], nullptr, value);
            continue;
        }
        const std::uint16_t marks = board.candidates[cell] | board.removed[cell];
        for (int d = 1; d <= 9; ++d) {
            if (!((marks >> d) & 1)) continue;
            const int cx = x + 7 + ((d - 1) % 3) * 13;
            const int cy = y + 12 + ((d - 1) / 3) * 12;
            const bool removed = (board.removed[cell] >> d) & 1;
            const bool highlighted = (board.highlighted[cell] >> d) & 1;
            if (highlighted) canvas.circle(cx, cy - 4, 6.5, {.fill = "#ffe680", .stroke = "#000", .stroke_width = 0.8});
            canvas.digit(cx, cy, kCandidateSize, removed, removed ? "#d00000" : nullptr, d);
            // Struck through by one line across its middle: the digit stays readable, and the
            // line says "removed" without colour.
            if (removed)
                canvas.segments({{cx - 6, cy - 4, cx + 6, cy - 4}}, {.stroke = "#d00000", .stroke_width = 1.5});
        }
    }
    // Grid lines: thin between cells, thick around regions; pattern frames on top.
    for (int i = 0; i <= 9; ++i) {
        const int p = kMargin + i * kCell;
        const Style style{.stroke = "#000", .stroke_width = i % 3 == 0 ? 3.0 : 1.0};
        canvas.line(kMargin, p, kBoardSide - kMargin, p, style);
        canvas.line(p, kMargin, p, kBoardSide - kMargin, style);
    }
    // A chain's links over the grid, each from the edge of one candidate's ring to the other's.
    for (const BoardPicture::LinkLine& link : board.links) {
        const auto centre = [](int cell, int digit) {
            return std::array<double, 2>{kMargin + (cell % 9) * kCell + 7.0 + ((digit - 1) % 3) * 13.0,
                                         kMargin + (cell / 9) * kCell + 8.0 + ((digit - 1) / 3) * 12.0};
        };
        const std::array<double, 2> a = centre(link.from_cell, link.from_digit),
                                    b = centre(link.to_cell, link.to_digit);
        const double dx = b[0] - a[0], dy = b[1] - a[1], length = std::hypot(dx, dy);
        if (length < 14) continue;
        const double ux = dx / length * 6.5, uy = dy / length * 6.5;
        canvas.line(static_cast<int>(std::lround(a[0] + ux)), static_cast<int>(std::lround(a[1] + uy)),
                    static_cast<int>(std::lround(b[0] - ux)), static_cast<int>(std::lround(b[1] - uy)),
                    {.css_class = link.strong ? "link strong" : "link weak",
                     .stroke = "#b0006a",
                     .stroke_width = link.strong ? 2.0 : 1.5,
                     .dash = link.strong ? nullptr : "4 3"});
    }
    for (int cell = 0; cell < 81; ++cell) {
        if (!board.pattern[cell]) continue;
        canvas.rect(kMargin + (cell % 9) * kCell + 3, kMargin + (cell / 9) * kCell + 3, kCell - 6,
                    {.fill = "none", .stroke = "#0040c0", .stroke_width = 2.5, .dash = "5 3"});
    }
}

} // namespace vornel::report
