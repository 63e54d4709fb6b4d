#pragma once

#include <string>
#include <vector>

#include "step.h"

namespace vornel::ladder {

// The French sentences of the chain and colouring techniques, the uniqueness techniques, forcing
// chains and trial (simple colouring to trial in Technique order). narrate() hands these steps
// here; the words come from the same French helpers as every other step.
std::vector<std::string> narrate_chains(const Step& step);

} // namespace vornel::ladder
