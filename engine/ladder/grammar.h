// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The small grammar each language builds its sentences with: names of cells, units and digits,
// lists and removals. The sentence templates (messages.h) call it through their placeholders;
// the pages and the game window call it for their own phrases.

#include <cstdint>
#include <string>
#include <vector>

#include "language.h"
#include "step.h"

namespace vornel::ladder {

class Grammar {
public:
    virtual ~Grammar() = default;

    // "a", "a et b", "a, b et c" / "a, b and c"; empty for no item.
    virtual std::string join(const std::vector<std::string>& items) const = 0;
    // "L4C2" / "r4c2" (cell 0-80): the ladder names cells one way in each language.
    virtual std::string cell_name(int cell) const = 0;
    // Several cells without article: "L4C1, L4C2 et L4C8" / "r4c1, r4c2 and r4c8".
    virtual std::string cells_list(const std::vector<std::uint8_t>& cells) const = 0;
    // With the article: "la case L4C2"/"les cases L4C1 et L4C2" / "cell r4c2"/"cells r4c1 and r4c2".
    virtual std::string cells_phrase(const std::vector<std::uint8_t>& cells) const = 0;
    // "la région 5" / "box 5" (unit 0-26).
    virtual std::string unit_name(int unit) const = 0;
    // "région 5" / "box 5".
    virtual std::string unit_bare(int unit) const = 0;
    // "les lignes 2 et 7" / "rows 2 and 7"; "la ligne 2 et la colonne 5" / "row 2 and column 5".
    virtual std::string units_phrase(const std::vector<std::uint8_t>& units) const = 0;
    // "le 7" / "7".
    virtual std::string digit_the(int digit) const = 0;
    // "le 2 et le 6" / "2 and 6" (bit d for digit d, lowest first).
    virtual std::string digits_the(unsigned digits) const = 0;
    // "le 3 des cases ..." / "3 from the cells in ...", grouped by digit.
    virtual std::string eliminations_phrase(const std::vector<Candidate>& eliminations) const = 0;
    // "L4C2" / "r4c2".
    virtual std::string cell_short(int cell) const = 0;
    // "L4C2 et L4C8" / "r4c2 and r4c8".
    virtual std::string cells_short(const std::vector<std::uint8_t>& cells) const = 0;
    // "le 3 de L4C1 et L4C2" / "3 from r4c1 and r4c2".
    virtual std::string eliminations_short(const std::vector<Candidate>& eliminations) const = 0;
    // "a, b ou c" / "a, b or c": one at least of the items.
    virtual std::string join_or(const std::vector<std::string>& items) const = 0;
    // "le 2, le 8 ou le 9" / "2, 8 or 9" (bit d for digit d).
    std::string digits_or(unsigned digits) const {
        std::vector<std::string> items;
        for (int d = 1; d <= 9; ++d)
            if ((digits >> d) & 1) items.push_back(digits_the(1u << d));
        return join_or(items);
    }
    // "L4C2, L5C2 ou L6C2" / "r4c2, r5c2 or r6c2": places of which one at least holds a digit.
    virtual std::string cells_or(const std::vector<std::uint8_t>& cells) const = 0;
    // One node of a chain: "L4C2" / "r4c2", or a group of cells "L4C1/L4C2/L4C3".
    std::string node(const std::vector<std::uint8_t>& cells) const {
        std::string text;
        for (const std::uint8_t c : cells) text += (text.empty() ? "" : "/") + cell_short(c);
        return text;
    }
    // The line that explains the compact names.
    virtual std::string cell_key() const = 0;
    // "de la case ...", "des cases ...", "du 3" / "of ...": the phrase after a preposition of belonging.
    virtual std::string de(const std::string& phrase) const = 0;
    // "deux", "trois" / "two", "three" (feminine "une" where the language has one); digits past nine.
    virtual std::string count_word(std::size_t n, bool feminine) const = 0;
    // Upper-cases the first letter.
    virtual std::string capitalise(const std::string& text) const = 0;
};

const Grammar& grammar(Language language);

// The words a language names several cells with, for cells_list_with().
struct CellListWords {
    const char* row;     // "ligne " / "row "
    const char* rows;    // "lignes " / "rows "
    const char* column;  // "colonne " / "column "
    const char* columns; // "colonnes " / "columns "
    std::string (*join)(const std::vector<std::string>&);
    std::string (*cell_name)(int);
};
// Several cells without article, the same way in every language: three or more of one row
// "row 4, columns 1, 2 and 8", of one column "rows 2, 5 and 7, column 3", else row by row
// "row 2 (columns 1 and 9) and row 5 (column 3)"; one or two cells each named in full.
std::string cells_list_with(const std::vector<std::uint8_t>& cells, const CellListWords& words);

// A list of removals as the languages tell it: by digit in order of first appearance, each with its
// cells in order, and digits removed from the same cells together (bit d of `digits` for digit d).
struct RemovalGroup {
    unsigned digits;
    std::vector<std::uint8_t> cells;
};
std::vector<RemovalGroup> removal_groups(const std::vector<Candidate>& eliminations);

} // namespace vornel::ladder
