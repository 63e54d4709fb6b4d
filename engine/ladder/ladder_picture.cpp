// SPDX-License-Identifier: GPL-3.0-or-later
#include "ladder_picture.h"

#include "grammar.h"
#include "messages.h"

namespace vornel::ladder {

namespace {

constexpr std::uint16_t bit(int digit) { return static_cast<std::uint16_t>(1u << digit); }

// "2", "2 et 5", "2, 5 et 8" / "2, 5 and 8".
std::string digit_list(std::uint16_t mask, Language language) {
    std::vector<std::string> digits;
    for (int d = 1; d <= 9; ++d)
        if (mask & bit(d)) digits.push_back(std::to_string(d));
    return grammar(language).join(digits);
}

} // namespace

BoardPicture picture_of(const Candidates& state) {
    BoardPicture picture;
    for (int cell = 0; cell < 81; ++cell) {
        CellMarks& marks = picture.cells[static_cast<std::size_t>(cell)];
        marks.value = state.value(cell);
        marks.candidates = marks.value == 0 ? state.mask(cell) : 0;
    }
    return picture;
}

BoardPicture picture_of(const Candidates& before, const Step& step, int number) {
    Candidates after = before;
    for (const Candidate& p : step.placements)
        if (after.value(p.cell) == 0) after.place(p.cell, p.digit);
    BoardPicture picture = picture_of(after);
    auto& cells = picture.cells;
    for (const Candidate& e : step.eliminations) {
        CellMarks& marks = cells[e.cell];
        marks.removed |= bit(e.digit);
        if (marks.value == 0) marks.candidates |= bit(e.digit);
    }
    for (const Candidate& p : step.placements) cells[p.cell].placed = true;
    for (const std::uint8_t cell : step.cells) cells[cell].pattern = true;
    for (const std::uint8_t unit : step.units)
        for (const std::uint8_t cell : geometry().unit_cells[unit]) cells[cell].in_unit = true;
    for (const Candidate& c : step.highlighted) cells[c.cell].highlighted |= bit(c.digit);
    if (step.highlighted.empty() && step.digits != 0)
        // No candidate named: the pattern cells' candidates among the step's digits carry it.
        for (const std::uint8_t cell : step.cells)
            cells[cell].highlighted = static_cast<std::uint16_t>(cells[cell].candidates & step.digits);
    for (const Candidate& c : step.fins) cells[c.cell].fins |= bit(c.digit);
    for (const Candidate& c : step.colour_a) cells[c.cell].colour_a |= bit(c.digit);
    for (const Candidate& c : step.colour_b) cells[c.cell].colour_b |= bit(c.digit);
    for (CellMarks& marks : cells) {
        // Only candidates the cell shows can be marked.
        const std::uint16_t shown = marks.candidates;
        marks.highlighted &= shown;
        marks.fins &= shown;
        marks.colour_a &= shown;
        marks.colour_b &= shown;
    }
    picture.links = step.links;
    picture.technique = step.technique;
    picture.step_number = number;
    return picture;
}

int walk_parts(const Step& step) {
    if (!step.branches.empty()) return static_cast<int>(step.branches.size());
    return told_as_chain(step) ? static_cast<int>(step.links.size()) : 0;
}

namespace {

// Takes the step's own pattern away, keeping what it places and removes.
void clear_pattern(BoardPicture& picture) {
    for (CellMarks& marks : picture.cells) {
        marks.pattern = false;
        marks.in_unit = false;
        marks.highlighted = 0;
        marks.fins = 0;
        marks.colour_a = 0;
        marks.colour_b = 0;
    }
    picture.links.clear();
}

void mark_unit(BoardPicture& picture, int unit) {
    for (const std::uint8_t cell : geometry().unit_cells[unit]) picture.cells[cell].in_unit = true;
}

void ring(BoardPicture& picture, const Candidate& c) {
    CellMarks& marks = picture.cells[c.cell];
    marks.highlighted = static_cast<std::uint16_t>(marks.highlighted | (bit(c.digit) & marks.candidates));
}

} // namespace

BoardPicture picture_of(const Candidates& before, const Step& step, int number, int part) {
    BoardPicture picture = picture_of(before, step, number);
    if (part < 1 || part > walk_parts(step)) return picture;
    clear_pattern(picture);
    const auto k = static_cast<std::size_t>(part - 1);
    if (step.branches.empty()) {
        picture.links.assign(step.links.begin(), step.links.begin() + static_cast<std::ptrdiff_t>(k + 1));
        picture.current_link = part - 1;
        const Link& link = step.links[k];
        ring(picture, link.from);
        ring(picture, link.to);
        // An end that stands for several cells of a set is ringed in each of them.
        for (const std::uint8_t cell : link.from_cells) ring(picture, Candidate{cell, link.from.digit});
        for (const std::uint8_t cell : link.to_cells) ring(picture, Candidate{cell, link.to.digit});
        const LinkReason& why = link.why;
        switch (why.kind) {
            case LinkReason::Kind::Cell: picture.cells[why.cell].pattern = true; break;
            case LinkReason::Kind::Unit: mark_unit(picture, why.unit); break;
            case LinkReason::Kind::Group:
                mark_unit(picture, why.unit);
                for (const std::uint8_t cell : why.cells) picture.cells[cell].pattern = true;
                break;
            case LinkReason::Kind::Als:
                for (const std::uint8_t cell : why.cells) picture.cells[cell].pattern = true;
                break;
            case LinkReason::Kind::None: break;
        }
        return picture;
    }
    const ForcingBranch& branch = step.branches[k];
    ring(picture, branch.assume);
    Candidate previous = branch.assume;
    for (const Implication& imp : branch.implications) {
        CellMarks& marks = picture.cells[imp.candidate.cell];
        if (!imp.place) {
            marks.removed = static_cast<std::uint16_t>(marks.removed | (bit(imp.candidate.digit) & marks.candidates));
            continue;
        }
        ring(picture, imp.candidate);
        picture.links.emplace_back(previous, imp.candidate, true);
        previous = imp.candidate;
    }
    switch (branch.end.kind) {
        case BranchEnd::Kind::EmptyCell: picture.cells[branch.end.cell].pattern = true; break;
        case BranchEnd::Kind::NoPlace: mark_unit(picture, branch.end.unit); break;
        case BranchEnd::Kind::Place:
        case BranchEnd::Kind::Eliminate: picture.cells[branch.end.candidate.cell].pattern = true; break;
    }
    return picture;
}

std::string describe_cell(const CellMarks& marks, Language l) {
    // "candidats 2 et 4", the noun agreeing with the digits.
    const auto counted = [&](Msg message, std::uint16_t mask) {
        return say(l, message, {digits(mask), text(digit_list(mask, l))});
    };
    const std::string more = say(l, Msg::CellSeparator);
    std::string said;
    if (marks.value != 0) {
        said = say(l, marks.placed ? Msg::CellPlaced : Msg::CellDigit, {number(marks.value)});
    } else if (marks.candidates == 0) {
        said = say(l, Msg::CellNoCandidate);
    } else {
        said = counted(Msg::CellCandidates, marks.candidates);
    }
    if (marks.removed) said += more + counted(Msg::CellRemoved, marks.removed);
    if (marks.highlighted) said += more + counted(Msg::CellHighlighted, marks.highlighted);
    if (marks.fins) said += more + counted(Msg::CellFins, marks.fins);
    if (marks.colour_a) said += more + say(l, Msg::CellFirstColour, {text(digit_list(marks.colour_a, l))});
    if (marks.colour_b) said += more + say(l, Msg::CellSecondColour, {text(digit_list(marks.colour_b, l))});
    if (marks.pattern) said += more + say(l, Msg::CellOfPattern);
    if (marks.in_unit && !marks.pattern) said += more + say(l, Msg::CellInArea);
    return said;
}

} // namespace vornel::ladder
