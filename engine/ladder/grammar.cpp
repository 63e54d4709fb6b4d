#include "grammar.h"

#include <algorithm>

#include "french.h"

namespace vornel::ladder {

namespace {

std::string number(int n) { return std::to_string(n); }

const char* const kCountWordsFr[] = {"zéro", "un", "deux", "trois", "quatre", "cinq", "six", "sept", "huit", "neuf"};
const char* const kCountWordsEn[] = {"zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine"};

class FrenchGrammar final : public Grammar {
public:
    std::string join(const std::vector<std::string>& items) const override { return fr::join(items); }
    std::string cell_name(int cell) const override { return fr::cell_name(cell); }
    std::string cells_list(const std::vector<std::uint8_t>& cells) const override { return fr::cells_list(cells); }
    std::string cells_phrase(const std::vector<std::uint8_t>& cells) const override { return fr::cells_phrase(cells); }
    std::string unit_name(int unit) const override { return fr::unit_name(unit); }
    std::string unit_bare(int unit) const override { return fr::unit_bare(unit); }
    std::string units_phrase(const std::vector<std::uint8_t>& units) const override { return fr::units_phrase(units); }
    std::string digit_the(int digit) const override { return fr::digit_the(digit); }
    std::string digits_the(unsigned digits) const override { return fr::digits_the(digits); }
    std::string eliminations_phrase(const std::vector<Candidate>& eliminations) const override {
        return fr::eliminations_phrase(eliminations);
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

// English: "row 4, column 2", "box 5", "r4c2", bare digits in lists ("2 and 6"), "the 7" alone.
class EnglishGrammar final : public Grammar {
public:
    std::string join(const std::vector<std::string>& items) const override {
        std::string text;
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (i > 0) text += i + 1 == items.size() ? " and " : ", ";
            text += items[i];
        }
        return text;
    }

    std::string cell_name(int cell) const override {
        return "row " + number(row_of(cell) + 1) + ", column " + number(col_of(cell) + 1);
    }

    std::string cells_list(const std::vector<std::uint8_t>& cells) const override {
        if (cells.size() >= 3) {
            const auto same = [&](auto key) {
                return std::all_of(cells.begin(), cells.end(), [&](std::uint8_t c) { return key(c) == key(cells[0]); });
            };
            std::vector<std::string> numbers;
            if (same([](int c) { return row_of(c); })) {
                for (const std::uint8_t c : cells) numbers.push_back(number(col_of(c) + 1));
                return "row " + number(row_of(cells[0]) + 1) + ", columns " + join(numbers);
            }
            if (same([](int c) { return col_of(c); })) {
                for (const std::uint8_t c : cells) numbers.push_back(number(row_of(c) + 1));
                return "rows " + join(numbers) + ", column " + number(col_of(cells[0]) + 1);
            }
            std::vector<int> rows;
            for (const std::uint8_t c : cells)
                if (std::find(rows.begin(), rows.end(), row_of(c)) == rows.end()) rows.push_back(row_of(c));
            std::vector<std::string> names;
            for (const int r : rows) {
                std::vector<std::string> columns;
                for (const std::uint8_t c : cells)
                    if (row_of(c) == r) columns.push_back(number(col_of(c) + 1));
                names.push_back("row " + number(r + 1) + (columns.size() == 1 ? " (column " : " (columns ") +
                                join(columns) + ")");
            }
            return join(names);
        }
        std::vector<std::string> names;
        for (const std::uint8_t c : cells) names.push_back(cell_name(c));
        return join(names);
    }

    std::string cells_phrase(const std::vector<std::uint8_t>& cells) const override {
        return (cells.size() == 1 ? "the cell in " : "the cells in ") + cells_list(cells);
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
        for (const std::uint8_t u : units) items.push_back(unit_name(u));
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

    std::string cell_short(int cell) const override {
        return "r" + number(row_of(cell) + 1) + "c" + number(col_of(cell) + 1);
    }

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
    // "3 from the cells in ...", digits removed from the same cells together ("2 and 6 from ..."),
    // groups in order of first appearance; several groups end with ", and".
    template<typename Name>
    std::string removals(const std::vector<Candidate>& eliminations, Name name) const {
        std::vector<int> digits;
        std::vector<std::vector<std::uint8_t>> cells;
        for (const Candidate& e : eliminations) {
            auto it = std::find(digits.begin(), digits.end(), e.digit);
            if (it == digits.end()) {
                digits.push_back(e.digit);
                cells.emplace_back();
                it = digits.end() - 1;
            }
            cells[static_cast<std::size_t>(it - digits.begin())].push_back(e.cell);
        }
        std::vector<std::string> groups;
        std::vector<bool> told(digits.size(), false);
        for (std::size_t i = 0; i < digits.size(); ++i) {
            if (told[i]) continue;
            unsigned mask = 1u << digits[i];
            for (std::size_t j = i + 1; j < digits.size(); ++j)
                if (!told[j] && cells[j] == cells[i]) {
                    mask |= 1u << digits[j];
                    told[j] = true;
                }
            groups.push_back(digits_the(mask) + " from " + name(cells[i]));
        }
        std::string text;
        for (std::size_t i = 0; i < groups.size(); ++i) {
            if (i > 0) text += i + 1 == groups.size() ? ", and " : ", ";
            text += groups[i];
        }
        return text;
    }
};

} // namespace

const Grammar& grammar(Language language) {
    static const FrenchGrammar french;
    static const EnglishGrammar english;
    if (language == Language::English) return english;
    return french;
}

} // namespace vornel::ladder
