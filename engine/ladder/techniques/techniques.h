#pragma once

#include <optional>

#include "../candidates.h"
#include "../step.h"

namespace vornel::ladder {

// Each finder looks for one instance of its technique in a fixed scan order and returns it as a
// Step, or nothing. A finder never changes the candidates; every elimination it returns removes a
// live candidate, and it returns a step only when the step places or eliminates something.
using Finder = std::optional<Step> (*)(const Candidates&);

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
std::optional<Step> find_forcing_chain(const Candidates&);
// trial.cpp: the last resort, an exhaustive search told as such
std::optional<Step> find_trial(const Candidates&);

} // namespace vornel::ladder
