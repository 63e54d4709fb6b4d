// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The French words of the ladder under their French names; narration.h has every one of them in
// any language.

#include <string>
#include <string_view>
#include <vector>

#include "ladder.h"
#include "narration.h"
#include "step.h"

namespace vornel::ladder {

inline std::string technique_name_fr(Technique technique) { return technique_name(technique, Language::French); }
inline std::string_view technique_help_fr(Technique technique) { return technique_help(technique, Language::French); }
// "très facile", "facile", "moyen", "difficile", "très difficile", "diabolique".
inline std::string_view level_name_fr(Level level) { return level_name(level, Language::French); }

} // namespace vornel::ladder
