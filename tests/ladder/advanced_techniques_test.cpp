// SPDX-License-Identifier: GPL-3.0-or-later
// Chains and colouring, uniqueness, forcing chains and trial, each finder on positions written as
// pencil marks: published examples where there are (the eliminations are the published ones),
// otherwise positions met on the way through the hardest published puzzles, each checked by hand
// against the technique's definition. Then the shape of the steps (chains alternate and connect),
// the positions where no finder may act, the sentences, and soundness of every finder on the corpus.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ladder.h"
#include "ladder_picture.h"
#include "ladder_support.h"
#include "narrator_fr_chains.h"
#include "techniques/techniques.h"

namespace vornel::ladder {
namespace {

using testing::candidates_text;
using testing::grid_of;
using testing::PlainSolver;

// A position from 81 blank-separated pencil marks, row by row: one digit is a filled cell, several
// digits are the candidates of an empty cell.
Candidates from_marks(const std::string& marks) {
    std::istringstream in(marks);
    std::vector<std::string> cells;
    std::string token;
    while (in >> token) cells.push_back(token);
    EXPECT_EQ(cells.size(), 81u);
    Grid grid{};
    for (std::size_t i = 0; i < 81 && i < cells.size(); ++i)
        if (cells[i].size() == 1) grid[i] = static_cast<std::uint8_t>(cells[i][0] - '0');
    Candidates c(grid);
    for (int i = 0; i < 81 && i < static_cast<int>(cells.size()); ++i) {
        if (c.value(i) != 0) continue;
        unsigned keep = 0;
        for (const char d : cells[static_cast<std::size_t>(i)]) keep |= 1u << (d - '0');
        EXPECT_EQ(keep & ~c.mask(i), 0u) << "cell " << i << " lists a digit its peers hold";
        for (int d = 1; d <= 9; ++d)
            if (!((keep >> d) & 1)) c.eliminate(i, d);
    }
    return c;
}

// Simple Colors, color trap on digit 3 (HoDoKu's example "sc01"): r1c9, r3c9, r8c1 <> 3.
const char* const kColourTrap = R"(
2 1 4 35 358 6 3579 5789 3578
3568 356 7 9 1358 2 1356 158 4
35689 3569 35 4 1358 7 12356 1258 358
569 569 1 8 7 45 459 3 2
357 357 2 6 9 345 1457 14578 578
3579 4 8 35 2 1 579 579 6
4 2 35 7 35 9 8 6 1
357 357 9 1 6 8 24 24 35
1 8 6 2 4 35 357 57 9)";

// Colour wrap on digit 5: r1c2-r1c3 (row 1) and r1c2-r2c2 (column 2) are conjugate pairs, so r1c3
// and r2c2 share a colour, and they see each other in region 1.
const char* const kColourWrap = R"(
249 2569 24569 349 479 3479 8 4679 1
7 3569 134569 2 149 8 4569 3469 34569
8 239 12349 5 1479 6 2479 3479 23479
3 269 2469 7 2469 1 2469 5 8
249 1 245679 8 24569 459 3 4679 24679
249 8 245679 3469 24569 3459 24679 1 24679
5 379 8 1469 4679 479 14679 2 34679
1 4 2379 69 8 2579 5679 3679 35679
6 279 279 149 3 24579 14579 8 4579)";

// X-chain on digit 7: r3c8 = r1c8 (region 3) - r1c6 (row 1) = r5c6 (column 6) - r4c4 (region 5)
// = r4c3 (row 4); r3c3 sees both ends.
const char* const kXChain = R"(
6 4789 2 14789 5 479 1389 1379 39
1789 5789 15789 1789 169 3 1689 4 2
13789 4789 134789 14789 1469 2 1689 15679 569
4 3 5679 1579 2 8 169 1569 569
789 1 56789 34579 349 45679 2 3569 345689
289 25689 5689 13459 1349 4569 7 13569 345689
5 4689 134689 2 7 149 3469 369 369
279 24679 4679 3459 349 459 4569 8 1
139 49 1349 6 8 1459 3459 2 7)";

// Remote Pair 4/5 (HoDoKu's example "rp01"): r2c7 - r2c2 - r3c1 - r6c1 => r6c7 <> 5.
const char* const kRemotePair = R"(
7 9 8 4 5 2 3 1 6
6 45 3 7 8 1 45 9 2
45 1 2 69 3 69 8 7 45
3 7 19 2 6 5 19 4 8
8 2 59 1 4 3 7 6 59
45 6 145 8 9 7 15 2 3
9 8 56 56 1 4 2 3 7
1 34 7 369 2 8 469 5 49
2 345 456 3569 7 69 469 8 1)";

// Remote Pair 2/8 over eight cells (HoDoKu's example "rp02"):
// r18c7, r7c59, r8c9 <> 2 and r38c7, r7c59, r8c9 <> 8.
const char* const kRemotePairLong = R"(
1 7 8 6 24 9 234 5 234
9 3 4 1 5 28 6 28 7
2 5 6 7 48 3 489 1 489
7 9 3 5 6 28 28 4 1
6 4 1 28 3 7 5 9 28
8 2 5 9 1 4 7 3 6
5 6 7 3 289 1 2489 28 2489
4 1 29 28 7 5 2389 6 2389
3 8 29 4 29 6 1 7 5)";

// XY-chain: r5c3 (4 9) - r8c3 (9 8) - r7c1 (8 5) - r7c2 (5 4): the 4 is in r5c3 or r7c2.
const char* const kXyChain = R"(
4 8 7 3 12 12 56 9 56
59 59 3 6 48 48 2 7 1
1 2 6 57 9 57 3 8 4
7 34 5 89 348 489 1 6 2
69 13469 49 2 1346 57 8 34 57
28 1346 28 57 1346 14 57 34 9
58 45 1 48 7 6 9 2 3
3 67 89 1 28 289 4 5 67
26 4679 249 49 5 3 67 1 8)";

// AIC: 9r8c2 = 4r8c2 - 4r8c4 = 4r9c5 (region 8) - 6r9c5 = 6r9c3 (row 9): r9c3 sees r8c2, so it
// holds neither the 9 (when r8c2 does) nor anything but the 6 otherwise.
const char* const kAic = R"(
589 25689 25689 23568 1 4 35789 569 3579
14589 3 45689 568 6789 5679 2 14569 59
14589 7 245689 23568 23689 23569 34589 14569 359
4578 2458 24578 9 24678 12567 457 3 16
6 4589 1 3458 3478 357 4579 2459 2579
34579 2459 234579 12456 2467 12567 4579 8 16
2 5689 356789 36 369 369 1 579 4
3479 49 3479 1234 5 1239 6 279 8
459 1 4569 7 2469 8 359 259 2359)";

// Uniqueness Test 1 (HoDoKu's example "u101"): 8/9 in r2c23, r6c23 => r2c2 <> 8, 9.
const char* const kRectangle1 = R"(
5 34 2 134 134 8 9 6 7
1 389 89 7 36 69 4 5 2
49 6 7 5 24 29 3 8 1
2 1 3 6 5 7 8 4 9
6 5 4 8 9 1 2 7 3
7 89 89 23 23 4 6 1 5
8 2 1 9 67 56 57 3 4
3 47 6 124 1247 25 157 9 8
49 479 5 14 8 3 17 2 6)";

// Type 2: floor r7c12 (4 9), roof r4c12 (4 6 9): the 6 is in the roof.
const char* const kRectangle2 = R"(
5 3 178 168 2 1467 9 14678 1468
678 2 4 1689 3 1679 67 5 168
678 168 9 1568 4678 14567 23 14678 23
469 469 35 356 1 3456 8 2 7
23468 14568 1358 7 46 23456 356 9 3456
23467 4567 357 2356 9 8 1 46 3456
49 49 3578 1236 678 1236 2567 1678 12568
378 578 6 4 78 123 257 178 9
1 78 2 689 5 679 4 3 68)";

// Type 4: floor r89c9 (1 5), roof r89c1 where column 1 has the 5 only in the roof.
const char* const kRectangle4 = R"(
6 179 14789 3 1789 2 5 479 89
489 5 34789 4789 6789 46789 3489 1 2
1489 2 134789 5 1789 1489 3489 34679 3689
7 4 2 6 1389 5 1389 39 389
189 169 1689 279 12379 1379 1369 5 4
3 169 5 489 189 1489 1689 2 7
2 8 4679 1 5 3679 349 3469 369
159 13679 1679 789 4 36789 2 3689 15
1459 1369 1469 289 23689 3689 7 34689 15)";

// BUG+1: every empty cell holds two candidates except r6c3 (1 3 6); the 6 has three places in
// r6c3 and region 4.
const char* const kBug = R"(
1 3 9 7 5 8 4 2 6
6 8 2 4 13 13 5 9 7
4 7 5 6 9 2 8 3 1
2 9 16 5 7 16 3 4 8
7 4 8 3 2 9 1 6 5
35 56 136 8 16 4 2 7 9
8 1 36 2 36 7 9 5 4
9 2 7 1 4 5 6 8 3
35 56 4 9 8 36 7 1 2)";

// Forcing chain: a 9 in r7c8 leaves the 7 of row 7 only r7c3, then the 8 only r7c2, and the 5 of
// row 7 has no place left. A 5 there breaks the grid too, further on (r1c7 is left empty): both go
// in one step.
const char* const kForcing = R"(
589 2568 25689 23568 1 4 35789 569 3579
14589 3 45689 568 6789 5679 2 14569 59
14589 7 245689 23568 23689 23569 34589 14569 359
4578 2458 24578 9 24678 12567 457 3 16
6 4589 1 3458 3478 357 4579 2459 2579
34579 2459 234579 12456 2467 12567 4579 8 16
2 5689 356789 36 369 369 1 579 4
3479 49 3479 1234 5 1239 6 279 8
459 1 456 7 2469 8 359 259 2359)";

// Cell forcing: r3c4 holds 5 or 9. With the 5, region 3 keeps its 5 only in r2c8; with the 9,
// r8c4 is a 1, r1c4 a 3, and region 3 keeps its 3 only in r2c8. Either way r2c8 loses its 4.
const char* const kForcingCell = R"(
5 2 479 139 14789 6 349 3489 349
48 689 469 235 2459 23459 7 34569 1
3 1 4679 59 4789 4789 24569 45689 24569
1 579 2359 4 2579 23579 8 35679 235679
6 5789 23459 235 125789 1235789 123459 134579 234579
48 5789 23459 6 125789 1235789 123459 134579 234579
29 4 1 8 2569 259 3569 35679 35679
7 56 56 19 3 149 149 2 8
29 3 8 7 124569 12459 14569 14569 4569)";

// A position of the hardest published puzzle that no other technique moves: r1c2 (4 7 8) has a
// completion only with the 7.
const char* const kTrial = R"(
1 478 34578 3567 3689 5678 3489 369 2
238 9 378 4 12368 12678 138 5 368
23458 248 6 1235 12389 1258 7 139 3489
2468 5 1478 9 1246 3 128 1267 678
234689 12468 13489 126 7 1246 123589 12369 35689
2369 1267 1379 8 5 126 1239 4 3679
7 148 14589 1235 12348 12458 6 239 3459
456 3 145 12567 1246 9 245 8 457
45689 468 2 3567 3468 45678 3459 379 1)";

// Two candidates of one cell refuted together, each by its own branch: r6c2 holds neither the 6
// (the 7 of column 2 loses its places) nor the 8 (the 1 of row 6 loses its places). Met on the
// way through a hard published puzzle.
const char* const kForcingTwo = R"(
6 4789 2 14789 5 479 1389 179 39
1789 5789 15789 1789 169 3 1689 4 2
13789 4789 13489 14789 1469 2 1689 15679 569
4 3 5679 1579 2 8 169 1569 569
789 1 56789 34579 349 45679 2 3569 48
289 25689 5689 13459 1349 4569 7 13569 48
5 4689 134689 2 7 149 3469 69 369
279 24679 4679 3459 349 459 4569 8 1
139 49 1349 6 8 1459 3459 2 7)";

// Nishio on the 2: a 2 in r4c5 leaves the 2 of row 1 only r1c9, that of row 3 only r3c4, that of
// row 6 only r6c1, and row 9 has no place left for it. Met on the way through a hard published
// puzzle, where no lighter technique applies.
const char* const kNishio = R"(
3478 6 3478 5 238 1 478 9 24
1 2 78 46 9 46 78 5 3
9 35 3458 23 238 7 1468 12468 1246
2356 4 2359 8 1236 239 16 7 126
2367 39 2379 12349 1346 2349 5 1246 8
26 8 1 7 246 5 469 3 2469
348 139 3489 13469 5 3469 2 1468 7
23458 1359 234589 123469 7 23469 134689 1468 14569
2345 7 6 12349 1234 8 1349 14 1459)";

// An AIC through two almost locked sets of four cells in the top95 list's eleventh puzzle, where
// every lighter technique and Nishio find nothing: without the 3 in r4c5, the set r1356c5
// (1 3 7 8 9) puts its 7 in r1c5 or r3c5; so not in r2c456, and row 2's 7 goes in r2c3; so not in
// r1c2, and the set r1569c2 (1 3 6 7 9) puts its 3 in r9c2. The 3 is in r4c5 or r9c2.
const char* const kAlsAic = R"(
6 179 14789 3 1789 2 5 479 89
489 5 34789 4789 6789 46789 348 1 2
1489 2 134789 5 1789 1489 3489 34679 3689
7 4 2 6 1389 5 189 39 389
189 169 1689 279 237 1379 369 5 4
3 169 5 489 189 1489 1689 2 7
2 8 679 1 5 3679 349 3469 369
59 13679 1679 789 4 36789 2 3689 15
459 1369 1469 289 23689 3689 7 3689 15)";

struct Case {
    const char* name;
    Finder find;
    const char* marks;
    Technique technique;
    int variant;
    const char* eliminations;
    const char* placements;
};

const Case kCases[] = {
    {"colour_trap", find_simple_colouring, kColourTrap, Technique::SimpleColouring, 2, "r1c9-3 r3c9-3 r8c1-3", ""},
    {"colour_wrap", find_simple_colouring, kColourWrap, Technique::SimpleColouring, 1, "r1c3-5 r2c2-5", ""},
    {"x_chain", find_x_chain, kXChain, Technique::XChain, 0, "r3c3-7", ""},
    {"remote_pair", find_remote_pair, kRemotePair, Technique::RemotePair, 0, "r6c7-5", ""},
    // One chain at a time: the shortest path of pairs that removes something; the ladder takes the
    // other removals in the steps that follow.
    {"remote_pair_of_eight_cells", find_remote_pair, kRemotePairLong, Technique::RemotePair, 0, "r1c7-2 r3c7-8", ""},
    {"xy_chain", find_xy_chain, kXyChain, Technique::XyChain, 0, "r4c2-4 r5c2-4 r6c2-4 r9c3-4", ""},
    {"aic", find_aic, kAic, Technique::Aic, 0, "r9c3-9", ""},
    {"unique_rectangle_type_1", find_unique_rectangle, kRectangle1, Technique::UniqueRectangle, 1, "r2c2-8 r2c2-9", ""},
    {"unique_rectangle_type_2", find_unique_rectangle, kRectangle2, Technique::UniqueRectangle, 2,
     "r4c4-6 r4c6-6 r5c1-6 r5c2-6 r6c1-6 r6c2-6", ""},
    {"unique_rectangle_type_4", find_unique_rectangle, kRectangle4, Technique::UniqueRectangle, 4, "r8c1-1 r9c1-1", ""},
    {"bug_plus_one", find_bug_plus_one, kBug, Technique::BugPlusOne, 0, "", "r6c3-6"},
    {"forcing_chain_contradiction", find_forcing_chain, kForcing, Technique::ForcingChain, 1, "r7c8-5 r7c8-9", ""},
    {"forcing_chain_cell", find_forcing_chain, kForcingCell, Technique::ForcingChain, 2, "r2c8-4", ""},
    {"forcing_chain_two_of_one_cell", find_forcing_chain, kForcingTwo, Technique::ForcingChain, 1, "r6c2-6 r6c2-8", ""},
    {"nishio", find_nishio, kNishio, Technique::Nishio, 1, "r4c5-2", ""},
    {"als_aic", find_als_aic, kAlsAic, Technique::AlsAic, 0, "r9c5-3", ""},
    {"trial_last_survivor", find_trial, kTrial, Technique::Trial, 2, "", "r1c2-7"},
};

class AdvancedFinder : public ::testing::TestWithParam<Case> {};

TEST_P(AdvancedFinder, finds_the_published_eliminations) {
    const Case& t = GetParam();
    const Candidates c = from_marks(t.marks);
    const std::optional<Step> step = t.find(c);
    ASSERT_TRUE(step.has_value());
    EXPECT_EQ(step->technique, t.technique);
    EXPECT_EQ(step->variant, t.variant);
    EXPECT_EQ(candidates_text(step->eliminations), t.eliminations);
    EXPECT_EQ(candidates_text(step->placements), t.placements);
    for (const Candidate& e : step->eliminations) EXPECT_TRUE(c.has(e.cell, e.digit));
    for (const Candidate& p : step->placements) EXPECT_TRUE(c.has(p.cell, p.digit));
}

INSTANTIATE_TEST_SUITE_P(Positions, AdvancedFinder, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// The chains read from the first candidate to the last: each link starts where the previous one
// ended, strong and weak links alternate, and the chain starts and ends with a strong link.
TEST(AdvancedChains, chains_alternate_and_connect) {
    const std::pair<Finder, const char*> chains[] = {
        {find_x_chain, kXChain}, {find_xy_chain, kXyChain}, {find_aic, kAic}};
    for (const auto& [find, marks] : chains) {
        const std::optional<Step> step = find(from_marks(marks));
        ASSERT_TRUE(step.has_value());
        const std::vector<Link>& links = step->links;
        ASSERT_FALSE(links.empty());
        EXPECT_TRUE(links.front().strong);
        EXPECT_TRUE(links.back().strong);
        for (std::size_t i = 1; i < links.size(); ++i) {
            EXPECT_EQ(links[i].from, links[i - 1].to);
            EXPECT_NE(links[i].strong, links[i - 1].strong);
        }
        EXPECT_EQ(step->colour_a.size() + step->colour_b.size(), links.size() + 1);
    }
}

// A node of a set's cells stands for all of them: the link that leaves the 7 of r1c5/r3c5 names
// both cells, and walking the chain rings both.
TEST(AdvancedChains, a_node_of_a_set_stands_for_every_cell_holding_its_digit) {
    const Candidates c = from_marks(kAlsAic);
    const std::optional<Step> step = find_als_aic(c);
    ASSERT_TRUE(step.has_value());
    ASSERT_GE(step->links.size(), 2u);
    const Link& weak = step->links[1];
    EXPECT_FALSE(weak.strong);
    EXPECT_EQ(weak.from_cells, (std::vector<std::uint8_t>{4, 22})); // r1c5, r3c5
    EXPECT_EQ(step->links[0].why.kind, LinkReason::Kind::Als);
    const BoardPicture part = picture_of(c, *step, 1, 2);
    for (const int cell : {4, 22})
        EXPECT_TRUE((part.cells[static_cast<std::size_t>(cell)].highlighted >> 7) & 1) << cell;
}

TEST(AdvancedChains, the_x_chain_is_the_one_through_rows_1_and_4) {
    const std::optional<Step> step = find_x_chain(from_marks(kXChain));
    ASSERT_TRUE(step.has_value());
    std::vector<std::string> cells;
    for (const Link& l : step->links) cells.push_back(candidates_text({l.from}));
    cells.push_back(candidates_text({step->links.back().to}));
    EXPECT_EQ(cells, (std::vector<std::string>{"r3c8-7", "r1c8-7", "r1c6-7", "r5c6-7", "r4c4-7", "r4c3-7"}));
}

// Where nothing may be found: the empty grid (every unit has nine places for every digit, so no
// strong link, no pattern, and every candidate has a completion), and positions where the
// pattern lacks one piece.
TEST(AdvancedFinders, find_nothing_on_the_empty_grid) {
    const Candidates empty(Grid{});
    for (const Finder find : {find_simple_colouring, find_x_chain, find_remote_pair, find_xy_chain, find_aic,
                              find_unique_rectangle, find_bug_plus_one, find_nishio, find_forcing_chain, find_trial})
        EXPECT_FALSE(find(empty).has_value());
}

TEST(AdvancedFinders, remote_pair_has_nothing_left_once_applied) {
    Candidates c = from_marks(kRemotePair);
    c.eliminate(testing::rc(6, 7), 5);
    EXPECT_FALSE(find_remote_pair(c).has_value());
}

TEST(AdvancedFinders, rectangle_of_four_bivalue_corners_is_no_type_1) {
    // r2c2 reduced to 8 9: all four corners hold only the pair, which no unique puzzle allows; no
    // corner has anything else to keep.
    Candidates c = from_marks(kRectangle1);
    c.eliminate(testing::rc(2, 2), 3);
    const std::optional<Step> step = find_unique_rectangle(c);
    EXPECT_FALSE(step.has_value() && step->variant == 1);
}

TEST(AdvancedFinders, bug_needs_exactly_one_cell_of_three) {
    Candidates c = from_marks(kBug);
    c.eliminate(testing::rc(6, 3), 6);
    EXPECT_FALSE(find_bug_plus_one(c).has_value());
}

TEST(AdvancedFinders, forcing_chain_keeps_the_implications_it_needs) {
    const std::optional<Step> step = find_forcing_chain(from_marks(kForcing));
    ASSERT_TRUE(step.has_value());
    EXPECT_EQ(candidates_text(step->highlighted), "r7c8-5 r7c8-9");
    ASSERT_EQ(step->branches.size(), 2u);
    // The branch of the 9: two implications, then row 7 without a place for the 5.
    const ForcingBranch& nine = step->branches[1];
    EXPECT_EQ(candidates_text({nine.assume}), "r7c8-9");
    ASSERT_EQ(nine.implications.size(), 2u);
    EXPECT_EQ(candidates_text({nine.implications[0].candidate}), "r7c3-7");
    EXPECT_EQ(candidates_text({nine.implications[1].candidate}), "r7c2-8");
    EXPECT_TRUE(nine.end.kind == BranchEnd::Kind::NoPlace);
    // Its links follow the 5's: from the assumption, one per placement.
    const auto first = std::find_if(step->links.begin(), step->links.end(),
                                    [](const Link& l) { return l.from.cell == 61 && l.from.digit == 9; });
    ASSERT_EQ(step->links.end() - first, 2);
    EXPECT_EQ(candidates_text({first[0].to}), "r7c3-7");
    EXPECT_EQ(candidates_text({first[1].to}), "r7c2-8");
    // Where the branches break: r1c7 left empty, row 7 without a place for the 5.
    EXPECT_EQ(step->cells, (std::vector<std::uint8_t>{6}));
    EXPECT_EQ(step->units, (std::vector<std::uint8_t>{6}));
    EXPECT_EQ(step->digits, 1u << 5);
}

TEST(AdvancedFinders, contradictions_of_one_cell_share_a_step_one_branch_each) {
    const std::optional<Step> step = find_forcing_chain(from_marks(kForcingTwo));
    ASSERT_TRUE(step.has_value());
    ASSERT_EQ(step->branches.size(), 2u);
    EXPECT_EQ(candidates_text(step->highlighted), "r6c2-6 r6c2-8");
    for (const ForcingBranch& b : step->branches) {
        EXPECT_TRUE(b.end.kind == BranchEnd::Kind::NoPlace);
        EXPECT_FALSE(b.implications.empty());
    }
    // Where each branch breaks: the 7 in column 2, the 1 in row 6.
    EXPECT_EQ(step->units, (std::vector<std::uint8_t>{10, 5}));
    EXPECT_EQ(step->digits, (1u << 7) | (1u << 1));
    const std::vector<std::string> text = narrate_chains(*step);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.front(), "Si L6C2 contient le 6 :");
    EXPECT_EQ(text.back(), "Le 6 et le 8 sont donc impossibles en L6C2 : nous les retirons de L6C2.");
}

// Nishio follows one digit: its branch never uses another.
TEST(AdvancedFinders, nishio_follows_its_digit_only) {
    const std::optional<Step> step = find_nishio(from_marks(kNishio));
    ASSERT_TRUE(step.has_value());
    ASSERT_EQ(step->branches.size(), 1u);
    for (const Implication& imp : step->branches.front().implications) EXPECT_EQ(imp.candidate.digit, 2);
}

// Every Nishio of a position is listed, and the finder's is one of the shortest. At the start of a
// hard published puzzle there are many, of several lengths.
TEST(AdvancedFinders, nishio_finder_takes_a_shortest_of_every_instance) {
    const Candidates c(grid_of("008090100060500020000006000030107050000000009004000300050000200070003080200700004"));
    std::vector<Step> every;
    ASSERT_TRUE(find_every(c, Technique::Nishio, every));
    ASSERT_GT(every.size(), 1u);
    const std::optional<Step> chosen = find_nishio(c);
    ASSERT_TRUE(chosen.has_value());
    bool listed = false;
    for (const Step& s : every) {
        ASSERT_EQ(s.branches.size(), 1u);
        EXPECT_GE(s.branches.front().implications.size(), chosen->branches.front().implications.size());
        listed = listed || s.eliminations == chosen->eliminations;
    }
    EXPECT_TRUE(listed);
}

// A Nishio is listed for a candidate exactly when following its digit's hidden singles from it
// leaves a unit without that digit. The reference follows them its own way: unit by unit, one
// placement at a time, until nothing more is forced.
bool digit_alone_breaks(const Candidates& c, int cell, int d) {
    std::array<bool, 81> can{}, holds{};
    for (int i = 0; i < 81; ++i) {
        can[static_cast<std::size_t>(i)] = c.has(i, d);
        holds[static_cast<std::size_t>(i)] = c.value(i) == d;
    }
    const auto sees = [](int a, int b) { return a / 9 == b / 9 || a % 9 == b % 9 || box_of(a) == box_of(b); };
    std::vector<int> todo{cell};
    while (!todo.empty()) {
        const int x = todo.back();
        todo.pop_back();
        if (holds[static_cast<std::size_t>(x)]) continue;
        if (!can[static_cast<std::size_t>(x)]) return true; // forced into a cell that has lost the digit
        holds[static_cast<std::size_t>(x)] = true;
        for (int i = 0; i < 81; ++i)
            if (sees(i, x) || i == x) can[static_cast<std::size_t>(i)] = false;
        for (int u = 0; u < 27; ++u) {
            std::vector<int> places;
            bool held = false;
            for (int i = 0; i < 81; ++i) {
                const bool in = u < 9 ? i / 9 == u : u < 18 ? i % 9 == u - 9 : box_of(i) == u - 18;
                if (!in) continue;
                held = held || holds[static_cast<std::size_t>(i)];
                if (can[static_cast<std::size_t>(i)]) places.push_back(i);
            }
            if (held) continue;
            if (places.empty()) return true;
            if (places.size() == 1) todo.push_back(places.front());
        }
    }
    return false;
}

TEST(AdvancedFinders, nishio_lists_every_candidate_whose_digit_alone_breaks) {
    int refuted = 0;
    for (const std::string& puzzle : testing::read_corpus(std::string(VORNEL_TEST_DATA) + "/ladder/top95.txt")) {
        if (refuted > 400) break;
        const Explanation whole = explain(grid_of(puzzle));
        Candidates c(grid_of(puzzle));
        for (std::size_t k = 0; k < whole.steps.size(); c.apply(whole.steps[k++])) {
            if (k % 9 != 0) continue;
            std::vector<Step> every;
            ASSERT_TRUE(find_every(c, Technique::Nishio, every));
            std::vector<std::string> listed, expected;
            for (const Step& s : every) listed.push_back(candidates_text(s.eliminations));
            for (int cell = 0; cell < 81; ++cell)
                for (int d = 1; d <= 9; ++d)
                    if (c.has(cell, d) && digit_alone_breaks(c, cell, d))
                        expected.push_back(candidates_text(
                            {Candidate{static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(d)}}));
            EXPECT_EQ(listed, expected) << puzzle << " step " << k;
            refuted += static_cast<int>(expected.size());
        }
    }
    EXPECT_GT(refuted, 400);
}

struct Told {
    const char* name;
    Finder find;
    const char* marks;
    std::vector<std::string> sentences;
};

class AdvancedNarration : public ::testing::TestWithParam<Told> {};

TEST_P(AdvancedNarration, tells_the_step_in_french) {
    const std::optional<Step> step = GetParam().find(from_marks(GetParam().marks));
    ASSERT_TRUE(step.has_value());
    EXPECT_EQ(narrate_chains(*step), GetParam().sentences);
}

const Told kTold[] = {
    {"unique_rectangle_type_2",
     find_unique_rectangle,
     kRectangle2,
     {"Les cases L4C1, L4C2, L7C1 et L7C2 forment un rectangle sur deux régions et "
      "peuvent toutes contenir le 4 et le 9 : si ces quatre cases ne contenaient que ces deux chiffres, on pourrait "
      "les y échanger et le sudoku aurait deux solutions.",
      "Deux des cases ne contiennent que le 4 et le 9 ; l'une des deux autres, la case L4C1 ou la case "
      "L4C2, contient donc le 6 : nous retirons le 6 des cases L4C4, L4C6, L5C1, L5C2, L6C1 "
      "et L6C2."}},
    {"colour_trap",
     find_simple_colouring,
     kColourTrap,
     {"En suivant les lignes, les colonnes et les régions où le 3 n'a que deux places, les cases L1C4, "
      "L3C3, L5C6, L6C1, L7C5 et L9C7 "
      "d'une part et les cases L6C4, L7C3, L8C9 et L9C6 "
      "d'autre part reçoivent deux couleurs : le 3 occupe toutes les cases d'une couleur et aucune de l'autre.",
      "Une case qui voit une case de chaque couleur ne peut donc pas contenir le 3 : nous retirons le 3 des cases "
      "L1C9, L3C9 et L8C1.",
      "L1C9 voit L1C4 et L8C9, une case de chaque couleur.", "L3C9 voit L3C3 et L8C9, une case de chaque couleur.",
      "L8C1 voit L6C1 et L7C3, une case de chaque couleur."}},
    {"colour_wrap",
     find_simple_colouring,
     kColourWrap,
     {"En suivant les lignes, les colonnes et les régions où le 5 n'a que deux places, les cases L1C3 "
      "et L2C2 d'une part et la case L1C2 d'autre part reçoivent deux couleurs : le 5 "
      "occupe toutes les cases d'une couleur et aucune de l'autre.",
      "Les cases L1C3 et L2C2, de la même couleur, se voient : cette couleur ne peut pas "
      "porter le 5. Nous retirons le 5 des cases L1C3 et L2C2."}},
    {"x_chain",
     find_x_chain,
     kXChain,
     {"Si L3C8 ne contient pas le 7 :",
      "  Dans la colonne 8, le 7 n'a que deux places : L3C8 et L1C8, donc L1C8 contient le 7.",
      "  L1C8 et L1C6 sont dans la ligne 1 : L1C6 ne contient pas le 7.",
      "  Dans la colonne 6, le 7 n'a que deux places : L1C6 et L5C6, donc L5C6 contient le 7.",
      "  L5C6 et L4C4 sont dans la région 5 : L4C4 ne contient pas le 7.",
      "  Dans la ligne 4, le 7 n'a que deux places : L4C4 et L4C3, donc L4C3 contient le 7.",
      "Ainsi, le 7 est en L3C8 ou en L4C3 : nous retirons le 7 de L3C3, qui voit les deux bouts.",
      "(7)L3C8=L1C8-L1C6=L5C6-L4C4=L4C3 => L3C3<>7"}},
    {"aic",
     find_aic,
     kAic,
     {"Si L8C2 ne contient pas le 9 :", "  L8C2 n'a que le 9 et le 4, donc L8C2 contient le 4.",
      "  L8C2 et L8C4 sont dans la ligne 8 : L8C4 ne contient pas le 4.",
      "  Dans la région 8, le 4 n'a que deux places : L8C4 et L9C5, donc L9C5 contient le 4.",
      "  L9C5 contient le 4, donc pas le 6.",
      "  Dans la ligne 9, le 6 n'a que deux places : L9C5 et L9C3, donc L9C3 contient le 6.",
      "Ainsi, L8C2 contient le 9 ou L9C3 contient le 6 : nous retirons le 9 de L9C3.",
      "(9=4)L8C2-L8C4=(4-6)L9C5=L9C3 => L9C3<>9"}},
    {"unique_rectangle_type_1",
     find_unique_rectangle,
     kRectangle1,
     {"Les cases L2C2, L2C3, L6C2 et L6C3 forment un rectangle sur deux régions et "
      "peuvent toutes contenir le 8 et le 9 : si ces quatre cases ne contenaient que "
      "ces deux chiffres, on pourrait les y échanger et le sudoku aurait deux solutions.",
      "Les trois autres cases ne contenant que le 8 et le 9, la case L2C2 contient un autre chiffre : "
      "nous retirons le 8 et le 9 de la case L2C2."}},
    {"bug_plus_one",
     find_bug_plus_one,
     kBug,
     {"Toutes les cases vides sauf la case L6C3 ne peuvent contenir que deux chiffres, et chaque "
      "chiffre a deux places dans chaque ligne, colonne et région où il manque, sauf le 6, qui en a trois dans la "
      "ligne, la colonne et la région de cette case.",
      "Sans le 6 dans la case L6C3, le sudoku ne pourrait pas avoir une seule solution : nous écrivons "
      "un 6 dans la case L6C3."}},
    {"forcing_chain",
     find_forcing_chain,
     kForcing,
     {"Si L7C8 contient le 5 :", "  Puis, par singletons : L7C3=7 (ligne 7), L7C2=8 (région 7), L1C2=6 (colonne 2).",
      "  Puis : L9C3=6 (colonne 3), L9C1=5 (région 7), L1C8=9 (seul chiffre).",
      "  Puis : L2C9=5 (seul chiffre), L3C9=3 (seul chiffre), L9C8=2 (seul chiffre).",
      "  Puis : L5C9=2 (ligne 5), L1C9=7 (colonne 9), L1C1=8 (seul chiffre).",
      "  L1C7 n'a alors plus aucun chiffre possible : c'est impossible.",
      "Si L7C8 contient le 9 :", "  Puis, par singletons : L7C3=7 (ligne 7), L7C2=8 (région 7).",
      "  Le 5 n'a alors plus de place dans la ligne 7 : c'est impossible.",
      "Le 5 et le 9 sont donc impossibles en L7C8 : nous les retirons de L7C8."}},
    {"forcing_chain_cell",
     find_forcing_chain,
     kForcingCell,
     {"L3C4 ne peut contenir que le 5 et le 9.",
      "Si L3C4 contient le 5 :", "  Le 5 va en L2C8, sa seule place dans la ligne 2.",
      "  Donc L2C8, remplie, ne contient pas le 4.", "Si L3C4 contient le 9 :",
      "  Puis, par singletons : L8C4=1 (seul chiffre), L1C4=3 (seul chiffre), L2C8=3 (ligne 2).",
      "  Donc L2C8, remplie, ne contient pas le 4.",
      "Dans tous les cas, L2C8 ne contient pas le 4 : nous retirons le 4 de L2C8."}},
    {"nishio",
     find_nishio,
     kNishio,
     {"Suivons le 2 seul, de place unique en place unique :", "Si L4C5 contient le 2 :",
      "  Puis, par singletons : L1C9=2 (ligne 1), L3C4=2 (ligne 3), L6C1=2 (ligne 6).",
      "  Le 2 n'a alors plus de place dans la ligne 9 : c'est impossible.",
      "Le 2 est donc impossible en L4C5 : nous retirons le 2 de L4C5."}},
    // A node of a set's cells is named by all of them (r1c5 and r3c5 hold its 7), not by its first.
    {"als_aic",
     find_als_aic,
     kAlsAic,
     {"Si L4C5 ne contient pas le 3 :",
      "  L1C5, L3C5, L4C5 et L6C5, quatre cases pour cinq chiffres : sans le 3, le 7 est dans l'une d'elles.",
      "  L1C5/L3C5 et L2C4/L2C5/L2C6 sont dans la région 2 : L2C4/L2C5/L2C6 ne contient pas le 7.",
      "  Dans la ligne 2, le 7 ne va qu'en L2C4/L2C5/L2C6, exclu, ou en L2C3, donc L2C3 contient le 7.",
      "  L2C3 et L1C2 sont dans la région 1 : L1C2 ne contient pas le 7.",
      "  L1C2, L5C2, L6C2 et L9C2, quatre cases pour cinq chiffres : sans le 7, le 3 est dans l'une d'elles.",
      "Ainsi, le 3 est en L4C5 ou en L9C2 : nous retirons le 3 de L9C5, qui voit les deux bouts.",
      "(3=7)L1346C5-L2C456=L2C3-(7=3)L1569C2 => L9C5<>3"}},
    {"trial",
     find_trial,
     kTrial,
     {"Aucune de nos techniques de raisonnement ne s'applique ici : nous procédons par essais, en examinant toutes "
      "les façons de compléter la grille.",
      "Aucune ne met ni le 4 ni le 8 dans la case L1C2.",
      "Il ne reste que le 7 possible : nous écrivons un 7 dans la case L1C2."}},
};

INSTANTIATE_TEST_SUITE_P(Sentences, AdvancedNarration, ::testing::ValuesIn(kTold),
                         [](const ::testing::TestParamInfo<Told>& info) { return std::string(info.param.name); });

// Each finder asked as often as possible: singles, then the finders of this file in ladder order,
// on the hardest published puzzles. Every placement is the solution's digit, every elimination a
// live candidate that is not, and every puzzle ends solved.
TEST(AdvancedSoundness, every_finder_agrees_with_the_solution_on_the_hardest_puzzles) {
    std::ifstream in(std::string(VORNEL_TEST_DATA) + "/ladder/top95.txt");
    std::string line;
    int puzzles = 0;
    const Finder finders[] = {find_full_house,       find_hidden_single, find_naked_single, find_simple_colouring,
                              find_x_chain,          find_remote_pair,   find_xy_chain,     find_aic,
                              find_unique_rectangle, find_bug_plus_one,  find_nishio,       find_als_aic,
                              find_forcing_chain,    find_trial};
    while (std::getline(in, line)) {
        if (line.size() < 81 || line[0] == '#') continue;
        SCOPED_TRACE(line);
        ++puzzles;
        const Grid puzzle = grid_of(line);
        PlainSolver solver(puzzle);
        ASSERT_EQ(solver.solve(), 1);
        const Grid& solution = solver.solution();
        Candidates c(puzzle);
        while (c.empty_cells() > 0) {
            std::optional<Step> step;
            for (const Finder find : finders)
                if ((step = find(c))) break;
            ASSERT_TRUE(step.has_value());
            ASSERT_FALSE(step->placements.empty() && step->eliminations.empty());
            for (const Candidate& p : step->placements) ASSERT_EQ(solution[p.cell], p.digit);
            for (const Candidate& e : step->eliminations) {
                ASSERT_NE(solution[e.cell], e.digit) << technique_id(step->technique);
                ASSERT_TRUE(c.has(e.cell, e.digit));
            }
            c.apply(*step);
        }
        EXPECT_EQ(c.values(), solution);
    }
    EXPECT_EQ(puzzles, 95);
}

std::vector<Grid> corpus(const std::string& file) {
    std::ifstream in(std::string(VORNEL_TEST_DATA) + "/ladder/" + file);
    std::vector<Grid> puzzles;
    std::string line;
    while (std::getline(in, line))
        if (line.size() >= 81 && line[0] != '#') puzzles.push_back(grid_of(line.substr(0, 81)));
    return puzzles;
}

int uses_of(const Explanation& e, Technique t) {
    int n = 0;
    for (const Step& s : e.steps) n += s.technique == t ? 1 : 0;
    return n;
}

// Trial is the last resort: no generated puzzle and no 17-given puzzle needs it, and at most one
// of the hardest published puzzles in five.
TEST(AdvancedCoverage, trial_is_rare) {
    struct Set {
        const char* file;
        int most_with_trial;
    };
    for (const Set& set :
         {Set{"qqwing.txt", 0}, Set{"seventeen.txt", 0}, Set{"top95.txt", 0}, Set{"hardest.txt", -1}}) {
        SCOPED_TRACE(set.file);
        const std::vector<Grid> puzzles = corpus(set.file);
        ASSERT_FALSE(puzzles.empty());
        int with_trial = 0;
        for (const Grid& p : puzzles) {
            const Explanation e = explain(p);
            ASSERT_EQ(e.verdict, Verdict::Solved);
            with_trial += uses_of(e, Technique::Trial) > 0 ? 1 : 0;
        }
        const int most = set.most_with_trial >= 0 ? set.most_with_trial : static_cast<int>(puzzles.size()) / 5;
        EXPECT_LE(with_trial, most);
    }
}

// The hardest of the published puzzles need few forcing chains: on the first fifty puzzles of the
// top95 list, at most 15 forcing-chain steps in at most 4 puzzles (10 in 2 with chains through
// almost locked sets; 24 in 9 without them), never a trial, every puzzle solved; and every Nishio
// step follows one digit.
TEST(AdvancedCoverage, forcing_chains_are_few_on_the_hardest_published_puzzles) {
    std::ifstream in(std::string(VORNEL_TEST_DATA) + "/ladder/top95.txt");
    std::string line;
    int forcing = 0, with_forcing = 0, trials = 0, nishio = 0;
    int read = 0;
    while (read < 50 && std::getline(in, line)) {
        if (line.size() < 81 || line[0] == '#') continue;
        ++read;
        const Explanation e = explain(grid_of(line.substr(0, 81)));
        ASSERT_EQ(e.verdict, Verdict::Solved) << line;
        const int n = uses_of(e, Technique::ForcingChain);
        forcing += n;
        with_forcing += n > 0 ? 1 : 0;
        trials += uses_of(e, Technique::Trial);
        for (const Step& s : e.steps) {
            if (s.technique != Technique::Nishio) continue;
            ++nishio;
            ASSERT_EQ(s.branches.size(), 1u);
            const int digit = s.branches.front().assume.digit;
            for (const Implication& imp : s.branches.front().implications) EXPECT_EQ(imp.candidate.digit, digit);
        }
    }
    EXPECT_EQ(read, 50);
    EXPECT_LE(forcing, 15);
    EXPECT_LE(with_forcing, 4);
    EXPECT_EQ(trials, 0);
    EXPECT_GT(nishio, 0);
}

// The deepest forcing chains (variants 7 to 9: chains nested inside the branches) are told as such,
// and what they remove or place agrees with the solution.
TEST(AdvancedCoverage, nested_forcing_chains_are_told_as_such) {
    int nested = 0;
    for (const Grid& p : corpus("hardest.txt")) {
        PlainSolver solver(p);
        ASSERT_EQ(solver.solve(), 1);
        for (const Step& s : explain(p).steps) {
            if (s.technique != Technique::ForcingChain || s.variant < 7) continue;
            ++nested;
            const std::vector<std::string> text = narrate_chains(s);
            ASSERT_FALSE(text.empty());
            std::string all;
            for (const std::string& line : text) all += line + '\n';
            // The inner chain is told inside the branch, two spaces further in, down to where it breaks.
            EXPECT_NE(all.find(", car :"), std::string::npos) << all;
            EXPECT_NE(all.find("\n    Si L"), std::string::npos) << all;
            for (const Candidate& e : s.eliminations) EXPECT_NE(solver.solution()[e.cell], e.digit);
            for (const Candidate& q : s.placements) EXPECT_EQ(solver.solution()[q.cell], q.digit);
        }
    }
    EXPECT_GT(nested, 0);
}

} // namespace
} // namespace vornel::ladder
