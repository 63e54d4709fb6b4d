#pragma once

#include <string>
#include <vector>

#include "ladder.h"
#include "step.h"

namespace vornel::ladder {

// The French sentences that tell a step, in the program's voice: "La case ligne 4, colonne 2 ne
// peut contenir que le 7 : nous écrivons un 7." Every word the ladder shows comes from here.
std::vector<std::string> narrate(const Step& step);

// The French name of a technique, as French-speaking players say it ("paire nue", "X-Wing"...).
std::string technique_name_fr(Technique technique);

// The closing lines of an explanation: verdict, rating and hardest technique, in French.
std::vector<std::string> narrate_verdict(const Explanation& explanation);

} // namespace vornel::ladder
