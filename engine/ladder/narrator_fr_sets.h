// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "language.h"
#include "step.h"

namespace vornel::ladder {

// The French sentences of the techniques built on sets of cells: almost locked sets (ALS-XZ,
// ALS-XY-Wing, ALS chains, death blossoms), WXYZ-Wing, Sue de Coq, aligned pair exclusion, and the
// rectangles beyond types 1, 2 and 4 (types 3, 5 and 6, hidden rectangles).
std::vector<std::string> narrate_sets(const Step& step, Language language = Language::French);

} // namespace vornel::ladder
