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
    {Technique::Jellyfish, scan_jellyfish},
    {Technique::FinnedXWing, scan_finned_x_wing},
    {Technique::FinnedSwordfish, scan_finned_swordfish},
    {Technique::FinnedJellyfish, scan_finned_jellyfish},
    {Technique::XyWing, scan_xy_wing},
    {Technique::XyzWing, scan_xyz_wing},
    {Technique::WWing, scan_w_wing},
    {Technique::FrankenFish, scan_franken_fish},
    {Technique::MutantFish, scan_mutant_fish},
    {Technique::Nishio, scan_nishio},
    {Technique::AlsXz, scan_als_xz},
    {Technique::AlsXyWing, scan_als_xy_wing},
    {Technique::AlsChain, scan_als_chain},
    {Technique::DeathBlossom, scan_death_blossom},
};

} // namespace

bool find_every(const Candidates& c, Technique technique, std::vector<Step>& out) {
    for (const auto& [t, scan] : kScans) {
        if (t != technique) continue;
        Instances every(out);
        scan(c, every);
        return true;
    }
    return false;
}

} // namespace vornel::ladder
