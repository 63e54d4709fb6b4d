// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string_view>

#include "technique.h"
#include "techniques/techniques.h"

namespace vornel::ladder {

// One technique of the ladder. Its French name, its sentences and its help page are the
// narrator's (narrator_fr.h), keyed by the same Technique.
struct TechniqueRow {
    Technique technique;
    std::string_view id; // stable: JSON, --techniques, --needs
    int weight;          // difficulty, 1 (full house) to 30 (trial); never decreases along the table
    Level level;         // never decreases along the table either
    Finder find;
    // Uniqueness techniques: tried at their weight, but only when the givens have exactly one solution.
    bool needs_unique;
    // A puzzle (81 characters, '0' for empty) whose explanation uses the technique, for its help
    // page; nullptr when none is known.
    const char* example;
};

// Every technique, one row each, in Technique order, which is the order the ladder tries them.
std::span<const TechniqueRow> technique_table();
const TechniqueRow& technique_row(Technique technique);

} // namespace vornel::ladder
