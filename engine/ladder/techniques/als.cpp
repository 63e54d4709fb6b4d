// Techniques built on almost locked sets (see als.h): ALS-XZ, ALS-XY-Wing, ALS chains and death
// blossoms. Each search looks at the instances within its bounds and keeps the simplest: fewest
// cells, then most eliminations, then the first in scan order; when listing, after that one, the
// simplest for each other set of eliminations, simplest first.
#include "als.h"

#include <algorithm>
#include <map>

#include "techniques.h"

namespace vornel::ladder {

namespace detail {

std::vector<Als> almost_locked_sets(const Candidates& c, int max_size) {
    const Geometry& g = geometry();
    std::vector<Als> sets;
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
            Als als;
            int box = -1;
            bool one_box = true;
            for_each_bit(sub, [&](int i) {
                const int cell = cells[static_cast<std::size_t>(i)];
                als.cells.add(cell);
                one_box = one_box && (box < 0 || box == box_of(cell));
                box = box_of(cell);
            });
            // A set of a line inside one region was listed with the region, scanned first.
            if (unit_kind(unit) != UnitKind::Region && one_box) continue;
            als.digits = union_of[sub];
            als.unit = static_cast<std::uint8_t>(unit);
            als.size = static_cast<std::uint8_t>(size);
            sets.push_back(als);
        }
    }
    std::stable_sort(sets.begin(), sets.end(), [](const Als& a, const Als& b) { return a.size < b.size; });
    for (Als& als : sets) {
        for_each_bit(als.digits, [&](int d) {
            als.holders[static_cast<std::size_t>(d)] = als.cells & c.cells_of(d);
            als.seen[static_cast<std::size_t>(d)] = common_peers(als.holders[static_cast<std::size_t>(d)]) - als.cells;
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

// Keeps the simplest of the steps offered: fewest pattern cells, then most eliminations, then the
// first offered (a search may stop at the first of the fewest cells). When listing, keeps the
// simplest for each set of eliminations instead, and gives them simplest first.
class Best {
public:
    explicit Best(bool listing) : listing_(listing) {}
    // True when a step of `cells` cells with these eliminations would be kept.
    bool beats(std::size_t cells, const std::vector<Candidate>& eliminations) const {
        if (eliminations.empty()) return false;
        if (listing_) {
            const auto at = kept_.find(key(eliminations));
            return at == kept_.end() || cells < listed_[at->second].step.cells.size();
        }
        return !step_ || cells < step_->cells.size() ||
               (cells == step_->cells.size() && eliminations.size() > step_->eliminations.size());
    }
    void offer(Step&& candidate) {
        if (!beats(candidate.cells.size(), candidate.eliminations)) return;
        if (!listing_) {
            step_ = std::move(candidate);
            return;
        }
        const auto [at, added] = kept_.try_emplace(key(candidate.eliminations), listed_.size());
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
        std::vector<std::uint16_t> skip;
        if (lead) {
            skip = key(lead->eliminations);
            if (out.keep(std::move(*lead))) return;
        }
        std::sort(listed_.begin(), listed_.end(), [](const Listed& a, const Listed& b) {
            if (a.step.cells.size() != b.step.cells.size()) return a.step.cells.size() < b.step.cells.size();
            if (a.step.eliminations.size() != b.step.eliminations.size())
                return a.step.eliminations.size() > b.step.eliminations.size();
            return a.order < b.order;
        });
        for (Listed& l : listed_)
            if (key(l.step.eliminations) != skip && out.keep(std::move(l.step))) return;
    }

private:
    struct Listed {
        Step step;
        std::size_t order = 0; // when it was offered
    };
    static std::vector<std::uint16_t> key(const std::vector<Candidate>& eliminations) {
        std::vector<std::uint16_t> k;
        k.reserve(eliminations.size());
        for (const Candidate& e : eliminations) k.push_back(static_cast<std::uint16_t>(e.cell * 10 + e.digit));
        return k;
    }
    bool listing_;
    std::optional<Step> step_;
    std::map<std::vector<std::uint16_t>, std::size_t> kept_; // listing: eliminations -> index in listed_
    std::vector<Listed> listed_;
    std::size_t offered_ = 0;
};

void add_eliminations(const Candidates& c, Step& step, const CellSet& targets, int digit) {
    eliminate_digit(c, step, targets, digit);
}

void sort_eliminations(Step& step) {
    std::sort(step.eliminations.begin(), step.eliminations.end(),
              [](Candidate a, Candidate b) { return a.cell != b.cell ? a.cell < b.cell : a.digit < b.digit; });
    step.eliminations.erase(std::unique(step.eliminations.begin(), step.eliminations.end()), step.eliminations.end());
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
void search_als_xz(const Candidates& c, Best& best) {
    const std::vector<Als> sets = almost_locked_sets(c, kMaxAlsSize);
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const Als& a = sets[i];
        if (best.settled(a.size)) break;
        for (std::size_t j = i + 1; j < sets.size(); ++j) {
            const Als& b = sets[j];
            const std::size_t cells = static_cast<std::size_t>(a.size + b.size);
            if (best.settled(cells)) break;
            const unsigned common = a.digits & b.digits;
            if (bits(common) < 2) continue;
            const unsigned rcc = restricted_commons(a, b);
            if (rcc == 0 || bits(rcc) > 2) continue;
            Step probe;
            if (bits(rcc) == 1) {
                for_each_bit(common & ~rcc, [&](int z) { add_eliminations(c, probe, targets_of(c, {&a, &b}, z), z); });
            } else {
                // Doubly linked: A without the two commons is locked, so is B; each common digit
                // is in A or B.
                for_each_bit(rcc, [&](int d) { add_eliminations(c, probe, targets_of(c, {&a, &b}, d), d); });
                for_each_bit(a.digits & ~rcc,
                             [&](int d) { add_eliminations(c, probe, targets_of(c, {&a}, d) - b.cells, d); });
                for_each_bit(b.digits & ~rcc,
                             [&](int d) { add_eliminations(c, probe, targets_of(c, {&b}, d) - a.cells, d); });
            }
            sort_eliminations(probe);
            if (!best.beats(cells, probe.eliminations)) continue;
            Step step = sets_step(c, Technique::AlsXz, {&a, &b}, common);
            step.eliminations = std::move(probe.eliminations);
            step.variant = bits(rcc);
            for_each_bit(rcc, [&](int x) { step.links.push_back(common_link(a, b, x)); });
            best.offer(std::move(step));
        }
    }
}

// A pivot set C linked to A by a restricted common x and to B by another, y. C cannot lose both x
// and y, so A loses x or B loses y, and the one that does is locked. A digit z of A and B (not x,
// not y) is then in A or B: it leaves every cell that sees all its holders in both.
void search_als_xy_wing(const Candidates& c, Best& best) {
    const std::vector<Als> sets = almost_locked_sets(c, kMaxAlsSize);
    std::vector<std::pair<std::size_t, unsigned>> linked;
    for (std::size_t k = 0; k < sets.size(); ++k) {
        const Als& pivot = sets[k];
        linked.clear();
        for (std::size_t i = 0; i < sets.size(); ++i) {
            if (i == k) continue;
            if (const unsigned rcc = restricted_commons(pivot, sets[i]); rcc != 0) linked.emplace_back(i, rcc);
        }
        for (std::size_t p = 0; p < linked.size(); ++p) {
            const Als& a = sets[linked[p].first];
            for (std::size_t q = p + 1; q < linked.size(); ++q) {
                const Als& b = sets[linked[q].first];
                const std::size_t size = static_cast<std::size_t>(pivot.size + a.size + b.size);
                const unsigned common = a.digits & b.digits;
                if (bits(common) < 2 || best.settled(size) || !(a.cells & b.cells).empty()) continue;
                for_each_bit(linked[p].second, [&](int x) {
                    for_each_bit(linked[q].second & ~(1u << x), [&](int y) {
                        const unsigned zs = common & ~(1u << x) & ~(1u << y);
                        if (zs == 0) return;
                        Step probe;
                        for_each_bit(zs, [&](int z) { add_eliminations(c, probe, targets_of(c, {&a, &b}, z), z); });
                        sort_eliminations(probe);
                        if (!best.beats(size, probe.eliminations)) return;
                        Step step = sets_step(c, Technique::AlsXyWing, {&a, &pivot, &b}, zs);
                        step.eliminations = std::move(probe.eliminations);
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

// A chain of sets A1 - A2 - ... - An, each linked to the next by a restricted common digit, two
// consecutive links on different digits. If a digit z of A1 and An (not the digit of their own
// link) were in neither, A1 would be locked with its first link's digit, which leaves A2, which
// is then locked with the next link's digit, and so on until An is locked with z: a
// contradiction. So z leaves every cell that sees all its holders in A1 and An. Chains of two and
// three sets are ALS-XZ and ALS-XY-Wing; this finder looks for four sets and more.
void search_als_chain(const Candidates& c, Best& best) {
    const std::vector<Als> sets = almost_locked_sets(c, kMaxAlsSize);
    const std::size_t n = sets.size();
    // Every restricted common link, from each set.
    std::vector<std::vector<std::pair<std::uint16_t, std::uint16_t>>> links(n);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j)
            if (const unsigned rcc = restricted_commons(sets[i], sets[j]); rcc != 0) {
                links[i].emplace_back(static_cast<std::uint16_t>(j), static_cast<std::uint16_t>(rcc));
                links[j].emplace_back(static_cast<std::uint16_t>(i), static_cast<std::uint16_t>(rcc));
            }
    std::vector<std::size_t> path;
    std::vector<int> through; // through[i]: the digit of the link from path[i] to path[i + 1]
    std::vector<char> is_end(n);
    // A set entered by a digit at a depth from which nothing was found, for the current start:
    // not tried again (a later path may differ only by the cells it has used).
    std::vector<std::uint32_t> dead(n * 10 * kMaxChainSets, 0);
    std::uint32_t stamp = 0;
    // Every chain of 4 sets before any of 5.
    for (int length = 4; length <= kMaxChainSets; ++length) {
        for (std::size_t start = 0; start < n; ++start) {
            const Als& first = sets[start];
            if (links[start].empty()) continue;
            for (int z = 1; z <= 9; ++z) {
                if (!((first.digits >> z) & 1)) continue;
                const CellSet reach = targets_of(c, {&first}, z);
                if (reach.empty()) continue;
                // The sets that may end the chain: they hold z where the cells of `reach` see it.
                // A chain read backwards is the same chain: only those ending on a later set.
                bool any = false;
                for (std::size_t e = start + 1; e < n; ++e) {
                    const Als& end = sets[e];
                    is_end[e] = ((end.digits >> z) & 1) && (end.cells & first.cells).empty() &&
                                !((reach & end.seen[static_cast<std::size_t>(z)]) - end.cells).empty();
                    any = any || is_end[e];
                }
                if (!any) continue;
                std::fill(is_end.begin(), is_end.begin() + static_cast<std::ptrdiff_t>(start) + 1, 0);
                ++stamp;
                path = {start};
                through.clear();
                CellSet used = first.cells;
                std::size_t cells = first.size;
                // Depth-first over the links, the previous link's digit excluded at each set;
                // true when it offered a step.
                const auto extend = [&](auto&& self, int previous) -> bool {
                    const std::size_t at = path.back();
                    const bool last = static_cast<int>(path.size()) + 1 == length;
                    bool found = false;
                    for (const auto& [next_set, rcc] : links[at]) {
                        const auto next = next_set; // a named variable: clang 14 cannot capture a binding
                        const Als& als = sets[next];
                        if (!(als.cells & used).empty() || best.settled(cells + als.size)) continue;
                        if (last && !is_end[next]) continue;
                        unsigned choices = rcc & ~(previous > 0 ? 1u << previous : 0u);
                        if (path.size() == 1 || last) choices &= ~(1u << z);
                        for_each_bit(choices, [&](int x) {
                            if (last) {
                                const CellSet all = used | als.cells;
                                Step probe;
                                add_eliminations(c, probe, (reach & als.seen[static_cast<std::size_t>(z)]) - all, z);
                                if (!best.beats(cells + als.size, probe.eliminations)) return;
                                std::vector<const Als*> chain;
                                for (const std::size_t s : path) chain.push_back(&sets[s]);
                                chain.push_back(&als);
                                Step step = sets_step(c, Technique::AlsChain, chain, 1u << z);
                                step.eliminations = std::move(probe.eliminations);
                                // z in A1 = a link's digit in A1 - the same in A2 = ... = z in An.
                                std::vector<int> digits = through;
                                digits.push_back(x);
                                // Inside a set the link is the set's (without one digit it holds
                                // the other); between sets, a unit both cells share.
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
                                step.links.emplace_back(from, first_holder(als, z), true, inside(als));
                                best.offer(std::move(step));
                                found = true;
                                return;
                            }
                            const std::size_t key =
                                (next * 10 + static_cast<std::size_t>(x)) * kMaxChainSets + path.size();
                            if (dead[key] == stamp) return;
                            path.push_back(next);
                            through.push_back(x);
                            used = used | als.cells;
                            cells += als.size;
                            const bool below = self(self, x);
                            cells -= als.size;
                            used = used - als.cells;
                            through.pop_back();
                            path.pop_back();
                            if (below)
                                found = true;
                            else
                                dead[key] = stamp;
                        });
                    }
                    return found;
                };
                extend(extend, 0);
            }
        }
        if (best.found()) break;
    }
}

// A stem cell and, for each of its digits, a petal: a set holding that digit only in cells that
// see the stem. Whatever digit the stem holds leaves its petal, which is then locked. A digit z
// of every petal (not of the stem) is then in one of the petals: it leaves every cell that sees
// all its holders in all of them.
void search_death_blossom(const Candidates& c, Best& best) {
    const std::vector<Als> sets = almost_locked_sets(c, kMaxAlsSize);
    const Geometry& g = geometry();
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
            auto& list = petals_of[static_cast<std::size_t>(d)];
            list.clear();
            unsigned reachable = 0;
            for (const Als& als : sets)
                if (((als.digits >> d) & 1) && !als.cells.has(stem) &&
                    (als.holders[static_cast<std::size_t>(d)] - g.peer_set[static_cast<std::size_t>(stem)]).empty()) {
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
void scan_sets(const Candidates& c, Instances& out, void (*search)(const Candidates&, Best&)) {
    Best first(false);
    search(c, first);
    if (!out.listing()) {
        first.deliver(out);
        return;
    }
    if (!first.found()) return;
    Best every(true);
    search(c, every);
    every.deliver(out, first.take());
}

} // namespace

void scan_als_xz(const Candidates& c, Instances& out) { scan_sets(c, out, search_als_xz); }
void scan_als_xy_wing(const Candidates& c, Instances& out) { scan_sets(c, out, search_als_xy_wing); }
void scan_als_chain(const Candidates& c, Instances& out) { scan_sets(c, out, search_als_chain); }
void scan_death_blossom(const Candidates& c, Instances& out) { scan_sets(c, out, search_death_blossom); }

std::optional<Step> find_als_xz(const Candidates& c) { return first_instance(c, scan_als_xz); }
std::optional<Step> find_als_xy_wing(const Candidates& c) { return first_instance(c, scan_als_xy_wing); }
std::optional<Step> find_als_chain(const Candidates& c) { return first_instance(c, scan_als_chain); }
std::optional<Step> find_death_blossom(const Candidates& c) { return first_instance(c, scan_death_blossom); }

} // namespace vornel::ladder
