// SPDX-License-Identifier: GPL-3.0-or-later
// Grouped alternating inference chains: chains whose nodes are single candidates or groups, a
// group being every candidate of one digit where a region meets a row or a column (two or three
// cells). A group is true when one of its candidates is; it is false when none is.
//
// Strong link: two nodes of one digit that hold every place of the digit in a unit between them,
// or the two digits of a cell that has two. Weak link: two nodes of one digit whose cells all see
// each other, or two digits of one cell. As for the plain chains, a chain read from its start
// "off" that alternates strong and weak links proves that its first or last node is true, and a
// candidate weakly linked to both ends is false; a chain back to its own start proves the start.
// Only chains with a group among their nodes are reported: the others are plain chains.
//
// Chains with almost locked sets (ALS, see als.h) add one node and one strong link: the node is
// the cells of a set that hold one of its digits, true when one of them holds it; when one digit of
// a set is false (none of its cells holds it), the set's other digits fill its cells, so each of
// them is true. A set's node may be a single candidate or a group already: the link joins it as it
// is. Only chains that go through a set are reported: the others are grouped or plain chains.
#include <algorithm>
#include <memory>

#include "als.h"
#include "alternating_search.h"
#include "common.h"
#include "techniques.h"

namespace vornel::ladder {

using namespace detail;

namespace {

constexpr int kSingles = 729;
constexpr int kGroupsPerDigit = 54; // 9 regions x (3 rows + 3 columns)
constexpr int kNodes = kSingles + 9 * kGroupsPerDigit;
constexpr int kMaxLinks = 19;
// Chains through sets are shorter: each set is a link a learner checks by counting its digits.
constexpr int kMaxSetLinks = 13;
// Chains with sets: sets of two to four cells (larger ones are hard to see on the board), and at
// most this many nodes of set cells that are neither a single candidate nor a group.
constexpr int kMaxSetSize = 4;
constexpr int kSetNodes = 2048;

struct Node {
    int digit = 0;
    int cell = -1; // the single candidate's cell; -1 for a group or a set's cells
    int line = -1; // a group's row or column, 0-17
    CellSet cells;
    CellSet sees;     // the cells that see every cell of the node
    bool set = false; // the cells of a set holding the digit, neither a single nor a group
};

// A strong link through a set: `to` is true when the node it leaves is false.
struct SetLink {
    int to;
    int set; // the set's index
};

// `N` nodes: the singles and groups, then, with sets, room for the nodes of their cells.
template<int N>
class GroupedSearch {
public:
    // Sets the search up on `c`, forgetting any earlier position: one search serves a thread's
    // positions one after the other, its arrays and lists kept.
    void start(const Candidates& c, Technique technique) {
        c_ = &c;
        technique_ = technique;
        std::fill_n(strong_count_.begin(), count_, 0);
        for (const int id : with_set_links_) set_links_[static_cast<std::size_t>(id)].clear();
        with_set_links_.clear();
        count_ = kNodes;
        for (int d = 0; d <= 9; ++d) {
            live_groups_[static_cast<std::size_t>(d)].clear();
            set_nodes_[static_cast<std::size_t>(d)].clear();
        }
        sets_ = nullptr;
        strong_all_.clear();
        weak_.clear();
        best_.reset();
        listing_ = nullptr;
        const Geometry& g = geometry();
        // A single candidate's node is the same on every position; only whether it is live changes.
        if (!singles_ready_) {
            for (int cell = 0; cell < 81; ++cell) {
                for (int d = 1; d <= 9; ++d) {
                    Node& n = nodes_[9 * cell + d - 1];
                    n = Node{};
                    n.digit = d;
                    n.cell = cell;
                    n.cells.add(cell);
                    n.sees = g.peer_set[cell];
                }
            }
            singles_ready_ = true;
        }
        for (int cell = 0; cell < 81; ++cell)
            for (int d = 1; d <= 9; ++d) live_[9 * cell + d - 1] = c.has(cell, d);
        for (int d = 1; d <= 9; ++d) {
            for (int box = 0; box < 9; ++box) {
                for (int i = 0; i < 6; ++i) {
                    const int line = i < 3 ? 3 * (box / 3) + i : 9 + 3 * (box % 3) + (i - 3);
                    const int id = group_id(d, box, i);
                    Node& n = nodes_[id];
                    n = Node{};
                    n.digit = d;
                    n.line = line;
                    n.cells = g.unit_set[18 + box] & g.unit_set[line] & c.cells_of(d);
                    live_[id] = n.cells.count() >= 2;
                    if (live_[id]) {
                        n.sees = common_peers(n.cells);
                        live_groups_[static_cast<std::size_t>(d)].push_back(id);
                    }
                }
            }
        }
        for (int id = 0; id < kNodes; ++id)
            if (live_[id]) build_strong(id);
        if (technique_ == Technique::AlsAic) add_sets();
        // Each node's partners, listed once for all the starts that reach it: the strong ones in
        // strong_count() and strong_to() order, then the weak ones that a chain can leave by a
        // strong link (a chain goes no further from the others).
        weak_begin_.assign(static_cast<std::size_t>(count_) + 1, 0);
        strong_begin_.assign(static_cast<std::size_t>(count_) + 1, 0);
        for (int id = 0; id < count_; ++id) {
            if (live_[id]) {
                for_each_weak(id, [&](int m) {
                    if (strong_count(m) > 0) weak_.push_back(m);
                });
                for (int i = 0; i < strong_count(id); ++i) strong_all_.push_back(strong_to(id, i));
            }
            weak_begin_[static_cast<std::size_t>(id) + 1] = static_cast<int>(weak_.size());
            strong_begin_[static_cast<std::size_t>(id) + 1] = static_cast<int>(strong_all_.size());
        }
    }

    std::optional<Step> run() {
        best_length_ = max_links() + 1;
        for (int start = 0; start < count_; ++start) {
            if (!live_[start] || strong_count(start) == 0) continue;
            search_from(start);
        }
        return std::move(best_);
    }

    // Every chain with a group that proves something, one per conclusion (the shortest), shortest
    // first; the first is the one run() returns.
    std::vector<Step> run_all() {
        ShortestPerConclusion<Step> kept;
        listing_ = &kept;
        best_length_ = max_links() + 1;
        for (int start = 0; start < count_; ++start) {
            if (!live_[start] || strong_count(start) == 0) continue;
            search_from(start);
        }
        listing_ = nullptr;
        return kept.take();
    }

private:
    static int group_id(int d, int box, int i) { return kSingles + (d - 1) * kGroupsPerDigit + 6 * box + i; }

    // The node made of exactly `cells` (one digit): a single, a group, or -1.
    int node_of(int d, const CellSet& cells) const {
        const int n = cells.count();
        if (n == 1) {
            int cell = -1;
            for_each_cell(cells, [&](int x) { cell = x; });
            return 9 * cell + d - 1;
        }
        const int box = box_of(cells.first());
        for (int i = 0; i < 6; ++i) {
            const int id = group_id(d, box, i);
            if (live_[id] && nodes_[id].cells == cells) return id;
        }
        return -1;
    }

    // The node of a set's cells holding `d`: a single, a group, or a node of its own (-1 when
    // there is no room left for one).
    int set_node(int d, const CellSet& cells) {
        const int known = node_of(d, cells);
        if (known >= 0) return known;
        for (const int id : set_nodes_[static_cast<std::size_t>(d)])
            if (nodes_[id].cells == cells) return id;
        if (count_ == N) return -1;
        Node& n = nodes_[count_];
        n = Node{};
        n.digit = d;
        n.cells = cells;
        n.sees = common_peers(cells);
        n.set = true;
        live_[count_] = true;
        set_nodes_[static_cast<std::size_t>(d)].push_back(count_);
        return count_++;
    }

    // The sets of two to kMaxSetSize cells, and their strong links: each digit's node false makes
    // every other digit's node true.
    void add_sets() {
        sets_ = &position_sets(*c_);
        for (std::size_t i = 0; i < sets_->size(); ++i) {
            const Als& als = (*sets_)[i];
            if (als.size > kMaxSetSize) break; // the larger sets come after
            if (als.size < 2) continue;
            std::array<int, 10> node{};
            bool room = true;
            for_each_bit(als.digits, [&](int d) {
                node[static_cast<std::size_t>(d)] = set_node(d, als.holders[static_cast<std::size_t>(d)]);
                room = room && node[static_cast<std::size_t>(d)] >= 0;
            });
            if (!room) break;
            for_each_bit(als.digits, [&](int x) {
                std::vector<SetLink>& links = set_links_[static_cast<std::size_t>(node[static_cast<std::size_t>(x)])];
                if (links.empty()) with_set_links_.push_back(node[static_cast<std::size_t>(x)]);
                for_each_bit(als.digits, [&](int z) {
                    if (z != x) links.push_back({node[static_cast<std::size_t>(z)], static_cast<int>(i)});
                });
            });
        }
    }

    int max_links() const { return technique_ == Technique::AlsAic ? kMaxSetLinks : kMaxLinks; }

    int strong_count(int n) const {
        return strong_count_[n] + static_cast<int>(set_links_[static_cast<std::size_t>(n)].size());
    }
    int strong_to(int n, int i) const {
        return i < strong_count_[n]
                   ? strong_[n][i]
                   : set_links_[static_cast<std::size_t>(n)][static_cast<std::size_t>(i - strong_count_[n])].to;
    }
    // The set whose strong link goes from `from` to `to`, or -1 when a cell or a unit links them.
    int set_between(int from, int to) const {
        for (int i = 0; i < strong_count_[from]; ++i)
            if (strong_[from][i] == to) return -1;
        for (const SetLink& link : set_links_[static_cast<std::size_t>(from)])
            if (link.to == to) return link.set;
        return -1;
    }

    // Two groups of one region, one along a row and one along a column: their cells would not tell
    // which belongs to which once listed together, so the chains leave such links out.
    bool crossed(int a, int b) const {
        const Node& x = nodes_[a];
        const Node& y = nodes_[b];
        return x.line >= 0 && y.line >= 0 && (x.line < 9) != (y.line < 9);
    }

    void add_strong(int from, int to) {
        if (crossed(from, to)) return;
        for (int i = 0; i < strong_count_[from]; ++i)
            if (strong_[from][i] == to) return;
        if (strong_count_[from] < static_cast<int>(strong_[from].size())) strong_[from][strong_count_[from]++] = to;
    }

    void build_strong(int id) {
        const Node& n = nodes_[id];
        const Geometry& g = geometry();
        if (n.cell >= 0 && bits(c_->mask(n.cell)) == 2)
            add_strong(id, 9 * n.cell + std::countr_zero(c_->mask(n.cell) & ~(1u << n.digit)) - 1);
        // The units that hold the node, in unit order: a single's row, column and region; a group's
        // line and region.
        const std::array<int, 3> units =
            n.cell >= 0 ? std::array<int, 3>{g.cell_units[n.cell][0], g.cell_units[n.cell][1], g.cell_units[n.cell][2]}
                        : std::array<int, 3>{n.line, 18 + box_of(n.cells.first()), -1};
        for (const int u : units) {
            if (u < 0) break;
            const CellSet rest = (g.unit_set[u] & c_->cells_of(n.digit)) - n.cells;
            if (rest.empty()) continue;
            const int other = node_of(n.digit, rest);
            if (other >= 0) add_strong(id, other);
        }
    }

    // Weak partners of an "on" node.
    template<typename F>
    void for_each_weak(int id, F&& f) const {
        const Node& n = nodes_[id];
        if (n.cell >= 0) for_each_bit(c_->mask(n.cell) & ~(1u << n.digit), [&](int e) { f(9 * n.cell + e - 1); });
        for_each_cell(n.sees & c_->cells_of(n.digit), [&](int cell) { f(9 * cell + n.digit - 1); });
        for (const int gid : live_groups_[static_cast<std::size_t>(n.digit)])
            if ((nodes_[gid].cells - n.sees).empty() && !crossed(id, gid)) f(gid);
        for (const int sid : set_nodes_[static_cast<std::size_t>(n.digit)])
            if ((nodes_[sid].cells - n.sees).empty()) f(sid);
    }

    void search_from(int start) {
        search_.from(
            start, best_length_,
            [&](int n) {
                return strong_begin_[static_cast<std::size_t>(n) + 1] - strong_begin_[static_cast<std::size_t>(n)];
            },
            [&](int n, int i) {
                return strong_all_[static_cast<std::size_t>(strong_begin_[static_cast<std::size_t>(n)] + i)];
            },
            [&](int n, auto&& f) {
                for (int k = weak_begin_[static_cast<std::size_t>(n)]; k < weak_begin_[static_cast<std::size_t>(n) + 1];
                     ++k)
                    f(weak_[static_cast<std::size_t>(k)]);
            },
            [&](int from, int end, int length) { return consider(from, end, length); });
    }

    // True when `cell`'s candidate `digit` is weakly linked to node `id` and not part of it.
    bool weakly_linked(int cell, int digit, int id) const {
        const Node& n = nodes_[id];
        if (n.digit == digit) return !n.cells.has(cell) && n.sees.has(cell);
        return n.cell == cell;
    }

    // A chain whose nodes of one digit never share a cell, a loop back to the start aside.
    bool simple(const std::vector<int>& path) const {
        const std::size_t last = path.front() == path.back() ? path.size() - 1 : path.size();
        for (std::size_t i = 0; i < last; ++i)
            for (std::size_t j = i + 1; j < last; ++j)
                if (nodes_[path[i]].digit == nodes_[path[j]].digit &&
                    !(nodes_[path[i]].cells & nodes_[path[j]].cells).empty())
                    return false;
        return true;
    }

    // True when the chain is this search's own: with a group among its nodes, or, with sets,
    // through a set.
    bool own(const std::vector<int>& path) const {
        if (technique_ == Technique::GroupedAic)
            return std::any_of(path.begin(), path.end(), [&](int id) { return nodes_[id].cell < 0; });
        for (std::size_t i = 0; i + 1 < path.size(); i += 2)
            if (set_between(path[i], path[i + 1]) >= 0) return true;
        return false;
    }

    bool consider(int start, int end, int length) {
        std::vector<Candidate> removed;
        std::vector<Candidate> placed;
        if (end == start) {
            if (nodes_[start].cell < 0) return false;
            placed.push_back(candidate(nodes_[start].cell, nodes_[start].digit));
        } else {
            const Node& a = nodes_[start];
            const Node& b = nodes_[end];
            const auto test = [&](int cell, int d) {
                if (weakly_linked(cell, d, start) && weakly_linked(cell, d, end)) removed.push_back(candidate(cell, d));
            };
            if (a.digit == b.digit) {
                for_each_cell(a.sees & b.sees & c_->cells_of(a.digit), [&](int cell) { test(cell, a.digit); });
            } else if (a.cell >= 0 && a.cell == b.cell) {
                for_each_bit(c_->mask(a.cell) & ~(1u << a.digit) & ~(1u << b.digit),
                             [&](int d) { removed.push_back(candidate(a.cell, d)); });
            } else {
                for (const Node* n : {&a, &b}) {
                    const Node& other = n == &a ? b : a;
                    if (n->cell >= 0 && c_->has(n->cell, other.digit)) test(n->cell, other.digit);
                }
            }
            if (removed.empty()) return false;
            std::sort(removed.begin(), removed.end(), [](const Candidate& x, const Candidate& y) {
                return x.cell != y.cell ? x.cell < y.cell : x.digit < y.digit;
            });
        }
        if (listing_ != nullptr && !listing_->wanted(removed, placed, length)) return false;
        const std::vector<int> path = search_.path_to(start, end);
        if (!own(path) || !simple(path)) return false;
        if (listing_ != nullptr) {
            listing_->keep(removed, placed, length, make_step(path, removed, placed));
            return false;
        }
        best_length_ = length;
        best_ = make_step(path, std::move(removed), std::move(placed));
        return true;
    }

    Candidate head(int id) const {
        const Node& n = nodes_[id];
        return candidate(n.cells.first(), n.digit);
    }

    // Why `a` and `b` are linked: their cell or unit for two single candidates; for a group, the unit
    // that holds both nodes (for a strong link, the unit whose places they are) and the group cells.
    //
    // With sets: a strong link through a set is the set's; a weak link from or to a set's cells is
    // read in the unit that holds both ends' cells (there is one: the other end sees them all).
    LinkReason reason(int a, int b, bool strong) const {
        const Node& x = nodes_[a];
        const Node& y = nodes_[b];
        if (strong) {
            const int set = set_between(a, b);
            if (set >= 0) {
                LinkReason why;
                why.kind = LinkReason::Kind::Als;
                why.cells = cell_list((*sets_)[static_cast<std::size_t>(set)].cells);
                return why;
            }
        }
        const bool single_x = x.cell >= 0 || x.set, single_y = y.cell >= 0 || y.set;
        if (single_x && single_y && (x.set || y.set)) {
            // A weak link from or to a set's cells: the unit that holds them all with the other end.
            const Geometry& g = geometry();
            for (int u = 0; u < 27; ++u) {
                if (!((x.cells | y.cells) - g.unit_set[u]).empty()) continue;
                LinkReason why;
                why.kind = LinkReason::Kind::Unit;
                why.unit = static_cast<std::uint8_t>(u);
                return why;
            }
        }
        if (single_x && single_y) return link_reason(*c_, head(a), head(b), strong);
        LinkReason why;
        why.kind = LinkReason::Kind::Group;
        // A set's cells that all see a group lie with it in its region or along its line.
        const CellSet both = x.cells | y.cells;
        const Geometry& g = geometry();
        for (int u = 0; u < 27; ++u) {
            if (!(both - g.unit_set[u]).empty()) continue;
            if (strong && !((g.unit_set[u] & c_->cells_of(x.digit)) == both)) continue;
            why.unit = static_cast<std::uint8_t>(u);
            break;
        }
        CellSet groups;
        if (x.cell < 0 && !x.set) groups = groups | x.cells;
        if (y.cell < 0 && !y.set) groups = groups | y.cells;
        why.cells = cell_list(groups);
        return why;
    }

    // The cells of node `id` when it has several and `why` does not name them as a group.
    std::vector<std::uint8_t> unnamed_cells(int id, const LinkReason& why) const {
        const Node& n = nodes_[id];
        if (n.cell >= 0 || (!n.set && why.kind == LinkReason::Kind::Group)) return {};
        return cell_list(n.cells);
    }

    Step make_step(const std::vector<int>& path, std::vector<Candidate> removed, std::vector<Candidate> placed) const {
        Step step;
        step.technique = technique_;
        step.eliminations = std::move(removed);
        step.placements = std::move(placed);
        for (std::size_t i = 0; i + 1 < path.size(); ++i) {
            Link link{head(path[i]), head(path[i + 1]), i % 2 == 0, reason(path[i], path[i + 1], i % 2 == 0)};
            link.from_cells = unnamed_cells(path[i], link.why);
            link.to_cells = unnamed_cells(path[i + 1], link.why);
            step.links.push_back(std::move(link));
        }
        CellSet cells;
        for (const int id : path) {
            const Node& n = nodes_[id];
            step.digits |= static_cast<std::uint16_t>(1u << n.digit);
            for_each_cell(n.cells, [&](int cell) {
                if (!cells.has(cell)) step.cells.push_back(static_cast<std::uint8_t>(cell));
                cells.add(cell);
            });
        }
        for (const Link& l : step.links)
            for (const std::uint8_t cell :
                 l.why.kind == LinkReason::Kind::Als ? l.why.cells : std::vector<std::uint8_t>{})
                if (!cells.has(cell)) {
                    step.cells.push_back(cell);
                    cells.add(cell);
                }
        if (technique_ == Technique::AlsAic) {
            // Every candidate a node stands for, so that the board shows all the places a link
            // counts on.
            for (std::size_t i = 0; i + 1 < path.size(); i += 2) {
                for_each_cell(nodes_[path[i]].cells,
                              [&](int cell) { step.colour_b.push_back(candidate(cell, nodes_[path[i]].digit)); });
                for_each_cell(nodes_[path[i + 1]].cells,
                              [&](int cell) { step.colour_a.push_back(candidate(cell, nodes_[path[i + 1]].digit)); });
            }
            return step;
        }
        for (const Link& l : step.links) {
            if (!l.strong) continue;
            step.colour_b.push_back(l.from);
            step.colour_a.push_back(l.to);
        }
        return step;
    }

    const Candidates* c_ = nullptr;
    Technique technique_ = Technique::GroupedAic;
    std::array<Node, N> nodes_{};
    std::array<bool, N> live_{}; // the node's candidates are on the board (a group: two or three)
    bool singles_ready_ = false; // the single candidates' nodes are written
    int count_ = kNodes;         // nodes in use
    std::array<std::array<int, 6>, N> strong_{};
    std::array<int, N> strong_count_{};
    const std::vector<Als>* sets_ = nullptr;          // the position's sets, smallest first
    std::array<std::vector<int>, 10> live_groups_{};  // by digit, its groups of two or three cells
    std::array<std::vector<int>, 10> set_nodes_{};    // by digit, the nodes of set cells
    std::array<std::vector<SetLink>, N> set_links_{}; // by node, its strong links through sets
    std::vector<int> with_set_links_;                 // the nodes whose set_links_ are not empty
    std::vector<int> strong_begin_; // node n's strong partners, as weak_begin_ and weak_ give its weak ones
    std::vector<int> strong_all_;
    std::vector<int> weak_begin_; // node n's weak partners: weak_[weak_begin_[n]], ..., weak_[weak_begin_[n + 1] - 1]
    std::vector<int> weak_;
    int best_length_ = 0;
    std::optional<Step> best_;
    AlternatingSearch<N> search_;
    ShortestPerConclusion<Step>* listing_ = nullptr;
};

template<int N>
void scan_chains(const Candidates& c, Technique technique, Instances& out) {
    // Large arrays: one search per size and thread, set up anew for each position.
    thread_local const std::unique_ptr<GroupedSearch<N>> kept = std::make_unique<GroupedSearch<N>>();
    GroupedSearch<N>* const search = kept.get();
    search->start(c, technique);
    if (!out.listing()) {
        if (auto step = search->run()) out.keep(std::move(*step));
        return;
    }
    for (Step& step : search->run_all())
        if (out.keep(std::move(step))) return;
}

} // namespace

void scan_grouped_aic(const Candidates& c, Instances& out) { scan_chains<kNodes>(c, Technique::GroupedAic, out); }
void scan_als_aic(const Candidates& c, Instances& out) { scan_chains<kNodes + kSetNodes>(c, Technique::AlsAic, out); }

std::optional<Step> find_grouped_aic(const Candidates& c) { return first_instance(c, scan_grouped_aic); }
std::optional<Step> find_als_aic(const Candidates& c) { return first_instance(c, scan_als_aic); }

} // namespace vornel::ladder
