// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "language.h"
#include "step.h"

namespace vornel::ladder {

// The French sentences of the empty rectangle, the fish with regions (franken and mutant) and the
// colourings across clusters and digits (multi-colouring, 3D medusa). narrate() hands these steps
// here.
std::vector<std::string> narrate_patterns(const Step& step, Language language = Language::French);

} // namespace vornel::ladder
