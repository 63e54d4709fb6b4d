// SPDX-License-Identifier: GPL-3.0-or-later
// Techniques built on almost locked sets (see als.h): ALS-XZ, ALS-XY-Wing, ALS chains and death
// blossoms. Each search looks at the instances within its bounds and keeps the simplest: fewest
// cells, then most eliminations, then the first in scan order; when listing, after that one, the
// simplest for each other set of eliminations, simplest first.
#include "als.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "techniques.h"

namespace vornel::ladder {

namespace detail {

std::vector<Als> almost_locked_sets(const Candidates& c, int max_size) {
    const Geometry& g = geometry();
    // The sets found, by size, each in the unit scan order: smallest first, then in scan order.
    struct Found {
        CellSet cells;
        std::uint16_t digits;
        std::uint8_t unit;
    };
    std::array<std::vector<Found>, 10> by_size;
    std::array<std::uint16_t, 512> union_of{};
    for (const int unit : kUnitScan) {
        std::array<int, 9> cells{};
        std::array<std::uint16_t, 9> masks{};
        int n = 0;
        for (const std::uint8_t cell : g.unit_cells[static_cast<std::size_t>(unit)]) {
            if (c.value(cell) != 0) continue;
            cells[static_cast<std::size_t>(n)] = cell;
            masks[static_cast<std::size_t>(n++)] = c.mask(cell);
        }
        for (unsigned sub = 1; sub < (1u << n); ++sub) {
            union_of[sub] = static_cast<std::uint16_t>(union_of[sub & (sub - 1)] |
                                                       masks[static_cast<std::size_t>(std::countr_zero(sub))]);
            const int size = bits(sub);
            if (size > max_size || bits(union_of[sub]) != size + 1) continue;
            CellSet set;
            int box = -1;
            bool one_box = true;
            for_each_bit(sub, [&](int i) {
                const int cell = cells[static_cast<std::size_t>(i)];
                set.add(cell);
                one_box = one_box && (box < 0 || box == box_of(cell));
                box = box_of(cell);
            });
            // A set of a line inside one region was listed with the region, scanned first.
            if (unit_kind(unit) != UnitKind::Region && one_box) continue;
            by_size[static_cast<std::size_t>(size)].push_back({set, union_of[sub], static_cast<std::uint8_t>(unit)});
        }
    }
    std::size_t count = 0;
    for (const std::vector<Found>& found : by_size) count += found.size();
    std::vector<Als> sets(count);
    std::size_t i = 0;
    for (std::size_t size = 1; size < by_size.size(); ++size)
        for (const Found& found : by_size[size]) {
            Als& als = sets[i++];
            als.cells = found.cells;
            als.digits = found.digits;
            als.unit = found.unit;
            als.size = static_cast<std::uint8_t>(size);
            for_each_bit(als.digits, [&](int d) {
                als.holders[static_cast<std::size_t>(d)] = als.cells & c.cells_of(d);
                als.seen[static_cast<std::size_t>(d)] =
                    common_peers(als.holders[static_cast<std::size_t>(d)]) - als.cells;
            });
        }
    return sets;
}

} // namespace detail

using namespace detail;

namespace {

// The sets techniques look at: up to this many cells each. Larger sets are rare in eliminations a
// learner can follow, and the pairs of sets grow with the square of their number.
constexpr int kMaxAlsSize = 5;
// ALS chains: at most this many sets.
constexpr int kMaxChainSets = 5;

// The sets of a position and what the searches ask of them again and again, built once for every
// pass over the position: the restricted common digits between sets, and rows of bits over the
// sets (bit j of a row for set j) that let a search filter a set's neighbours 64 at a time. The
// chain search reads the sets' cells, sizes and seen cells from flat arrays, a cache line holding
// several sets.
class SetGraph {
public:
    struct Linked {
        std::uint16_t set;    // the other set's index
        std::uint16_t digits; // the restricted common digits, bit d for digit d
    };

    explicit SetGraph(const Candidates& c)
        : sets(almost_locked_sets(c, kMaxAlsSize)), words((sets.size() + 63) / 64), overlapping_(sets.size() * words),
          cells_(sets.size()), digits_(sets.size()), sizes_(sets.size()), seen_(10 * sets.size()) {
        const std::size_t n = sets.size();
        for (std::size_t i = 0; i < n; ++i) {
            const Als& a = sets[i];
            cells_[i] = a.cells;
            digits_[i] = a.digits;
            sizes_[i] = a.size;
            for_each_bit(a.digits, [&](int d) {
                seen_[static_cast<std::size_t>(d) * n + i] = a.seen[static_cast<std::size_t>(d)];
            });
        }
        std::vector<std::uint64_t> holding_cell(81 * words); // per cell: the sets holding it
        for (std::size_t i = 0; i < n; ++i)
            for_each_cell(cells_[i], [&](int cell) { add(holding_cell, static_cast<std::size_t>(cell), i); });
        for (std::size_t i = 0; i < n; ++i)
            for_each_cell(cells_[i], [&](int cell) {
                const std::uint64_t* with = &holding_cell[static_cast<std::size_t>(cell) * words];
                for (std::size_t w = 0; w < words; ++w) overlapping_[i * words + w] |= with[w];
            });
        seeing_.assign(10 * 81 * words, 0);
        for (std::size_t i = 0; i < n; ++i)
            for_each_bit(digits_[i], [&](int d) {
                for_each_cell(seen(i, d), [&](int cell) { add(seeing_, static_cast<std::size_t>(d * 81 + cell), i); });
            });
    }

    // Works out the restricted common links between the sets, once (all the searches but the
    // death blossom's read them).
    void link() {
        if (linked_up_) return;
        linked_up_ = true;
        const std::size_t n = sets.size();
        links_.resize(n);
        linked_.assign(n * words, 0);
        before_.assign(n * words, 0);
        // A digit d links set i to the sets apart from it whose holders of d all its own holders
        // of d see. Seeing is mutual: set j is in the row of i exactly when i is in the row of j,
        // with the same digits, as a pair by pair test would find; each row comes out by index.
        std::vector<std::uint64_t> by(10 * words);
        std::vector<std::uint64_t> any(words);
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint64_t* apart = overlapping(i);
            std::fill(any.begin(), any.end(), 0);
            for_each_bit(digits_[i], [&](int d) {
                std::uint64_t* row = &by[static_cast<std::size_t>(d) * words];
                for (std::size_t w = 0; w < words; ++w) row[w] = ~apart[w];
                for_each_cell(sets[i].holders[static_cast<std::size_t>(d)], [&](int cell) {
                    const std::uint64_t* sees = seeing(d, cell);
                    for (std::size_t w = 0; w < words; ++w) row[w] &= sees[w];
                });
                for (std::size_t w = 0; w < words; ++w) any[w] |= row[w];
            });
            for (std::size_t w = 0; w < words; ++w) {
                linked_[i * words + w] = any[w];
                for (std::uint64_t m = any[w]; m != 0; m &= m - 1) {
                    unsigned common = 0;
                    for_each_bit(digits_[i], [&](int d) {
                        if ((by[static_cast<std::size_t>(d) * words + w] & m & -m) != 0) common |= 1u << d;
                    });
                    links_[i].push_back(
                        {static_cast<std::uint16_t>(w * 64 + static_cast<std::size_t>(std::countr_zero(m))),
                         static_cast<std::uint16_t>(common)});
                }
            }
        }
        for (std::size_t i = 0; i < n; ++i) {
            std::uint16_t count = 0;
            for (std::size_t w = 0; w < words; ++w) {
                before_[i * words + w] = count;
                count = static_cast<std::uint16_t>(count + bit_count(linked_[i * words + w]));
            }
        }
    }

    // Every set of up to kMaxAlsSize cells, in the order almost_locked_sets gives (smallest first).
    const std::vector<Als> sets;
    // The length of a row, in 64-bit words.
    const std::size_t words;

    // The sets linked to set `i` by restricted common digits, by index.
    const std::vector<Linked>& links(std::size_t i) const { return links_[i]; }
    // The link from set `i` to the set of bit `bit` (one bit) in word `w` of its row `linked(i)`.
    const Linked& link(std::size_t i, std::size_t w, std::uint64_t bit) const {
        return links_[i]
                     [before_[i * words + w] + static_cast<std::size_t>(bit_count(linked_[i * words + w] & (bit - 1)))];
    }
    // Rows: the sets linked to set `i` (once linked); the sets sharing a cell with it (itself
    // included).
    const std::uint64_t* linked(std::size_t i) const { return &linked_[i * words]; }
    const std::uint64_t* overlapping(std::size_t i) const { return &overlapping_[i * words]; }
    // The sets whose holders of `digit` the cell sees, the cell outside them.
    const std::uint64_t* seeing(int digit, int cell) const {
        return &seeing_[static_cast<std::size_t>(digit * 81 + cell) * words];
    }
    // The cells of set `i`, their number, and the cells outside it that see all its holders of `digit`.
    const CellSet& cells(std::size_t i) const { return cells_[i]; }
    std::size_t size(std::size_t i) const { return sizes_[i]; }
    unsigned digits(std::size_t i) const { return digits_[i]; }
    const CellSet& seen(std::size_t i, int digit) const {
        return seen_[static_cast<std::size_t>(digit) * sets.size() + i];
    }

private:
    void add(std::vector<std::uint64_t>& rows, std::size_t row, std::size_t bit) const {
        rows[row * words + bit / 64] |= std::uint64_t{1} << (bit % 64);
    }

    std::vector<std::uint64_t> overlapping_;
    std::vector<CellSet> cells_;
    std::vector<std::uint16_t> digits_;
    std::vector<std::uint8_t> sizes_;
    std::vector<CellSet> seen_;         // per digit, then per set
    std::vector<std::uint64_t> seeing_; // per digit and cell
    bool linked_up_ = false;
    std::vector<std::vector<Linked>> links_;
    std::vector<std::uint64_t> linked_;
    std::vector<std::uint16_t> before_; // per row and word: the links of the row in earlier words
};

// The position a graph was built for: each cell's digit, or its candidates.
using PositionKey = std::array<std::uint16_t, 81>;

PositionKey key_of(const Candidates& c) {
    PositionKey key{};
    for (int cell = 0; cell < 81; ++cell)
        key[static_cast<std::size_t>(cell)] =
            c.value(cell) != 0 ? static_cast<std::uint16_t>(0x8000u | c.value(cell)) : c.mask(cell);
    return key;
}

// The graph of the position, with its links when `links`. The ladder tries the ALS techniques one
// after the other on the same position, and a listing searches it twice: the graph of the last
// position is kept, one per thread, until the next position asks.
const SetGraph& graph_of(const Candidates& c, bool links) {
    thread_local std::optional<SetGraph> graph;
    thread_local PositionKey built_for{};
    const PositionKey key = key_of(c);
    if (!graph || key != built_for) {
        graph.emplace(c);
        built_for = key;
    }
    if (links) graph->link();
    return *graph;
}

} // namespace

const std::vector<Als>& detail::position_sets(const Candidates& c) { return graph_of(c, false).sets; }

namespace {

// The cells that see every cell holding `digit` in each of the sets, outside them, and hold it.
CellSet targets_of(const Candidates& c, std::initializer_list<const Als*> sets, int digit) {
    CellSet targets = c.cells_of(digit);
    for (const Als* als : sets) targets = (targets & als->seen[static_cast<std::size_t>(digit)]) - als->cells;
    return targets;
}

// A step whose pattern is a list of sets: their cells set by set (`groups` gives their sizes), one
// unit per set, the sets' candidates in alternating colours, and the candidates of `digits` in
// them highlighted.
Step sets_step(const Candidates& c, Technique technique, const std::vector<const Als*>& sets, unsigned digits) {
    Step step;
    step.technique = technique;
    step.digits = static_cast<std::uint16_t>(digits);
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const Als& als = *sets[i];
        const std::vector<std::uint8_t> cells = cell_list(als.cells);
        step.cells.insert(step.cells.end(), cells.begin(), cells.end());
        step.groups.push_back(als.size);
        step.units.push_back(als.unit);
        std::vector<Candidate>& colour = i % 2 == 0 ? step.colour_a : step.colour_b;
        for (const std::uint8_t cell : cells)
            for_each_bit(c.mask(cell), [&](int d) { colour.push_back(candidate(cell, d)); });
        highlight(c, step, als.cells, digits);
    }
    return step;
}

// A set of eliminations as one cell set per digit (entry d - 1 for digit d): the key under which
// a listing keeps its steps.
using Removal = std::array<CellSet, 9>;

struct RemovalHash {
    std::size_t operator()(const Removal& r) const {
        std::uint64_t h = 0;
        for (const CellSet& s : r) h = (h ^ s.lo ^ (s.hi << 47)) * 0x9E3779B97F4A7C15u + (s.hi >> 17);
        return static_cast<std::size_t>(h ^ (h >> 29));
    }
};

Removal removal_of(const std::vector<Candidate>& eliminations) {
    Removal r{};
    for (const Candidate& e : eliminations) r[static_cast<std::size_t>(e.digit - 1)].add(e.cell);
    return r;
}

// The eliminations of `removal`, by cell, then by digit.
std::vector<Candidate> eliminations_of(const Removal& removal) {
    CellSet all;
    for (const CellSet& cells : removal) all = all | cells;
    std::vector<Candidate> eliminations;
    for_each_cell(all, [&](int cell) {
        for (int d = 1; d <= 9; ++d)
            if (removal[static_cast<std::size_t>(d - 1)].has(cell)) eliminations.push_back(candidate(cell, d));
    });
    return eliminations;
}

// Keeps the simplest of the steps offered: fewest pattern cells, then most eliminations, then the
// first offered (a search may stop at the first of the fewest cells). When listing, keeps the
// simplest for each set of eliminations instead, and gives them simplest first.
class Best {
public:
    explicit Best(bool listing) : listing_(listing) {}
    // True when a step of `cells` cells with the `count` eliminations of `removal` would be kept
    // (`removal` is read only when listing).
    bool beats(std::size_t cells, const Removal& removal, std::size_t count) const {
        if (count == 0) return false;
        if (listing_) {
            const auto at = kept_.find(removal);
            return at == kept_.end() || cells < listed_[at->second].step.cells.size();
        }
        return !step_ || cells < step_->cells.size() ||
               (cells == step_->cells.size() && count > step_->eliminations.size());
    }
    // True when a step of `cells` cells with these eliminations would be kept.
    bool beats(std::size_t cells, const std::vector<Candidate>& eliminations) const {
        return beats(cells, listing_ ? removal_of(eliminations) : Removal{}, eliminations.size());
    }
    // The same for the eliminations of `digit` from `targets` (cells that hold it).
    bool beats(std::size_t cells, int digit, const CellSet& targets) const {
        Removal r{};
        if (listing_) r[static_cast<std::size_t>(digit - 1)] = targets;
        return beats(cells, r, static_cast<std::size_t>(targets.count()));
    }
    void offer(Step&& candidate) {
        if (!beats(candidate.cells.size(), candidate.eliminations)) return;
        if (!listing_) {
            step_ = std::move(candidate);
            return;
        }
        const auto [at, added] = kept_.try_emplace(removal_of(candidate.eliminations), listed_.size());
        if (added) listed_.emplace_back();
        listed_[at->second] = {std::move(candidate), offered_++};
    }
    // No later instance can be simpler than `cells` cells (never, when listing).
    bool settled(std::size_t cells) const { return step_ && step_->cells.size() <= cells; }
    // True when a step is kept and the scan need not go on to larger patterns.
    bool found() const { return step_.has_value(); }
    std::optional<Step> take() { return std::move(step_); }
    // Gives what was kept to `out`; when listing, `lead` first if given, then the others.
    void deliver(Instances& out, std::optional<Step> lead = std::nullopt) {
        if (!listing_) {
            if (step_) out.keep(std::move(*step_));
            return;
        }
        Removal skip{};
        if (lead) {
            skip = removal_of(lead->eliminations);
            if (out.keep(std::move(*lead))) return;
        }
        std::sort(listed_.begin(), listed_.end(), [](const Listed& a, const Listed& b) {
            if (a.step.cells.size() != b.step.cells.size()) return a.step.cells.size() < b.step.cells.size();
            if (a.step.eliminations.size() != b.step.eliminations.size())
                return a.step.eliminations.size() > b.step.eliminations.size();
            return a.order < b.order;
        });
        for (Listed& l : listed_)
            if (removal_of(l.step.eliminations) != skip && out.keep(std::move(l.step))) return;
    }

private:
    struct Listed {
        Step step;
        std::size_t order = 0; // when it was offered
    };
    bool listing_;
    std::optional<Step> step_;
    std::unordered_map<Removal, std::size_t, RemovalHash> kept_; // listing: eliminations -> index in listed_
    std::vector<Listed> listed_;
    std::size_t offered_ = 0;
};

void add_eliminations(const Candidates& c, Step& step, const CellSet& targets, int digit) {
    eliminate_digit(c, step, targets, digit);
}

// The first cell of the set that holds `digit`, with that digit.
Candidate first_holder(const Als& als, int digit) {
    int cell = -1;
    for_each_cell(als.holders[static_cast<std::size_t>(digit)], [&](int h) {
        if (cell < 0) cell = h;
    });
    return candidate(cell, digit);
}

// Why a set links two of its digits: its cell when it has one, the set otherwise.
LinkReason set_reason(const Als& als) {
    LinkReason why;
    if (als.size == 1) {
        why.kind = LinkReason::Kind::Cell;
        why.cell = static_cast<std::uint8_t>(cell_list(als.cells).front());
    } else {
        why.kind = LinkReason::Kind::Als;
        why.cells = cell_list(als.cells);
    }
    return why;
}

// A restricted common digit as a link between the sets' first holders, weak (the digit is in one
// set at most).
Link common_link(const Als& from, const Als& to, int digit) {
    return {first_holder(from, digit), first_holder(to, digit), false};
}

// Two sets A and B with a restricted common digit x: x is in one of them at most, so one of them
// is locked without x and holds its other digits. Any other digit z of both is then in A or B:
// it leaves every cell that sees all the cells holding z in both. With two restricted common
// digits both sets are locked: each digit goes where it sees all its holders in its set.
void search_als_xz(const Candidates& c, const SetGraph& graph, Best& best) {
    const std::vector<Als>& sets = graph.sets;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const Als& a = sets[i];
        if (best.settled(a.size)) break;
        for (const auto& [j, rcc] : graph.links(i)) {
            if (j < i) continue;
            const Als& b = sets[j];
            const std::size_t cells = static_cast<std::size_t>(a.size + b.size);
            // Sets come smallest first: no later one gives fewer cells.
            if (best.settled(cells)) break;
            const unsigned common = a.digits & b.digits;
            if (bits(common) < 2 || bits(rcc) > 2) continue;
            Removal removal{};
            const auto remove = [&](int d, const CellSet& targets) {
                removal[static_cast<std::size_t>(d - 1)] = removal[static_cast<std::size_t>(d - 1)] | targets;
            };
            if (bits(rcc) == 1) {
                for_each_bit(common & ~rcc, [&](int z) { remove(z, targets_of(c, {&a, &b}, z)); });
            } else {
                // Doubly linked: A without the two commons is locked, so is B; each common digit
                // is in A or B.
                for_each_bit(rcc, [&](int d) { remove(d, targets_of(c, {&a, &b}, d)); });
                for_each_bit(a.digits & ~rcc, [&](int d) { remove(d, targets_of(c, {&a}, d) - b.cells); });
                for_each_bit(b.digits & ~rcc, [&](int d) { remove(d, targets_of(c, {&b}, d) - a.cells); });
            }
            std::size_t count = 0;
            for (const CellSet& targets : removal) count += static_cast<std::size_t>(targets.count());
            if (!best.beats(cells, removal, count)) continue;
            Step step = sets_step(c, Technique::AlsXz, {&a, &b}, common);
            step.eliminations = eliminations_of(removal);
            step.variant = bits(rcc);
            for_each_bit(rcc, [&](int x) { step.links.push_back(common_link(a, b, x)); });
            best.offer(std::move(step));
        }
    }
}

// A pivot set C linked to A by a restricted common x and to B by another, y. C cannot lose both x
// and y, so A loses x or B loses y, and the one that does is locked. A digit z of A and B (not x,
// not y) is then in A or B: it leaves every cell that sees all its holders in both.
void search_als_xy_wing(const Candidates& c, const SetGraph& graph, Best& best) {
    const std::vector<Als>& sets = graph.sets;
    for (std::size_t k = 0; k < sets.size(); ++k) {
        const Als& pivot = sets[k];
        const std::vector<SetGraph::Linked>& linked = graph.links(k);
        for (std::size_t p = 0; p < linked.size(); ++p) {
            const std::size_t i = linked[p].set;
            const Als& a = sets[i];
            const std::uint64_t* apart = graph.overlapping(i);
            // The sets after A that may be B: two digits in common with A and no cell. Sifted 64 at
            // a time into a mask without branches: few pass.
            for (std::size_t base = p + 1; base < linked.size(); base += 64) {
                const std::size_t count = std::min<std::size_t>(64, linked.size() - base);
                std::uint64_t pass = 0;
                for (std::size_t r = 0; r < count; ++r) {
                    const std::size_t j = linked[base + r].set;
                    const auto fits = static_cast<std::uint64_t>(bits(graph.digits(i) & graph.digits(j)) >= 2) &
                                      ~(apart[j / 64] >> (j % 64));
                    pass |= (fits & 1) << r;
                }
                for (; pass != 0; pass &= pass - 1) {
                    const std::size_t q = base + static_cast<std::size_t>(std::countr_zero(pass));
                    const std::size_t j = linked[q].set;
                    const Als& b = sets[j];
                    const std::size_t size = static_cast<std::size_t>(pivot.size + a.size + b.size);
                    const unsigned common = a.digits & b.digits;
                    if (best.settled(size)) continue;
                    for_each_bit(linked[p].digits, [&](int x) {
                        for_each_bit(linked[q].digits & ~(1u << x), [&](int y) {
                            const unsigned zs = common & ~(1u << x) & ~(1u << y);
                            if (zs == 0) return;
                            Removal removal{};
                            std::size_t removed_count = 0;
                            for_each_bit(zs, [&](int z) {
                                const CellSet targets = (c.cells_of(z) & graph.seen(i, z) & graph.seen(j, z)) -
                                                        graph.cells(i) - graph.cells(j);
                                removal[static_cast<std::size_t>(z - 1)] = targets;
                                removed_count += static_cast<std::size_t>(targets.count());
                            });
                            if (!best.beats(size, removal, removed_count)) return;
                            Step step = sets_step(c, Technique::AlsXyWing, {&a, &pivot, &b}, zs);
                            step.eliminations = eliminations_of(removal);
                            step.links = {common_link(a, pivot, x), common_link(pivot, b, y)};
                            // Each digit removed has its chain: z off in A = x in A - x off in the
                            // pivot = y in the pivot - y off in B = z in B. With two, `links` is the
                            // first and `chains` holds both.
                            unsigned removed = 0;
                            for (const Candidate& e : step.eliminations) removed |= 1u << e.digit;
                            for_each_bit(removed, [&](int z) {
                                step.chains.push_back(set_chain_links(c, {a.cells, pivot.cells, b.cells}, {x, y}, z));
                            });
                            step.links = step.chains.front();
                            if (step.chains.size() == 1) step.chains.clear();
                            best.offer(std::move(step));
                        });
                    });
                }
            }
        }
    }
}

// The step of an ALS chain through `chain`, each set linked to the next by `digits[i]`, removing
// z from `removed`.
Step chain_step(const Candidates& c, const std::vector<const Als*>& chain, const std::vector<int>& digits, int z,
                const CellSet& removed) {
    Step step = sets_step(c, Technique::AlsChain, chain, 1u << z);
    add_eliminations(c, step, removed, z);
    // z in A1 = a link's digit in A1 - the same in A2 = ... = z in An. Inside a set the link is the
    // set's (without one digit it holds the other); between sets, a unit both cells share.
    const auto inside = [&](const Als& set) {
        LinkReason why;
        why.kind = LinkReason::Kind::Als;
        why.cells = cell_list(set.cells);
        return why;
    };
    Candidate from = first_holder(*chain.front(), z);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const Candidate out = first_holder(*chain[i], digits[i]);
        const Candidate in = first_holder(*chain[i + 1], digits[i]);
        step.links.emplace_back(from, out, true, inside(*chain[i]));
        step.links.emplace_back(out, in, false, link_reason(c, out, in, false));
        from = in;
    }
    step.links.emplace_back(from, first_holder(*chain.back(), z), true, inside(*chain.back()));
    return step;
}

// A chain of sets A1 - A2 - ... - An, each linked to the next by a restricted common digit, two
// consecutive links on different digits. If a digit z of A1 and An (not the digit of their own
// link) were in neither, A1 would be locked with its first link's digit, which leaves A2, which
// is then locked with the next link's digit, and so on until An is locked with z: a
// contradiction. So z leaves every cell that sees all its holders in A1 and An. Chains of two and
// three sets are ALS-XZ and ALS-XY-Wing; this finder looks for four sets and more.
//
// Every chain of 4 sets is tried before any of 5, from each first set and digit z, depth-first
// over the links. A set entered by a digit at a depth from which nothing was found is not tried
// again from the same first set (a later path may differ only by the cells it has used). Sets
// from which no end can be reached in the links left are not tried at all: they would find
// nothing whatever the path before them, and mark only sets like them, so the steps found stay
// the same.
class ChainSearch {
public:
    ChainSearch(const Candidates& c, const SetGraph& graph, Best& best)
        : c_(c), graph_(graph), best_(best), sets_(graph.sets), words_(graph.words), ends_(words_),
          blocked_(words_ * kMaxChainSets), near_(words_ * kMaxChainSets), entry_(sets_.size()),
          dead_(sets_.size() * 10 * kMaxChainSets, 0) {}

    void run() {
        for (length_ = 4; length_ <= kMaxChainSets; ++length_) {
            for (std::size_t start = 0; start < sets_.size(); ++start) {
                if (graph_.links(start).empty()) continue;
                for_each_bit(sets_[start].digits, [&](int z) { from(start, z); });
            }
            if (best_.found()) break;
        }
    }

private:
    // The chains of the current length from `start` that remove z.
    void from(std::size_t start, int z) {
        const Als& first = sets_[start];
        reach_ = targets_of(c_, {&first}, z);
        if (reach_.empty()) return;
        // The sets that may end the chain: they hold z where the cells of `reach` see it. A chain
        // read backwards is the same chain: only those ending on a later set.
        std::fill(ends_.begin(), ends_.end(), 0);
        for_each_cell(reach_, [&](int cell) {
            const std::uint64_t* seeing = graph_.seeing(z, cell);
            for (std::size_t w = 0; w < words_; ++w) ends_[w] |= seeing[w];
        });
        bool any = false;
        const std::uint64_t* apart = graph_.overlapping(start);
        for (std::size_t w = 0; w < words_; ++w) {
            if (w < start / 64) ends_[w] = 0;
            if (w == start / 64) ends_[w] &= start % 64 == 63 ? 0 : ~std::uint64_t{0} << (start % 64 + 1);
            ends_[w] &= ~apart[w];
            any = any || ends_[w] != 0;
        }
        if (!any) return;
        z_ = z;
        if (reachable(start)) {
            ++stamp_;
            path_ = {start};
            through_.clear();
            std::copy_n(apart, words_, blocked_.begin());
            used_ = first.cells;
            cells_ = first.size;
            extend(0);
        }
        for_each(row(1), [&](std::size_t set) { entry_[set] = 0; });
    }

    // Works out near(r): the sets apart from the first from which r links can reach an end; with
    // one link to go, entry_[s] gives the digits s may be entered by (its link to an end is by
    // another digit, not z). A set entered outside them finds nothing. Sets enter with all links
    // but one to go only from the first: that row is worked out for its links alone. False when
    // the first set reaches no end.
    bool reachable(std::size_t start) {
        const std::uint64_t* apart = graph_.overlapping(start);
        std::uint64_t* one = row(1);
        std::fill_n(one, words_, 0);
        for_each(ends_.data(), [&](std::size_t end) {
            // Without branches: most links pass, in no order a processor can guess.
            for (const auto& [set, rcc] : graph_.links(end)) {
                const unsigned others = rcc & ~(1u << z_);
                const unsigned keep = static_cast<unsigned>(others != 0) & static_cast<unsigned>(!has(apart, set));
                const unsigned digits = bits(others) > 1 ? 0x3FEu : 0x3FEu & ~others;
                entry_[set] = static_cast<std::uint16_t>(entry_[set] | (digits & (0u - keep)));
                one[set / 64] |= std::uint64_t{keep} << (set % 64);
            }
        });
        // The first set's links count hops - 1 links to go.
        const int hops = length_ - 1;
        for (int r = 2; r + 1 < hops; ++r) {
            std::uint64_t* next = row(r);
            std::fill_n(next, words_, 0);
            for_each(row(r - 1), [&](std::size_t set) {
                const std::uint64_t* linked = graph_.linked(set);
                for (std::size_t w = 0; w < words_; ++w) next[w] |= linked[w];
            });
            for (std::size_t w = 0; w < words_; ++w) next[w] &= ~apart[w];
        }
        std::uint64_t* last = row(hops - 1);
        std::fill_n(last, words_, 0);
        bool reaches = false;
        const std::uint64_t* before = row(hops - 2);
        for_each(graph_.linked(start), [&](std::size_t set) {
            const std::uint64_t* linked = graph_.linked(set);
            bool meets = false;
            for (std::size_t w = 0; w < words_ && !meets; ++w) meets = (linked[w] & before[w]) != 0;
            if (meets) last[set / 64] |= std::uint64_t{1} << (set % 64);
            reaches = reaches || meets;
        });
        return reaches;
    }

    // Goes on from the last set of the path, entered by `previous` (0 for the first); true when
    // it offered a step.
    bool extend(int previous) {
        const std::size_t at = path_.back(), depth = path_.size() - 1;
        const std::uint64_t* block = &blocked_[depth * words_];
        const unsigned skip = previous > 0 ? 1u << previous : 0u;
        const int z = z_;
        bool found = false;
        if (static_cast<int>(path_.size()) + 1 == length_) {
            // The last set: any link digit but z and the previous one will do, and each gives the
            // same step; the first is kept.
            const std::uint64_t* linked = graph_.linked(at);
            for (std::size_t w = 0; w < words_; ++w)
                for (std::uint64_t m = linked[w] & ends_[w] & ~block[w]; m != 0; m &= m - 1) {
                    const std::size_t next = w * 64 + static_cast<std::size_t>(std::countr_zero(m));
                    const std::size_t size = graph_.size(next);
                    if (best_.settled(cells_ + size)) continue;
                    const unsigned choices = graph_.link(at, w, m & -m).digits & ~skip & ~(1u << z);
                    if (choices == 0) continue;
                    const CellSet removed = (reach_ & graph_.seen(next, z)) - used_ - graph_.cells(next);
                    if (!best_.beats(cells_ + size, z, removed)) continue;
                    std::vector<const Als*> chain;
                    for (const std::size_t s : path_) chain.push_back(&sets_[s]);
                    chain.push_back(&sets_[next]);
                    std::vector<int> digits = through_;
                    digits.push_back(std::countr_zero(choices));
                    best_.offer(chain_step(c_, chain, digits, z, removed));
                    found = true;
                }
            return found;
        }
        // The sets that may come next, and with one link left after them, by which digits.
        const int left = length_ - 2 - static_cast<int>(depth);
        const std::uint64_t* ahead = row(left);
        const auto go = [&](std::size_t next, unsigned rcc) {
            const std::size_t size = graph_.size(next);
            if (best_.settled(cells_ + size)) return;
            unsigned choices = rcc & ~skip;
            if (depth == 0) choices &= ~(1u << z);
            if (left == 1) choices &= entry_[next];
            bool entered = false;
            for_each_bit(choices, [&](int x) {
                const std::size_t key = (next * 10 + static_cast<std::size_t>(x)) * kMaxChainSets + depth + 1;
                if (dead_[key] == stamp_) return;
                if (!entered) {
                    const std::uint64_t* also = graph_.overlapping(next);
                    std::uint64_t* below = &blocked_[(depth + 1) * words_];
                    for (std::size_t w = 0; w < words_; ++w) below[w] = block[w] | also[w];
                    entered = true;
                }
                path_.push_back(next);
                through_.push_back(x);
                const CellSet before = used_;
                used_ = used_ | graph_.cells(next);
                cells_ += size;
                const bool offered = extend(x);
                cells_ -= size;
                used_ = before;
                through_.pop_back();
                path_.pop_back();
                if (offered)
                    found = true;
                else
                    dead_[key] = stamp_;
            });
        };
        // The links are sifted 64 at a time into a mask first: few pass, and the test is then
        // free of branches.
        const std::vector<SetGraph::Linked>& links = graph_.links(at);
        for (std::size_t base = 0; base < links.size(); base += 64) {
            const std::size_t count = std::min<std::size_t>(64, links.size() - base);
            std::uint64_t pass = 0;
            for (std::size_t k = 0; k < count; ++k) {
                const std::size_t next = links[base + k].set;
                pass |= ((ahead[next / 64] & ~block[next / 64]) >> (next % 64) & 1) << k;
            }
            for (; pass != 0; pass &= pass - 1) {
                const SetGraph::Linked& link = links[base + static_cast<std::size_t>(std::countr_zero(pass))];
                go(link.set, link.digits);
            }
        }
        return found;
    }

    std::uint64_t* row(int r) { return &near_[static_cast<std::size_t>(r) * words_]; }
    static bool has(const std::uint64_t* row, std::size_t set) { return (row[set / 64] >> (set % 64) & 1) != 0; }
    // Calls f(set) for each set of the row, by index.
    template<typename F>
    void for_each(const std::uint64_t* row, F&& f) const {
        for (std::size_t w = 0; w < words_; ++w)
            for (std::uint64_t m = row[w]; m != 0; m &= m - 1)
                f(w * 64 + static_cast<std::size_t>(std::countr_zero(m)));
    }

    const Candidates& c_;
    const SetGraph& graph_;
    Best& best_;
    const std::vector<Als>& sets_;
    const std::size_t words_;
    int length_ = 0;
    int z_ = 0;
    CellSet reach_;                      // the cells holding z that see all its holders in the first set
    std::vector<std::uint64_t> ends_;    // the sets that may end the chain
    std::vector<std::uint64_t> blocked_; // by depth: the sets sharing a cell with the path so far
    std::vector<std::uint64_t> near_;    // by links to go: see reachable()
    std::vector<std::uint16_t> entry_;   // see reachable()
    std::vector<std::uint32_t> dead_;    // by set, entering digit and depth: when nothing was found
    std::uint32_t stamp_ = 0;            // one per first set, digit and length
    std::vector<std::size_t> path_;
    std::vector<int> through_; // through_[i]: the digit of the link from path_[i] to path_[i + 1]
    CellSet used_;
    std::size_t cells_ = 0;
};

void search_als_chain(const Candidates& c, const SetGraph& graph, Best& best) { ChainSearch(c, graph, best).run(); }

// A stem cell and, for each of its digits, a petal: a set holding that digit only in cells that
// see the stem. Whatever digit the stem holds leaves its petal, which is then locked. A digit z
// of every petal (not of the stem) is then in one of the petals: it leaves every cell that sees
// all its holders in all of them.
void search_death_blossom(const Candidates& c, const SetGraph& graph, Best& best) {
    const std::vector<Als>& sets = graph.sets;
    std::array<std::vector<const Als*>, 10> petals_of;
    std::array<std::vector<const Als*>, 10> options;
    for (int stem = 0; stem < 81; ++stem) {
        if (c.value(stem) != 0) continue;
        const unsigned stem_digits = c.mask(stem);
        const int petals = bits(stem_digits);
        if (petals < 2 || petals > 4) continue;
        // For each stem digit, the sets that may be its petal, and the digits all of them could share.
        unsigned shared = 0x3FE & ~stem_digits;
        for_each_bit(stem_digits, [&](int d) {
            // The sets holding d, without the stem, whose holders of d all see it.
            auto& list = petals_of[static_cast<std::size_t>(d)];
            list.clear();
            unsigned reachable = 0;
            const std::uint64_t* seeing = graph.seeing(d, stem);
            for (std::size_t w = 0; w < graph.words; ++w)
                for (std::uint64_t m = seeing[w]; m != 0; m &= m - 1) {
                    const Als& als = sets[w * 64 + static_cast<std::size_t>(std::countr_zero(m))];
                    list.push_back(&als);
                    reachable |= als.digits;
                }
            shared &= reachable;
        });
        std::array<int, 4> stem_list{};
        int k = 0;
        for_each_bit(stem_digits, [&](int d) { stem_list[static_cast<std::size_t>(k++)] = d; });
        for_each_bit(shared, [&](int z) {
            for_each_bit(stem_digits, [&](int d) {
                auto& list = options[static_cast<std::size_t>(d)];
                list.clear();
                for (const Als* als : petals_of[static_cast<std::size_t>(d)])
                    if ((als->digits >> z) & 1) list.push_back(als);
            });
            std::vector<const Als*> chosen;
            CellSet used;
            used.add(stem);
            const auto choose = [&](auto&& self, int index, CellSet reach, std::size_t cells) -> void {
                if (reach.empty() || best.settled(cells)) return;
                if (index == petals) {
                    Step probe;
                    add_eliminations(c, probe, reach - used, z);
                    if (!best.beats(cells, probe.eliminations)) return;
                    Step step;
                    step.technique = Technique::DeathBlossom;
                    step.digits = static_cast<std::uint16_t>(1u << z | stem_digits);
                    step.cells = {static_cast<std::uint8_t>(stem)};
                    step.groups = {1};
                    for_each_bit(stem_digits, [&](int d) { step.highlighted.push_back(candidate(stem, d)); });
                    const Step petals_step = sets_step(c, Technique::DeathBlossom, chosen, 1u << z);
                    step.cells.insert(step.cells.end(), petals_step.cells.begin(), petals_step.cells.end());
                    step.groups.insert(step.groups.end(), petals_step.groups.begin(), petals_step.groups.end());
                    step.units = petals_step.units;
                    step.colour_a = petals_step.colour_a;
                    step.colour_b = petals_step.colour_b;
                    step.highlighted.insert(step.highlighted.end(), petals_step.highlighted.begin(),
                                            petals_step.highlighted.end());
                    // The stem's digit d and the petal's holders of d: one excludes the other;
                    // without d the petal holds z.
                    for (int i = 0; i < petals; ++i) {
                        const int d = stem_list[static_cast<std::size_t>(i)];
                        const Als& petal = *chosen[static_cast<std::size_t>(i)];
                        const Candidate from = candidate(stem, d), in = first_holder(petal, d);
                        step.links.push_back({from, in, false});
                        step.petals.push_back({{from, in, false, link_reason(c, from, in, false)},
                                               {in, first_holder(petal, z), true, set_reason(petal)}});
                    }
                    step.eliminations = std::move(probe.eliminations);
                    best.offer(std::move(step));
                    return;
                }
                const int d = stem_list[static_cast<std::size_t>(index)];
                for (const Als* als : options[static_cast<std::size_t>(d)]) {
                    if (!(als->cells & used).empty()) continue;
                    chosen.push_back(als);
                    used = used | als->cells;
                    self(self, index + 1, reach & als->seen[static_cast<std::size_t>(z)], cells + als->size);
                    used = used - als->cells;
                    chosen.pop_back();
                }
            };
            choose(choose, 0, c.cells_of(z), 1);
        });
    }
}

// The step the ladder takes (the simplest the search meets, which stops early); when listing, that
// step first, then the simplest instance of each other set of eliminations, simplest first.
void scan_sets(const Candidates& c, Instances& out, void (*search)(const Candidates&, const SetGraph&, Best&),
               bool links = true) {
    const SetGraph& graph = graph_of(c, links);
    Best first(false);
    search(c, graph, first);
    if (!out.listing()) {
        first.deliver(out);
        return;
    }
    if (!first.found()) return;
    Best every(true);
    search(c, graph, every);
    every.deliver(out, first.take());
}

} // namespace

void scan_als_xz(const Candidates& c, Instances& out) { scan_sets(c, out, search_als_xz); }
void scan_als_xy_wing(const Candidates& c, Instances& out) { scan_sets(c, out, search_als_xy_wing); }
void scan_als_chain(const Candidates& c, Instances& out) { scan_sets(c, out, search_als_chain); }
void scan_death_blossom(const Candidates& c, Instances& out) { scan_sets(c, out, search_death_blossom, false); }

std::optional<Step> find_als_xz(const Candidates& c) { return first_instance(c, scan_als_xz); }
std::optional<Step> find_als_xy_wing(const Candidates& c) { return first_instance(c, scan_als_xy_wing); }
std::optional<Step> find_als_chain(const Candidates& c) { return first_instance(c, scan_als_chain); }
std::optional<Step> find_death_blossom(const Candidates& c) { return first_instance(c, scan_death_blossom); }

} // namespace vornel::ladder
