// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
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

// Why a link of a chain holds, in terms a reader checks on the board.
//   Cell:  strong, `cell` has only the link's two digits left; weak, both candidates are in `cell`.
//   Unit:  strong, the digit has only two places left in `unit`, the link's two cells; weak, both
//          cells are in `unit` (the first unit they share, rows before columns before regions).
//   Group: a grouped node: `cells` are the cells of the node(s) of one digit the link joins
//          (all the digit's places in `unit` when strong; all seen from the other end when weak).
//   Als:   an almost locked set: `cells` hold one digit more than their count; the link joins two
//          of its digits (strong: without the first digit, the set holds the second).
// None only for links that are not parts of a chain (a colouring's tree, a forcing chain's links).
struct LinkReason {
    enum class Kind : std::uint8_t { None, Cell, Unit, Group, Als };
    Kind kind = Kind::None;
    std::uint8_t cell = 0;           // Cell: the cell, 0-80
    std::uint8_t unit = 0;           // Unit, Group: the unit, 0-26
    std::vector<std::uint8_t> cells; // Group, Als: the cells, ascending
    friend bool operator==(const LinkReason&, const LinkReason&) = default;
};

// One link of a chain, between two candidates. A strong link: if `from` is false, `to` is true.
// A weak link: if `from` is true, `to` is false. A grouped or ALS node is given by its first cell
// here and in full in `why.cells`. In a chain `strong` is the role the link plays, so the kinds
// alternate (a strong link used as a weak one is weak).
struct Link {
    Link() = default;
    Link(Candidate from_, Candidate to_, bool strong_, LinkReason why_ = {})
        : from(from_), to(to_), strong(strong_), why(std::move(why_)) {}
    Candidate from;
    Candidate to;
    bool strong = false;
    LinkReason why;
    // The cells of an end that stands for several and that `why` does not name (the cells of an
    // almost locked set that hold the digit), ascending; empty otherwise.
    std::vector<std::uint8_t> from_cells;
    std::vector<std::uint8_t> to_cells;
    friend bool operator==(const Link&, const Link&) = default;
};

struct ForcingBranch;

// One implication inside a forcing chain's branch: a digit placed or a candidate removed, with why
// it follows from the position, the branch's assumption and the implications before it.
//   NakedSingle:  placed; `cell` had no other candidate left.
//   HiddenSingle: placed; the digit had no other place left in `unit`.
//   Peer:         removed; the digit was placed in `cell`, which sees it.
//   Pointing:     removed; in the region `unit` the digit's places all lie in the line `other`,
//                 which the candidate is in (outside the region).
//   Claiming:     removed; in the line `unit` the digit's places all lie in the region `other`.
//   Nested:       removed; assuming it breaks the branch: `nested` holds that one inner branch.
// A placement also removes the digit from its peers and the cell's other digits; the branch
// lists such a removal only where it is the branch's end.
struct Implication {
    enum class Why : std::uint8_t { NakedSingle, HiddenSingle, Peer, Pointing, Claiming, Nested };
    bool place = true;
    Candidate candidate;
    Why why = Why::NakedSingle;
    std::uint8_t cell = 0;  // NakedSingle, Peer: 0-80
    std::uint8_t unit = 0;  // HiddenSingle, Pointing, Claiming: 0-26
    std::uint8_t other = 0; // Pointing, Claiming: 0-26
    std::vector<ForcingBranch> nested;
};

// How a branch ends: broken (a cell without a candidate, or a digit without a place in a unit),
// or on what every branch of the step agrees on (a placement or a removal).
struct BranchEnd {
    enum class Kind : std::uint8_t { EmptyCell, NoPlace, Place, Eliminate };
    Kind kind = Kind::EmptyCell;
    std::uint8_t cell = 0; // EmptyCell: 0-80
    std::uint8_t unit = 0; // NoPlace: 0-26
    Candidate candidate;   // NoPlace: the digit (cell unused); Place, Eliminate: the candidate
};

// One branch of a forcing chain: an assumption, the implications that lead to its end, in an
// order in which each follows from those before it, and the end.
struct ForcingBranch {
    Candidate assume;
    std::vector<Implication> implications;
    BranchEnd end;
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
    std::vector<std::uint8_t> cells;     // the cells that carry the reasoning (the pair's cells...)
    std::vector<std::uint8_t> units;     // the units it reasons about, 0-26
    std::uint16_t digits = 0;            // the digits it reasons about, bit d for digit d
    std::vector<Candidate> highlighted;  // the candidates that carry the reasoning
    std::vector<Candidate> fins;         // finned fish: the fin candidates
    std::vector<Link> links;             // chains: the links in order, first to last
    std::vector<ForcingBranch> branches; // forcing chains: one per assumption
    // Steps no single chain shows: one chain per digit removed, each proving the removals of its
    // own digit (`links` is the first of them).
    std::vector<std::vector<Link>> chains;
    // Death blossoms: one petal per digit of the stem, two links each: the stem's digit weakly
    // linked to the petal's places of it (every one sees the stem), then the petal's own link from
    // that digit to the digit removed (Als, or Cell for a petal of one cell).
    std::vector<std::vector<Link>> petals;
    // Patterns made of several sets of cells (almost locked sets, a stem and its petals): the
    // number of cells of each set, which split `cells` in order.
    std::vector<std::uint8_t> groups;
    // Chain and colouring steps: two colours of candidates (simple colouring, chains' on/off).
    std::vector<Candidate> colour_a;
    std::vector<Candidate> colour_b;
};

// True when the step is told as a chain: it has links and every link carries its reason.
inline bool told_as_chain(const Step& step) {
    if (step.links.empty()) return false;
    for (const Link& l : step.links)
        if (l.why.kind == LinkReason::Kind::None) return false;
    return true;
}

} // namespace vornel::ladder
