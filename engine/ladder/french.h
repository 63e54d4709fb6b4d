// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The French words every narrator of the ladder shares: names of cells, units and digits, lists
// and their small grammar. Sentences are built from these so the whole ladder speaks one way.

#include <cstdint>
#include <string>
#include <vector>

#include "step.h"

namespace vornel::ladder::fr {

// "a", "a et b", "a, b et c"; empty for no item.
std::string join(const std::vector<std::string>& items);

// "ligne 4, colonne 2" (cell 0-80).
std::string cell_name(int cell);
// "la case ligne 4, colonne 2" or, for several cells, "les cases ..." with the rule of
// cells_list(): "les cases ligne 1, colonne 3 et ligne 1, colonne 8",
// "les cases ligne 4, colonnes 1, 2 et 8".
std::string cells_phrase(const std::vector<std::uint8_t>& cells);
// The cells without article: one cell "ligne 4, colonne 2"; three or more cells of one row
// "ligne 4, colonnes 1, 2 et 8", of one column "lignes 2, 5 et 7, colonne 3", of several rows and
// columns row by row, "ligne 2 (colonnes 1 et 9) et ligne 5 (colonne 3)"; two cells each named in
// full, "ligne 1, colonne 3 et ligne 1, colonne 8". Cells are named in the given order.
std::string cells_list(const std::vector<std::uint8_t>& cells);

// "la région 5", "la ligne 3", "la colonne 7" (unit 0-26).
std::string unit_name(int unit);
// "région 5", "ligne 3", "colonne 7".
std::string unit_bare(int unit);
// One unit as unit_name(); several of one kind "les lignes 2 et 7"; mixed kinds each with its
// article, "la ligne 2 et la colonne 5".
std::string units_phrase(const std::vector<std::uint8_t>& units);

// "le 7".
std::string digit_the(int digit);
// "le 2 et le 6", "le 2, le 6 et le 8" (bit d for digit d, lowest first).
std::string digits_the(unsigned digits);

// The preposition "de" before a noun phrase: "de la case ...", "des cases ...", "du 3", "de ...".
std::string de(const std::string& phrase);
// Capitalises the first letter (ASCII letters and the accented lower-case letters of French).
std::string capitalise(const std::string& text);

// What a list of eliminations removes, grouped by digit, and digits removed from the same cells
// together: "le 3 des cases ligne 4, colonnes 1, 2 et 8",
// "le 2 et le 6 de la case ligne 1, colonne 3 et le 5 des cases ...". Order: by first appearance.
std::string eliminations_phrase(const std::vector<Candidate>& eliminations);

// Compact cell names for chains, wings and forcing chains: "L4C2" is the cell in row 4, column 2.
std::string cell_short(int cell);
// "L4C2", "L4C2 et L4C8", "L1C1, L4C2 et L4C8", in the given order.
std::string cells_short(const std::vector<std::uint8_t>& cells);
// As eliminations_phrase(), with compact cell names: "le 3 de L4C1 et L4C2", "le 2 et le 8 de L1C7".
std::string eliminations_short(const std::vector<Candidate>& eliminations);
// The one line that explains the compact names, for the windows and pages that use them.
std::string cell_key();
// Breaks a line longer than `width` characters (UTF-8 code points) at spaces; the following
// pieces start with `indent` plus two spaces. Lines that fit come back alone.
std::vector<std::string> wrap(const std::string& line, std::size_t width, const std::string& indent);

// "voit" for one cell, "voient" for several: agreement of a verb with a list of cells.
std::string verb_agreement(std::size_t count, const char* singular, const char* plural);

} // namespace vornel::ladder::fr
