#include <array>

#include "ladder.h"

namespace vornel::ladder {

namespace {

// Weight of each technique, in Technique order.
constexpr std::array<int, kTechniqueCount> kWeights = {
    1,  1,  2,                  // full house, hidden single, naked single
    3,  3,                      // pointing, claiming
    4,  5,  6,  7,  8,  9,      // pairs, triples, quads
    10, 10, 10, 12, 14, 12, 13, // x-wing, skyscraper, kite, swordfish, jellyfish, finned fish
    12, 13, 13,                 // xy-wing, xyz-wing, w-wing
    14, 15, 14, 16, 18,         // colouring, x-chain, remote pair, xy-chain, aic
    14, 14,                     // unique rectangle, bug+1
    14, 14,                     // hidden rectangle, avoidable rectangle
    14, 15, 17,                 // wxyz-wing, sue de coq, aligned pair exclusion
    18, 19, 20, 21,             // als-xz, als-xy-wing, als chain, death blossom
    22, 30,                     // forcing chain, trial
};

} // namespace

int technique_weight(Technique technique) { return kWeights[static_cast<std::size_t>(technique)]; }

std::string_view technique_level(Technique technique) {
    const int w = technique_weight(technique);
    if (w <= 1) return "très facile";
    if (w <= 2) return "facile";
    if (w <= 5) return "moyen";
    if (w <= 10) return "difficile";
    if (w <= 20) return "très difficile";
    return "diabolique";
}

Rating rate(const std::vector<Step>& steps) {
    Rating rating;
    int hardest = 0;
    int uses = 0;
    for (const Step& step : steps) {
        const int w = technique_weight(step.technique);
        if (w > hardest) {
            hardest = w;
            uses = 0;
        }
        if (w == hardest) ++uses;
    }
    if (hardest == 0) {
        rating.level = "très facile";
        return rating;
    }
    rating.score = 10 * hardest + std::min(uses - 1, 9);
    for (int t = 0; t < kTechniqueCount; ++t) {
        if (kWeights[static_cast<std::size_t>(t)] == hardest) {
            rating.level = std::string(technique_level(static_cast<Technique>(t)));
            break;
        }
    }
    return rating;
}

} // namespace vornel::ladder
