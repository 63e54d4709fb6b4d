// SPDX-License-Identifier: GPL-3.0-or-later
// Every instance of one technique, for the finders whose scans can go on past the first.
#include <utility>

#include "techniques.h"

namespace vornel::ladder {

namespace {

constexpr std::pair<Technique, Scan> kScans[] = {
    {Technique::FullHouse, scan_full_house},
    {Technique::HiddenSingle, scan_hidden_single},
    {Technique::NakedSingle, scan_naked_single},
    {Technique::Pointing, scan_pointing},
    {Technique::Claiming, scan_claiming},
    {Technique::NakedPair, scan_naked_pair},
    {Technique::HiddenPair, scan_hidden_pair},
    {Technique::NakedTriple, scan_naked_triple},
    {Technique::HiddenTriple, scan_hidden_triple},
    {Technique::NakedQuad, scan_naked_quad},
    {Technique::HiddenQuad, scan_hidden_quad},
    {Technique::XWing, scan_x_wing},
    {Technique::Skyscraper, scan_skyscraper},
    {Technique::TwoStringKite, scan_two_string_kite},
    {Technique::EmptyRectangle, scan_empty_rectangle},
    {Technique::TurbotFish, scan_turbot_fish},
    {Technique::Swordfish, scan_swordfish},
    {Technique::FinnedXWing, scan_finned_x_wing},
    {Technique::XyWing, scan_xy_wing},
    {Technique::FinnedSwordfish, scan_finned_swordfish},
    {Technique::XyzWing, scan_xyz_wing},
    {Technique::WWing, scan_w_wing},
    {Technique::UniqueRectangle, scan_unique_rectangle},
    {Technique::BugPlusOne, scan_bug_plus_one},
    {Technique::HiddenRectangle, scan_hidden_rectangle},
    {Technique::AvoidableRectangle, scan_avoidable_rectangle},
    {Technique::WxyzWing, scan_wxyz_wing},
    {Technique::Jellyfish, scan_jellyfish},
    {Technique::SimpleColouring, scan_simple_colouring},
    {Technique::RemotePair, scan_remote_pair},
    {Technique::FinnedJellyfish, scan_finned_jellyfish},
    {Technique::MultiColouring, scan_multi_colouring},
    {Technique::SueDeCoq, scan_sue_de_coq},
    {Technique::XChain, scan_x_chain},
    {Technique::XyChain, scan_xy_chain},
    {Technique::Medusa3D, scan_3d_medusa},
    {Technique::AlignedPairExclusion, scan_aligned_pair_exclusion},
    {Technique::Aic, scan_aic},
    {Technique::GroupedAic, scan_grouped_aic},
    {Technique::AlsXz, scan_als_xz},
    {Technique::FrankenFish, scan_franken_fish},
    {Technique::AlsXyWing, scan_als_xy_wing},
    {Technique::MutantFish, scan_mutant_fish},
    {Technique::AlsChain, scan_als_chain},
    {Technique::DeathBlossom, scan_death_blossom},
    {Technique::Nishio, scan_nishio},
    {Technique::AlsAic, scan_als_aic},
    {Technique::ForcingChain, scan_forcing_chain},
};

} // namespace

Scan scan_of(Technique technique) {
    for (const auto& [t, scan] : kScans)
        if (t == technique) return scan;
    return nullptr;
}

bool find_every(const Candidates& c, Technique technique, std::vector<Step>& out) {
    const Scan scan = scan_of(technique);
    if (scan == nullptr) return false;
    Instances every(out);
    scan(c, every);
    return true;
}

bool simpler(const Step& a, const Step& b) {
    const std::size_t size_a = a.cells.size() + a.links.size(), size_b = b.cells.size() + b.links.size();
    if (size_a != size_b) return size_a < size_b;
    return a.placements.size() + a.eliminations.size() > b.placements.size() + b.eliminations.size();
}

} // namespace vornel::ladder
