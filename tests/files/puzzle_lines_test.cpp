// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "puzzle_lines.h"
#include "puzzles.h"

using namespace vornel;

namespace {

struct Seen {
    std::uint64_t number;
    std::string text;
    bool too_long;
    bool operator==(const Seen&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Seen& seen) {
    return out << seen.number << (seen.too_long ? " too long" : " '" + seen.text + "'");
}

// The lines of `bytes` fed in pieces of `piece` bytes (0: all at once).
std::vector<Seen> lines_of(const std::string& bytes, std::size_t piece = 0, std::size_t limit = 16) {
    PuzzleLineSplitter splitter(limit);
    std::vector<Seen> seen;
    const auto keep = [&](const PuzzleLine& line) {
        seen.push_back({line.number, std::string(line.text), line.too_long});
    };
    const std::size_t step = piece == 0 ? bytes.size() : piece;
    for (std::size_t at = 0; at < bytes.size(); at += step)
        splitter.feed(std::string_view(bytes).substr(at, step), keep);
    splitter.finish(keep);
    return seen;
}

const std::string kEasy(test::kEasy);

} // namespace

TEST(PuzzleLines, lines_are_cut_alike_whatever_the_pieces_they_come_in) {
    const struct {
        const char* name;
        std::string bytes;
        std::vector<Seen> lines;
    } cases[] = {
        {"nothing", "", {}},
        {"one line without line feed", "abc", {{1, "abc", false}}},
        {"empty lines count", "\n\nx\n", {{1, "", false}, {2, "", false}, {3, "x", false}}},
        {"carriage return stays in the line", "a\r\nb\r\n", {{1, "a\r", false}, {2, "b\r", false}}},
        {"byte-order mark skipped at the start",
         "\xEF\xBB\xBFx\n\xEF\xBB\xBFy\n",
         {{1, "x", false}, {2, "\xEF\xBB\xBFy", false}}},
        {"a mark alone is an empty line", "\xEF\xBB\xBF", {{1, "", false}}},
        {"the limit itself is kept", std::string(16, 'a') + "\nb", {{1, std::string(16, 'a'), false}, {2, "b", false}}},
        {"one byte over the limit is reported once and skipped",
         std::string(17, 'a') + "\nb\n",
         {{1, "", true}, {2, "b", false}}},
        {"a long last line without line feed", "a\n" + std::string(100, 'z'), {{1, "a", false}, {2, "", true}}},
        {"a huge line then a puzzle",
         std::string(100000, '\0') + "\n" + kEasy + "\n",
         {{1, "", true}, {2, kEasy, false}}},
    };
    for (const auto& c : cases) {
        for (const std::size_t piece : {0, 1, 2, 3, 7, 4096}) {
            const std::size_t limit = std::string(c.name).find("puzzle") != std::string::npos ? 100 : 16;
            EXPECT_EQ(lines_of(c.bytes, piece, limit), c.lines) << c.name << ", pieces of " << piece;
        }
    }
}

TEST(PuzzleLines, a_line_that_never_ends_is_reported_as_soon_as_it_passes_the_limit) {
    PuzzleLineSplitter splitter;
    int reports = 0;
    const std::string zeros(64 * 1024, '\0');
    for (int i = 0; i < 200; ++i) // 12.5 MiB without a line feed
        splitter.feed(zeros, [&](const PuzzleLine& line) {
            EXPECT_TRUE(line.too_long);
            EXPECT_EQ(line.number, 1u);
            ++reports;
        });
    EXPECT_EQ(reports, 1);
}

TEST(PuzzleLines, parsing_counts_characters_and_names_the_first_wrong_one) {
    const std::string easy = kEasy;
    const struct {
        std::string line;
        std::string problem;
    } cases[] = {
        {easy, ""},
        {"  \t" + easy + " \r", ""},
        {easy.substr(0, 80), "81 cases attendues (ou 729 caractères avec les candidats), 80 caractères trouvés"},
        {easy + "1", "81 cases attendues (ou 729 caractères avec les candidats), 82 caractères trouvés"},
        {"1", "81 cases attendues (ou 729 caractères avec les candidats), 1 caractère trouvé"},
        {"", "81 cases attendues (ou 729 caractères avec les candidats), 0 caractère trouvé"},
        {easy.substr(0, 80) + "\xC3\xA9", "caractère inattendu en position 81 (1 à 9 pour les chiffres donnés, 0 ou . "
                                          "pour les cases vides)"},
        {"\xE2\x82\xAC" + easy.substr(1), "caractère inattendu en position 1 (1 à 9 pour les chiffres donnés, 0 ou . "
                                          "pour les cases vides)"},
        {easy.substr(0, 80) + "\x80", "caractère inattendu en position 81 (1 à 9 pour les chiffres donnés, 0 ou . "
                                      "pour les cases vides)"},
        {easy + "\x80", "81 cases attendues (ou 729 caractères avec les candidats), 82 caractères trouvés"},
        {std::string(81, '\xC3'), "caractère inattendu en position 1 (1 à 9 pour les chiffres donnés, 0 ou . pour "
                                  "les cases vides)"},
        {easy.substr(0, 40) + "x" + easy.substr(41), "caractère inattendu en position 41 (1 à 9 pour les chiffres "
                                                     "donnés, 0 ou . pour les cases vides)"},
    };
    for (const auto& c : cases) {
        Values values{};
        EXPECT_EQ(parse_puzzle_line(c.line, values), c.problem) << c.line;
    }
    Values values{};
    ASSERT_EQ(parse_puzzle_line(easy, values), "");
    EXPECT_EQ(values[0], 5);
    EXPECT_EQ(values[2], 0);
    EXPECT_EQ(values[80], 9);
}

TEST(PuzzleLines, a_hash_after_the_puzzle_starts_a_comment_and_tells_puzzle_lines_apart) {
    const std::string marks(729, '.');
    const struct {
        std::string line;
        std::string text; // what puzzle_line_text keeps
        bool puzzle_line; // looks_like_puzzle_line
    } cases[] = {
        {kEasy, kEasy, true},
        {"  " + kEasy + "  # the first\r", kEasy, true},
        {kEasy + "#no blank", kEasy, true},
        {marks + " # a position", marks, true},
        {"# " + kEasy, "", false},
        {kEasy.substr(0, 80) + " # short", kEasy.substr(0, 80), false},
        {"5", "5", false},                                   // a ".sud" file's first value
        {"5 3 . | . 7 .", "5 3 . | . 7 .", false},           // a pencil-mark row
        {std::string(81, '-'), std::string(81, '-'), false}, // a rule, not a puzzle
        {"1259 37", "1259 37", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(puzzle_line_text(c.line), c.text) << c.line;
        EXPECT_EQ(looks_like_puzzle_line(c.line), c.puzzle_line) << c.line;
    }
    // The comment is not part of the puzzle: the line reads as the puzzle alone.
    Values with{}, without{};
    EXPECT_EQ(parse_puzzle_line(kEasy + "   # easy", with), "");
    EXPECT_EQ(parse_puzzle_line(kEasy, without), "");
    EXPECT_EQ(with, without);
    EXPECT_NE(parse_puzzle_line(kEasy.substr(1) + "#", with), "") << "80 characters before the comment";
}
