// SPDX-License-Identifier: GPL-3.0-or-later
// Forcing chains. Each live candidate is assumed true on a copy of the candidates, and the
// consequences are drawn with singles only (a cell with one candidate left, a digit with one place
// left in a unit), until nothing more follows or something breaks: a cell with no candidate left,
// or a digit with no place left in a unit.
//
// Singles are tried first; only when they prove nothing do the branches also use intersections
// (a digit confined to one line of a region, or one region of a line), and the step's variant is
// then the same kind plus 3 (4, 5, 6); only when those prove nothing either do the branches also
// remove, inside themselves, the candidates of cells with two or three candidates that singles
// refute (nested forcing chains), and the variant is the kind plus 6 (7, 8, 9).
//
// Variant 1, contradiction: the assumption breaks the grid, so the candidate is false. The other
// candidates of the same cell whose assumption breaks the grid at the same level go in the same
// step, one branch each, digits ascending.
// Variant 2, cell forcing: every candidate of one cell leads to the same digit in the same other
// cell (placed), or to the removal of the same candidate (eliminated).
// Variant 3, unit forcing: every place of a digit in a unit leads there alike.
//
// The step keeps the reasoning as data. For a contradiction, `highlighted` is the assumption,
// `links` the implications from it in the order they follow, and `cells` (the cell left empty) or
// `units` and `digits` (the unit and the digit left without a place) the breaking point. For cell
// and unit forcing, `highlighted` lists the assumptions (the branches) and `cells` or `units` the
// cell or unit they cover; `links` holds each branch's implications in turn. In a forcing chain a
// link reads "if `from` is true, `to` is true" (`strong` is true); a branch begins where a link's
// `from` is not the previous link's `to`. Only the placements a conclusion needs are kept.
//
// Nishio is the lightest form: the assumption is followed for its own digit only (hidden singles of
// that digit), until a unit is left without a place for it.
//
// Cost: at most one propagation per live candidate, each a few sweeps of 81 cells and 27 units;
// contradictions are looked for cell size by cell size and end the search as soon as one is found.

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "common.h"
#include "techniques.h"

namespace vornel::ladder {

namespace {

using detail::candidate;
using detail::for_each_bit;

enum class Why : std::uint8_t { Assumed, NakedSingle, HiddenSingle, Intersection, Nested };

// What a branch does, in order: a placement, (Intersection) the removal of `digit` from the
// cells of one unit outside `unit`, where all its places lie, or (Nested) the removal of `digit`
// from `cell` because assuming it there breaks the branch by singles.
struct Placed {
    std::uint8_t cell;
    std::uint8_t digit;
    Why why;
    std::uint8_t unit; // hidden single and intersection: the unit that holds the reason
    bool is_placement() const { return why != Why::Intersection && why != Why::Nested; }
};

// How a branch broke: no candidate left in `cell`, or no place left for `digit` in `unit`.
struct Break {
    bool broken = false;
    int cell = -1;
    int unit = -1;
    int digit = 0;
};

struct NestRecord;

// One branch: the origin's candidates with one assumption and the singles that follow.
class Branch {
public:
    // Level 0: singles. Level 1: also, when singles give nothing more, a digit confined to one line
    // of a region (or one region of a line) leaves the rest of that line (or region). Level 2: also,
    // when those give nothing more, a candidate of a cell with two or three candidates whose
    // assumption breaks the branch by singles is removed (a forcing chain inside the branch).
    // `only_digit` (1-9): Nishio, the branch follows that digit's hidden singles and nothing else.
    Branch(const Candidates& origin, int level, int only_digit = 0)
        : origin_(origin), level_(level), only_digit_(only_digit) {
        const Geometry& g = geometry();
        for (int i = 0; i < 81; ++i) {
            mask_[i] = origin.mask(i);
            value_[i] = origin.value(i);
            if (value_[i] != 0)
                for (const std::uint8_t unit : g.cell_units[i]) held_[unit] |= 1u << value_[i];
        }
    }

    void run(int cell, int digit) {
        place(cell, digit, Why::Assumed, 0);
        bool progress = true;
        while (progress && !broken_.broken) {
            progress = only_digit_ != 0 ? sweep_digit(only_digit_) : sweep();
            if (!progress && level_ >= 1 && !broken_.broken) progress = intersect();
            if (!progress && level_ >= 2 && !broken_.broken) progress = nest();
        }
    }

    const Break& broken() const { return broken_; }
    int value(int cell) const { return value_[cell]; }
    // The index of the placement that writes `digit` in `cell`, or -1.
    int placed_at(int cell, int digit) const {
        return value_[cell] == digit && origin_.value(cell) == 0 ? order_[cell] : -1;
    }
    // True when the branch removed a candidate of the origin.
    bool removed(int cell, int digit) const {
        return origin_.has(cell, digit) && value_[cell] != digit && ((mask_[cell] >> digit) & 1) == 0;
    }
    // The placements that a conclusion needs, in the order they were made. The conclusion is the
    // break (conclusion < 0), the placement of `digit` in `cell`, or its removal.
    std::vector<int> needed_for_break() const {
        std::vector<bool> need(placed_.size(), false);
        if (broken_.cell >= 0) {
            for_each_bit(origin_.mask(broken_.cell), [&](int e) { mark(need, remover_[broken_.cell][e]); });
        } else {
            for (const std::uint8_t p : geometry().unit_cells[broken_.unit])
                if (origin_.has(p, broken_.digit)) mark(need, remover_[p][broken_.digit]);
        }
        return listed(need);
    }
    std::vector<int> needed_for_value(int cell) const {
        std::vector<bool> need(placed_.size(), false);
        mark(need, order_[cell]);
        return listed(need);
    }
    std::vector<int> needed_for_removal(int cell, int digit) const {
        std::vector<bool> need(placed_.size(), false);
        mark(need, remover_[cell][digit]);
        return listed(need);
    }
    const Placed& placement(int index) const { return placed_[static_cast<std::size_t>(index)]; }
    int events() const { return static_cast<int>(placed_.size()); }
    // The event that removed an origin candidate this branch removed.
    int remover(int cell, int digit) const { return remover_[cell][digit]; }
    // The origin's candidates, the branch's own state, and the inner branch of a Nested event.
    const Candidates& origin() const { return origin_; }
    bool holds(int cell, int digit) const { return ((mask_[cell] >> digit) & 1) != 0; }
    const Branch& inner(int index) const;

private:
    void place(int cell, int digit, Why why, int unit) {
        const auto index = static_cast<std::int16_t>(placed_.size());
        placed_.push_back(
            {static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(digit), why, static_cast<std::uint8_t>(unit)});
        value_[cell] = static_cast<std::uint8_t>(digit);
        for (const std::uint8_t unit : geometry().cell_units[cell]) held_[unit] |= 1u << digit;
        order_[cell] = index;
        for_each_bit(mask_[cell] & ~(1u << digit), [&](int e) { remover_[cell][e] = index; });
        mask_[cell] = 0;
        const unsigned bit = 1u << digit;
        for (const std::uint8_t peer : geometry().peers[cell]) {
            if ((mask_[peer] & bit) == 0) continue;
            mask_[peer] = static_cast<std::uint16_t>(mask_[peer] & ~bit);
            remover_[peer][digit] = index;
        }
    }

    // One pass of naked singles, then hidden singles; false when nothing followed.
    bool sweep() {
        bool progress = false;
        for (int cell = 0; cell < 81; ++cell) {
            if (value_[cell] != 0) continue;
            const unsigned m = mask_[cell];
            if (m == 0) {
                broken_ = {true, cell, -1, 0};
                return false;
            }
            if ((m & (m - 1)) == 0) {
                place(cell, std::countr_zero(m), Why::NakedSingle, 0);
                progress = true;
            }
        }
        const Geometry& g = geometry();
        for (int unit = 0; unit < 27; ++unit) {
            unsigned once = 0, twice = 0;
            const unsigned held = held_[unit];
            for (const std::uint8_t cell : g.unit_cells[unit]) {
                const unsigned m = mask_[cell];
                twice |= once & m;
                once |= m;
            }
            const unsigned missing = 0x3FEu & ~once & ~held;
            if (missing != 0) {
                broken_ = {true, -1, unit, std::countr_zero(missing)};
                return false;
            }
            for_each_bit(once & ~twice & ~held, [&](int d) {
                for (const std::uint8_t cell : g.unit_cells[unit]) {
                    if (value_[cell] != 0 || ((mask_[cell] >> d) & 1) == 0) continue;
                    place(cell, d, Why::HiddenSingle, unit);
                    progress = true;
                    break;
                }
            });
        }
        return progress;
    }

    // One pass of the hidden singles of digit `d`; false when nothing followed.
    bool sweep_digit(int d) {
        bool progress = false;
        for (int unit = 0; unit < 27; ++unit) {
            int places = 0, last = 0;
            bool held = false;
            for (const std::uint8_t cell : geometry().unit_cells[unit]) {
                if (value_[cell] == d) held = true;
                if (value_[cell] == 0 && ((mask_[cell] >> d) & 1) != 0) {
                    ++places;
                    last = cell;
                }
            }
            if (held) continue;
            if (places == 0) {
                broken_ = {true, -1, unit, d};
                return false;
            }
            if (places == 1) {
                place(last, d, Why::HiddenSingle, unit);
                progress = true;
            }
        }
        return progress;
    }

    // Pointing and claiming: for each unit and digit whose places all lie in one other unit, the
    // digit leaves the rest of that other unit. One event per removal batch; false when nothing
    // was removed.
    bool intersect() {
        const Geometry& g = geometry();
        bool progress = false;
        for (int unit = 0; unit < 27 && !broken_.broken; ++unit) {
            for (int d = 1; d <= 9; ++d) {
                const unsigned bit = 1u << d;
                CellSet places;
                bool held = false;
                for (const std::uint8_t cell : g.unit_cells[unit]) {
                    if (value_[cell] == d) held = true;
                    if (mask_[cell] & bit) places.add(cell);
                }
                if (held || places.count() < 2) continue;
                for (int other = 0; other < 27; ++other) {
                    if (other == unit || (other < 18) == (unit < 18)) continue; // a line with a region
                    if (!((places & g.unit_set[other]) == places)) continue;
                    const CellSet targets = g.unit_set[other] - g.unit_set[unit];
                    bool any = false;
                    const auto index = static_cast<std::int16_t>(placed_.size());
                    detail::for_each_cell(targets, [&](int t) {
                        if ((mask_[t] & bit) == 0) return;
                        mask_[t] = static_cast<std::uint16_t>(mask_[t] & ~bit);
                        remover_[t][d] = index;
                        any = true;
                        if (mask_[t] == 0) broken_ = {true, t, -1, 0};
                    });
                    if (!any) continue;
                    placed_.push_back({static_cast<std::uint8_t>(other), static_cast<std::uint8_t>(d),
                                       Why::Intersection, static_cast<std::uint8_t>(unit)});
                    progress = true;
                }
            }
        }
        return progress;
    }

    // The first candidate of a cell with two or three candidates whose assumption breaks the branch
    // by singles is removed; false when there is none.
    bool nest() {
        Grid values{};
        for (int i = 0; i < 81; ++i) values[static_cast<std::size_t>(i)] = value_[static_cast<std::size_t>(i)];
        Candidates inner(values);
        for (int i = 0; i < 81; ++i)
            for_each_bit(inner.mask(i) & ~mask_[static_cast<std::size_t>(i)], [&](int d) { inner.eliminate(i, d); });
        for (int cell = 0; cell < 81; ++cell) {
            if (value_[cell] != 0 || bit_count(static_cast<unsigned>(mask_[cell])) > 3) continue;
            for (int d = std::countr_zero(static_cast<unsigned>(mask_[cell])); d <= 9; ++d) {
                if (((mask_[cell] >> d) & 1) == 0) continue;
                Branch inside(inner, 0);
                inside.run(cell, d);
                if (!inside.broken().broken) continue;
                nests_.push_back({static_cast<int>(placed_.size()), std::make_shared<NestRecord>(inner, cell, d)});
                const auto index = static_cast<std::int16_t>(placed_.size());
                placed_.push_back({static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(d), Why::Nested, 0});
                mask_[cell] = static_cast<std::uint16_t>(mask_[cell] & ~(1u << d));
                remover_[cell][d] = index;
                return true;
            }
        }
        return false;
    }

    void mark(std::vector<bool>& need, int index) const {
        std::vector<int> todo{index};
        while (!todo.empty()) {
            const int i = todo.back();
            todo.pop_back();
            if (i < 0 || need[static_cast<std::size_t>(i)]) continue;
            need[static_cast<std::size_t>(i)] = true;
            const Placed& p = placed_[static_cast<std::size_t>(i)];
            if (p.why == Why::NakedSingle) {
                for_each_bit(origin_.mask(p.cell) & ~(1u << p.digit),
                             [&](int e) { todo.push_back(remover_[p.cell][e]); });
            } else if (p.why == Why::HiddenSingle) {
                for (const std::uint8_t q : geometry().unit_cells[p.unit])
                    if (q != p.cell && origin_.has(q, p.digit)) todo.push_back(remover_[q][p.digit]);
            } else if (p.why == Why::Nested) {
                // The inner chain reads the whole branch as it stood: everything before it.
                for (int j = 0; j < i; ++j) todo.push_back(j);
            } else if (p.why == Why::Intersection) {
                // The places of the digit that the unit lost: every removal of it in the unit.
                for (const std::uint8_t q : geometry().unit_cells[p.unit])
                    if (origin_.has(q, p.digit) && ((mask_[q] >> p.digit) & 1) == 0 && value_[q] != p.digit &&
                        remover_[q][p.digit] < i)
                        todo.push_back(remover_[q][p.digit]);
            }
        }
    }

    static std::vector<int> listed(const std::vector<bool>& need) {
        std::vector<int> out;
        for (std::size_t i = 0; i < need.size(); ++i)
            if (need[i]) out.push_back(static_cast<int>(i));
        return out;
    }

    const Candidates& origin_;
    int level_ = 0;
    int only_digit_ = 0;
    std::array<std::uint16_t, 81> mask_{};
    std::array<std::uint8_t, 81> value_{};
    std::array<unsigned, 27> held_{}; // by unit, the digits placed in it
    std::array<std::int16_t, 81> order_{};
    // remover_[cell][digit]: the placement that removed an origin candidate; read only for
    // candidates this branch removed, which it always wrote first.
    std::array<std::array<std::int16_t, 10>, 81> remover_{};
    std::vector<Placed> placed_;
    Break broken_;
    // The inner branches of the Nested events, kept to tell them: (event, record).
    std::vector<std::pair<int, std::shared_ptr<const NestRecord>>> nests_;
};

// An inner branch with the candidates it starts from.
struct NestRecord {
    NestRecord(const Candidates& from, int cell, int digit) : origin(from), branch(origin, 0) {
        branch.run(cell, digit);
    }
    Candidates origin;
    Branch branch;
};

const Branch& Branch::inner(int index) const {
    for (const auto& [at, record] : nests_)
        if (at == index) return record->branch;
    return *this; // not reached: only Nested events are asked for
}

// The origin candidates that the events of `chain`, and the branch's end, read as removed: the
// removals an intersection or a nested chain made that the telling must show.
std::vector<bool> read_removals(const Branch& b, const std::vector<int>& chain, const BranchEnd& end) {
    std::vector<bool> read(729, false);
    const Candidates& o = b.origin();
    const Geometry& g = geometry();
    auto unit_places = [&](int unit, int digit) {
        for (const std::uint8_t q : g.unit_cells[unit])
            if (o.has(q, digit)) read[static_cast<std::size_t>(9 * q + digit - 1)] = true;
    };
    auto cell_digits = [&](int cell, int except) {
        for_each_bit(o.mask(cell) & ~(1u << except),
                     [&](int e) { read[static_cast<std::size_t>(9 * cell + e - 1)] = true; });
    };
    bool everything = false;
    for (const int i : chain) {
        const Placed& p = b.placement(i);
        if (p.why == Why::NakedSingle)
            cell_digits(p.cell, p.digit);
        else if (p.why == Why::HiddenSingle)
            unit_places(p.unit, p.digit);
        else if (p.why == Why::Intersection)
            unit_places(p.unit, p.digit);
        else if (p.why == Why::Nested)
            everything = true;
    }
    switch (end.kind) {
        case BranchEnd::Kind::EmptyCell: cell_digits(end.cell, 0); break;
        case BranchEnd::Kind::NoPlace: unit_places(end.unit, end.candidate.digit); break;
        case BranchEnd::Kind::Eliminate:
            read[static_cast<std::size_t>(9 * end.candidate.cell + end.candidate.digit - 1)] = true;
            break;
        case BranchEnd::Kind::Place: break;
    }
    if (everything) std::fill(read.begin(), read.end(), true);
    return read;
}

// How a broken branch ends.
BranchEnd break_end(const Break& br) {
    BranchEnd end;
    if (br.cell >= 0) {
        end.cell = static_cast<std::uint8_t>(br.cell);
    } else {
        end.kind = BranchEnd::Kind::NoPlace;
        end.unit = static_cast<std::uint8_t>(br.unit);
        end.candidate = candidate(0, br.digit);
    }
    return end;
}

// The branch as data: its assumption, the implications of `chain` with their reasons, its end.
ForcingBranch describe(const Branch& b, const std::vector<int>& chain, const BranchEnd& end) {
    ForcingBranch out;
    out.assume = candidate(b.placement(0).cell, b.placement(0).digit);
    out.end = end;
    const std::vector<bool> read = read_removals(b, chain, end);
    const Geometry& g = geometry();
    for (const int i : chain) {
        if (i == 0) continue;
        const Placed& p = b.placement(i);
        Implication imp;
        imp.candidate = candidate(p.cell, p.digit);
        switch (p.why) {
            case Why::Assumed: continue;
            case Why::NakedSingle:
                imp.why = Implication::Why::NakedSingle;
                imp.cell = p.cell;
                break;
            case Why::HiddenSingle:
                imp.why = Implication::Why::HiddenSingle;
                imp.unit = p.unit;
                break;
            case Why::Intersection: {
                // One removal per candidate of the other unit that the telling needs.
                const int other = p.cell;
                const CellSet targets = g.unit_set[other] - g.unit_set[p.unit];
                detail::for_each_cell(targets, [&](int t) {
                    if (!b.origin().has(t, p.digit) || b.remover(t, p.digit) != i) return;
                    if (!read[static_cast<std::size_t>(9 * t + p.digit - 1)]) return;
                    Implication removal;
                    removal.place = false;
                    removal.candidate = candidate(t, p.digit);
                    removal.why = p.unit >= 18 ? Implication::Why::Pointing : Implication::Why::Claiming;
                    removal.unit = p.unit;
                    removal.other = static_cast<std::uint8_t>(other);
                    out.implications.push_back(std::move(removal));
                });
                continue;
            }
            case Why::Nested: {
                imp.place = false;
                imp.why = Implication::Why::Nested;
                const Branch& inner = b.inner(i);
                imp.nested.push_back(describe(inner, inner.needed_for_break(), break_end(inner.broken())));
                break;
            }
        }
        out.implications.push_back(std::move(imp));
    }
    // A removal that ends the branch because of a placement: say which placement.
    if (end.kind == BranchEnd::Kind::Eliminate) {
        const Placed& p = b.placement(b.remover(end.candidate.cell, end.candidate.digit));
        if (p.is_placement()) {
            Implication removal;
            removal.place = false;
            removal.candidate = end.candidate;
            removal.why = Implication::Why::Peer;
            removal.cell = p.cell;
            out.implications.push_back(std::move(removal));
        }
    }
    return out;
}

// Appends one branch's implications to the step as links from its assumption on.
void add_branch_links(Step& step, const Branch& branch, const std::vector<int>& chain) {
    Candidate previous = candidate(branch.placement(0).cell, branch.placement(0).digit);
    for (const int i : chain) {
        if (i == 0 || !branch.placement(i).is_placement()) continue;
        const Candidate next = candidate(branch.placement(i).cell, branch.placement(i).digit);
        step.links.push_back({previous, next, true});
        previous = next;
    }
}

// A contradiction step: each broken branch with the implications its break needs, its assumption
// removed.
Step contradiction_step(Technique technique, int variant,
                        const std::vector<std::pair<const Branch*, std::vector<int>>>& broken) {
    Step step;
    step.technique = technique;
    step.variant = variant;
    unsigned digits = 0;
    for (const auto& [b, chain] : broken) {
        const Candidate assumed = candidate(b->placement(0).cell, b->placement(0).digit);
        step.eliminations.push_back(assumed);
        step.highlighted.push_back(assumed);
        add_branch_links(step, *b, chain);
        step.branches.push_back(describe(*b, chain, break_end(b->broken())));
        const Break& br = b->broken();
        if (br.cell >= 0) {
            if (std::find(step.cells.begin(), step.cells.end(), br.cell) == step.cells.end())
                step.cells.push_back(static_cast<std::uint8_t>(br.cell));
        } else {
            if (std::find(step.units.begin(), step.units.end(), br.unit) == step.units.end())
                step.units.push_back(static_cast<std::uint8_t>(br.unit));
            digits |= 1u << br.digit;
        }
    }
    step.digits = static_cast<std::uint16_t>(digits);
    return step;
}

// A conclusion shared by every branch of a cell or unit: a digit placed in a cell, or a candidate
// removed; its cost is the number of implications the branches need for it.
struct Shared {
    bool found = false;
    bool place = false;
    int cell = 0;
    int digit = 0;
    std::size_t cost = 0;
};

// The cheapest conclusion every branch shares, placements before removals.
Shared shared_conclusion(const Candidates& c, const std::vector<const Branch*>& branches) {
    Shared best;
    for (int cell = 0; cell < 81; ++cell) {
        if (c.value(cell) != 0) continue;
        const int v = branches.front()->value(cell);
        if (v == 0) continue;
        bool all = true;
        std::size_t cost = 0;
        for (const Branch* b : branches) {
            if (b->value(cell) != v) {
                all = false;
                break;
            }
            cost += static_cast<std::size_t>(b->placed_at(cell, v));
        }
        if (!all) continue;
        if (!best.found || cost < best.cost) best = {true, true, cell, v, cost};
    }
    if (best.found) return best;
    for (int cell = 0; cell < 81; ++cell) {
        for_each_bit(c.mask(cell), [&](int d) {
            for (const Branch* b : branches)
                if (!b->removed(cell, d)) return;
            std::size_t cost = 0;
            for (const Branch* b : branches) cost += b->needed_for_removal(cell, d).size();
            if (!best.found || cost < best.cost) best = {true, false, cell, d, cost};
        });
    }
    return best;
}

// A cell or a unit whose branches all lead to one conclusion.
struct Choice {
    Shared shared;
    int variant = 0;
    int where = 0; // cell or unit
    int digit = 0; // unit forcing: the digit
    std::vector<const Branch*> branches;
};

Step forcing_step(const Choice& best, int level);

// The forcing chains of one propagation level (see Branch), into `out`: the one the ladder takes
// first, then, when listing, one per other cell whose candidates break the grid and one per other
// conclusion a cell or a unit forces. Levels 1 and 2 tell their steps with variants 4, 5, 6 and
// 7, 8, 9 (contradiction, cell, unit). True when something was found.
bool scan_forcing(const Candidates& c, int level, Instances& out) {
    // One branch per live candidate, indexed 9 * cell + digit - 1, each drawn when first needed.
    std::deque<Branch> branches;
    std::array<const Branch*, 729> made{};
    auto branch_of = [&](int cell, int d) -> const Branch& {
        const Branch*& b = made[static_cast<std::size_t>(9 * cell + d - 1)];
        if (b == nullptr) {
            branches.emplace_back(c, level);
            branches.back().run(cell, d);
            b = &branches.back();
        }
        return *b;
    };

    // Variant 1: the shortest contradiction among the candidates of the cells with the fewest
    // candidates (two, then three...): those branches are the cheapest to tell and to draw. Larger
    // cells are searched too, at the first level, while the shortest contradiction found is long to
    // tell (the deeper levels are costly and rare: their first contradictions are kept).
    const Branch* shortest = nullptr;
    std::vector<int> shortest_chain;
    constexpr std::size_t kShortEnough = 8; // implications, the assumption included
    for (int size = 2; size <= 9 && (shortest == nullptr || (level == 0 && shortest_chain.size() > kShortEnough));
         ++size) {
        for (int cell = 0; cell < 81; ++cell) {
            if (c.value(cell) != 0 || bit_count(static_cast<unsigned>(c.mask(cell))) != size) continue;
            for_each_bit(c.mask(cell), [&](int d) {
                const Branch& b = branch_of(cell, d);
                if (!b.broken().broken) return;
                std::vector<int> chain = b.needed_for_break();
                if (shortest == nullptr || chain.size() < shortest_chain.size()) {
                    shortest = &b;
                    shortest_chain = std::move(chain);
                }
            });
        }
    }
    // The candidates of `cell` that break the grid, digits ascending, one branch each.
    const auto contradiction_in = [&](int cell) {
        std::vector<std::pair<const Branch*, std::vector<int>>> broken;
        for_each_bit(c.mask(cell), [&](int d) {
            const Branch& b = branch_of(cell, d);
            if (&b == shortest)
                broken.emplace_back(&b, shortest_chain);
            else if (b.broken().broken)
                broken.emplace_back(&b, b.needed_for_break());
        });
        return contradiction_step(Technique::ForcingChain, 1 + 3 * level, broken);
    };
    if (shortest != nullptr) {
        // With the other candidates of its cell that break the grid too.
        const int first_cell = shortest->placement(0).cell;
        if (out.keep(contradiction_in(first_cell))) return true;
        for (int cell = 0; cell < 81; ++cell) {
            if (cell == first_cell || c.value(cell) != 0) continue;
            bool breaks = false;
            for_each_bit(c.mask(cell), [&](int d) { breaks = breaks || branch_of(cell, d).broken().broken; });
            if (breaks && out.keep(contradiction_in(cell))) return true;
        }
    }

    // Variants 2 and 3: the cheapest shared conclusion over cells, then over units; fewer branches
    // first.
    Choice best;
    // Every cell and unit forcing when listing, in the order met.
    std::vector<Choice> others;
    for (int size = 2; size <= 9 && (out.listing() || !best.shared.found); ++size) {
        const auto offer = [&](const Shared& s, Choice&& choice) {
            if (!s.found) return;
            if (out.listing()) others.push_back(choice);
            if (!best.shared.found || s.cost < best.shared.cost) best = std::move(choice);
        };
        for (int cell = 0; cell < 81; ++cell) {
            if (c.value(cell) != 0 || bit_count(c.mask(cell)) != size) continue;
            std::vector<const Branch*> these;
            for_each_bit(c.mask(cell), [&](int d) { these.push_back(&branch_of(cell, d)); });
            const Shared s = shared_conclusion(c, these);
            offer(s, {s, 2, cell, 0, these});
        }
        for (int unit = 0; unit < 27; ++unit) {
            for (int d = 1; d <= 9; ++d) {
                const unsigned places = c.places(unit, d);
                if (bit_count(places) != size) continue;
                std::vector<const Branch*> these;
                for_each_bit(places, [&](int p) { these.push_back(&branch_of(geometry().unit_cells[unit][p], d)); });
                const Shared s = shared_conclusion(c, these);
                offer(s, {s, 3, unit, d, these});
            }
        }
    }
    if (!best.shared.found) return shortest != nullptr;
    if (out.keep(forcing_step(best, level))) return true;
    // The other conclusions, each once, in the order met.
    std::vector<std::pair<bool, Candidate>> told = {
        {best.shared.place, candidate(best.shared.cell, best.shared.digit)}};
    for (const Choice& choice : others) {
        const std::pair<bool, Candidate> what{choice.shared.place, candidate(choice.shared.cell, choice.shared.digit)};
        if (std::find(told.begin(), told.end(), what) != told.end()) continue;
        told.push_back(what);
        if (out.keep(forcing_step(choice, level))) return true;
    }
    return true;
}

// The step of a cell or unit forcing.
Step forcing_step(const Choice& best, int level) {
    Step step;
    step.technique = Technique::ForcingChain;
    step.variant = best.variant + 3 * level;
    const Candidate conclusion = candidate(best.shared.cell, best.shared.digit);
    if (best.shared.place)
        step.placements = {conclusion};
    else
        step.eliminations = {conclusion};
    if (best.variant == 2) {
        step.cells = {static_cast<std::uint8_t>(best.where)};
    } else {
        step.units = {static_cast<std::uint8_t>(best.where)};
        step.digits = static_cast<std::uint16_t>(1u << best.digit);
    }
    for (const Branch* b : best.branches) {
        step.highlighted.push_back(candidate(b->placement(0).cell, b->placement(0).digit));
        const std::vector<int> chain = best.shared.place ? b->needed_for_value(best.shared.cell)
                                                         : b->needed_for_removal(best.shared.cell, best.shared.digit);
        add_branch_links(step, *b, chain);
        BranchEnd end;
        end.kind = best.shared.place ? BranchEnd::Kind::Place : BranchEnd::Kind::Eliminate;
        end.candidate = conclusion;
        step.branches.push_back(describe(*b, chain, end));
    }
    return step;
}

// The cells that hold each digit, 1-9.
std::array<CellSet, 10> placed_digits(const Candidates& c) {
    std::array<CellSet, 10> held{};
    for (int cell = 0; cell < 81; ++cell) held[c.value(cell)].add(cell);
    return held;
}

// The digits with a candidate off every placement of the digit: a Nishio follows one digit, so
// the candidate it removes lies on no placement.
std::array<bool, 10> digits_with_a_candidate_off(const Candidates& c) {
    std::array<bool, 10> off{};
    for (int d = 1; d <= 9; ++d) off[static_cast<std::size_t>(d)] = candidate_off_every_placement(c, d);
    return off;
}

// True when a Nishio branch of `d` from `cell` breaks: the passes of a branch that follows one
// digit, made on that digit's cells alone (`held`: the cells that hold it), so that only the
// branches that break are followed again to be told.
bool nishio_breaks(const Candidates& c, CellSet held, int cell, int d) {
    const Geometry& g = geometry();
    CellSet where = c.cells_of(d);
    const auto place = [&](int x) {
        where = where - g.peer_set[x];
        where.remove(x);
        held.add(x);
    };
    place(cell);
    for (bool progress = true; progress;) {
        progress = false;
        for (int unit = 0; unit < 27; ++unit) {
            if (!(held & g.unit_set[unit]).empty()) continue;
            const CellSet places = where & g.unit_set[unit];
            if (places.empty()) return true;
            if (places.count() == 1) {
                place(places.first());
                progress = true;
            }
        }
    }
    return false;
}

} // namespace

// Every Nishio, candidate by candidate in cell order.
void scan_nishio(const Candidates& c, Instances& out) {
    const std::array<CellSet, 10> held = placed_digits(c);
    const std::array<bool, 10> off = digits_with_a_candidate_off(c);
    for (int cell = 0; cell < 81; ++cell) {
        for (int d = 1; d <= 9; ++d) {
            if (!c.has(cell, d) || !off[static_cast<std::size_t>(d)] ||
                !nishio_breaks(c, held[static_cast<std::size_t>(d)], cell, d))
                continue;
            Branch b(c, 0, d);
            b.run(cell, d);
            if (!b.broken().broken) continue;
            if (out.keep(contradiction_step(Technique::Nishio, 1, {{&b, b.needed_for_break()}}))) return;
        }
    }
}

// Nishio: the shortest contradiction that follows one digit only; first candidate in cell order
// among equals.
std::optional<Step> find_nishio(const Candidates& c) {
    std::optional<Branch> best;
    std::vector<int> best_chain;
    const std::array<CellSet, 10> held = placed_digits(c);
    const std::array<bool, 10> off = digits_with_a_candidate_off(c);
    for (int cell = 0; cell < 81; ++cell) {
        for_each_bit(c.mask(cell), [&](int d) {
            if (!off[static_cast<std::size_t>(d)] || !nishio_breaks(c, held[static_cast<std::size_t>(d)], cell, d))
                return;
            Branch b(c, 0, d);
            b.run(cell, d);
            if (!b.broken().broken) return;
            std::vector<int> chain = b.needed_for_break();
            if (best && chain.size() >= best_chain.size()) return;
            best.emplace(std::move(b));
            best_chain = std::move(chain);
        });
    }
    if (!best) return std::nullopt;
    return contradiction_step(Technique::Nishio, 1, {{&*best, best_chain}});
}

// The forcing chains of the lightest level that finds any: the one the ladder takes, then, when
// listing, the others of that level.
void scan_forcing_chain(const Candidates& c, Instances& out) {
    for (int level = 0; level <= 2; ++level)
        if (scan_forcing(c, level, out)) return;
}

std::optional<Step> find_forcing_chain(const Candidates& c) { return first_instance(c, scan_forcing_chain); }

} // namespace vornel::ladder
