// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>

#include "technique_words.h"

namespace vornel::ladder {

namespace {

// The usual English names of the techniques and their help pages, in Technique order.
using T = Technique;

constexpr std::array<TechniqueWords, kTechniqueCount> kWords = {{
    {T::FullHouse, "Full House",
     "A box, row or column has a single empty cell left: it gets the one digit that box, row or column is still "
     "missing."},
    {T::HiddenSingle, "Hidden Single",
     "In a box, row or column, a digit has only one cell left where it can go: we write it there, even if the cell "
     "still has other candidates."},
    {T::NakedSingle, "Naked Single",
     "A cell has only one candidate left: every other digit is already in its row, its column or its box. We write "
     "that digit in it."},
    {T::Pointing, "Pointing",
     "In a box, all the places of a digit lie on one row (or one column). The box's digit will be on that row: we "
     "remove it from the other cells of the row, outside the box."},
    {T::Claiming, "Claiming (Box/Line Reduction)",
     "In a row (or a column), all the places of a digit lie in one box. The row's digit will be in that box: we "
     "remove it from the other cells of the box."},
    {T::NakedPair, "Naked Pair",
     "Two cells of the same box, row or column can only hold the same two digits. Those two digits will go in those "
     "two cells: we remove them from the other cells of that box, row or column."},
    {T::HiddenPair, "Hidden Pair",
     "In a box, row or column, two digits can only go in the same two cells. Those cells will hold those two digits: "
     "we remove every other candidate from them."},
    {T::NakedTriple, "Naked Triple",
     "Three cells of the same box, row or column can only hold, between them, the same three digits. Those digits "
     "will go in those cells: we remove them from the other cells of the unit."},
    {T::HiddenTriple, "Hidden Triple",
     "In a box, row or column, three digits can only go in the same three cells. Those cells will hold those digits: "
     "we remove every other candidate from them."},
    {T::NakedQuad, "Naked Quad",
     "Four cells of the same box, row or column can only hold, between them, the same four digits. Those digits will "
     "go in those cells: we remove them from the other cells of the unit."},
    {T::HiddenQuad, "Hidden Quad",
     "In a box, row or column, four digits can only go in the same four cells. Those cells will hold those digits: we "
     "remove every other candidate from them."},
    {T::XWing, "X-Wing",
     "In two rows, a digit can only go in the same two columns. Those two rows put the digit in those two columns, "
     "once in each: we remove it from the other cells of the two columns. The same holds with rows and columns "
     "swapped."},
    {T::Skyscraper, "Skyscraper",
     "In two rows (or two columns), a digit has only two places each, and one end of each pair lies in the same "
     "column (or row). One of the two other ends holds the digit: we remove it from the cells that see both of "
     "them."},
    {T::TwoStringKite, "Two-String Kite",
     "A digit has only two places in a row and only two in a column, and one end of each lies in the same box. One "
     "of the two other ends holds the digit: we remove it from the cell that sees both of them."},
    {T::EmptyRectangle, "Empty Rectangle",
     "In a box, the places of a digit lie on one row and one column only. With a row or column where the digit has "
     "only two places, one of them seeing the box's row or column, the digit is removed from the cell where the "
     "other end's line crosses the box's line."},
    {T::TurbotFish, "Turbot Fish",
     "A short chain on one digit: two units where the digit has only two places each, joined by a weak link between "
     "two of their ends. One of the two far ends holds the digit: we remove it from the cells that see both."},
    {T::Swordfish, "Swordfish",
     "In three rows, a digit can only go in the same three columns. Those rows put the digit in those columns, once "
     "in each: we remove it from the other cells of the three columns. The same holds with rows and columns "
     "swapped."},
    {T::FinnedXWing, "Finned X-Wing",
     "An X-Wing with one or two extra places, the fins, in a single box. Either a fin holds the digit, or the X-Wing "
     "does: we remove the digit from the cells that both the X-Wing and the fins would clear."},
    {T::XyWing, "XY-Wing",
     "A pivot cell with only two digits, X and Y, sees two cells, the pincers, one with only X and Z, the other with "
     "only Y and Z. Whatever the pivot holds, one pincer holds Z: we remove Z from the cells that see both "
     "pincers."},
    {T::FinnedSwordfish, "Finned Swordfish",
     "A Swordfish with one or two extra places, the fins, in a single box. Either a fin holds the digit, or the "
     "Swordfish does: we remove the digit from the cells that both would clear."},
    {T::XyzWing, "XYZ-Wing",
     "A pivot cell with only the three digits X, Y and Z sees two cells with only X and Z, and only Y and Z. Whatever "
     "the pivot holds, one of the three cells holds Z: we remove Z from the cells that see all three."},
    {T::WWing, "W-Wing",
     "Two cells with the same two digits X and Z, which do not see each other, and a digit X with only two places in "
     "a unit, each seeing one of the two cells. One of the two cells does not hold X and so holds Z: we remove Z from "
     "the cells that see both."},
    {T::UniqueRectangle, "Unique Rectangle",
     "Four cells on two rows, two columns and two boxes that could all hold the same two digits would let them be "
     "swapped, and the sudoku would have two solutions. As it has only one, the candidates that would make up such a "
     "pattern can be removed."},
    {T::BugPlusOne, "BUG+1",
     "Every empty cell but one has two candidates, and every digit has two places in each unit except one digit in "
     "the last cell. Without that digit there, the sudoku would not have a single solution: we write it."},
    {T::HiddenRectangle, "Hidden Rectangle",
     "A rectangle of four cells holding the same two digits, one corner with only those two, and one of the digits "
     "with no other place than the rectangle in the rows and columns of the opposite corner. The other digit cannot "
     "be in that opposite corner, or the pattern could be swapped."},
    {T::AvoidableRectangle, "Avoidable Rectangle",
     "Four cells on two rows, two columns and two boxes, none of them a given: if they ended up holding two digits "
     "diagonally, they could be swapped and the sudoku would have two solutions. The digit that would complete such "
     "a pattern is removed."},
    {T::WxyzWing, "WXYZ-Wing",
     "Four cells that can hold only four digits between them, where every digit but one, Z, has places that all see "
     "each other. Z is then in one of the four cells: we remove it from the cells that see all its places there."},
    {T::Jellyfish, "Jellyfish",
     "In four rows, a digit can only go in the same four columns. Those rows put the digit in those columns, once in "
     "each: we remove it from the other cells of the four columns. The same holds with rows and columns swapped."},
    {T::SimpleColouring, "Simple Colouring",
     "Following the units where a digit has only two places, its cells get two alternating colours: the digit is in "
     "every cell of one colour and in none of the other. A colour that sees itself is false; a cell that sees both "
     "colours cannot hold the digit."},
    {T::RemotePair, "Remote Pair",
     "A chain of cells that all hold only the same two digits, each seeing the next. The two digits alternate along "
     "the chain: a cell that sees two cells of opposite parity holds neither digit."},
    {T::FinnedJellyfish, "Finned Jellyfish",
     "A Jellyfish with one or two extra places, the fins, in a single box. Either a fin holds the digit, or the "
     "Jellyfish does: we remove the digit from the cells that both would clear."},
    {T::MultiColouring, "Multi-Colouring",
     "Simple colouring with two separate clusters of the same digit. When a cell of one cluster sees a cell of the "
     "other, one colour of each cluster cannot both be true; the cells that see the two other colours lose the "
     "digit."},
    {T::SueDeCoq, "Sue de Coq",
     "Cells where a row or column crosses a box, holding between them as many digits as the cells plus two, together "
     "with a set in the line and a set in the box sharing no digit. Each digit is placed exactly once: we remove them "
     "from the rest of the line and of the box."},
    {T::XChain, "X-Chain",
     "A chain on one digit, alternating strong links (the digit's only two places in a unit) and weak links (two "
     "places that see each other). One end of the chain holds the digit: we remove it from the cells that see both "
     "ends."},
    {T::XyChain, "XY-Chain",
     "A chain of cells that each hold only two digits, each sharing a digit with the next. If the first cell is not "
     "Z, the last one is: we remove Z from the cells that see both ends."},
    {T::Medusa3D, "3D Medusa",
     "Colouring of candidates across digits: the two candidates of a two-digit cell and the two places of a digit in "
     "a unit get opposite colours. A colour that contradicts itself is false; candidates that see both colours are "
     "removed."},
    {T::AlignedPairExclusion, "Aligned Pair Exclusion",
     "Two cells that see each other cannot hold the same digit, nor a pair of digits that would leave a cell seeing "
     "both of them with nothing. The digits that fit no allowed pair are removed from the two cells."},
    {T::Aic, "Alternating Inference Chain (AIC)",
     "A chain of candidates alternating strong links (one of the two is true) and weak links (they cannot both be "
     "true), across digits and cells. One end of the chain is true: we remove what sees both ends."},
    {T::GroupedAic, "Grouped AIC",
     "An alternating inference chain in which a node may be a group of cells of a box on one row or column, standing "
     "for the digit being in one of them."},
    {T::AlsXz, "ALS-XZ",
     "Two almost locked sets (N cells with N+1 digits) share a digit X whose places in one all see its places in the "
     "other: X is in one set at most, so the other is locked. A digit Z common to both is then in one of them: we "
     "remove Z from the cells that see all its places in both sets."},
    {T::FrankenFish, "Franken Fish",
     "A fish whose base or cover includes boxes as well as rows or columns. The base units hold the digit once each, "
     "in places all inside the cover units: the digit is removed from the other cells of the cover."},
    {T::AlsXyWing, "ALS-XY-Wing",
     "Three almost locked sets: the first and the second share a restricted digit X, the second and the third a "
     "restricted digit Y. The second cannot lose both, so the first or the third is locked: a digit Z common to "
     "those two is removed from the cells that see all its places in them."},
    {T::MutantFish, "Mutant Fish",
     "A fish whose base and cover mix rows, columns and boxes freely. The base units hold the digit once each, in "
     "places all inside the cover units: the digit is removed from the other cells of the cover."},
    {T::AlsChain, "ALS Chain",
     "A chain of almost locked sets, each linked to the next by a restricted common digit. If a digit Z common to the "
     "first and the last set were missing from both, each set would force the next up to the last, which would then "
     "hold Z: so Z is in the first or the last, and we remove it from the cells that see all its places in those "
     "two sets."},
    {T::DeathBlossom, "Death Blossom",
     "A stem cell and, for each of its digits, an almost locked set, a petal, whose places of that digit all see the "
     "stem. The stem's digit is missing from its petal, which then holds all its other digits: a digit Z common to "
     "all the petals is in one of them, and we remove it from the cells that see all its places."},
    {T::Nishio, "Nishio",
     "We assume a digit in a cell and follow that digit alone: in every row, column or box where it has only one "
     "place left, it goes there. If a row, column or box ends up with no place for it, the assumption is false, and "
     "we remove the digit from the cell."},
    {T::AlsAic, "AIC with ALS",
     "An alternating inference chain in which a node may also be the cells of an almost locked set (N cells with N+1 "
     "digits) that hold one of its digits. If that digit is false in the set, the set is locked with its other "
     "digits, each of which is then true in it: that is the strong link across the set. One end of the chain is "
     "true: we remove what sees both ends."},
    {T::ForcingChain, "Forcing Chain",
     "We assume a candidate is true and follow the simple deductions that follow from it. If they lead to a "
     "contradiction, the candidate is false; if every possibility of a cell or a unit leads to the same digit, that "
     "digit is certain."},
    {T::Trial, "Trial",
     "Last resort: we try a digit and look for every way the grid can go on. When the trial reaches a dead end, the "
     "digit is removed. It is a trial, not a deduction, and we say so."},
}};

static_assert(one_row_each(kWords), "one row of words per technique, in Technique order");

} // namespace

std::span<const TechniqueWords> english_technique_words() { return kWords; }

} // namespace vornel::ladder
