#pragma once

#include <string>
#include <vector>

#include "step.h"

namespace vornel::ladder {

// The French sentences of the chain and colouring techniques, the uniqueness techniques, forcing
// chains and trial (simple colouring to trial in Technique order). narrate() hands these steps
// here; the words come from the same French helpers as every other step.
std::vector<std::string> narrate_chains(const Step& step);

// The line that tells part `part` (1-based, see walk_parts()) of a step walked one part at a time:
// "Lien 2 sur 7 : L1C1 n'a que le 6 et le 9, donc L1C1 contient le 9." or
// "Branche 1 sur 2 : si L2C1 contient le 3, L5C5 contient le 8."; empty for any other part.
std::string narrate_part(const Step& step, int part);
// True when the step's sentences name cells compactly ("L4C2"): chains, wings, forcing chains.
bool names_cells_compactly(const Step& step);
// The one line that explains compact cell names ("L4C2").
std::string cell_key_line();

} // namespace vornel::ladder
