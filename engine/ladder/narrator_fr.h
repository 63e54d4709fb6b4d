#pragma once

#include <string>
#include <vector>

#include "ladder.h"
#include "step.h"

namespace vornel::ladder {

// The French sentences that tell a step, in the program's voice: "La case ligne 4, colonne 2 ne
// peut contenir que le 7 : nous écrivons un 7." Every word the ladder shows comes from here.
std::vector<std::string> narrate(const Step& step);

// What is said of each technique (techniques_fr.cpp, one row per technique): its French name, as
// French-speaking players say it ("Paire nue", "X-Wing"...), and the text of its help page.
std::string technique_name_fr(Technique technique);
std::string_view technique_help_fr(Technique technique);
// "très facile", "facile", "moyen", "difficile", "très difficile", "diabolique".
std::string_view level_name_fr(Level level);

// The closing lines of an explanation: verdict, rating and hardest technique, in French.
std::vector<std::string> narrate_verdict(const Explanation& explanation);

} // namespace vornel::ladder
