// SPDX-License-Identifier: GPL-3.0-or-later
// Fish whose sets may be regions. Take n base units whose places for a digit do not overlap: the
// digit is n times in them. Take n cover units holding every one of those places but the fins: when
// no fin holds the digit, each cover unit holds one of the base's n digits, so the rest of the cover
// units lose the digit. With fins, only the cells that also see every fin lose it.
//
// A franken fish takes its base among rows and regions and its cover among columns and regions (or
// columns and regions against rows and regions), with a region on one side at least; a mutant fish
// is every other mix. Row-against-column fish are the basic and finned fish of fish.cpp.
#include <algorithm>

#include "common.h"
#include "techniques.h"

namespace vornel::ladder {

using namespace detail;

namespace {

constexpr std::uint32_t kRows = 0x1FFu;
constexpr std::uint32_t kColumns = 0x1FFu << 9;
constexpr std::uint32_t kRegions = 0x1FFu << 18;
constexpr int kMaxSize = 4;
// A base unit with more places than this is left out: such fish are rare and costly to find.
constexpr int kMaxPlaces = 4;

enum class Family { Franken, Mutant };

// At most two fins, and none for the largest fish: the search grows fast with both, and faster
// for mutant fish, whose units may be anything (mutant fish of size 3 take one fin at most).
constexpr int max_fins(Family family, int size) {
    return size < (family == Family::Mutant ? 3 : kMaxSize) ? 2 : (family == Family::Mutant ? 1 : 0);
}

// Which family a fish with these base and cover units (bit u for unit u) belongs to; basic fish
// (rows against columns) are neither.
bool in_family(Family family, std::uint32_t base, std::uint32_t cover) {
    const auto within = [](std::uint32_t set, std::uint32_t allowed) { return (set & ~allowed) == 0; };
    const bool regions = ((base | cover) & kRegions) != 0;
    const bool franken = (within(base, kRows | kRegions) && within(cover, kColumns | kRegions)) ||
                         (within(base, kColumns | kRegions) && within(cover, kRows | kRegions));
    if (family == Family::Franken) return franken && regions;
    return !franken;
}

class FishSearch {
public:
    FishSearch(const Candidates& c, Family family, int digit, int size, Instances& out)
        : c_(c), family_(family), digit_(digit), size_(size), out_(out) {
        for (int u = 0; u < 27; ++u)
            unit_cells_[static_cast<std::size_t>(u)] = geometry().unit_set[u] & c.cells_of(digit);
    }

    void run() { choose_base(0, 0, 0, CellSet{}); }

private:
    // Adds base units from `from` on, their places disjoint from those already taken.
    bool choose_base(int from, int count, std::uint32_t base, CellSet cells) {
        if (count == size_) {
            // A base of rows alone meets no other row, so its covers are columns and regions: a
            // franken or basic fish, never a mutant one. The same for columns.
            if (family_ == Family::Mutant && ((base & ~kRows) == 0 || (base & ~kColumns) == 0)) return false;
            // A franken cover takes regions and the lines the base does not: columns against rows.
            allowed_ = ~base & ((1u << 27) - 1);
            if (family_ == Family::Franken) {
                if (base & kRows) allowed_ &= ~kRows;
                if (base & kColumns) allowed_ &= ~kColumns;
            }
            reach_known_ = false;
            start_cover(cells);
            return choose_cover(base, cells, 0, 0, 0, CellSet{}, 0, 0);
        }
        for (int u = from; u < 27; ++u) {
            const int places = bits(c_.places(u, digit_));
            if (places < 2 || places > std::min(size_ + max_fins(family_, size_), kMaxPlaces)) continue;
            if (family_ == Family::Franken && count > 0) {
                // Rows and columns never meet in a franken base.
                const std::uint32_t lines = base | (1u << u);
                if ((lines & kRows) && (lines & kColumns)) continue;
            }
            const CellSet here = unit_cells_[static_cast<std::size_t>(u)];
            if (!(here & cells).empty()) continue;
            if (choose_base(u + 1, count + 1, base | (1u << u), cells | here)) return true;
        }
        return false;
    }

    // Numbers the base's cells from 0, lowest first, and gives each unit a cover may take the
    // base cells it holds (by those numbers) and its cells outside the base.
    void start_cover(const CellSet& cells) {
        base_count_ = 0;
        local_units_.fill(0);
        for_each_cell(cells, [&](int cell) {
            const int i = base_count_++;
            base_cells_[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(cell);
            for (const std::uint8_t u : geometry().cell_units[cell]) {
                if (!((allowed_ >> u) & 1)) continue;
                local_units_[u] = static_cast<std::uint16_t>(local_units_[u] | 1u << i);
                outside_[u] = unit_cells_[u] - cells;
            }
        });
        all_ = static_cast<std::uint16_t>((1u << base_count_) - 1);
    }

    // Covers the lowest base cell not yet covered nor a fin: by one of its units, or as a fin.
    // `covers` and `fin_count` count the bits of `cover` and `fins`; `covered` and `fins` are base
    // cells by their numbers, `outside` the cover's cells outside the base.
    bool choose_cover(std::uint32_t base, const CellSet& cells, std::uint32_t cover, int covers, unsigned covered,
                      const CellSet& outside, unsigned fins, int fin_count) {
        const unsigned open = all_ & ~covered & ~fins;
        // With every cover taken, the cells left to lose the digit are the cover's outside the base,
        // and with fins only those that see them all: none, and nothing can follow.
        if (covers == size_ && (fin_count == 0 ? outside : outside & fin_sees_).empty()) return false;
        if (open == 0) return covers == size_ && conclude(base, cells, cover, outside, fins);
        // Without covers left, each open cell must be a fin: more open cells than fins left fail.
        if (covers == size_ && bit_count(open) > max_fins(family_, size_) - fin_count) return false;
        const int i = std::countr_zero(open);
        const int cell = base_cells_[static_cast<std::size_t>(i)];
        const Geometry& g = geometry();
        if (covers < size_) {
            for (const std::uint8_t u : g.cell_units[cell]) {
                // A unit that holds a fin would cover it: that fish is met with the cell covered.
                if (!((allowed_ >> u) & 1) || (local_units_[u] & fins) != 0) continue;
                // The last cover: it must leave a cell to lose the digit, and what it leaves open
                // must all be fins (the checks the call would make first, made here to spare it).
                if (covers + 1 == size_ &&
                    (bit_count(open & ~local_units_[u]) > max_fins(family_, size_) - fin_count ||
                     (fin_count == 0 ? outside | outside_[u] : (outside | outside_[u]) & fin_sees_).empty()))
                    continue;
                if (choose_cover(base, cells, cover | (1u << u), covers + 1, covered | local_units_[u],
                                 outside | outside_[u], fins, fin_count))
                    return true;
            }
        }
        if (fin_count < max_fins(family_, size_)) {
            // The fins must leave a cell that sees them all and that a cover may hold.
            const CellSet seen = fin_count == 0 ? g.peer_set[cell] : fin_sees_ & g.peer_set[cell];
            if ((seen & reach(cells)).empty()) return false;
            const CellSet before = fin_sees_;
            fin_sees_ = seen;
            const bool done = choose_cover(base, cells, cover, covers, covered, outside, fins | 1u << i, fin_count + 1);
            fin_sees_ = before;
            if (done) return true;
        }
        return false;
    }

    // The cells outside the base that a cover may hold, worked out once per base when a fin needs it.
    const CellSet& reach(const CellSet& cells) {
        if (!reach_known_) {
            reach_ = CellSet{};
            for (int u = 0; u < 27; ++u)
                if (((allowed_ >> u) & 1) && !(unit_cells_[u] & cells).empty()) reach_ = reach_ | unit_cells_[u];
            reach_ = reach_ - cells;
            reach_known_ = true;
        }
        return reach_;
    }

    bool conclude(std::uint32_t base, const CellSet& cells, std::uint32_t cover, const CellSet& outside,
                  unsigned fin_bits) {
        if (!in_family(family_, base, cover)) return false;
        CellSet fins;
        for_each_bit(fin_bits, [&](int i) { fins.add(base_cells_[static_cast<std::size_t>(i)]); });
        CellSet targets = outside;
        if (!fins.empty()) targets = targets & common_peers(fins);
        Step step;
        step.technique = family_ == Family::Franken ? Technique::FrankenFish : Technique::MutantFish;
        step.variant = size_;
        eliminate_digit(c_, step, targets, digit_);
        if (step.eliminations.empty()) return false;
        step.digits = static_cast<std::uint16_t>(1u << digit_);
        step.cells = cell_list(cells);
        for_each_bit(base, [&](int u) { step.units.push_back(static_cast<std::uint8_t>(u)); });
        for_each_bit(cover, [&](int u) { step.units.push_back(static_cast<std::uint8_t>(u)); });
        highlight(c_, step, cells - fins, 1u << digit_);
        for_each_cell(fins, [&](int cell) { step.fins.push_back(candidate(cell, digit_)); });
        return out_.keep(std::move(step));
    }

    const Candidates& c_;
    Family family_;
    int digit_;
    int size_;
    std::uint32_t allowed_ = 0;            // the units a cover may take
    CellSet reach_;                        // the cells outside the base that a cover may hold
    bool reach_known_ = false;             // whether reach_ is worked out for the base
    CellSet fin_sees_;                     // the cells that see every fin so far
    std::array<CellSet, 27> unit_cells_{}; // each unit's cells holding the digit
    // The base being covered: its cells, lowest first, and for each unit a cover may take, the
    // base cells it holds (bit i for base_cells_[i]) and its cells outside the base.
    std::array<std::uint8_t, 16> base_cells_{};
    int base_count_ = 0;
    std::uint16_t all_ = 0;
    std::array<std::uint16_t, 27> local_units_{};
    std::array<CellSet, 27> outside_{};
    Instances& out_;
};

// Smallest fish first, digit by digit.
void scan_complex_fish(const Candidates& c, Family family, Instances& out) {
    // Mutant fish of size 4 cost more than all the rest of the ladder and add nothing on the hard
    // collections: the search stops at size 3 for them.
    const int largest = family == Family::Mutant ? kMaxSize - 1 : kMaxSize;
    thread_local std::array<std::array<EmptyDigits, kMaxSize + 1>, 2> empty; // by family and size
    for (int size = 2; size <= largest && !out.done(); ++size) {
        scan_digits(c, empty[static_cast<std::size_t>(family)][static_cast<std::size_t>(size)], out,
                    [&](int d) { FishSearch(c, family, d, size, out).run(); });
    }
}

} // namespace

void scan_franken_fish(const Candidates& c, Instances& out) { scan_complex_fish(c, Family::Franken, out); }
void scan_mutant_fish(const Candidates& c, Instances& out) { scan_complex_fish(c, Family::Mutant, out); }
std::optional<Step> find_franken_fish(const Candidates& c) { return first_instance(c, scan_franken_fish); }
std::optional<Step> find_mutant_fish(const Candidates& c) { return first_instance(c, scan_mutant_fish); }

} // namespace vornel::ladder
