#include "step.h"

#include <array>

namespace vornel::ladder {

namespace {

constexpr std::array<std::string_view, kTechniqueCount> kIds = {
    "full-house",
    "hidden-single",
    "naked-single",
    "pointing",
    "claiming",
    "naked-pair",
    "hidden-pair",
    "naked-triple",
    "hidden-triple",
    "naked-quad",
    "hidden-quad",
    "x-wing",
    "skyscraper",
    "two-string-kite",
    "swordfish",
    "jellyfish",
    "finned-x-wing",
    "finned-swordfish",
    "xy-wing",
    "xyz-wing",
    "w-wing",
    "simple-colouring",
    "x-chain",
    "remote-pair",
    "xy-chain",
    "aic",
    "unique-rectangle",
    "bug-plus-one",
    "hidden-rectangle",
    "avoidable-rectangle",
    "wxyz-wing",
    "sue-de-coq",
    "aligned-pair-exclusion",
    "als-xz",
    "als-xy-wing",
    "als-chain",
    "death-blossom",
    "forcing-chain",
    "trial",
};

} // namespace

std::string_view technique_id(Technique technique) { return kIds[static_cast<std::size_t>(technique)]; }

bool technique_from_id(std::string_view id, Technique& technique) {
    for (int t = 0; t < kTechniqueCount; ++t) {
        if (kIds[static_cast<std::size_t>(t)] == id) {
            technique = static_cast<Technique>(t);
            return true;
        }
    }
    return false;
}

} // namespace vornel::ladder
