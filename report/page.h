// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "language.h"

namespace vornel::report {

// What one small board of the page shows. Cells are numbered 0..80 row by row; digits 1..9; a
// candidate mask has bit d for digit d.
struct BoardPicture {
    enum class Shade : std::uint8_t { None, Free, Excluded, Occupied, Placed };

    std::array<std::uint8_t, 81> values{};       // 0 empty
    std::array<bool, 81> given{};                // drawn bold: the puzzle's own digits
    std::array<Shade, 81> shade{};               // the classic engine's per-digit picture
    std::array<std::uint16_t, 81> candidates{};  // pencil marks of empty cells (ladder)
    std::array<std::uint16_t, 81> removed{};     // candidates the step removes: struck through
    std::array<std::uint16_t, 81> highlighted{}; // candidates that carry the reasoning: circled
    std::array<std::uint8_t, 81> placed{};       // digit the step writes in the cell, 0 none
    std::array<bool, 81> pattern{};              // cells that carry the reasoning: framed
    // A chain's links, from candidate to candidate (cell 0-80, digit 1-9): a solid line for a
    // strong link, a dashed one for a weak link, so that they differ without colour.
    struct LinkLine {
        std::uint8_t from_cell = 0, from_digit = 0, to_cell = 0, to_digit = 0;
        bool strong = false;
    };
    std::vector<LinkLine> links;
    std::string description; // the text alternative: what the board shows, in words
};

struct PageStep {
    int number = 0;
    std::string technique;              // a French name, or empty
    std::vector<std::string> sentences; // leading spaces indent a line (two per level)
    std::optional<BoardPicture> board;
    // A forcing chain: one small board per branch, each with its caption.
    std::vector<BoardPicture> branches;
    std::vector<std::string> branch_captions;
};

// One puzzle's explanation, as a page.
struct Page {
    Language language = Language::French; // of the page's own words (captions, contents, steps)
    std::string title;
    std::string key; // the line that explains compact cell names, when a step uses them; or empty
    BoardPicture puzzle;
    std::vector<std::string> verdict; // verdict and rating lines, shown under the puzzle
    std::vector<PageStep> steps;
    std::vector<std::string> closing; // lines after the last step
    BoardPicture final_grid;
};

// The text alternative of a board that shows a grid only: "WHAT : N cases remplies sur 81.", or in
// English "WHAT: N cells filled out of 81.".
std::string filled_description(const BoardPicture& board, std::string_view what, Language language = Language::French);
// "La grille de départ" / "The starting grid", "La grille finale" / "The final grid".
std::string_view starting_grid_words(Language language);
std::string_view final_grid_words(Language language);

// A board's SVG drawing: its side in SVG units (9 cells of 40, and a margin of 2 for the outer
// line) and the font size of a pencil mark in the same units.
inline constexpr int kBoardSide = 9 * 40 + 2 * 2;
inline constexpr int kCandidateSize = 12;
// A board's width and height on the page at 100 %, in CSS pixels: a pencil mark is then about 12.7
// pixels high.
inline constexpr int kBoardPixels = 384;

// The board as inline SVG, 9 x 9 cells with the regions' thick lines. It uses no gradients,
// patterns or ids, so boards stand side by side in one page and any SVG renderer draws them.
std::string svg_board(const BoardPicture& board);

// The whole page: a self-contained HTML5 document (in the page's language, no script, no external file): the
// puzzle and its verdict, a table of contents with one line per technique linking to each of its
// steps (anchors "etape-N"), the steps, the closing lines and the final grid; its print style
// sheet never splits a board across pages.
void write_html(std::ostream& out, const Page& page);

// Escapes &, <, >, " and ' for HTML text and attributes.
std::string escape_html(std::string_view text);

} // namespace vornel::report
