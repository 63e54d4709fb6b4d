// SPDX-License-Identifier: GPL-3.0-or-later
#include "french.h"

#include <algorithm>

#include "grammar.h"

namespace vornel::ladder::fr {

namespace {

std::string number(int n) { return std::to_string(n); }

} // namespace

std::string join(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += i + 1 == items.size() ? " et " : ", ";
        text += items[i];
    }
    return text;
}

std::string cell_name(int cell) {
    return "ligne " + number(row_of(cell) + 1) + ", colonne " + number(col_of(cell) + 1);
}

std::string cells_list(const std::vector<std::uint8_t>& cells) {
    static constexpr CellListWords kWords{"ligne ", "lignes ", "colonne ", "colonnes ", &join, &cell_name};
    return cells_list_with(cells, kWords);
}

std::string cells_phrase(const std::vector<std::uint8_t>& cells) {
    return (cells.size() == 1 ? "la case " : "les cases ") + cells_list(cells);
}

std::string unit_bare(int unit) {
    static const char* const kKinds[] = {"ligne ", "colonne ", "région "};
    return kKinds[unit / 9] + number(unit % 9 + 1);
}

std::string unit_name(int unit) { return "la " + unit_bare(unit); }

std::string units_phrase(const std::vector<std::uint8_t>& units) {
    if (units.size() == 1) return unit_name(units[0]);
    const bool one_kind =
        std::all_of(units.begin(), units.end(), [&](std::uint8_t u) { return u / 9 == units[0] / 9; });
    std::vector<std::string> items;
    if (one_kind) {
        static const char* const kKinds[] = {"les lignes ", "les colonnes ", "les régions "};
        for (const std::uint8_t u : units) items.push_back(number(u % 9 + 1));
        return kKinds[units[0] / 9] + join(items);
    }
    for (const std::uint8_t u : units) items.push_back(unit_name(u));
    return join(items);
}

std::string digit_the(int digit) { return "le " + number(digit); }

std::string digits_the(unsigned digits) {
    std::vector<std::string> items;
    for (int d = 1; d <= 9; ++d)
        if ((digits >> d) & 1) items.push_back(digit_the(d));
    return join(items);
}

std::string de(const std::string& phrase) {
    if (phrase.rfind("les ", 0) == 0) return "des " + phrase.substr(4);
    if (phrase.rfind("le ", 0) == 0) return "du " + phrase.substr(3);
    return "de " + phrase;
}

std::string capitalise(const std::string& text) {
    if (text.empty()) return text;
    std::string result = text;
    if (result[0] >= 'a' && result[0] <= 'z') {
        result[0] = static_cast<char>(result[0] - 'a' + 'A');
        return result;
    }
    // Two-byte UTF-8 lower-case letters with accents (à, â, é, è, ê, ...): U+00E0..U+00FE map to
    // U+00C0..U+00DE, that is the second byte less 0x20.
    if (result.size() >= 2 && static_cast<unsigned char>(result[0]) == 0xC3) {
        const auto second = static_cast<unsigned char>(result[1]);
        if (second >= 0xA0 && second <= 0xBE && second != 0xB7) result[1] = static_cast<char>(second - 0x20);
    }
    return result;
}

namespace {

template<typename Name>
std::string eliminations_with(const std::vector<Candidate>& eliminations, Name name) {
    std::vector<std::string> groups;
    for (const RemovalGroup& g : removal_groups(eliminations))
        groups.push_back(digits_the(g.digits) + " " + name(g.cells));
    return join(groups);
}

std::size_t code_points(const std::string& text) {
    std::size_t n = 0;
    for (const char ch : text)
        if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) ++n;
    return n;
}

} // namespace

std::string eliminations_phrase(const std::vector<Candidate>& eliminations) {
    return eliminations_with(eliminations,
                             [](const std::vector<std::uint8_t>& cells) { return de(cells_phrase(cells)); });
}

std::string cell_short(int cell) { return "L" + number(row_of(cell) + 1) + "C" + number(col_of(cell) + 1); }

std::string cells_short(const std::vector<std::uint8_t>& cells) {
    std::vector<std::string> names;
    for (const std::uint8_t c : cells) names.push_back(cell_short(c));
    return join(names);
}

std::string eliminations_short(const std::vector<Candidate>& eliminations) {
    return eliminations_with(eliminations,
                             [](const std::vector<std::uint8_t>& cells) { return "de " + cells_short(cells); });
}

std::string cell_key() { return "Notation : L4C2 désigne la case de la ligne 4, colonne 2."; }

std::vector<std::string> wrap(const std::string& line, std::size_t width, const std::string& indent) {
    std::vector<std::string> out;
    std::string rest = line;
    const std::string more = indent + "  ";
    while (code_points(rest) > width) {
        // The last space that keeps the piece within the width, past the indentation.
        std::size_t cut = std::string::npos, seen = 0;
        for (std::size_t i = 0; i < rest.size(); ++i) {
            if ((static_cast<unsigned char>(rest[i]) & 0xC0) == 0x80) continue;
            if (seen > width) break;
            if (rest[i] == ' ' && seen > more.size()) cut = i;
            ++seen;
        }
        if (cut == std::string::npos) break;
        out.push_back(rest.substr(0, cut));
        rest = more + rest.substr(cut + 1);
    }
    out.push_back(rest);
    return out;
}

std::string verb_agreement(std::size_t count, const char* singular, const char* plural) {
    return count == 1 ? singular : plural;
}

} // namespace vornel::ladder::fr
