// SPDX-License-Identifier: GPL-3.0-or-later
#include "technique_table.h"

#include <array>

namespace vornel::ladder {

namespace {

using T = Technique;
using L = Level;

// The ladder, lightest first. Ties keep this order. Forcing chains are the last technique before
// trial, the exhaustive search told as such.
constexpr std::array<TechniqueRow, kTechniqueCount> kTable = {{
    {T::FullHouse, "full-house", 1, L::VeryEasy, find_full_house, false,
     "600001000050000000308960000430000000905308160000600000000000000001807930507004010"},
    {T::HiddenSingle, "hidden-single", 1, L::VeryEasy, find_hidden_single, false,
     "400070100001904605000001000000700002002030000847006000014000806020000300600090000"},
    {T::NakedSingle, "naked-single", 2, L::Easy, find_naked_single, false,
     "000030800700280503000000070000003905100028060000900007300600700020095010010070002"},
    {T::Pointing, "pointing", 3, L::Medium, find_pointing, false,
     "000000700000500043010300895020400000090800400300002900500004000401030520072010000"},
    {T::Claiming, "claiming", 3, L::Medium, find_claiming, false,
     "249060003030000200800000005000006000000200000010040820090500700004000001070003000"},
    {T::NakedPair, "naked-pair", 4, L::Medium, find_naked_pair, false,
     "000014000030000200070000000000900030601000000000000080200000104000050600000708000"},
    {T::HiddenPair, "hidden-pair", 5, L::Medium, find_hidden_pair, false,
     "469000502051000609000000000014000006000003000675900000090106700000500000000470305"},
    {T::NakedTriple, "naked-triple", 6, L::Hard, find_naked_triple, false,
     "100000308060400000000000000203010000000000095800000000050600070000080200040000000"},
    {T::HiddenTriple, "hidden-triple", 7, L::Hard, find_hidden_triple, false,
     "530020900024030050009000000000010827000700000000098100000000000006400009102050430"},
    {T::NakedQuad, "naked-quad", 8, L::Hard, find_naked_quad, false,
     "000070080006000500020003061010007002008005340200900000002000000580006030400010000"},
    {T::HiddenQuad, "hidden-quad", 9, L::Hard, find_hidden_quad, false, nullptr},
    {T::XWing, "x-wing", 10, L::Hard, find_x_wing, false,
     "100000004000920000045000200604070085508600009070000600000000960000000000829400057"},
    {T::Skyscraper, "skyscraper", 10, L::Hard, find_skyscraper, false,
     "000000000072060100005100082080001300400000000037090010000023800504009000000000790"},
    {T::TwoStringKite, "two-string-kite", 10, L::Hard, find_two_string_kite, false,
     "047020000800001000030000902000005000600810050000040000070000304000900010400270800"},
    {T::EmptyRectangle, "empty-rectangle", 11, L::Hard, find_empty_rectangle, false,
     "600302000050000010000000000702600000000000054300000000080150000000040200000000700"},
    {T::TurbotFish, "turbot-fish", 11, L::Hard, find_turbot_fish, false, nullptr},
    {T::Swordfish, "swordfish", 12, L::VeryHard, find_swordfish, false,
     "008090100060500020000006000030107050000000009004000300050000200070003080200700004"},
    {T::FinnedXWing, "finned-x-wing", 12, L::VeryHard, find_finned_x_wing, false,
     "098200000600930000050000000100090003000307021000600500980006300020000170007000600"},
    {T::XyWing, "xy-wing", 12, L::VeryHard, find_xy_wing, false,
     "000000003003068000040500708006053100002100400050400030060000000000000500080007026"},
    {T::FinnedSwordfish, "finned-swordfish", 13, L::VeryHard, find_finned_swordfish, false,
     "150300000070040200004072000008000000000900108010080790000003800000000000600007423"},
    {T::XyzWing, "xyz-wing", 13, L::VeryHard, find_xyz_wing, false,
     "000005000000107080000060701700800200000050600800703109010000023009500000030000906"},
    {T::WWing, "w-wing", 13, L::VeryHard, find_w_wing, false,
     "098200000600930000050000000100090003000307021000600500980006300020000170007000600"},
    {T::UniqueRectangle, "unique-rectangle", 14, L::VeryHard, find_unique_rectangle, true,
     "530020900024030050009000000000010827000700000000098100000000000006400009102050430"},
    {T::BugPlusOne, "bug-plus-one", 14, L::VeryHard, find_bug_plus_one, true,
     "100000003060300700070005001210700090007000000008010020000806400009020060000400000"},
    {T::HiddenRectangle, "hidden-rectangle", 14, L::VeryHard, find_hidden_rectangle, true,
     "000520000090003004000000700010000040080045300600010008702000000008000032040080010"},
    {T::AvoidableRectangle, "avoidable-rectangle", 14, L::VeryHard, find_avoidable_rectangle, true,
     "607004500000080010000039000040000080200000760000500000000900002008067003025010070"},
    {T::WxyzWing, "wxyz-wing", 14, L::VeryHard, find_wxyz_wing, false,
     "762000108013000000000700000009000600100000080000000034034016007000080390027300000"},
    {T::Jellyfish, "jellyfish", 14, L::VeryHard, find_jellyfish, false,
     "800053009000600050040000306001000200000005807000809000005070000910026000070000032"},
    {T::SimpleColouring, "simple-colouring", 14, L::VeryHard, find_simple_colouring, false,
     "302057009070000000400080100000200000014070000007010080005000090900005007000048002"},
    {T::RemotePair, "remote-pair", 14, L::VeryHard, find_remote_pair, false, nullptr},
    {T::FinnedJellyfish, "finned-jellyfish", 15, L::VeryHard, find_finned_jellyfish, false,
     "052006800000007020000000600004800900200410000001000008006100380000090006300600109"},
    {T::MultiColouring, "multi-colouring", 15, L::VeryHard, find_multi_colouring, false, nullptr},
    {T::SueDeCoq, "sue-de-coq", 15, L::VeryHard, find_sue_de_coq, false,
     "963000000100008000000205000040800000010000700000030025700000030009020407000000900"},
    {T::XChain, "x-chain", 15, L::VeryHard, find_x_chain, false,
     "047080001000000000000600700600003570000005000010060000280040000090100040000020690"},
    {T::XyChain, "xy-chain", 16, L::VeryHard, find_xy_chain, false,
     "050639000000080070000000600030000700580100046000940080000008000000050460800401095"},
    {T::Medusa3D, "3d-medusa", 17, L::VeryHard, find_3d_medusa, false,
     "000000012400090000000000050070200000600000400000108000018000000000030700502000000"},
    {T::AlignedPairExclusion, "aligned-pair-exclusion", 17, L::VeryHard, find_aligned_pair_exclusion, false,
     "306070000000000051800000000010405000700000600000200000020000040000080300000500000"},
    {T::Aic, "aic", 18, L::VeryHard, find_aic, false,
     "090340700000065000000190050953002070001006093040000200076009800000000000030000000"},
    {T::GroupedAic, "grouped-aic", 19, L::VeryHard, find_grouped_aic, false,
     "302057009070000000400080100000200000014070000007010080005000090900005007000048002"},
    {T::AlsXz, "als-xz", 19, L::VeryHard, find_als_xz, false,
     "005008001800000090000000780000400000640000900000053002060000000001380050000907140"},
    {T::FrankenFish, "franken-fish", 20, L::VeryHard, find_franken_fish, false,
     "002470058000000000000001040000020009528090400009000100000000030300007500685002000"},
    {T::AlsXyWing, "als-xy-wing", 20, L::VeryHard, find_als_xy_wing, false,
     "120040000005069010009000500000000070700052090030000002090600050400900801003000904"},
    {T::MutantFish, "mutant-fish", 21, L::VeryHard, find_mutant_fish, false, nullptr},
    {T::AlsChain, "als-chain", 21, L::VeryHard, find_als_chain, false,
     "008400030000300000900001574790008000000007005140000020009060002050000400000090056"},
    {T::DeathBlossom, "death-blossom", 21, L::VeryHard, find_death_blossom, false,
     "030000008760000001015030000200090060004005020000800500107300000000640900020000040"},
    {T::Nishio, "nishio", 21, L::VeryHard, find_nishio, false,
     "060501090100090053900007000040800070000000508081705030000050200000000000076008000"},
    {T::AlsAic, "als-aic", 21, L::VeryHard, find_als_aic, false,
     "600302000050000010000000000702600000000000054300000000080150000000040200000000700"},
    {T::ForcingChain, "forcing-chain", 22, L::Diabolical, find_forcing_chain, false,
     "904005000250600100310000008070009000400260000001470000700000002000300806040000090"},
    {T::Trial, "trial", 30, L::Diabolical, find_trial, false, nullptr},
}};

// The table is the ladder: row t is technique t, lightest first, forcing chains then trial last.
consteval bool well_ordered() {
    for (int t = 0; t < kTechniqueCount; ++t) {
        const TechniqueRow& row = kTable[static_cast<std::size_t>(t)];
        // (Each row's finder is checked by the table's test: a function's address is no constant
        // expression under the sanitizers.)
        if (static_cast<int>(row.technique) != t || row.id.empty()) return false;
        if (t == 0) continue;
        const TechniqueRow& before = kTable[static_cast<std::size_t>(t - 1)];
        if (row.weight < before.weight || row.level < before.level) return false;
    }
    const TechniqueRow& forcing = kTable[kTechniqueCount - 2];
    const TechniqueRow& last = kTable[kTechniqueCount - 1];
    return forcing.technique == T::ForcingChain && last.technique == T::Trial && forcing.weight < last.weight &&
           kTable[kTechniqueCount - 3].weight < forcing.weight;
}
static_assert(well_ordered(), "one row per technique, in Technique order, weights and levels never decreasing, "
                              "forcing chains then trial last");

} // namespace

std::span<const TechniqueRow> technique_table() { return kTable; }

const TechniqueRow& technique_row(Technique technique) { return kTable[static_cast<std::size_t>(technique)]; }

std::string_view technique_id(Technique technique) { return technique_row(technique).id; }

bool technique_from_id(std::string_view id, Technique& technique) {
    for (const TechniqueRow& row : kTable) {
        if (row.id == id) {
            technique = row.technique;
            return true;
        }
    }
    return false;
}

} // namespace vornel::ladder
