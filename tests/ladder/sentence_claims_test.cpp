// SPDX-License-Identifier: GPL-3.0-or-later
// What the sentences claim against what the steps do. For every step of the ladder on hard
// corpora, the clause after "nous retirons" names only digits and cells that the step eliminates,
// and the clause after "nous écrivons" only digits and cells it places. The clauses are read
// back from the French with patterns of their own ("L4C2", "ligne 4, colonne 2", "ligne 4,
// colonnes 1 et 2", "lignes 2 et 5, colonne 3", "ligne 2 (colonnes 1 et 9)"), not with the
// narrator's helpers. The sentences of a chain or a branch are at most 120 characters long.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "ladder.h"
#include "ladder_support.h"
#include "narrator_fr.h"

namespace vornel::ladder {
namespace {

using testing::grid_of;

std::vector<std::string> read_corpus(const std::string& path, std::size_t most) {
    std::ifstream in(path);
    std::vector<std::string> puzzles;
    std::string line;
    while (std::getline(in, line) && puzzles.size() < most)
        if (line.size() >= 81 && line[0] != '#') puzzles.push_back(line.substr(0, 81));
    return puzzles;
}

// "1, 2 et 8" -> {1, 2, 8}.
std::vector<int> numbers(const std::string& list) {
    std::vector<int> out;
    for (const char ch : list)
        if (ch >= '1' && ch <= '9') out.push_back(ch - '0');
    return out;
}

// Every cell a piece of French names, 0-80.
std::set<int> cells_named(const std::string& text) {
    std::set<int> cells;
    static const std::regex compact(R"(L([1-9])C([1-9]))");
    static const std::regex rows_cols(R"(lignes? ((?:[1-9](?:, | et )?)+), colonnes? ((?:[1-9](?:, | et )?)+))");
    static const std::regex row_group(R"(ligne ([1-9]) \(colonnes? ((?:[1-9](?:, | et )?)+)\))");
    for (std::sregex_iterator it(text.begin(), text.end(), compact), end; it != end; ++it)
        cells.insert(cell_at((*it)[1].str()[0] - '1', (*it)[2].str()[0] - '1'));
    for (std::sregex_iterator it(text.begin(), text.end(), rows_cols), end; it != end; ++it)
        for (const int r : numbers((*it)[1].str()))
            for (const int c : numbers((*it)[2].str())) cells.insert(cell_at(r - 1, c - 1));
    for (std::sregex_iterator it(text.begin(), text.end(), row_group), end; it != end; ++it)
        for (const int c : numbers((*it)[2].str())) cells.insert(cell_at((*it)[1].str()[0] - '1', c - 1));
    return cells;
}

// Every digit a piece of French names as "le 3" or "un 3".
std::set<int> digits_named(const std::string& text) {
    std::set<int> digits;
    static const std::regex digit(R"(\b(?:le|un) ([1-9])\b)");
    for (std::sregex_iterator it(text.begin(), text.end(), digit), end; it != end; ++it)
        digits.insert((*it)[1].str()[0] - '0');
    return digits;
}

// The clauses of `text` that start with `verb` and end at the sentence's end or at ", qui"
// (which names the pattern's cells, not the removed ones).
std::vector<std::string> clauses(const std::string& text, const std::string& verb) {
    std::vector<std::string> out;
    for (std::size_t at = text.find(verb); at != std::string::npos; at = text.find(verb, at + 1)) {
        std::size_t end = text.find(". ", at);
        if (end == std::string::npos) end = text.size();
        const std::size_t who = text.find(", qui", at);
        if (who != std::string::npos && who < end) end = who;
        out.push_back(text.substr(at + verb.size(), end - at - verb.size()));
    }
    return out;
}

// A step's lines as one text, the lines' indentation dropped; `longest`, the longest line of a
// chain or a branch (the indented ones), which are short sentences, not wrapped ones.
std::string told(const Step& step, std::size_t& longest) {
    std::string text;
    for (const std::string& line : narrate(step)) {
        if (line.rfind("  ", 0) == 0)
            longest = std::max(longest, line.size() - std::count_if(line.begin(), line.end(), [](char ch) {
                                            return (static_cast<unsigned char>(ch) & 0xC0) == 0x80;
                                        }));
        const std::size_t first = line.find_first_not_of(' ');
        text += (text.empty() ? "" : " ") + (first == std::string::npos ? std::string() : line.substr(first));
    }
    return text;
}

struct Corpus {
    const char* file;
    std::size_t most; // puzzles read from its start
};

class SentenceClaims : public ::testing::TestWithParam<Corpus> {};

TEST_P(SentenceClaims, name_only_what_the_step_removes_or_places) {
    std::map<Technique, int> checked; // steps whose removal or placement clause was read
    for (const std::string& puzzle :
         read_corpus(std::string(VORNEL_TEST_DATA) + "/ladder/" + GetParam().file, GetParam().most)) {
        const Explanation e = explain(grid_of(puzzle));
        for (const Step& step : e.steps) {
            std::size_t longest = 0;
            const std::string text = told(step, longest);
            EXPECT_LE(longest + 5, 120u) << text; // room for the step number
            std::set<int> removed_cells, removed_digits, placed_cells, placed_digits;
            for (const Candidate& c : step.eliminations) {
                removed_cells.insert(c.cell);
                removed_digits.insert(c.digit);
            }
            for (const Candidate& c : step.placements) {
                placed_cells.insert(c.cell);
                placed_digits.insert(c.digit);
            }
            const auto within = [](const std::set<int>& named, const std::set<int>& data) {
                for (const int x : named)
                    if (!data.contains(x)) return false;
                return true;
            };
            for (const char* verb : {"nous retirons ", "Nous retirons "}) {
                for (const std::string& clause : clauses(text, verb)) {
                    EXPECT_TRUE(within(cells_named(clause), removed_cells))
                        << technique_id(step.technique) << ": " << text;
                    EXPECT_TRUE(within(digits_named(clause), removed_digits))
                        << technique_id(step.technique) << ": " << text;
                    ++checked[step.technique];
                }
            }
            for (const std::string& clause : clauses(text, "nous écrivons ")) {
                EXPECT_TRUE(within(cells_named(clause), placed_cells)) << technique_id(step.technique) << ": " << text;
                EXPECT_TRUE(within(digits_named(clause), placed_digits))
                    << technique_id(step.technique) << ": " << text;
                ++checked[step.technique];
            }
        }
    }
    // The corpora reach the techniques whose sentences carry the most claims.
    for (const Technique t : {Technique::HiddenSingle, Technique::Pointing, Technique::NakedPair, Technique::XyWing,
                              Technique::Aic, Technique::ForcingChain})
        EXPECT_GT(checked[t], 0) << technique_id(t);
}

// A forcing chain is told branch by branch, each branch from "Si ..." down to its end: the end a
// branch tells is what the step concludes (the placement or removal it makes), or, for a branch
// that breaks, a contradiction; and a step of one branch removes the candidate it assumed.
TEST_P(SentenceClaims, forcing_branches_end_on_what_the_step_concludes) {
    int branches = 0;
    for (const std::string& puzzle :
         read_corpus(std::string(VORNEL_TEST_DATA) + "/ladder/" + GetParam().file, GetParam().most)) {
        for (const Step& step : explain(grid_of(puzzle)).steps) {
            if (step.branches.empty()) continue;
            // The told branches: from each line "Si ..." at the left margin to the line before the
            // next one, or before the closing lines at the margin.
            std::vector<std::vector<std::string>> told;
            bool closed = false;
            for (const std::string& line : narrate(step)) {
                if (line.rfind("Si ", 0) == 0 && !closed)
                    told.emplace_back(1, line);
                else if (!told.empty() && line.rfind("  ", 0) == 0 && !closed)
                    told.back().push_back(line);
                else if (!told.empty())
                    closed = true;
            }
            ASSERT_EQ(told.size(), step.branches.size()) << technique_id(step.technique);
            std::string all;
            for (const std::string& line : narrate(step)) all += line + '\n';
            for (std::size_t b = 0; b < step.branches.size(); ++b) {
                const ForcingBranch& branch = step.branches[b];
                const std::string& last = told[b].back();
                const auto name = [](int cell) {
                    return "L" + std::to_string(row_of(cell) + 1) + "C" + std::to_string(col_of(cell) + 1);
                };
                // "le 7", or "Le 7" at the start of the line.
                const std::string digit = "e " + std::to_string(branch.end.candidate.digit);
                ++branches;
                switch (branch.end.kind) {
                    case BranchEnd::Kind::Place:
                        EXPECT_NE(std::find(step.placements.begin(), step.placements.end(), branch.end.candidate),
                                  step.placements.end())
                            << all;
                        EXPECT_NE(last.find(name(branch.end.candidate.cell)), std::string::npos) << all;
                        EXPECT_NE(last.find(digit), std::string::npos) << all;
                        break;
                    case BranchEnd::Kind::Eliminate:
                        EXPECT_NE(std::find(step.eliminations.begin(), step.eliminations.end(), branch.end.candidate),
                                  step.eliminations.end())
                            << all;
                        EXPECT_NE(last.find(name(branch.end.candidate.cell)), std::string::npos) << all;
                        EXPECT_NE(last.find(digit), std::string::npos) << all;
                        break;
                    case BranchEnd::Kind::EmptyCell:
                        EXPECT_NE(last.find(name(branch.end.cell)), std::string::npos) << all;
                        EXPECT_NE(last.find("impossible"), std::string::npos) << all;
                        break;
                    case BranchEnd::Kind::NoPlace:
                        EXPECT_NE(last.find(digit), std::string::npos) << all;
                        EXPECT_NE(last.find("impossible"), std::string::npos) << all;
                        break;
                }
                if (step.branches.size() == 1 &&
                    (branch.end.kind == BranchEnd::Kind::EmptyCell || branch.end.kind == BranchEnd::Kind::NoPlace)) {
                    EXPECT_NE(std::find(step.eliminations.begin(), step.eliminations.end(), branch.assume),
                              step.eliminations.end())
                        << all;
                }
            }
        }
    }
    EXPECT_GT(branches, 0);
}

INSTANTIATE_TEST_SUITE_P(Ladder, SentenceClaims, ::testing::Values(Corpus{"top95.txt", 40}, Corpus{"hardest.txt", 30}),
                         [](const ::testing::TestParamInfo<Corpus>& info) {
                             return std::string(info.param.file).substr(0, std::string(info.param.file).find('.'));
                         });

// The patterns read the French forms they are meant to read.
TEST(SentenceClaims, patterns_read_every_form_of_cell_names) {
    const std::pair<const char*, std::set<int>> cases[] = {
        {"le 3 de L4C2 et L9C9", {cell_at(3, 1), cell_at(8, 8)}},
        {"le 3 de la case ligne 4, colonne 2", {cell_at(3, 1)}},
        {"le 3 des cases ligne 4, colonnes 1, 2 et 8", {cell_at(3, 0), cell_at(3, 1), cell_at(3, 7)}},
        {"le 5 des cases lignes 2, 5 et 7, colonne 3", {cell_at(1, 2), cell_at(4, 2), cell_at(6, 2)}},
        {"le 7 des cases ligne 2 (colonnes 1 et 9) et ligne 5 (colonne 3)",
         {cell_at(1, 0), cell_at(1, 8), cell_at(4, 2)}},
    };
    for (const auto& [text, cells] : cases) EXPECT_EQ(cells_named(text), cells) << text;
    EXPECT_EQ(digits_named("le 2 et le 6 de L1C3 et un 5"), (std::set<int>{2, 5, 6}));
}

} // namespace
} // namespace vornel::ladder
