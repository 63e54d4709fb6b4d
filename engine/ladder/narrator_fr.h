#pragma once

#include <string>
#include <vector>

#include "ladder.h"
#include "step.h"

namespace vornel::ladder {

// The French lines that tell a step, in the program's voice: "La case ligne 4, colonne 2 ne
// peut contenir que le 7 : nous écrivons un 7." Every word the ladder shows comes from here. A
// sentence longer than 112 characters goes on over several lines, the following ones indented by
// two spaces more than the first; lines that start with spaces belong to a chain or a branch.
std::vector<std::string> narrate(const Step& step);
// The same sentences, each whole on one line.
std::vector<std::string> narrate_sentences(const Step& step);

// The French name of a technique, as French-speaking players say it ("paire nue", "X-Wing"...).
std::string technique_name_fr(Technique technique);

// The closing lines of an explanation: verdict, rating and hardest technique, in French.
std::vector<std::string> narrate_verdict(const Explanation& explanation);

} // namespace vornel::ladder
