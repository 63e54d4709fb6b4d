#pragma once

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

// Where a scan puts the instances it meets, in its scan order: only the first (the scan stops
// there), or every one of them (the scan goes on to the end).
class Instances {
public:
    Instances() = default;
    explicit Instances(std::vector<Step>& every) : every_(&every) {}
    // Takes `step`; true when the scan should stop.
    bool keep(Step&& step) {
        if (every_ != nullptr) {
            every_->push_back(std::move(step));
            return false;
        }
        first_ = std::move(step);
        return true;
    }
    bool done() const { return first_.has_value(); }
    // True when the scan goes on to the end (every instance is wanted).
    bool listing() const { return every_ != nullptr; }
    std::optional<Step> take_first() { return std::move(first_); }

private:
    std::vector<Step>* every_ = nullptr;
    std::optional<Step> first_;
};
using Scan = void (*)(const Candidates&, Instances&);

// The first instance a scan meets.
inline std::optional<Step> first_instance(const Candidates& c, Scan scan) {
    Instances first;
    scan(c, first);
    return first.take_first();
}

// Every instance of `technique` its finder's scan meets, in scan order, for the techniques whose
// finders can list them: singles, intersections, subsets, fish, skyscraper, kite, wings and Nishio. Returns
// false for the others (their finders stop at the first instance), leaving `out` alone.
bool find_every(const Candidates& c, Technique technique, std::vector<Step>& out);

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
