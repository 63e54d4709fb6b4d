// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "candidates.h"
#include "language.h"
#include "step.h"

namespace vornel::ladder {

// How one cell looks while the ladder explains a puzzle. Masks use bit d for digit d.
struct CellMarks {
    std::uint8_t value = 0;        // the digit the cell shows, 0 when empty
    std::uint16_t candidates = 0;  // pencil marks of an empty cell, the removed ones included
    std::uint16_t removed = 0;     // candidates the step removes: struck through, red
    std::uint16_t highlighted = 0; // candidates that carry the reasoning: ringed
    std::uint16_t fins = 0;        // fin candidates (ailerons) of a finned fish: boxed
    std::uint16_t colour_a = 0;    // chains and colouring: one parity, a filled disc
    std::uint16_t colour_b = 0;    // the other parity, a square
    bool placed = false;           // the step writes `value` here: green, with a double frame
    bool pattern = false;          // the cell carries the reasoning: framed
    bool in_unit = false;          // the cell lies in a unit the step reasons about: hatched edge
    friend bool operator==(const CellMarks&, const CellMarks&) = default;
};

// The whole board as one moment of an explanation shows it: every cell, the links of a chain,
// and the step being shown (none at the start and at the end).
struct BoardPicture {
    std::array<CellMarks, 81> cells{};
    std::vector<Link> links;
    int current_link = -1; // the link being walked through, drawn heavier; -1 for none
    std::optional<Technique> technique;
    int step_number = 0; // 1-based; 0 when no step is shown
    friend bool operator==(const BoardPicture&, const BoardPicture&) = default;
};

// The board as `state` holds it, with no step drawn: values and pencil marks only.
BoardPicture picture_of(const Candidates& state);
// The board when step `number` (1-based) is shown over `before`, the candidates the step starts
// from: its placements are written (and, being placements, clear their digit from the peers),
// its eliminations are struck but still drawn, and its pattern is marked.
BoardPicture picture_of(const Candidates& before, const Step& step, int number);

// The parts a step can be walked through one at a time: its links when it is told as a chain,
// its branches when it is a forcing chain; 0 when it is only shown whole.
int walk_parts(const Step& step);
// Step `number` with only part `part` (1..walk_parts(step)) drawn: for a chain, the links up to
// that one, the current one heavier, its two candidates ringed and its reason marked (the cell
// framed, or the unit hatched); for a forcing chain, the branch's assumption and placements ringed
// and joined by arrows in order, its removals struck, and where it ends marked (the cell left
// empty or the conclusion framed, the unit left without a place hatched). The placements and
// eliminations of the step itself are shown as in the whole picture.
BoardPicture picture_of(const Candidates& before, const Step& step, int number, int part);

// What a cell of the picture shows, in words of the language, for its accessible description:
// "chiffre 4", "chiffre placé : 7", "candidats 2, 5 et 8 ; candidat retiré : 5 ; case du motif".
std::string describe_cell(const CellMarks& marks, Language language = Language::French);

} // namespace vornel::ladder
