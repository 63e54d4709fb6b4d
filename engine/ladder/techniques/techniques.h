// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "../candidates.h"
#include "../step.h"

namespace vornel::ladder {

// Each finder looks for one instance of its technique in a fixed scan order and returns it as a
// Step, or nothing. A finder never changes the candidates; every elimination it returns removes a
// live candidate, and it returns a step only when the step places or eliminates something.
using Finder = std::optional<Step> (*)(const Candidates&);

// True when the first of `a` and `b` is the simpler instance: fewer cells and links together, then
// more placements and eliminations.
bool simpler(const Step& a, const Step& b);

// Where a scan puts the instances it meets, in its scan order: only the first (the scan stops
// there), every one of them, or only the simplest so far (the scan goes on to the end).
class Instances {
public:
    enum class Simplest { Only };
    Instances() = default;
    explicit Instances(std::vector<Step>& every) : every_(&every) {}
    explicit Instances(Simplest) : simplest_(true) {}
    // Takes `step`; true when the scan should stop.
    bool keep(Step&& step) {
        ++kept_;
        if (every_ != nullptr) {
            every_->push_back(std::move(step));
            return false;
        }
        if (simplest_) {
            if (!first_ || simpler(step, *first_)) first_ = std::move(step);
            return false;
        }
        first_ = std::move(step);
        return true;
    }
    bool done() const { return !listing() && first_.has_value(); }
    // True when the scan goes on to the end (every instance is wanted).
    bool listing() const { return every_ != nullptr || simplest_; }
    // How many instances the scan has met so far.
    std::size_t kept() const { return kept_; }
    // The first instance, or the simplest one.
    std::optional<Step> take_first() { return std::move(first_); }

private:
    std::vector<Step>* every_ = nullptr;
    bool simplest_ = false;
    std::optional<Step> first_;
    std::size_t kept_ = 0;
};

// The digits on which one single-digit scan last met nothing, each with the cells that held it then.
// Such a scan reads nothing but the cells of its digit, so on the same cells it meets nothing again.
// A solve's positions follow one another and each step leaves most digits as they were: most digits
// need no new search. Keep one per scan and thread.
class EmptyDigits {
public:
    bool known(const Candidates& c, int digit) const {
        return ((known_ >> digit) & 1) != 0 && cells_[static_cast<std::size_t>(digit)] == c.cells_of(digit);
    }
    void remember(const Candidates& c, int digit) {
        cells_[static_cast<std::size_t>(digit)] = c.cells_of(digit);
        known_ |= 1u << digit;
    }

private:
    std::array<CellSet, 10> cells_{};
    unsigned known_ = 0;
};

// True when some candidate of `digit` lies on no placement of the digit (nine cells, one in each
// row, column and region, each holding the digit or a candidate for it), or when the digit has no
// placement at all. A technique that reasons on one digit alone is true of every placement, so
// what it removes lies on none.
bool candidate_off_every_placement(const Candidates& c, int digit);

// Runs `scan_digit(d)` for the digits 1-9 in order, but those `empty` knows to give nothing and
// those whose candidates all lie on some placement of the digit (a scan of one digit removes only
// what lies on none), until `out` is done; remembers the digits that gave nothing.
template<class ScanDigit>
void scan_digits(const Candidates& c, EmptyDigits& empty, Instances& out, ScanDigit&& scan_digit) {
    for (int d = 1; d <= 9 && !out.done(); ++d) {
        if (empty.known(c, d)) continue;
        if (!candidate_off_every_placement(c, d)) {
            empty.remember(c, d);
            continue;
        }
        const std::size_t before = out.kept();
        scan_digit(d);
        if (out.kept() == before) empty.remember(c, d);
    }
}
using Scan = void (*)(const Candidates&, Instances&);

// The first instance a scan meets.
inline std::optional<Step> first_instance(const Candidates& c, Scan scan) {
    Instances first;
    scan(c, first);
    return first.take_first();
}

// Every instance of `technique` its finder's scan meets, in scan order, for the techniques whose
// finders can list them (all but trial). Chains (and remote pairs, grouped chains) are listed one
// per distinct conclusion, the shortest chain for it, shortest first; the almost-locked-set
// techniques the ladder's pick first, then one per other conclusion; forcing chains every
// conclusion of the first level that finds one. Returns false for trial, leaving `out` alone.
bool find_every(const Candidates& c, Technique technique, std::vector<Step>& out);

// The scan of `technique`, or null when its finder stops at the first instance.
Scan scan_of(Technique technique);

// The simplest of the instances a scan meets (the first of the equally simple ones).
inline std::optional<Step> simplest_instance(const Candidates& c, Scan scan) {
    Instances simplest(Instances::Simplest::Only);
    scan(c, simplest);
    return simplest.take_first();
}

// The scans behind the finders that can list every instance.
void scan_full_house(const Candidates&, Instances&);
void scan_hidden_single(const Candidates&, Instances&);
void scan_naked_single(const Candidates&, Instances&);
void scan_pointing(const Candidates&, Instances&);
void scan_claiming(const Candidates&, Instances&);
void scan_naked_pair(const Candidates&, Instances&);
void scan_hidden_pair(const Candidates&, Instances&);
void scan_naked_triple(const Candidates&, Instances&);
void scan_hidden_triple(const Candidates&, Instances&);
void scan_naked_quad(const Candidates&, Instances&);
void scan_hidden_quad(const Candidates&, Instances&);
void scan_x_wing(const Candidates&, Instances&);
void scan_skyscraper(const Candidates&, Instances&);
void scan_two_string_kite(const Candidates&, Instances&);
void scan_swordfish(const Candidates&, Instances&);
void scan_jellyfish(const Candidates&, Instances&);
void scan_finned_x_wing(const Candidates&, Instances&);
void scan_finned_swordfish(const Candidates&, Instances&);
void scan_xy_wing(const Candidates&, Instances&);
void scan_xyz_wing(const Candidates&, Instances&);
void scan_w_wing(const Candidates&, Instances&);
void scan_empty_rectangle(const Candidates&, Instances&);
void scan_turbot_fish(const Candidates&, Instances&);
void scan_finned_jellyfish(const Candidates&, Instances&);
void scan_franken_fish(const Candidates&, Instances&);
void scan_mutant_fish(const Candidates&, Instances&);
void scan_wxyz_wing(const Candidates&, Instances&);
void scan_remote_pair(const Candidates&, Instances&);
void scan_x_chain(const Candidates&, Instances&);
void scan_xy_chain(const Candidates&, Instances&);
void scan_aic(const Candidates&, Instances&);
void scan_grouped_aic(const Candidates&, Instances&);
void scan_als_aic(const Candidates&, Instances&);
void scan_simple_colouring(const Candidates&, Instances&);
void scan_multi_colouring(const Candidates&, Instances&);
void scan_3d_medusa(const Candidates&, Instances&);
void scan_unique_rectangle(const Candidates&, Instances&);
void scan_hidden_rectangle(const Candidates&, Instances&);
void scan_avoidable_rectangle(const Candidates&, Instances&);
void scan_bug_plus_one(const Candidates&, Instances&);
void scan_sue_de_coq(const Candidates&, Instances&);
void scan_aligned_pair_exclusion(const Candidates&, Instances&);
void scan_forcing_chain(const Candidates&, Instances&);

// singles.cpp
std::optional<Step> find_full_house(const Candidates&);
std::optional<Step> find_hidden_single(const Candidates&);
std::optional<Step> find_naked_single(const Candidates&);
// intersections.cpp
std::optional<Step> find_pointing(const Candidates&);
std::optional<Step> find_claiming(const Candidates&);
// subsets.cpp
std::optional<Step> find_naked_pair(const Candidates&);
std::optional<Step> find_hidden_pair(const Candidates&);
std::optional<Step> find_naked_triple(const Candidates&);
std::optional<Step> find_hidden_triple(const Candidates&);
std::optional<Step> find_naked_quad(const Candidates&);
std::optional<Step> find_hidden_quad(const Candidates&);
// fish.cpp and single_digit.cpp
std::optional<Step> find_x_wing(const Candidates&);
std::optional<Step> find_skyscraper(const Candidates&);
std::optional<Step> find_two_string_kite(const Candidates&);
std::optional<Step> find_swordfish(const Candidates&);
std::optional<Step> find_jellyfish(const Candidates&);
std::optional<Step> find_finned_x_wing(const Candidates&);
std::optional<Step> find_finned_swordfish(const Candidates&);
std::optional<Step> find_finned_jellyfish(const Candidates&);
std::optional<Step> find_empty_rectangle(const Candidates&);
std::optional<Step> find_turbot_fish(const Candidates&);
// complex_fish.cpp
std::optional<Step> find_franken_fish(const Candidates&);
std::optional<Step> find_mutant_fish(const Candidates&);
// colouring.cpp
std::optional<Step> find_multi_colouring(const Candidates&);
std::optional<Step> find_3d_medusa(const Candidates&);
// grouped_chains.cpp
std::optional<Step> find_grouped_aic(const Candidates&);
std::optional<Step> find_als_aic(const Candidates&);
// wings.cpp
std::optional<Step> find_xy_wing(const Candidates&);
std::optional<Step> find_xyz_wing(const Candidates&);
std::optional<Step> find_w_wing(const Candidates&);
std::optional<Step> find_wxyz_wing(const Candidates&);
// sue_de_coq.cpp
std::optional<Step> find_sue_de_coq(const Candidates&);
// pair_exclusion.cpp
std::optional<Step> find_aligned_pair_exclusion(const Candidates&);
// als.cpp
std::optional<Step> find_als_xz(const Candidates&);
std::optional<Step> find_als_xy_wing(const Candidates&);
std::optional<Step> find_als_chain(const Candidates&);
std::optional<Step> find_death_blossom(const Candidates&);
// Their scans keep the simplest instance (fewest cells, then most eliminations); when listing, that
// one first, then the simplest for each other set of eliminations, simplest first.
void scan_als_xz(const Candidates&, Instances&);
void scan_als_xy_wing(const Candidates&, Instances&);
void scan_als_chain(const Candidates&, Instances&);
void scan_death_blossom(const Candidates&, Instances&);
// chains.cpp
std::optional<Step> find_simple_colouring(const Candidates&);
std::optional<Step> find_x_chain(const Candidates&);
std::optional<Step> find_remote_pair(const Candidates&);
std::optional<Step> find_xy_chain(const Candidates&);
std::optional<Step> find_aic(const Candidates&);
// uniqueness.cpp: only asked when the givens have exactly one solution
std::optional<Step> find_unique_rectangle(const Candidates&);
std::optional<Step> find_bug_plus_one(const Candidates&);
std::optional<Step> find_hidden_rectangle(const Candidates&);
std::optional<Step> find_avoidable_rectangle(const Candidates&);
// forcing.cpp
std::optional<Step> find_nishio(const Candidates&);
void scan_nishio(const Candidates&, Instances&);
std::optional<Step> find_forcing_chain(const Candidates&);
// trial.cpp: the last resort, an exhaustive search told as such
std::optional<Step> find_trial(const Candidates&);

} // namespace vornel::ladder
