// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

namespace vornel::ladder {

// The techniques of the ladder, in the order the ladder tries them: lightest first. The one table
// (technique_table.h) has a row per technique in this same order, and its weights never decrease
// along it; a technique is added here, at its weight, and as a row there. technique_id() gives
// the stable id used in JSON and on the command line.
enum class Technique : std::uint8_t {
    FullHouse,
    HiddenSingle,
    NakedSingle,
    Pointing,
    Claiming,
    NakedPair,
    HiddenPair,
    NakedTriple,
    HiddenTriple,
    NakedQuad,
    HiddenQuad,
    XWing,
    Skyscraper,
    TwoStringKite,
    EmptyRectangle,
    TurbotFish,
    Swordfish,
    FinnedXWing,
    XyWing,
    FinnedSwordfish,
    XyzWing,
    WWing,
    UniqueRectangle,
    BugPlusOne,
    HiddenRectangle,
    AvoidableRectangle,
    WxyzWing,
    Jellyfish,
    SimpleColouring,
    RemotePair,
    FinnedJellyfish,
    MultiColouring,
    SueDeCoq,
    XChain,
    XyChain,
    Medusa3D,
    AlignedPairExclusion,
    Aic,
    GroupedAic,
    AlsXz,
    FrankenFish,
    AlsXyWing,
    MutantFish,
    AlsChain,
    DeathBlossom,
    Nishio,
    AlsAic,
    ForcingChain,
    Trial,
};
inline constexpr int kTechniqueCount = static_cast<int>(Technique::Trial) + 1;

// How hard a technique is to a solver, from the singles up. The words are the narrator's.
enum class Level : std::uint8_t { VeryEasy, Easy, Medium, Hard, VeryHard, Diabolical };
inline constexpr int kLevelCount = static_cast<int>(Level::Diabolical) + 1;

// "full-house", "hidden-single", ... "trial".
std::string_view technique_id(Technique technique);
// The technique whose id is `id`; false when none.
bool technique_from_id(std::string_view id, Technique& technique);

} // namespace vornel::ladder
