// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One row of words per technique and language: its name and the text of its help page.
// techniques_fr.cpp and techniques_en.cpp hold the tables; narration.h gives them out.

#include <span>

#include "technique.h"

namespace vornel::ladder {

struct TechniqueWords {
    Technique technique;
    const char* name;
    const char* help;
};

// Every technique once, in Technique order.
std::span<const TechniqueWords> french_technique_words();
std::span<const TechniqueWords> english_technique_words();

// True when the table has one row per technique, in Technique order, with a name and a help text.
constexpr bool one_row_each(std::span<const TechniqueWords> table) {
    if (table.size() != static_cast<std::size_t>(kTechniqueCount)) return false;
    for (int t = 0; t < kTechniqueCount; ++t) {
        const TechniqueWords& row = table[static_cast<std::size_t>(t)];
        if (static_cast<int>(row.technique) != t || row.name == nullptr || row.help == nullptr) return false;
    }
    return true;
}

} // namespace vornel::ladder
