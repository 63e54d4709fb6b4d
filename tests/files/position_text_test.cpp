// SPDX-License-Identifier: GPL-3.0-or-later
// The two forms of a position with candidates: the 729-character line and the pencil-mark grid.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "position_text.h"

using namespace vornel;

namespace {

// Bit d for each digit of `digits` ("37" -> bits 3 and 7).
std::uint16_t mask_of(std::string_view digits) {
    std::uint16_t mask = 0;
    for (const char c : digits) mask = static_cast<std::uint16_t>(mask | 1u << (c - '0'));
    return mask;
}

// A 729-character line where every cell holds all nine candidates but the cells given.
std::string full_line(const std::vector<std::pair<int, std::string>>& cells = {}) {
    std::string line;
    for (int cell = 0; cell < 81; ++cell) line += "123456789";
    for (const auto& [cell, digits] : cells) {
        std::string nine(9, '.');
        for (const char c : digits) nine[static_cast<std::size_t>(c - '1')] = c;
        line.replace(static_cast<std::size_t>(9 * cell), 9, nine);
    }
    return line;
}

// A pencil-mark grid of nine identical rows of `row`, separated by the rule `rule` every three.
std::string grid_of_rows(const std::string& row, const std::string& rule = "") {
    std::string text;
    for (int r = 0; r < 9; ++r) {
        if (!rule.empty() && r % 3 == 0) text += rule + '\n';
        text += row + '\n';
    }
    return text;
}

TEST(MarksLine, reads_each_cell_nine_characters_at_a_time) {
    Marks marks{};
    std::string line = full_line({{0, "5"}, {1, "37"}, {80, "1259"}});
    line[9 * 2 + 3] = '0'; // cell 2 loses its 4 written as 0
    ASSERT_EQ(parse_marks_line("  " + line + " \r", marks), "");
    EXPECT_EQ(marks[0], mask_of("5"));
    EXPECT_EQ(marks[1], mask_of("37"));
    EXPECT_EQ(marks[2], mask_of("12356789"));
    EXPECT_EQ(marks[80], mask_of("1259"));
    EXPECT_EQ(marks[40], mask_of("123456789"));

    std::string empty_cell = full_line({{10, ""}});
    ASSERT_EQ(parse_marks_line(empty_cell, marks), "");
    EXPECT_EQ(marks[10], 0) << "a cell without candidates is read; the position says it is invalid";
}

TEST(MarksLine, names_what_is_wrong) {
    const std::string line = full_line();
    const struct {
        std::string text;
        std::string problem;
    } cases[] = {
        {line.substr(0, 728), "729 caractères attendus (9 par case), 728 caractères trouvés"},
        {line + "1", "729 caractères attendus (9 par case), 730 caractères trouvés"},
        {"", "729 caractères attendus (9 par case), 0 caractère trouvé"},
        // The digit 3 where the candidate 2 of cell 1 belongs: position 11.
        {line.substr(0, 10) + "3" + line.substr(11),
         "caractère inattendu en position 11 (case ligne 1, colonne 2 : 2 si c'est un candidat, 0 ou . sinon)"},
        {line.substr(0, 728) + "x",
         "caractère inattendu en position 729 (case ligne 9, colonne 9 : 9 si c'est un candidat, 0 ou . sinon)"},
        // A two-byte character counts as one: 729 characters, the last one wrong.
        {line.substr(0, 728) + "\xC3\xA9",
         "caractère inattendu en position 729 (case ligne 9, colonne 9 : 9 si c'est un candidat, 0 ou . sinon)"},
    };
    for (const auto& c : cases) {
        Marks marks{};
        marks[0] = 7;
        EXPECT_EQ(parse_marks_line(c.text, marks), c.problem) << c.text;
        EXPECT_EQ(marks[0], 7) << "a refused line leaves the marks alone";
    }
}

TEST(PencilMarks, reads_cells_between_decoration) {
    const std::string rule = "*-----------+-----------+-----------*";
    const std::string first = "| 5 37 1259 | 4 . 6 8 | 1 2 3 |";
    const std::string second = "  12 3 4   5|6|7 8+9 *123456789";
    const std::string other = "1 2 3 4 5 6 7 8 9";
    std::string text = "\xEF\xBB\xBF" + rule + "\r\n" + first + "\r\n" + second + "\r" + other + "\n\n" + rule + '\n';
    for (int r = 3; r < 9; ++r) text += other + (r == 5 ? "\n. . . .\n" : "\n");
    const PencilMarks read = read_pencil_marks(text);
    ASSERT_TRUE(read.ok) << read.problem;
    EXPECT_EQ(read.marks[0], mask_of("5"));
    EXPECT_EQ(read.marks[1], mask_of("37"));
    EXPECT_EQ(read.marks[2], mask_of("1259"));
    EXPECT_EQ(read.marks[3], mask_of("4"));
    EXPECT_EQ(read.marks[4], mask_of("6")) << "a lone '.' is decoration, not a cell";
    EXPECT_EQ(read.marks[9], mask_of("12"));
    EXPECT_EQ(read.marks[13], mask_of("6")) << "| + and * separate cells like blanks";
    EXPECT_EQ(read.marks[17], mask_of("123456789"));
    EXPECT_EQ(read.marks[18], mask_of("1")) << "a lone CR ends a line";
    EXPECT_EQ(read.marks[80], mask_of("9"));
}

TEST(PencilMarks, names_what_is_wrong) {
    const std::string row = "1 2 3 4 5 6 7 8 9";
    const struct {
        std::string text;
        std::string problem;
    } cases[] = {
        {grid_of_rows(row).substr(18), "9 lignes de cases attendues, 8 trouvées"},
        {"", "9 lignes de cases attendues, 0 trouvée"},
        {grid_of_rows(row) + row + '\n', "ligne 10 : 9 lignes de cases attendues, une de plus trouvée"},
        {"+---+\n1 2 3 4 5 6 7 8\n", "ligne 2 : 9 cases attendues, 8 trouvées"},
        {"1 2 3 4 5 6 7 8 9 1\n", "ligne 1 : 9 cases attendues, 10 trouvées"},
        {"1 2 3 4 5 6 7 8 0\n",
         "ligne 1 : caractère inattendu « 0 » (les candidats de chaque case, 1 à 9, séparés par des blancs)"},
        {"1 2 3 4 \xC3\xA9 6 7 8 9\n",
         "ligne 1 : caractère inattendu « \xC3\xA9 » (les candidats de chaque case, 1 à 9, séparés par des blancs)"},
        {std::string(kMaxPencilMarksBytes + 1, ' '), "grille de candidats trop longue (plus de 65536 octets)"},
    };
    for (const auto& c : cases) {
        const PencilMarks read = read_pencil_marks(c.text);
        EXPECT_FALSE(read.ok) << c.text;
        EXPECT_EQ(read.problem, c.problem) << c.text;
        EXPECT_EQ(read.marks, Marks{}) << c.text;
    }
}

TEST(PencilMarks, told_apart_from_a_sud_file) {
    const struct {
        std::string text;
        bool pencil;
    } cases[] = {
        {"5\r\n3\r\n0\r\n", false},
        {"\n\n  5\n", false},
        {"", false},
        {"$1F\n", false},
        {"+-------+-------+\n", true},
        {"\n*---*\n", true},
        {"5 37 1259 4 6 1 2 3 8\n", true},
        {"5|3\n", true},
        {"# grille 1 2\n", false},
        {"5 3 x\n", false},
        {"53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79\n", false},
        {"53..7.... 6..195...\n", true},
    };
    for (const auto& c : cases) EXPECT_EQ(looks_like_pencil_marks(c.text), c.pencil) << c.text;
}

} // namespace
