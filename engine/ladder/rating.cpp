// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "ladder.h"
#include "technique_table.h"

namespace vornel::ladder {

int technique_weight(Technique technique) { return technique_row(technique).weight; }

Rating rate(const std::vector<Step>& steps) {
    Rating rating;
    int hardest = 0;
    for (const Step& step : steps) {
        if (technique_weight(step.technique) > hardest) {
            hardest = technique_weight(step.technique);
            rating.level = technique_row(step.technique).level;
        }
    }
    if (hardest == 0) return rating;
    int at_level = 0;
    int depth = 0;
    for (const Step& step : steps) {
        if (technique_row(step.technique).level == rating.level) ++at_level;
        // A forcing chain's variant is its kind (1-3) plus 3 for each level of nesting.
        if (step.technique == Technique::ForcingChain && step.variant > 0)
            depth = std::max(depth, (step.variant - 1) / 3);
    }
    rating.score = 1000 * hardest + 100 * std::min(depth, 9) + std::min(at_level, 99);
    return rating;
}

} // namespace vornel::ladder
