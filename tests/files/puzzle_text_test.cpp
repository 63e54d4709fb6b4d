// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "failures.h"
#include "files_fixture.h"
#include "puzzle_text.h"

using namespace vornel;

namespace {

// A published puzzle, as one line and as the values the reader must give for it.
constexpr const char* kLine = "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";

Values expected_values() {
    Values values{};
    for (int i = 0; i < 81; ++i) values[static_cast<std::size_t>(i)] = kLine[i] == '.' ? 0 : kLine[i] - '0';
    return values;
}

// kLine as 9 lines of 9, each row given to `row` to dress it.
template<typename Row>
std::string nine_lines(Row row, const char* rule = nullptr) {
    std::string text;
    for (int r = 0; r < 9; ++r) {
        if (rule && (r == 3 || r == 6)) text += std::string(rule) + "\n";
        text += row(std::string(kLine + 9 * r, 9)) + "\n";
    }
    return text;
}

std::string zeros(std::string text) {
    for (char& c : text)
        if (c == '.') c = '0';
    return text;
}

} // namespace

TEST(PuzzleTextTest, every_accepted_form_reads_the_same_puzzle) {
    const auto boxed = [](const std::string& row) {
        std::string out = "|";
        for (int c = 0; c < 9; ++c) {
            out += " ";
            out += row[static_cast<std::size_t>(c)];
            if (c % 3 == 2) out += " |";
        }
        return out;
    };
    const auto tight = [](const std::string& row) {
        return row.substr(0, 3) + "|" + row.substr(3, 3) + "|" + row.substr(6);
    };
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"one line with dots", kLine},
        {"one line with zeros", zeros(kLine)},
        {"one line in blanks and line ends", std::string("  \t") + kLine + "  \r\n\r\n"},
        {"one line after a byte-order mark", std::string("\xEF\xBB\xBF") + kLine},
        {"one line in groups of nine",
         [] {
             std::string t;
             for (int r = 0; r < 9; ++r) t += std::string(kLine + 9 * r, 9) + " ";
             return t;
         }()},
        {"nine lines of nine", nine_lines([](const std::string& r) { return r; })},
        {"nine lines with CR LF", nine_lines([](const std::string& r) { return r + "\r"; })},
        {"nine lines with CR alone",
         [] {
             std::string t = nine_lines([](const std::string& r) { return r; });
             for (char& c : t)
                 if (c == '\n') c = '\r';
             return t;
         }()},
        {"nine lines of zeros with blanks", zeros(nine_lines([](const std::string& r) {
             std::string out;
             for (char c : r) out += std::string(1, c) + " ";
             return out;
         }))},
        {"a drawn grid", "+-------+-------+-------+\n" + nine_lines(boxed, "+-------+-------+-------+") +
                             "+-------+-------+-------+\n"},
        {"a tight grid with rules", nine_lines(tight, "---+---+---")},
        {"a grid with star corners",
         " *-----------*\n" +
             nine_lines([&](const std::string& r) { return " |" + tight(r) + "|"; }, " |---+---+---|") +
             " *-----------*\n"},
        {"a grid with double rules", nine_lines(tight, "===+===+===")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PuzzleText read = read_puzzle_text(c.text);
        EXPECT_TRUE(read.ok) << read.problem;
        EXPECT_EQ(read.values, expected_values());
    }
}

TEST(PuzzleTextTest, a_text_without_a_puzzle_says_where_it_went_wrong) {
    const std::string eighty(kLine, 80);
    const struct {
        std::string text;
        std::string problem;
    } cases[] = {
        {"", "Le texte est vide."},
        {" \n\t\r\n", "Le texte est vide."},
        {"+---+---+\n|   |   |", "Le texte ne contient aucune case, seulement des traits."},
        {eighty, "Ligne 1 : 80 cases au lieu de 81."},
        {std::string(kLine) + "5", "Ligne 1 : 82 cases au lieu de 81."},
        {"Grille 1\n" + std::string(kLine),
         "Ligne 1, caract\u00e8re 1 : \u00ab G \u00bb n'est ni un chiffre ni un point."},
        {"53..7....\n6..1x5...", "Ligne 2, caract\u00e8re 5 : \u00ab x \u00bb n'est ni un chiffre ni un point."},
        {"\u00e9t\u00e9 53", "Ligne 1, caract\u00e8re 1 : \u00ab \u00e9 \u00bb n'est ni un chiffre ni un point."},
        {"12\x01", "Ligne 1, caract\u00e8re 3 : le caract\u00e8re de code 1 n'est ni un chiffre ni un point."},
        {"53_7", "Ligne 1, caract\u00e8re 3 : \u00ab _ \u00bb n'est ni un chiffre ni un point."},
        {nine_lines([](const std::string& r) { return r == std::string(kLine + 27, 9) ? r.substr(0, 8) : r; }),
         "Ligne 4 : 8 cases au lieu de 9."},
        {"123\n456\n789", "3 lignes de cases, au lieu d'une ligne de 81 ou de 9 lignes de 9."},
        {std::string(kLine) + "\n" + kLine, "2 lignes de cases, au lieu d'une ligne de 81 ou de 9 lignes de 9."},
        {"1", "Ligne 1 : 1 case au lieu de 81."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const PuzzleText read = read_puzzle_text(c.text);
        EXPECT_FALSE(read.ok);
        EXPECT_EQ(read.problem, c.problem);
        EXPECT_EQ(read.values, Values{});
    }
}

// The problem is data too: words in English from the same reason, and the French ones are `problem`.
TEST(PuzzleTextTest, the_reason_of_a_problem_is_worded_in_both_languages) {
    const struct {
        std::string text;
        std::string english;
    } cases[] = {
        {" \n", "The text is empty."},
        {"+---+", "The text holds no cell, only rules."},
        {std::string(kLine, 80), "Line 1: 80 cells instead of 81."},
        {"1", "Line 1: 1 cell instead of 81."},
        {"53..7....\n6..1x5...", "Line 2, character 5: 'x' is neither a digit nor a dot."},
        {"12\x01", "Line 1, character 3: the character of code 1 is neither a digit nor a dot."},
        {"123\n456\n789", "3 lines of cells, instead of one line of 81 or 9 lines of 9."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const PuzzleText read = read_puzzle_text(c.text);
        ASSERT_FALSE(read.ok);
        EXPECT_EQ(text_problem_words(read.reason, Language::English), c.english);
        EXPECT_EQ(text_problem_words(read.reason, Language::French), read.problem);
    }
    EXPECT_EQ(read_puzzle_text(kLine).reason.kind, TextProblem::Kind::None);
    EXPECT_NE(puzzle_text_expected(Language::English), puzzle_text_expected(Language::French));
}

// Every failure code the readers raise has its English words, and none is the French one.
TEST(PuzzleTextTest, failure_codes_are_worded_in_both_languages) {
    for (const int code : {2, 3, 4, 5, 100, 101, 106, kInOutNoPuzzleWithinBound, 7}) {
        const std::string french = in_out_message(code, Language::French);
        const std::string english = in_out_message(code, Language::English);
        EXPECT_EQ(french, in_out_message(code)) << code;
        EXPECT_NE(english, french) << code;
        EXPECT_EQ(failure_message(InOutError(code), Language::English), english) << code;
    }
    EXPECT_EQ(in_out_message(7, Language::English), "I/O error 7");
    EXPECT_EQ(failure_message(ConvertError("x1"), Language::English), "'x1' is not a valid whole number");
    EXPECT_EQ(failure_message(ConvertError("x1"), Language::French), "'x1' n'est pas une valeur entière correcte");
    // A failure told in words of its own keeps them.
    EXPECT_EQ(failure_message(InOutError(2, "Sa propre phrase"), Language::English), "Sa propre phrase");
}

TEST(PuzzleTextTest, the_line_written_reads_back_and_shows_empty_cells_as_dots) {
    EXPECT_EQ(puzzle_line(expected_values()), kLine);
    EXPECT_EQ(read_puzzle_text(puzzle_line(expected_values())).values, expected_values());
    Values odd{};
    odd[0] = -5;
    odd[1] = 12;
    odd[2] = 9;
    odd[80] = 1;
    EXPECT_EQ(puzzle_line(odd), ".." + std::string("9") + std::string(77, '.') + "1");
    EXPECT_EQ(puzzle_line(Values{}), std::string(81, '.'));
}
