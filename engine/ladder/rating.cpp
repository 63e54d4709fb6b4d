#include <algorithm>

#include "ladder.h"
#include "narrator_fr.h"
#include "technique_table.h"

namespace vornel::ladder {

int technique_weight(Technique technique) { return technique_row(technique).weight; }

Rating rate(const std::vector<Step>& steps) {
    Rating rating;
    const Step* hardest = nullptr;
    int uses = 0;
    for (const Step& step : steps) {
        const int w = technique_weight(step.technique);
        if (!hardest || w > technique_weight(hardest->technique)) {
            hardest = &step;
            uses = 0;
        }
        if (w == technique_weight(hardest->technique)) ++uses;
    }
    if (!hardest) {
        rating.level = level_name_fr(Level::VeryEasy);
        return rating;
    }
    rating.score = 10 * technique_weight(hardest->technique) + std::min(uses - 1, 9);
    rating.level = level_name_fr(technique_row(hardest->technique).level);
    return rating;
}

} // namespace vornel::ladder
