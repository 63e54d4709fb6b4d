// SPDX-License-Identifier: GPL-3.0-or-later
// Chains and colouring: simple colouring, X-chains, remote pairs, XY-chains and alternating
// inference chains (AIC).
//
// A chain is a list of candidates joined by links. A strong link says that at least one of its two
// candidates is true: the only two places of a digit in a unit (a conjugate pair), or the only two
// digits of a cell. A weak link says that at most one is true: two digits of one cell, or one digit
// in two cells that see each other. A chain that starts with a strong link, alternates weak and
// strong links and ends with a strong link proves that its first or its last candidate is true;
// every candidate that sees both ends (weakly linked to each) is false.
//
// The chain finders share one breadth-first search over candidates that reads the chain from its
// start "off": the first strong link turns the next candidate "on", a weak link turns the following
// one "off", and so on. The first chain found is therefore the shortest; among chains of one length
// the first start in the scan order (cell by cell, digits ascending) wins. A finder only returns a
// chain that removes something.

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "alternating_search.h"
#include "common.h"
#include "techniques.h"

namespace vornel::ladder {

namespace {

using detail::candidate;
using detail::for_each_bit;
using detail::for_each_cell;

// Candidate index 0-728: 9 * cell + digit - 1.
constexpr int node_of(int cell, int digit) { return 9 * cell + digit - 1; }
constexpr int node_cell(int node) { return node / 9; }
constexpr int node_digit(int node) { return node % 9 + 1; }
Candidate node_candidate(int node) { return candidate(node_cell(node), node_digit(node)); }

// Which links a chain may use.
enum class Kind {
    XChain,  // one digit: conjugate pairs as strong links, peers as weak links
    XyChain, // bivalue cells as strong links, one digit in two peer cells as weak links
    Aic,     // every strong and weak link
};

// The strong links of every live candidate: at most one in its cell and one per unit (duplicates
// removed), so at most four.
struct StrongLinks {
    std::array<std::array<std::int16_t, 4>, 729> to{};
    std::array<std::uint8_t, 729> count{};

    StrongLinks(const Candidates& c, Kind kind) {
        const Geometry& g = geometry();
        for (int cell = 0; cell < 81; ++cell) {
            const unsigned mask = c.mask(cell);
            if (mask == 0) continue;
            for_each_bit(mask, [&](int d) {
                const int n = node_of(cell, d);
                auto add = [&](int other) {
                    for (int i = 0; i < count[n]; ++i)
                        if (to[n][i] == other) return;
                    to[n][count[n]++] = static_cast<std::int16_t>(other);
                };
                if (kind != Kind::XChain && bit_count(mask) == 2)
                    add(node_of(cell, std::countr_zero(mask & ~(1u << d))));
                if (kind == Kind::XyChain) return;
                for (const std::uint8_t unit : g.cell_units[cell]) {
                    const unsigned places = c.places(unit, d);
                    if (bit_count(places) != 2) continue;
                    for_each_bit(places, [&](int p) {
                        const int other = g.unit_cells[unit][p];
                        if (other != cell) add(node_of(other, d));
                    });
                }
            });
        }
    }
};

// The live candidates that are weakly linked to both `a` and `b` (a, b themselves excluded).
std::vector<Candidate> seen_by_both(const Candidates& c, int a, int b) {
    std::vector<Candidate> out;
    const int ca = node_cell(a), cb = node_cell(b);
    const int da = node_digit(a), db = node_digit(b);
    const Geometry& g = geometry();
    if (da == db) {
        if (ca == cb) return out;
        CellSet both = g.peer_set[ca] & g.peer_set[cb] & c.cells_of(da);
        for_each_cell(both, [&](int cell) { out.push_back(candidate(cell, da)); });
    } else if (ca == cb) {
        for_each_bit(c.mask(ca) & ~(1u << da) & ~(1u << db), [&](int d) { out.push_back(candidate(ca, d)); });
    } else if (g.peer_set[ca].has(cb)) {
        if (c.has(ca, db)) out.push_back(candidate(ca, db));
        if (c.has(cb, da)) out.push_back(candidate(cb, da));
    }
    std::sort(out.begin(), out.end(), [](const Candidate& x, const Candidate& y) {
        return x.cell != y.cell ? x.cell < y.cell : x.digit < y.digit;
    });
    return out;
}

// The best chain found so far: its links and what it proves.
struct Found {
    int length = 0; // links; 0 when nothing found
    std::vector<Link> links;
    std::vector<Candidate> eliminations;
    std::vector<Candidate> placements;
};

// Breadth-first search of the alternating chains from each start, shortest first. `max_length`
// bounds the chains (links).
class ChainSearch {
public:
    ChainSearch(const Candidates& c, Kind kind) : c_(c), kind_(kind), strong_(c, kind) {}

    Found run(int max_length) {
        Found best;
        best.length = max_length + 1;
        for (int start = 0; start < 729; ++start) {
            if (!c_.has(node_cell(start), node_digit(start)) || strong_.count[start] == 0) continue;
            search_from(start, best);
        }
        if (best.length > max_length) best = Found{};
        return best;
    }

    // Every chain of at most `max_length` links that proves something, one per conclusion (the
    // shortest), shortest first; the first is the one run() returns.
    std::vector<Found> run_all(int max_length) {
        detail::ShortestPerConclusion<Found> kept;
        listing_ = &kept;
        Found bound;
        bound.length = max_length + 1;
        for (int start = 0; start < 729; ++start) {
            if (!c_.has(node_cell(start), node_digit(start)) || strong_.count[start] == 0) continue;
            search_from(start, bound);
        }
        listing_ = nullptr;
        return kept.take();
    }

private:
    // Weak partners of an "on" candidate: the other digits of its cell, its digit in peer cells.
    template<typename F>
    void for_each_weak(int node, F&& f) const {
        const int cell = node_cell(node), d = node_digit(node);
        if (kind_ == Kind::Aic) for_each_bit(c_.mask(cell) & ~(1u << d), [&](int e) { f(node_of(cell, e)); });
        for (const std::uint8_t peer : geometry().peers[cell])
            if (c_.has(peer, d)) f(node_of(peer, d));
    }

    void search_from(int start, Found& best) {
        search_.from(
            start, best.length, [&](int n) { return static_cast<int>(strong_.count[n]); },
            [&](int n, int i) { return static_cast<int>(strong_.to[n][i]); },
            [&](int n, auto&& f) { for_each_weak(n, f); },
            [&](int from, int end, int length) { return consider(from, end, length, best); });
    }

    // The chain from `start` (off) to `end` (on), as links in order.
    std::vector<Link> chain_to(int start, int end) const {
        const std::vector<int> path = search_.path_to(start, end);
        std::vector<Link> links;
        for (std::size_t i = 1; i < path.size(); ++i)
            links.push_back({node_candidate(path[i - 1]), node_candidate(path[i]), i % 2 == 1});
        return links;
    }

    // Records the chain start..end when it proves something and is shorter than the best; true
    // when the search from this start can stop. When listing, keeps it when it is the shortest so
    // far for its conclusion, and goes on.
    bool consider(int start, int end, int length, Found& best) {
        std::vector<Candidate> removed, placed;
        if (end == start) {
            // Off implies on: the start is true.
            if (kind_ != Kind::Aic) return false;
            placed.push_back(node_candidate(start));
        } else {
            if (kind_ != Kind::Aic && node_digit(start) != node_digit(end)) return false;
            removed = seen_by_both(c_, start, end);
            if (removed.empty()) return false;
        }
        if (listing_ != nullptr && !listing_->wanted(removed, placed, length)) return false;
        std::vector<Link> links = chain_to(start, end);
        if (!simple(links)) return false;
        if (listing_ != nullptr) {
            listing_->keep(removed, placed, length, Found{length, std::move(links), removed, placed});
            return false;
        }
        best = Found{length, std::move(links), std::move(removed), std::move(placed)};
        return true;
    }

    // A chain whose candidates are all different (a breadth-first path can fold back on itself
    // through a candidate seen both on and off; such a chain is not shown).
    static bool simple(const std::vector<Link>& links) {
        std::vector<Candidate> seen;
        seen.push_back(links.front().from);
        for (const Link& l : links) {
            if (l.to == links.front().from && &l == &links.back()) break; // the loop back to the start
            if (std::find(seen.begin(), seen.end(), l.to) != seen.end()) return false;
            seen.push_back(l.to);
        }
        return true;
    }

    const Candidates& c_;
    Kind kind_;
    StrongLinks strong_;
    detail::AlternatingSearch<729> search_;
    detail::ShortestPerConclusion<Found>* listing_ = nullptr;
};

// Fills the step's colours from its chain: candidates a strong link turns on in colour a, the
// candidates it starts from (off) in colour b.
void colour_chain(Step& step) {
    for (const Link& l : step.links) {
        if (!l.strong) continue;
        step.colour_b.push_back(l.from);
        step.colour_a.push_back(l.to);
    }
}

Step chain_step(const Candidates& c, Technique technique, Found found) {
    Step step;
    step.technique = technique;
    step.links = std::move(found.links);
    step.eliminations = std::move(found.eliminations);
    step.placements = std::move(found.placements);
    detail::give_reasons(c, step.links);
    unsigned digits = 0;
    for (const Link& l : step.links) {
        digits |= 1u << l.from.digit | 1u << l.to.digit;
        for (const std::uint8_t cell : {l.from.cell, l.to.cell})
            if (std::find(step.cells.begin(), step.cells.end(), cell) == step.cells.end()) step.cells.push_back(cell);
    }
    step.digits = static_cast<std::uint16_t>(digits);
    colour_chain(step);
    return step;
}

// The chains of `kind`: the shortest only, or one per conclusion when listing.
void scan_chains(const Candidates& c, Instances& out, Kind kind, Technique technique, int max_length) {
    ChainSearch search(c, kind);
    if (!out.listing()) {
        Found found = search.run(max_length);
        if (found.length != 0) out.keep(chain_step(c, technique, std::move(found)));
        return;
    }
    for (Found& found : search.run_all(max_length))
        if (out.keep(chain_step(c, technique, std::move(found)))) return;
}

// The longest chains the finders look for: long enough for every chain seen in hard puzzles,
// short enough to tell.
constexpr int kMaxChainLinks = 19;

} // namespace

// Simple colouring, one digit at a time. The conjugate pairs of the digit join its cells into
// clusters; in a cluster, the two colours alternate and exactly one colour is true. Colour wrap
// (variant 1): two cells of one colour see each other, so that colour is false everywhere. Colour
// trap (variant 2): a cell outside the cluster that sees both colours cannot hold the digit.
void scan_simple_colouring(const Candidates& c, Instances& out) {
    const Geometry& g = geometry();
    for (int d = 1; d <= 9; ++d) {
        // Colours reason on one digit: what they remove lies on no placement of it.
        if (!candidate_off_every_placement(c, d)) continue;
        std::array<std::int8_t, 81> colour{};
        colour.fill(-1);
        const CellSet& where = c.cells_of(d);
        for (int root = 0; root < 81; ++root) {
            if (!where.has(root) || colour[root] >= 0) continue;
            // Breadth-first colouring of the cluster of `root`.
            std::vector<int> order{root};
            std::vector<Link> tree;
            colour[root] = 0;
            for (std::size_t i = 0; i < order.size(); ++i) {
                const int cell = order[i];
                for (const std::uint8_t unit : g.cell_units[cell]) {
                    const unsigned places = c.places(unit, d);
                    if (bit_count(places) != 2) continue;
                    for_each_bit(places, [&](int p) {
                        const int other = g.unit_cells[unit][p];
                        if (other == cell || colour[other] >= 0) return;
                        colour[other] = static_cast<std::int8_t>(1 - colour[cell]);
                        order.push_back(other);
                        tree.push_back({candidate(cell, d), candidate(other, d), true});
                    });
                }
            }
            if (order.size() < 3) continue; // a lone conjugate pair is an intersection or nothing
            CellSet side[2];
            for (const int cell : order) side[colour[cell]].add(cell);

            Step step;
            step.technique = Technique::SimpleColouring;
            step.digits = static_cast<std::uint16_t>(1u << d);
            step.links = tree;
            for (const int cell : order)
                (colour[cell] == 0 ? step.colour_a : step.colour_b).push_back(candidate(cell, d));
            std::sort(step.colour_a.begin(), step.colour_a.end(),
                      [](const Candidate& x, const Candidate& y) { return x.cell < y.cell; });
            std::sort(step.colour_b.begin(), step.colour_b.end(),
                      [](const Candidate& x, const Candidate& y) { return x.cell < y.cell; });

            // Wrap: a colour with two cells in one unit.
            bool wrapped = false;
            for (int s = 0; s < 2 && !wrapped; ++s) {
                bool clash = false;
                for_each_cell(side[s], [&](int cell) {
                    if (!(g.peer_set[cell] & side[s]).empty()) clash = true;
                });
                if (!clash) continue;
                step.variant = 1;
                detail::eliminate_digit(c, step, side[s], d);
                // The clashing pair first among the pattern's cells.
                for_each_cell(side[s], [&](int cell) {
                    if (!(g.peer_set[cell] & side[s]).empty()) step.cells.push_back(static_cast<std::uint8_t>(cell));
                });
                if (s == 1) std::swap(step.colour_a, step.colour_b); // colour a is the false colour
                if (out.keep(std::move(step))) return;
                wrapped = true;
            }
            if (wrapped) continue;
            // Trap: cells outside the cluster that see both colours.
            CellSet sees[2];
            for (int s = 0; s < 2; ++s) for_each_cell(side[s], [&](int cell) { sees[s] = sees[s] | g.peer_set[cell]; });
            const CellSet trapped = (sees[0] & sees[1] & where) - (side[0] | side[1]);
            if (trapped.empty()) continue;
            step.variant = 2;
            detail::eliminate_digit(c, step, trapped, d);
            if (out.keep(std::move(step))) return;
        }
    }
}

std::optional<Step> find_simple_colouring(const Candidates& c) { return first_instance(c, scan_simple_colouring); }

void scan_x_chain(const Candidates& c, Instances& out) {
    // An x-chain reasons on one digit: what it removes lies on no placement of the digit, and what
    // it places lies on every one, so that the digit's other candidates in its units lie on none,
    // unless it has none there. Without such digits, there is nothing to search.
    bool any = false;
    for (int d = 1; d <= 9 && !any; ++d) {
        any = candidate_off_every_placement(c, d);
        for (int unit = 0; unit < 27 && !any; ++unit) any = bits(c.places(unit, d)) == 1;
    }
    if (any) scan_chains(c, out, Kind::XChain, Technique::XChain, kMaxChainLinks);
}
std::optional<Step> find_x_chain(const Candidates& c) { return first_instance(c, scan_x_chain); }

// Remote pair: bivalue cells holding the same two digits, joined when they see each other. Along
// a path of such cells the two digits alternate, so of two cells an odd number of steps apart, one
// holds each digit, and a cell that sees both holds neither. The step is the shortest such path
// (at least four cells: two are a naked pair) that removes something, told as the chain on its
// lower digit (the chain on the higher digit is the same read the other way round); it removes
// both digits from every cell outside the path that sees two of its cells an odd number of steps
// apart. Its colours are the path's cells by parity.
namespace {

// The remote pair along `path` removing its digits from `targets`.
Step remote_pair_step(const Candidates& c, const std::vector<int>& path, const CellSet& targets) {
    const unsigned pair = c.mask(path.front());
    const int low = std::countr_zero(pair);
    const int high = std::countr_zero(pair & (pair - 1));
    Step step;
    step.technique = Technique::RemotePair;
    step.digits = static_cast<std::uint16_t>(pair);
    for_each_cell(targets, [&](int cell) {
        for_each_bit(pair & c.mask(cell), [&](int d) { step.eliminations.push_back(candidate(cell, d)); });
    });
    // The chain on the lower digit: off in the first cell, so on the higher digit there, off in the
    // next cell, on the lower digit there, and so on.
    int off = low;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const int on = off == low ? high : low;
        if (i > 0) step.links.push_back({candidate(path[i - 1], off), candidate(path[i], off), false});
        step.links.push_back({candidate(path[i], off), candidate(path[i], on), true});
        off = on;
    }
    detail::give_reasons(c, step.links);
    for (std::size_t i = 0; i < path.size(); ++i) {
        step.cells.push_back(static_cast<std::uint8_t>(path[i]));
        (i % 2 == 0 ? step.colour_a : step.colour_b).push_back(candidate(path[i], low));
    }
    return step;
}

} // namespace

// Remote pair: bivalue cells holding the same two digits, joined when they see each other. Along
// a path of such cells the two digits alternate, so of two cells an odd number of steps apart, one
// holds each digit, and a cell that sees both holds neither. The step is the shortest such path
// (at least four cells: two are a naked pair) that removes something in the first cluster of such
// cells where one does, told as the chain on its lower digit (the chain on the higher digit is the
// same read the other way round); it removes both digits from every cell outside the path that
// sees two of its cells an odd number of steps apart. Its colours are the path's cells by parity.
// Listed: one path per set of removals (the shortest), cluster by cluster, shortest first.
void scan_remote_pair(const Candidates& c, Instances& out) {
    const Geometry& g = geometry();
    std::array<std::int8_t, 81> cluster{};
    cluster.fill(-1);
    for (int root = 0; root < 81; ++root) {
        const unsigned pair = c.mask(root);
        if (bit_count(pair) != 2 || cluster[root] >= 0) continue;
        std::vector<int> members{root};
        cluster[root] = 0;
        for (std::size_t i = 0; i < members.size(); ++i)
            for (const std::uint8_t peer : g.peers[members[i]])
                if (c.mask(peer) == pair && cluster[peer] < 0) {
                    cluster[peer] = 0;
                    members.push_back(peer);
                }
        if (members.size() < 4) continue;
        CellSet holding;
        for_each_bit(pair, [&](int d) { holding = holding | c.cells_of(d); });
        // The cells outside the path that see two of its cells an odd number of steps apart.
        const auto targets_of = [&](const std::vector<int>& path) {
            CellSet on_path, targets;
            for (const int cell : path) on_path.add(cell);
            for (std::size_t i = 0; i < path.size(); ++i)
                for (std::size_t j = i + 1; j < path.size(); j += 2)
                    targets = targets | (g.peer_set[path[i]] & g.peer_set[path[j]]);
            return (targets & holding) - on_path;
        };
        // The paths kept: the shortest first met when not listing, else one per set of removals.
        std::vector<int> best;
        CellSet best_targets;
        detail::ShortestPerConclusion<std::vector<int>> kept;
        // Shortest paths from each member, breadth first inside the cluster.
        for (const int from : members) {
            std::array<int, 81> parent{};
            parent.fill(-2);
            parent[from] = -1;
            std::vector<int> order{from};
            for (std::size_t i = 0; i < order.size(); ++i) {
                const int cell = order[i];
                for (const std::uint8_t peer : g.peers[cell]) {
                    if (c.mask(peer) != pair || parent[peer] != -2) continue;
                    parent[peer] = cell;
                    order.push_back(peer);
                }
            }
            for (const int to : order) {
                std::vector<int> path;
                for (int at = to; at >= 0; at = parent[at]) path.push_back(at);
                if (path.size() < 4 || path.size() % 2 != 0) continue;
                if (!out.listing() && !best.empty() && path.size() >= best.size()) continue;
                std::reverse(path.begin(), path.end());
                const CellSet targets = targets_of(path);
                if (targets.empty()) continue;
                if (out.listing()) {
                    const std::vector<Candidate> removed = remote_pair_step(c, path, targets).eliminations;
                    kept.keep(removed, {}, static_cast<int>(path.size()), std::move(path));
                    continue;
                }
                best = std::move(path);
                best_targets = targets;
            }
        }
        if (!out.listing()) {
            if (!best.empty()) {
                out.keep(remote_pair_step(c, best, best_targets));
                return;
            }
            continue;
        }
        for (const std::vector<int>& path : kept.take())
            if (out.keep(remote_pair_step(c, path, targets_of(path)))) return;
    }
}

std::optional<Step> find_remote_pair(const Candidates& c) { return first_instance(c, scan_remote_pair); }

void scan_xy_chain(const Candidates& c, Instances& out) {
    scan_chains(c, out, Kind::XyChain, Technique::XyChain, kMaxChainLinks);
}
void scan_aic(const Candidates& c, Instances& out) { scan_chains(c, out, Kind::Aic, Technique::Aic, kMaxChainLinks); }
std::optional<Step> find_xy_chain(const Candidates& c) { return first_instance(c, scan_xy_chain); }
std::optional<Step> find_aic(const Candidates& c) { return first_instance(c, scan_aic); }

} // namespace vornel::ladder
