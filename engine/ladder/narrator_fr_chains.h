// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "narration.h"
#include "step.h"

namespace vornel::ladder {

// The French sentences of the chain and colouring techniques, the uniqueness techniques, forcing
// chains and trial (simple colouring to trial in Technique order). narrate() hands these steps
// here; the words come from the same French helpers as every other step.
std::vector<std::string> narrate_chains(const Step& step, Language language = Language::French);

// True when the step's sentences name cells compactly ("L4C2"): chains, wings, forcing chains.
bool names_cells_compactly(const Step& step);
// The one line that explains compact cell names ("L4C2").
std::string cell_key_line();

} // namespace vornel::ladder
