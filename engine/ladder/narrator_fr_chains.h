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

// A chain in one line as solvers check it: "(5)r6c3=r6c1-r1c1=r1c4 => r8c3<>5" ("=" a strong
// link, "-" a weak one; a digit is written where it changes; a group "r6c13"; an almost locked
// set's strong link "(7=3)r1c5,r3c5,r4c5"; French cells "L6C3"). Empty for no link.
std::string chain_summary(const std::vector<Link>& links, const Step& step, Language language);
// The summary of a step told as a chain (its first chain), else empty.
std::string step_summary(const Step& step, Language language);

// The sentences of steps[index] as told after the steps before it: a chain that starts as the one
// of the step before (three links or more) and ends elsewhere is told from where they part, "The
// same chain as step 20, up to r2c3, which is 7:", naming the first step of the run that told it.
// Any other step is told as narrate_sentences() tells it.
std::vector<std::string> narrate_in(const std::vector<Step>& steps, std::size_t index, Language language);

// True when the step's sentences name cells compactly ("L4C2"): chains, wings, forcing chains.
bool names_cells_compactly(const Step& step);
// The one line that explains compact cell names ("L4C2").
std::string cell_key_line();

} // namespace vornel::ladder
