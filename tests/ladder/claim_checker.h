// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The tests' claim checker: reads a step's telling back from the messages said (ids and
// arguments, see SayRecorder), not from its words, and checks every claim of fact against the
// position before the step and against the solution. What each message claims is written here,
// apart from the narrators: "in this unit the digit can only go in these cells", "these cells can
// only hold these digits", "these cells see those", "the digit is in one of these cells", "we
// write / remove this". Sentences inside a supposition ("if ..., then ...") claim nothing of the
// position and are not read, beyond the structure their link names (the two places of a digit
// in a unit, the two digits of a cell).

#include <algorithm>
#include <bit>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "candidates.h"
#include "messages.h"

namespace vornel::ladder::testing {

class ClaimChecker {
public:
    ClaimChecker(const Candidates& before, const Grid& solution, const Step& step)
        : c_(before), solution_(solution), step_(step) {}

    // The false claims of a telling, each as "Message: what is wrong"; empty when all hold.
    std::vector<std::string> check(const std::vector<Said>& told) {
        for (const Said& s : told) check_one(s);
        // Every removal and placement of the step is told, and nothing else is.
        std::set<std::pair<int, int>> step_removed, step_placed;
        for (const Candidate& e : step_.eliminations) step_removed.insert({e.cell, e.digit});
        for (const Candidate& p : step_.placements) step_placed.insert({p.cell, p.digit});
        if (told_removed_ != step_removed) fail("the step", "its removals are not all told");
        if (told_placed_ != step_placed) fail("the step", "its placements are not all told");
        return errors_;
    }

    // How many claims each message id made that were checked.
    const std::map<Msg, int>& checked() const { return checked_; }

private:
    using Cells = std::vector<std::uint8_t>;

    void fail(const std::string& where, const std::string& what) { errors_.push_back(where + ": " + what); }

    static bool sees(int a, int b) {
        return a != b && (row_of(a) == row_of(b) || col_of(a) == col_of(b) || box_of(a) == box_of(b));
    }
    static bool in_unit(int cell, int u) {
        switch (unit_kind(u)) {
            case UnitKind::Row: return row_of(cell) == unit_number(u);
            case UnitKind::Column: return col_of(cell) == unit_number(u);
            case UnitKind::Region: return box_of(cell) == unit_number(u);
        }
        return false;
    }
    std::set<int> places(int u, int d) const {
        std::set<int> out;
        for (int cell = 0; cell < 81; ++cell)
            if (in_unit(cell, u) && c_.value(cell) == 0 && c_.has(cell, d)) out.insert(cell);
        return out;
    }
    static std::set<int> set_of(const Cells& cells) { return {cells.begin(), cells.end()}; }
    static unsigned bit(int d) { return 1u << d; }

    // "In unit u, d can only go in `cells`": the places are exactly those.
    void only_places(const std::string& m, int u, int d, const Cells& cells) {
        if (places(u, d) != set_of(cells))
            fail(m,
                 "the places of " + std::to_string(d) + " in unit " + std::to_string(u) + " are not the cells named");
    }
    // "`cells` can only hold `digits`": together they hold exactly those digits.
    void only_holds(const std::string& m, const Cells& cells, unsigned digits) {
        unsigned all = 0;
        for (const std::uint8_t cell : cells) {
            if (c_.value(cell) != 0) fail(m, "a cell named as empty is filled");
            all |= c_.mask(cell);
        }
        if (all != digits) fail(m, "the cells do not hold exactly the digits named");
    }
    void can_hold(const std::string& m, const Cells& cells, int d) {
        for (const std::uint8_t cell : cells)
            if (c_.value(cell) != 0 || !c_.has(cell, d)) fail(m, "a cell named cannot hold " + std::to_string(d));
    }
    // "`d` is in one of `cells`": true in the solution.
    void one_of(const std::string& m, int d, const Cells& cells) {
        if (std::none_of(cells.begin(), cells.end(), [&](int cell) { return solution_[cell] == d; }))
            fail(m, std::to_string(d) + " is in none of the cells named");
    }
    void all_see(const std::string& m, const Cells& from, const Cells& to) {
        for (const std::uint8_t a : from)
            for (const std::uint8_t b : to)
                if (!sees(a, b)) fail(m, "a cell does not see another it is said to see");
    }
    void removes(const std::string& m, const std::vector<Candidate>& list) {
        for (const Candidate& e : list) {
            if (c_.value(e.cell) != 0 || !c_.has(e.cell, e.digit)) fail(m, "removes a candidate that is not there");
            if (solution_[e.cell] == e.digit) fail(m, "removes the solution's digit");
            if (std::find(step_.eliminations.begin(), step_.eliminations.end(), e) == step_.eliminations.end())
                fail(m, "removes what the step does not");
            told_removed_.insert({e.cell, e.digit});
        }
    }
    void removes(const std::string& m, const Cells& cells, int d) {
        std::vector<Candidate> list;
        for (const std::uint8_t cell : cells) list.push_back({cell, static_cast<std::uint8_t>(d)});
        removes(m, list);
    }
    void places_digit(const std::string& m, int cell, int d) {
        if (solution_[cell] != d) fail(m, "writes a digit that is not the solution's");
        if (c_.value(cell) != 0) fail(m, "writes in a filled cell");
        told_placed_.insert({cell, d});
    }
    Cells unit_cells(const Cells& units) const {
        Cells out;
        for (int cell = 0; cell < 81; ++cell)
            for (const std::uint8_t u : units)
                if (in_unit(cell, u)) {
                    out.push_back(static_cast<std::uint8_t>(cell));
                    break;
                }
        return out;
    }
    static bool within(const std::set<int>& a, const Cells& b) {
        return std::all_of(a.begin(), a.end(), [&](int x) { return std::find(b.begin(), b.end(), x) != b.end(); });
    }

    void check_one(const Said& s) {
        const auto& a = s.args;
        const auto n = [&](std::size_t i) { return static_cast<int>(a.at(i).value); };
        const auto cs = [&](std::size_t i) -> const Cells& { return a.at(i).cells; };
        const auto one = [&](std::size_t i) { return Cells{static_cast<std::uint8_t>(a.at(i).value)}; };
        const auto mask = [&](std::size_t i) { return static_cast<unsigned>(a.at(i).value); };
        const std::string m = "message " + std::to_string(static_cast<int>(s.id));
        using M = Msg;
        bool claim = true;
        switch (s.id) {
            case M::FullHouse: {
                std::set<int> empty;
                for (const std::uint8_t cell : unit_cells({static_cast<std::uint8_t>(n(1))}))
                    if (c_.value(cell) == 0) empty.insert(cell);
                if (empty != std::set<int>{n(0)}) fail(m, "the cell is not the unit's only empty cell");
                places_digit(m, n(0), n(2));
                break;
            }
            case M::HiddenSingle:
                only_places(m, n(0), n(1), one(2));
                places_digit(m, n(2), n(1));
                break;
            case M::NakedSingle:
                only_holds(m, one(0), bit(n(1)));
                places_digit(m, n(0), n(1));
                break;
            case M::Intersection:
                if (!within(places(n(0), n(1)), unit_cells({static_cast<std::uint8_t>(n(2))})))
                    fail(m, "the digit has places outside the crossing");
                removes(m, a.at(3).removal);
                break;
            case M::NakedSubset:
                only_holds(m, cs(0), mask(1));
                if (cs(0).size() != static_cast<std::size_t>(std::popcount(mask(1))))
                    fail(m, "not as many digits as cells");
                for (const std::uint8_t cell : cs(0))
                    if (!in_unit(cell, n(2))) fail(m, "a cell is not in the unit");
                removes(m, a.at(3).removal);
                break;
            case M::HiddenSubset:
                for (int d = 1; d <= 9; ++d)
                    if ((mask(1) >> d) & 1)
                        if (!within(places(n(0), d), cs(2))) fail(m, "a digit has other places in the unit");
                removes(m, a.at(3).removal);
                break;
            case M::DigitRemoval:
            case M::PatternRemoval:
            case M::RemoveSo: removes(m, a.at(1).kind == Arg::Kind::Cell ? one(1) : cs(1), n(0)); break;
            case M::TwoLinksRemoval:
                removes(m, cs(1), n(0));
                all_see(m, cs(1), either_);
                break;
            case M::Fish:
                for (const std::uint8_t u : cs(0))
                    if (!within(places(u, n(1)), unit_cells(cs(2)))) fail(m, "a base unit has places off the cover");
                break;
            case M::FinnedFishPlaces: {
                Cells cover = unit_cells(cs(2));
                cover.insert(cover.end(), cs(3).begin(), cs(3).end());
                for (const std::uint8_t u : cs(0))
                    if (!within(places(u, n(1)), cover)) fail(m, "a base unit has places off the cover and fins");
                can_hold(m, cs(3), n(1));
                break;
            }
            case M::TwoLinksPlaces:
                only_places(m, n(0), n(1), cs(2));
                only_places(m, n(3), n(1), cs(4));
                break;
            case M::TwoLinksEnds:
                if (!in_unit(n(0), n(2)) || !in_unit(n(1), n(2))) fail(m, "the cells are not both in the unit");
                either_ = {static_cast<std::uint8_t>(n(4)), static_cast<std::uint8_t>(n(5))};
                one_of(m, n(3), either_);
                break;
            case M::ThreeCellsHold:
                three_.clear();
                for (std::size_t i = 0; i < 6; i += 2) {
                    only_holds(m, one(i), mask(i + 1));
                    three_.push_back(static_cast<std::uint8_t>(n(i)));
                }
                break;
            case M::XyWingRemoval: {
                const Cells ends = {static_cast<std::uint8_t>(n(1)), static_cast<std::uint8_t>(n(2))};
                one_of(m, n(0), ends);
                all_see(m, cells_of(a.at(3).removal), ends);
                removes(m, a.at(3).removal);
                break;
            }
            case M::XyzWingRemoval:
                one_of(m, n(1), three_);
                all_see(m, cells_of(a.at(2).removal), three_);
                removes(m, a.at(2).removal);
                break;
            case M::TwoCellsHold:
                only_holds(m, one(0), mask(2));
                only_holds(m, one(1), mask(2));
                break;
            case M::WWingLink:
                only_places(m, n(0), n(1), {static_cast<std::uint8_t>(n(2)), static_cast<std::uint8_t>(n(4))});
                if (!sees(n(2), n(3)) || !sees(n(4), n(5))) fail(m, "a place does not see the cell named");
                break;
            case M::WWingCases:
                one_of(m, n(3), {static_cast<std::uint8_t>(n(1)), static_cast<std::uint8_t>(n(2))});
                break;
            case M::WWingRemoval:
                all_see(m, cells_of(a.at(0).removal),
                        {static_cast<std::uint8_t>(n(1)), static_cast<std::uint8_t>(n(2))});
                removes(m, a.at(0).removal);
                break;
            case M::PlainWrite: places_digit(m, n(1), n(0)); break;
            case M::PlainRemove:
            case M::TrialRemoves:
            case M::MedusaTrap:
            case M::MedusaRemoval: removes(m, a.at(0).removal); break;
            case M::LinkCellStrong: only_holds(m, one(0), bit(n(1)) | bit(n(2))); break;
            case M::LinkCellWeak:
                can_hold(m, one(0), n(1));
                can_hold(m, one(0), n(2));
                break;
            case M::LinkUnitStrong:
                only_places(m, n(0), n(1), {static_cast<std::uint8_t>(n(2)), static_cast<std::uint8_t>(n(3))});
                break;
            case M::LinkUnitWeak:
                if (!in_unit(n(0), n(2)) || !in_unit(n(1), n(2))) fail(m, "the cells are not both in the unit");
                break;
            case M::LinkGroupStrong: { // the end ruled out, then the other: every place
                Cells both = cs(2);
                both.insert(both.end(), cs(3).begin(), cs(3).end());
                only_places(m, n(0), n(1), both);
                break;
            }
            case M::LinkGroupWeak:
                for (const std::size_t i : {0u, 1u})
                    for (const std::uint8_t cell : cs(i))
                        if (!in_unit(cell, n(2))) fail(m, "a node's cell is not in the unit");
                break;
            case M::LinkAlsStrong: {
                unsigned all = 0;
                for (const std::uint8_t cell : cs(0)) all |= c_.mask(cell);
                if (std::popcount(all) != n(2) || n(2) != n(1) + 1 || static_cast<std::size_t>(n(1)) != cs(0).size())
                    fail(m, "the cells are not an almost locked set of the size named");
                if (!(all & bit(n(3))) || !(all & bit(n(4)))) fail(m, "the set lacks a digit named");
                break;
            }
            case M::ChainPlaces:
                if (cs(0).size() != 1)
                    fail(m, "writes in a group of cells");
                else
                    places_digit(m, cs(0)[0], n(1));
                break;
            case M::ChainEitherSame: {
                Cells both = cs(1);
                both.insert(both.end(), cs(2).begin(), cs(2).end());
                one_of(m, n(0), both);
                break;
            }
            case M::ChainEitherOther: {
                const bool first = std::any_of(cs(0).begin(), cs(0).end(), [&](int x) { return solution_[x] == n(1); });
                const bool last = std::any_of(cs(2).begin(), cs(2).end(), [&](int x) { return solution_[x] == n(3); });
                if (!first && !last) fail(m, "neither end holds its digit");
                break;
            }
            case M::ChainRemoval: removes(m, a.at(1).removal); break;
            case M::ChainRemovalSees:
                removes(m, a.at(1).removal);
                all_see(m, cells_of(a.at(1).removal), cs(2));
                all_see(m, cells_of(a.at(1).removal), cs(3));
                break;
            case M::ColouringClusters:
                can_hold(m, cs(1), n(0));
                can_hold(m, cs(2), n(0));
                break;
            case M::ColouringTwice:
                all_see(m, {cs(0).front()}, {cs(0).back()});
                removes(m, a.at(2).removal);
                break;
            case M::ColouringTrap:
            case M::MultiColouringTrap: removes(m, a.at(1).removal); break;
            case M::RemotePairCells:
                for (const std::uint8_t cell : cs(0)) only_holds(m, {cell}, mask(1));
                break;
            case M::RemotePairRemoval: removes(m, a.at(2).removal); break;
            case M::Rectangle: {
                std::set<int> rows, cols, boxes;
                for (const std::uint8_t cell : cs(0)) {
                    rows.insert(row_of(cell));
                    cols.insert(col_of(cell));
                    boxes.insert(box_of(cell));
                    for (int d = 1; d <= 9; ++d)
                        if ((mask(1) >> d) & 1) can_hold(m, {cell}, d);
                }
                if (cs(0).size() != 4 || rows.size() != 2 || cols.size() != 2 || boxes.size() != 2)
                    fail(m, "the cells are not a rectangle over two boxes");
                rectangle_ = cs(0);
                break;
            }
            case M::RectangleType1: removes(m, a.at(2).removal); break;
            case M::RectangleType2:
                one_of(m, n(3), {static_cast<std::uint8_t>(n(1)), static_cast<std::uint8_t>(n(2))});
                removes(m, a.at(4).removal);
                break;
            case M::RectangleType4:
                only_places(m, n(0), n(1), cs(2));
                removes(m, a.at(5).removal);
                break;
            case M::BugPlaces:
            case M::TrialPlaces: places_digit(m, n(1), n(0)); break;
            case M::ForcingCell: only_holds(m, one(0), mask(1)); break;
            case M::ForcingUnit: only_places(m, n(0), n(1), cs(2)); break;
            case M::ForcingPlaces: places_digit(m, n(2), n(1)); break;
            case M::ForcingRemoves: removes(m, one(2), n(1)); break;
            case M::ContradictionRemoval: removes(m, one(1), n(0)); break;
            case M::ContradictionRemovesSeveral:
                for (int d = 1; d <= 9; ++d)
                    if ((mask(0) >> d) & 1) removes(m, one(1), d);
                break;
            case M::SetOneCell:
            case M::CellsHold: only_holds(m, cs(0), mask(1)); break;
            case M::SetCells:
                only_holds(m, cs(0), mask(1));
                if (n(2) != std::popcount(mask(1)) || static_cast<std::size_t>(n(3)) != cs(0).size())
                    fail(m, "the counts are wrong");
                break;
            case M::HoldersOr:
                can_hold(m, cs(1), n(0));
                one_of(m, n(0), cs(1));
                break;
            case M::RemoveSeeing:
                removes(m, cs(1), n(0));
                all_see(m, cs(1), cs(2));
                break;
            case M::SueDeCoqCentre:
                only_holds(m, cs(0), mask(3));
                for (const std::uint8_t cell : cs(0))
                    if (!in_unit(cell, n(1)) || !in_unit(cell, n(2))) fail(m, "a cell is off the crossing");
                break;
            case M::SueDeCoqRemoval: removes(m, a.at(5).removal); break;
            case M::PairRemoval: removes(m, a.at(1).removal); break;
            case M::RectangleType3Subset:
            case M::RectangleType6If:
            case M::HiddenRectangleIf: removes(m, a.at(4).removal); break;
            case M::RectangleType6Pair:
                for (const std::uint8_t cell : cs(0)) only_holds(m, {cell}, mask(1));
                for (const std::uint8_t u : cs(2))
                    if (!within(places(u, n(3)), rectangle_)) fail(m, "the digit has places off the rectangle");
                break;
            case M::HiddenRectangleCorner:
                only_holds(m, one(0), mask(1));
                for (const std::uint8_t u : cs(2))
                    if (!within(places(u, n(3)), rectangle_)) fail(m, "the digit has places off the rectangle");
                break;
            case M::AvoidableFound:
                for (const std::uint8_t cell : cs(1))
                    if (c_.value(cell) != n(0)) fail(m, "a cell does not hold the digit found");
                if (c_.value(n(3)) != n(2)) fail(m, "the cell does not hold the digit found");
                removes(m, one(4), n(2));
                break;
            case M::EmptyRectangleBox: {
                const Cells cross = unit_cells({static_cast<std::uint8_t>(n(2)), static_cast<std::uint8_t>(n(3))});
                if (!within(places(n(0), n(1)), cross)) fail(m, "the digit has places off the cross");
                break;
            }
            case M::EmptyRectanglePair:
                only_places(m, n(0), n(1), {static_cast<std::uint8_t>(n(2)), static_cast<std::uint8_t>(n(3))});
                break;
            case M::RegionFishBase:
                base_ = cs(0);
                for (std::size_t i = 0; i < cs(0).size(); ++i)
                    for (std::size_t j = i + 1; j < cs(0).size(); ++j)
                        for (const int p : places(cs(0)[i], n(1)))
                            if (places(cs(0)[j], n(1)).contains(p)) fail(m, "the base units share a place");
                fish_digit_ = n(1);
                break;
            case M::RegionFishCover:
                for (const std::uint8_t u : base_)
                    if (!within(places(u, fish_digit_), unit_cells(cs(0)))) fail(m, "a place is off the cover");
                break;
            case M::RegionFishFins: {
                Cells cover = unit_cells(cs(0));
                cover.insert(cover.end(), cs(1).begin(), cs(1).end());
                for (const std::uint8_t u : base_)
                    if (!within(places(u, fish_digit_), cover)) fail(m, "a place is off the cover and fins");
                break;
            }
            case M::MultiColouringSeesBoth: removes(m, a.at(2).removal); break;
            case M::CandidateAt: can_hold(m, one(1), n(0)); break;
            case M::MedusaSees: { // the removed candidate sees one of each colour; one colour is true
                const auto sees_candidate = [&](int cell, int d, int other, int od) {
                    return (cell == other && d != od) || (d == od && sees(cell, other));
                };
                if (!sees_candidate(n(1), n(0), n(3), n(2)) || !sees_candidate(n(1), n(0), n(5), n(4)))
                    fail(m, "the candidate does not see a coloured candidate named");
                can_hold(m, one(3), n(2));
                can_hold(m, one(5), n(4));
                if (solution_[n(3)] != n(2) && solution_[n(5)] != n(4)) fail(m, "neither coloured candidate is true");
                break;
            }
            case M::SeesEachColour:
                all_see(m, one(0), {static_cast<std::uint8_t>(n(1)), static_cast<std::uint8_t>(n(2))});
                one_of(m, n(3), {static_cast<std::uint8_t>(n(1)), static_cast<std::uint8_t>(n(2))});
                break;
            default: claim = false; break;
        }
        if (claim) ++checked_[s.id];
    }

    const Candidates& c_;
    const Grid& solution_;
    const Step& step_;
    std::vector<std::string> errors_;
    std::map<Msg, int> checked_;
    std::set<std::pair<int, int>> told_removed_, told_placed_;
    // What a sentence refers back to: the two ends of "... or ...", the three cells of a wing, the
    // corners of a rectangle, the base of a fish with regions.
    Cells either_, three_, rectangle_, base_;
    int fish_digit_ = 0;
};

} // namespace vornel::ladder::testing
