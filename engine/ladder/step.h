#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "technique.h"

namespace vornel::ladder {

// Cells are numbered 0..80 row by row: cell = 9 * row + column, row and column 0..8.
// Units are numbered 0..26: rows 0..8, columns 9..17, regions 18..26 (region 0 top left, row by row).
// Digits are 1..9. Everything shown to a user (sentences, JSON) counts rows, columns, regions from 1.

// cell 0-80; returns its row 0-8
constexpr int row_of(int cell) { return cell / 9; }
// cell 0-80; returns its column 0-8
constexpr int col_of(int cell) { return cell % 9; }
// cell 0-80; returns its region 0-8
constexpr int box_of(int cell) { return 3 * (cell / 27) + (cell % 9) / 3; }
// row 0-8, column 0-8; returns the cell 0-80
constexpr int cell_at(int row, int col) { return 9 * row + col; }

enum class UnitKind : std::uint8_t { Row, Column, Region };
// unit 0-26; returns its kind
constexpr UnitKind unit_kind(int unit) { return static_cast<UnitKind>(unit / 9); }
// unit 0-26; returns its number 0-8 within its kind
constexpr int unit_number(int unit) { return unit % 9; }

// One candidate: a digit in a cell.
struct Candidate {
    std::uint8_t cell = 0;  // 0-80
    std::uint8_t digit = 0; // 1-9
    friend bool operator==(const Candidate&, const Candidate&) = default;
};

// One link of a chain, between two candidates. A strong link: if `from` is false, `to` is true.
// A weak link: if `from` is true, `to` is false.
struct Link {
    Candidate from;
    Candidate to;
    bool strong = false;
    friend bool operator==(const Link&, const Link&) = default;
};

// One deduction of the ladder, as data. The window draws it and the narrator words it; neither
// works it out again.
struct Step {
    Technique technique = Technique::FullHouse;
    // A refinement of the technique: the type of a unique rectangle (1, 2, 4), the size of a
    // fish, the kind of forcing chain; 0 when the technique has none.
    int variant = 0;

    std::vector<Candidate> placements;   // digits this step writes
    std::vector<Candidate> eliminations; // live candidates this step removes

    // The pattern that justifies the step.
    std::vector<std::uint8_t> cells;    // the cells that carry the reasoning (the pair's cells...)
    std::vector<std::uint8_t> units;    // the units it reasons about, 0-26
    std::uint16_t digits = 0;           // the digits it reasons about, bit d for digit d
    std::vector<Candidate> highlighted; // the candidates that carry the reasoning
    std::vector<Candidate> fins;        // finned fish: the fin candidates
    std::vector<Link> links;            // chains: the links in order, first to last
    // Chain and colouring steps: two colours of candidates (simple colouring, chains' on/off).
    std::vector<Candidate> colour_a;
    std::vector<Candidate> colour_b;
};

} // namespace vornel::ladder
