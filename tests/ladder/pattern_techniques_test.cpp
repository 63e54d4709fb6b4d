// SPDX-License-Identifier: GPL-3.0-or-later
// Empty rectangles, turbot fish, finned jellyfish, fish with regions, multi-colouring, 3D medusa
// and grouped chains: each finder on a position built from the technique's definition (an empty
// grid and edits of its candidates, every elimination worked out by hand), on positions where it
// must stay silent, the shape of the steps it returns, their sentences, and its soundness at every
// position the ladder passes through on the corpus.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "ladder.h"
#include "ladder_support.h"
#include "narrator_fr.h"
#include "techniques/techniques.h"

namespace vornel::ladder {
namespace {

using testing::candidates_text;
using testing::expand;
using testing::model;

constexpr const char* kEmpty = ".................................................................................";

// Region 5's 1s on row 5 and column 5 only; row 2's 1s in r2c5 (column 5) and r2c8. A 1 in r5c8
// would put region 5's 1 on column 5 off row 5, take it from r2c5 and so put it in r2c8, in r5c8's
// column.
constexpr const char* kEmptyRectangle = "r4c46-1 r6c46-1 r2c1234679-1";
// Region 1's 2s in r1c1 and r3c3 only, row 7's in r7c1 and r7c8: r7c8 = r7c1 - r1c1 = r3c3.
constexpr const char* kTurbot = "r1c23-2 r2c123-2 r3c12-2 r7c2345679-2";
// Rows 1, 3, 5 and 7 hold their 6s in columns 1, 4, 6 and 9, but for r7c8, a fin in region 9.
constexpr const char* kFinnedJellyfish = "r1c2356789-6 r3c1235789-6 r5c1234578-6 r7c234567-6";
// Rows 1 (r1c1, r1c7) and 5 (r5c1, r5c8) hold their 4s in column 1 and region 3, but for the fin
// r5c8: r2c8 and r3c8 see the fin and lie in region 3.
constexpr const char* kFranken = "r1c2345689-4 r5c2345679-4";
// Row 1 (r1c2, r1c8) and column 9 (r3c9, r8c9): region 3 and column 2 hold them all but the fin
// r8c9, which r8c2 sees (region 3's other 4s do not).
constexpr const char* kMutant = "r1c1345679-4 r1245679c9-4";
// Two clusters of 7s: r1c1 = r1c5 (row 1) and r2c4 = r8c4 (column 4); r1c5 sees r2c4.
constexpr const char* kMultiColouring = "r1c2346789-7 r34567c4-7 r9c4-7";
// r1c1 (1 or 2) = 2 in r5c1 (column 1) = 3 in r5c1 = 3 in r5c9 (row 5) = 1 in r5c9 = 1 in r1c9
// (column 9): 1 in r1c1 and 1 in r1c9 share a colour and row 1.
constexpr const char* kMedusa = "r1c1=12 r5c1=23 r5c9=13 r2346789c1-2 r5c2345678-3 r2346789c9-1";
// 5 in r1c1 = 5 in r1c7/r1c8 (row 1) - 5 in r3c9 (region 3) = 5 in r7c9 (column 9).
constexpr const char* kGroupedAic = "r1c234569-5 r1245689c9-5";

struct Case {
    const char* name;
    Finder find;
    const char* edits;
    Technique technique;
    const char* placements;
    const char* eliminations;
    const char* cells; // the pattern's cells, as edits without digits
};

class FindsPattern : public ::testing::TestWithParam<Case> {};

TEST_P(FindsPattern, with_exact_eliminations) {
    const Case& t = GetParam();
    const Candidates c = model(kEmpty, t.edits);
    testing::expect_step(c, t.find(c), t.technique, t.placements, t.eliminations, t.cells);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Ladder, FindsPattern, ::testing::Values(
    Case{"empty_rectangle_region_5", find_empty_rectangle, kEmptyRectangle, Technique::EmptyRectangle, "",
         "r5c8-1", "r4c5 r5c456 r6c5 r2c58"},
    Case{"turbot_fish_region_1_row_7", find_turbot_fish, kTurbot, Technique::TurbotFish, "", "r3c8-2",
         "r7c18 r1c1 r3c3"},
    Case{"finned_jellyfish_fin_in_region_9", find_finned_jellyfish, kFinnedJellyfish, Technique::FinnedJellyfish, "",
         "r89c9-6", "r1c14 r3c46 r5c69 r7c189"},
    Case{"franken_fish_rows_1_5_column_1_region_3", find_franken_fish, kFranken, Technique::FrankenFish, "",
         "r23c8-4", "r1c17 r5c18"},
    Case{"mutant_fish_row_1_column_9", find_mutant_fish, kMutant, Technique::MutantFish, "", "r8c2-4",
         "r1c28 r38c9"},
    Case{"multi_colouring_7", find_multi_colouring, kMultiColouring, Technique::MultiColouring, "", "r8c1-7",
         "r1c5 r2c4"},
    Case{"medusa_wrap_on_row_1", find_3d_medusa, kMedusa, Technique::Medusa3D, "",
         "r1c1-1 r5c1-2 r5c9-3 r1c9-1", "r1c19 r5c19"},
    Case{"grouped_aic_row_1_column_9", find_grouped_aic, kGroupedAic, Technique::GroupedAic, "", "r7c1-5",
         "r1c178 r37c9"}
), [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });
// clang-format on

const Finder kFinders[] = {find_empty_rectangle, find_turbot_fish,     find_finned_jellyfish, find_franken_fish,
                           find_mutant_fish,     find_multi_colouring, find_3d_medusa,        find_grouped_aic};

struct NoCase {
    const char* name;
    Finder find;
    const char* edits;
};

class FindsNoPattern : public ::testing::TestWithParam<NoCase> {};

TEST_P(FindsNoPattern, on_a_position_without_it) {
    EXPECT_FALSE(GetParam().find(model(kEmpty, GetParam().edits)).has_value());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Ladder, FindsNoPattern, ::testing::Values(
    NoCase{"empty_rectangle_region_on_one_row", find_empty_rectangle, "r4c456-1 r6c456-1 r2c1234679-1"},
    NoCase{"turbot_fish_leaves_skyscrapers", find_turbot_fish, "r1c2345679-9 r8c1345679-9"},
    NoCase{"turbot_fish_leaves_kites", find_turbot_fish, "r9c2346789-4 r1234579c4-4"},
    NoCase{"finned_jellyfish_fins_in_two_regions", find_finned_jellyfish,
           "r1c2356789-6 r3c1235789-6 r5c1234578-6 r7c34567-6"},
    NoCase{"multi_colouring_one_cluster", find_multi_colouring, "r1c2346789-7"},
    NoCase{"medusa_cluster_without_contradiction", find_3d_medusa, "r1c1=12 r5c1=23 r2346789c1-2"}
), [](const ::testing::TestParamInfo<NoCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST(PatternFinders, find_nothing_on_the_empty_grid) {
    const Candidates c = model(kEmpty, "");
    for (const Finder find : kFinders) EXPECT_FALSE(find(c).has_value());
}

// Turbot fish and grouped chains are told link by link: the links alternate from a strong one,
// each starts where the previous ends, and each has its reason.
TEST(PatternFinders, chains_alternate_connect_and_give_reasons) {
    for (const auto& [find, edits] : {std::pair<Finder, const char*>{find_turbot_fish, kTurbot},
                                      std::pair<Finder, const char*>{find_grouped_aic, kGroupedAic}}) {
        const std::optional<Step> step = find(model(kEmpty, edits));
        ASSERT_TRUE(step.has_value());
        ASSERT_FALSE(step->links.empty());
        for (std::size_t i = 0; i < step->links.size(); ++i) {
            const Link& l = step->links[i];
            EXPECT_EQ(l.strong, i % 2 == 0);
            EXPECT_NE(l.why.kind, LinkReason::Kind::None);
            if (i > 0) { EXPECT_EQ(l.from, step->links[i - 1].to); }
        }
        EXPECT_TRUE(step->links.back().strong);
        EXPECT_TRUE(told_as_chain(*step));
    }
    // The group r1c7/r1c8 of row 1: the strong link in row 1 and the weak one in region 3 name it.
    const std::optional<Step> grouped = find_grouped_aic(model(kEmpty, kGroupedAic));
    ASSERT_TRUE(grouped.has_value());
    const Link& strong = grouped->links[0];
    EXPECT_EQ(strong.why.kind, LinkReason::Kind::Group);
    EXPECT_EQ(strong.why.unit, 0);
    EXPECT_EQ(strong.why.cells, (std::vector<std::uint8_t>{6, 7}));
    EXPECT_EQ(grouped->links[1].why.unit, 18 + 2);
}

// The sentences of a step, each wrapped line joined back to the one it continues.
std::vector<std::string> sentences(const Step& step) {
    std::vector<std::string> out;
    for (const std::string& line : narrate(step)) {
        if (line.rfind("  ", 0) == 0 && !out.empty())
            out.back() += " " + line.substr(2);
        else
            out.push_back(line);
    }
    return out;
}

// The sentences name what a learner checks on the board, in order.
TEST(PatternNarration, empty_rectangle_and_fish_with_regions) {
    EXPECT_EQ(
        sentences(*find_empty_rectangle(model(kEmpty, kEmptyRectangle))),
        (std::vector<std::string>{"Dans la région 5, le 1 ne peut aller que dans la ligne 5 ou dans la colonne 5.",
                                  "Dans la ligne 2, le 1 ne peut aller que dans la case L2C5 et dans la case L2C8.",
                                  "Si la case L5C8, dans la ligne 5, contenait le 1, la région 5 aurait son 1 dans la "
                                  "colonne 5, hors de la ligne 5 : la case L2C5 ne pourrait pas le contenir, et la "
                                  "case L2C8, qui voit la case L5C8, devrait le contenir.",
                                  "Nous retirons donc le 1 de la case L5C8."}));
    const std::vector<std::string> franken = sentences(*find_franken_fish(model(kEmpty, kFranken)));
    ASSERT_EQ(franken.size(), 4u);
    EXPECT_EQ(franken[1], "Toutes ces places sont dans la colonne 1 et la région 3, sauf la case L5C8, "
                          "l'aileron.");
    EXPECT_EQ(franken[3], "Dans les deux cas, nous retirons le 4 des cases L2C8 et L3C8.");
}

TEST(PatternNarration, colourings_name_the_contradiction) {
    const std::vector<std::string> multi = sentences(*find_multi_colouring(model(kEmpty, kMultiColouring)));
    // The clusters, their colours, the two colours that see each other, the trap, then for each
    // removal a cell of each colour it sees.
    ASSERT_EQ(multi.size(), 5u);
    EXPECT_EQ(multi[4].find("L"), 0u) << multi[4];
    EXPECT_NE(multi[4].find("une case de chaque couleur"), std::string::npos) << multi[4];
    EXPECT_EQ(multi[2],
              "La case L1C5 et la case L2C4 se voient : elles ne contiennent pas "
              "toutes deux le 7, donc l'une au moins des deux autres couleurs le porte, la case L1C1 ou la case L8C4.");
    const std::vector<std::string> medusa = sentences(*find_3d_medusa(model(kEmpty, kMedusa)));
    ASSERT_EQ(medusa.size(), 3u);
    EXPECT_EQ(medusa[1], "La première couleur met le 1 en L1C1 et en L1C9, qui se voient : elle est fausse.");
}

std::vector<std::string> read_corpus(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> puzzles;
    std::string line;
    while (std::getline(in, line))
        if (line.size() >= 81 && line[0] != '#') puzzles.push_back(line.substr(0, 81));
    return puzzles;
}

// Every finder at the positions the ladder passes through (before each step past the singles) on
// the hardest puzzles: no elimination of the solution's digit, only live candidates. The fish
// with regions, the slowest, are asked at one position in twenty.
// Every placement of a digit, found the plain way: each row's column in turn, no column or region
// twice. The cells of the placements found, and whether there was one.
void placements_of(const Candidates& c, int d, int row, std::vector<int>& taken, CellSet& on, bool& any) {
    if (row == 9) {
        any = true;
        for (int r = 0; r < 9; ++r) on.add(9 * r + taken[static_cast<std::size_t>(r)]);
        return;
    }
    for (int col = 0; col < 9; ++col) {
        const int cell = 9 * row + col;
        if (c.value(cell) != d && !c.has(cell, d)) continue;
        bool clash = false;
        for (int r = 0; r < row; ++r) {
            const int other = taken[static_cast<std::size_t>(r)];
            clash = clash || other == col || (r / 3 == row / 3 && other / 3 == col / 3);
        }
        if (clash) continue;
        taken.push_back(col);
        placements_of(c, d, row + 1, taken, on, any);
        taken.pop_back();
    }
}

// The search of fish with regions is spared for a digit whose candidates all lie on a placement of
// it: checked against every placement, on the empty grid, on a digit with no placement, and at
// positions along hard solves, where most digits have none off and some have.
TEST(PatternPlacements, a_candidate_off_every_placement_is_seen) {
    std::vector<Candidates> positions{model(kEmpty, ""), model(kEmpty, "r1c123456789-5"),
                                      model(kEmpty, "r1c2345689-4 r5c2345679-4")};
    for (const std::string& puzzle : testing::read_corpus(std::string(VORNEL_TEST_DATA) + "/ladder/hardest.txt")) {
        if (positions.size() > 60) break;
        const Explanation whole = explain(testing::grid_of(puzzle));
        Candidates c(testing::grid_of(puzzle));
        for (std::size_t k = 0; k < whole.steps.size(); c.apply(whole.steps[k++]))
            if (k % 11 == 0) positions.push_back(c);
    }
    int off = 0, on = 0;
    for (std::size_t p = 0; p < positions.size(); ++p) {
        for (int d = 1; d <= 9; ++d) {
            std::vector<int> taken;
            CellSet placed;
            bool any = false;
            placements_of(positions[p], d, 0, taken, placed, any);
            const bool expected = !any || !(positions[p].cells_of(d) - placed).empty();
            EXPECT_EQ(candidate_off_every_placement(positions[p], d), expected) << "position " << p << " digit " << d;
            (expected ? off : on) += 1;
        }
    }
    EXPECT_GT(off, 10);
    EXPECT_GT(on, 100);
}

TEST(PatternSoundness, every_finder_agrees_with_the_solution) {
    int checked = 0;
    for (const char* file : {"/ladder/hardest.txt", "/ladder/top95.txt"}) {
        for (const std::string& text : read_corpus(std::string(VORNEL_TEST_DATA) + file)) {
            SCOPED_TRACE(text);
            const Grid puzzle = testing::grid_of(text);
            testing::PlainSolver solver(puzzle);
            ASSERT_EQ(solver.solve(), 1);
            const Grid& solution = solver.solution();
            Candidates c(puzzle);
            int position = 0;
            for (const Step& step : explain(puzzle).steps) {
                if (step.technique > Technique::NakedSingle) {
                    ++position;
                    for (const Finder find : kFinders) {
                        const bool slow = find == find_franken_fish || find == find_mutant_fish;
                        if (slow && position % 20 != 0) continue;
                        const std::optional<Step> found = find(c);
                        if (!found) continue;
                        ++checked;
                        EXPECT_FALSE(found->eliminations.empty() && found->placements.empty());
                        for (const Candidate& e : found->eliminations) {
                            EXPECT_TRUE(c.has(e.cell, e.digit));
                            EXPECT_NE(solution[e.cell], e.digit) << technique_id(found->technique);
                        }
                        for (const Candidate& p : found->placements)
                            EXPECT_EQ(solution[p.cell], p.digit) << technique_id(found->technique);
                    }
                }
                c.apply(step);
            }
        }
    }
    EXPECT_GT(checked, 1000);
}

} // namespace
} // namespace vornel::ladder
