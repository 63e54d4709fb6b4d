// SPDX-License-Identifier: GPL-3.0-or-later
#include "grammar.h"

#include <algorithm>

#include "french.h"

namespace vornel::ladder {

namespace {

std::string number(int n) { return std::to_string(n); }

// "a", "a<last>b", "a, b<last>c".
std::string joined(const std::vector<std::string>& items, const char* last) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i)
        text += (i == 0 ? "" : i + 1 == items.size() ? last : ", ") + items[i];
    return text;
}

const char* const kCountWordsFr[] = {"zéro", "un", "deux", "trois", "quatre", "cinq", "six", "sept", "huit", "neuf"};
const char* const kCountWordsEn[] = {"zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine"};

class FrenchGrammar final : public Grammar {
public:
    std::string join(const std::vector<std::string>& items) const override { return fr::join(items); }
    std::string cell_name(int cell) const override { return fr::cell_short(cell); }
    std::string cells_list(const std::vector<std::uint8_t>& cells) const override { return fr::cells_short(cells); }
    std::string cells_phrase(const std::vector<std::uint8_t>& cells) const override {
        return (cells.size() == 1 ? "la case " : "les cases ") + fr::cells_short(cells);
    }
    std::string join_or(const std::vector<std::string>& items) const override { return joined(items, " ou "); }
    std::string cells_or(const std::vector<std::uint8_t>& cells) const override {
        std::vector<std::string> names;
        for (const std::uint8_t c : cells) names.push_back(fr::cell_short(c));
        return join_or(names);
    }
    std::string unit_name(int unit) const override { return fr::unit_name(unit); }
    std::string unit_bare(int unit) const override { return fr::unit_bare(unit); }
    std::string units_phrase(const std::vector<std::uint8_t>& units) const override { return fr::units_phrase(units); }
    std::string digit_the(int digit) const override { return fr::digit_the(digit); }
    std::string digits_the(unsigned digits) const override { return fr::digits_the(digits); }
    std::string eliminations_phrase(const std::vector<Candidate>& eliminations) const override {
        std::vector<std::string> groups;
        for (const RemovalGroup& g : removal_groups(eliminations))
            groups.push_back(fr::digits_the(g.digits) + " " + fr::de(cells_phrase(g.cells)));
        return fr::join(groups);
    }
    std::string cell_short(int cell) const override { return fr::cell_short(cell); }
    std::string cells_short(const std::vector<std::uint8_t>& cells) const override { return fr::cells_short(cells); }
    std::string eliminations_short(const std::vector<Candidate>& eliminations) const override {
        return fr::eliminations_short(eliminations);
    }
    std::string cell_key() const override { return fr::cell_key(); }
    std::string de(const std::string& phrase) const override { return fr::de(phrase); }
    std::string count_word(std::size_t n, bool feminine) const override {
        if (n == 1 && feminine) return "une";
        return n < 10 ? kCountWordsFr[n] : std::to_string(n);
    }
    std::string capitalise(const std::string& text) const override { return fr::capitalise(text); }
};

// "a", "a and b", "a, b and c".
std::string english_join(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += i + 1 == items.size() ? " and " : ", ";
        text += items[i];
    }
    return text;
}

std::string english_cell_name(int cell) { return "r" + number(row_of(cell) + 1) + "c" + number(col_of(cell) + 1); }

// English: "row 4, column 2", "box 5", "r4c2", bare digits in lists ("2 and 6"), "the 7" alone.
class EnglishGrammar final : public Grammar {
public:
    std::string join(const std::vector<std::string>& items) const override { return english_join(items); }
    std::string cell_name(int cell) const override { return english_cell_name(cell); }
    std::string cells_list(const std::vector<std::uint8_t>& cells) const override { return cells_short(cells); }

    std::string cells_phrase(const std::vector<std::uint8_t>& cells) const override {
        return (cells.size() == 1 ? "cell " : "cells ") + cells_list(cells);
    }

    std::string join_or(const std::vector<std::string>& items) const override { return joined(items, " or "); }
    std::string cells_or(const std::vector<std::uint8_t>& cells) const override {
        std::vector<std::string> names;
        for (const std::uint8_t c : cells) names.push_back(english_cell_name(c));
        return join_or(names);
    }

    std::string unit_bare(int unit) const override {
        static const char* const kKinds[] = {"row ", "column ", "box "};
        return kKinds[unit / 9] + number(unit % 9 + 1);
    }
    std::string unit_name(int unit) const override { return unit_bare(unit); }

    std::string units_phrase(const std::vector<std::uint8_t>& units) const override {
        if (units.size() == 1) return unit_name(units[0]);
        const bool one_kind =
            std::all_of(units.begin(), units.end(), [&](std::uint8_t u) { return u / 9 == units[0] / 9; });
        std::vector<std::string> items;
        if (one_kind) {
            static const char* const kKinds[] = {"rows ", "columns ", "boxes "};
            for (const std::uint8_t u : units) items.push_back(number(u % 9 + 1));
            return kKinds[units[0] / 9] + join(items);
        }
        // Mixed kinds: boxes, then columns, then rows, so that no "row 3, column 3" reads as a cell.
        std::vector<std::uint8_t> ordered(units);
        std::stable_sort(ordered.begin(), ordered.end(), [](std::uint8_t a, std::uint8_t b) { return a / 9 > b / 9; });
        for (const std::uint8_t u : ordered) items.push_back(unit_name(u));
        return join(items);
    }

    std::string digit_the(int digit) const override { return "the " + number(digit); }

    std::string digits_the(unsigned digits) const override {
        std::vector<std::string> items;
        for (int d = 1; d <= 9; ++d)
            if ((digits >> d) & 1) items.push_back(number(d));
        return join(items);
    }

    std::string eliminations_phrase(const std::vector<Candidate>& eliminations) const override {
        return removals(eliminations, [&](const std::vector<std::uint8_t>& cells) { return cells_phrase(cells); });
    }

    std::string cell_short(int cell) const override { return english_cell_name(cell); }

    std::string cells_short(const std::vector<std::uint8_t>& cells) const override {
        std::vector<std::string> names;
        for (const std::uint8_t c : cells) names.push_back(cell_short(c));
        return join(names);
    }

    std::string eliminations_short(const std::vector<Candidate>& eliminations) const override {
        return removals(eliminations, [&](const std::vector<std::uint8_t>& cells) { return cells_short(cells); });
    }

    std::string cell_key() const override { return "Notation: r4c2 is the cell in row 4, column 2."; }
    std::string de(const std::string& phrase) const override { return "of " + phrase; }
    std::string count_word(std::size_t n, bool) const override { return n < 10 ? kCountWordsEn[n] : std::to_string(n); }
    std::string capitalise(const std::string& text) const override {
        std::string result = text;
        if (!result.empty() && result[0] >= 'a' && result[0] <= 'z')
            result[0] = static_cast<char>(result[0] - 'a' + 'A');
        return result;
    }

private:
    // "3 from the cells in ...", "2 and 6 from ..."; several groups end with ", and".
    template<typename Name>
    std::string removals(const std::vector<Candidate>& eliminations, Name name) const {
        const std::vector<RemovalGroup> groups = removal_groups(eliminations);
        std::string text;
        for (std::size_t i = 0; i < groups.size(); ++i) {
            if (i > 0) text += i + 1 == groups.size() ? ", and " : ", ";
            text += digits_the(groups[i].digits) + " from " + name(groups[i].cells);
        }
        return text;
    }
};

} // namespace

std::string cells_list_with(const std::vector<std::uint8_t>& cells, const CellListWords& words) {
    std::vector<std::string> names;
    if (cells.size() < 3) {
        for (const std::uint8_t c : cells) names.push_back(words.cell_name(c));
        return words.join(names);
    }
    const auto same = [&](auto key) {
        return std::all_of(cells.begin(), cells.end(), [&](std::uint8_t c) { return key(c) == key(cells[0]); });
    };
    std::vector<std::string> numbers;
    if (same([](int c) { return row_of(c); })) {
        for (const std::uint8_t c : cells) numbers.push_back(number(col_of(c) + 1));
        return words.row + number(row_of(cells[0]) + 1) + ", " + words.columns + words.join(numbers);
    }
    if (same([](int c) { return col_of(c); })) {
        for (const std::uint8_t c : cells) numbers.push_back(number(row_of(c) + 1));
        return words.rows + words.join(numbers) + ", " + words.column + number(col_of(cells[0]) + 1);
    }
    // Row by row in order of first appearance.
    std::vector<int> rows;
    for (const std::uint8_t c : cells)
        if (std::find(rows.begin(), rows.end(), row_of(c)) == rows.end()) rows.push_back(row_of(c));
    for (const int r : rows) {
        std::vector<std::string> columns;
        for (const std::uint8_t c : cells)
            if (row_of(c) == r) columns.push_back(number(col_of(c) + 1));
        names.push_back(words.row + number(r + 1) + " (" + (columns.size() == 1 ? words.column : words.columns) +
                        words.join(columns) + ")");
    }
    return words.join(names);
}

std::vector<RemovalGroup> removal_groups(const std::vector<Candidate>& eliminations) {
    std::vector<RemovalGroup> by_digit;
    for (const Candidate& e : eliminations) {
        auto it = std::find_if(by_digit.begin(), by_digit.end(),
                               [&](const RemovalGroup& g) { return g.digits == 1u << e.digit; });
        if (it == by_digit.end()) {
            by_digit.push_back({1u << e.digit, {}});
            it = by_digit.end() - 1;
        }
        it->cells.push_back(e.cell);
    }
    std::vector<RemovalGroup> groups;
    for (const RemovalGroup& g : by_digit) {
        auto same =
            std::find_if(groups.begin(), groups.end(), [&](const RemovalGroup& o) { return o.cells == g.cells; });
        if (same == groups.end())
            groups.push_back(g);
        else
            same->digits |= g.digits;
    }
    return groups;
}

const Grammar& grammar(Language language) {
    static const FrenchGrammar french;
    static const EnglishGrammar english;
    if (language == Language::English) return english;
    return french;
}

} // namespace vornel::ladder
