// SPDX-License-Identifier: GPL-3.0-or-later
// Each technique on a position where it applies, with the exact placements and eliminations, and
// on one where it must not. Positions are built from a grid and edits of its candidates.
#include <gtest/gtest.h>

#include "ladder.h"
#include "ladder_support.h"
#include "techniques/techniques.h"

namespace vornel::ladder {
namespace {

using testing::candidates_text;
using testing::expand;
using testing::model;

constexpr const char* kEmpty = ".................................................................................";
constexpr const char* kSolvedMinusOne =
    "53.678912672195348198342567859761423426853791713924856961537284287419635345286179";
constexpr const char* kClassic = "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";

struct Case {
    const char* name;
    Finder find;
    const char* grid;
    const char* edits;
    Technique technique;
    const char* placements;   // as edits: "r1c3-4" places a 4 in row 1, column 3
    const char* eliminations; // as edits
    const char* cells;        // the pattern's cells, as edits without digits ("r1c38")
};

class FindsOnePosition : public ::testing::TestWithParam<Case> {};

TEST_P(FindsOnePosition, with_exact_placements_and_eliminations) {
    const Case& t = GetParam();
    const Candidates c = model(t.grid, t.edits);
    testing::expect_step(c, t.find(c), t.technique, t.placements, t.eliminations, t.cells);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Ladder, FindsOnePosition, ::testing::Values(
    Case{"full_house", find_full_house, kSolvedMinusOne, "", Technique::FullHouse, "r1c3-4", "", "r1c3"},
    Case{"hidden_single_in_region_5", find_hidden_single, kEmpty, "r4c456-7 r5c45-7 r6c456-7",
         Technique::HiddenSingle, "r5c6-7", "", "r5c6"},
    Case{"naked_single", find_naked_single, kEmpty, "r4c2=7", Technique::NakedSingle, "r4c2-7", "", "r4c2"},
    Case{"pointing_region_5_row_4", find_pointing, kEmpty, "r56c456-3 r4c379-3", Technique::Pointing, "",
         "r4c128-3", "r4c456"},
    Case{"claiming_row_1_region_1", find_claiming, kEmpty, "r1c456789-5", Technique::Claiming, "",
         "r23c123-5", "r1c123"},
    Case{"naked_pair_row_1", find_naked_pair, kEmpty, "r1c38=26", Technique::NakedPair, "",
         "r1c1245679-26", "r1c38"},
    Case{"hidden_pair_row_1", find_hidden_pair, kEmpty, "r1c1346789-49", Technique::HiddenPair, "",
         "r1c25-1235678", "r1c25"},
    Case{"naked_triple_column_4", find_naked_triple, kEmpty, "r1c4=12 r5c4=23 r9c4=13", Technique::NakedTriple, "",
         "r234678c4-123", "r159c4"},
    Case{"hidden_triple_column_4", find_hidden_triple, kEmpty, "r234678c4-123 r1c4-1 r5c4-2 r9c4-3",
         Technique::HiddenTriple, "", "r159c4-456789", "r159c4"},
    Case{"naked_quad_row_9", find_naked_quad, kEmpty, "r9c1=12 r9c2=23 r9c5=34 r9c9=14", Technique::NakedQuad, "",
         "r9c34678-1234", "r9c1259"},
    Case{"hidden_quad_row_9", find_hidden_quad, kEmpty, "r9c34678-1234", Technique::HiddenQuad, "",
         "r9c1259-56789", "r9c1259"},
    Case{"x_wing_rows_2_7", find_x_wing, kEmpty, "r2c1245679-5 r7c1245679-5", Technique::XWing, "",
         "r1345689c38-5", "r27c38"},
    Case{"x_wing_columns", find_x_wing, kEmpty, "r1245679c2-8 r1245679c6-8", Technique::XWing, "",
         "r38c1345789-8", "r38c26"},
    Case{"swordfish_rows_1_5_9", find_swordfish, kEmpty, "r1c1346789-4 r5c1234679-4 r9c1345679-4",
         Technique::Swordfish, "", "r234678c258-4", "r1c25 r5c58 r9c28"},
    Case{"jellyfish_rows_1_3_5_7", find_jellyfish, kEmpty,
         "r1c2356789-6 r3c1235789-6 r5c1234578-6 r7c2345678-6", Technique::Jellyfish, "", "r24689c1469-6",
         "r1c14 r3c46 r5c69 r7c19"},
    Case{"finned_x_wing_fin_in_region_9", find_finned_x_wing, kEmpty, "r4c1245689-7 r8c124569-7",
         Technique::FinnedXWing, "", "r79c7-7", "r4c37 r8c378"},
    Case{"skyscraper_rows_1_8", find_skyscraper, kEmpty, "r1c2345679-9 r8c1345679-9", Technique::Skyscraper, "",
         "r23c2-9 r79c1-9", "r1c18 r8c28"},
    Case{"two_string_kite_row_9_column_4", find_two_string_kite, kEmpty, "r9c2346789-4 r1234579c4-4",
         Technique::TwoStringKite, "", "r6c1-4", "r9c15 r68c4"},
    Case{"xy_wing", find_xy_wing, kEmpty, "r5c5=12 r5c8=13 r8c5=23", Technique::XyWing, "", "r8c8-3",
         "r5c58 r8c5"},
    Case{"xyz_wing", find_xyz_wing, kEmpty, "r5c5=123 r5c4=13 r2c5=23", Technique::XyzWing, "", "r46c5-3",
         "r5c45 r2c5"},
    Case{"w_wing", find_w_wing, kEmpty, "r5c3=49 r9c4=49 r8c1245789-9", Technique::WWing, "", "r9c3-4 r5c4-4",
         "r5c3 r9c4 r8c36"}
), [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });
// clang-format on

struct NoCase {
    const char* name;
    Finder find;
    const char* grid;
    const char* edits;
};

class FindsNothing : public ::testing::TestWithParam<NoCase> {};

TEST_P(FindsNothing, on_a_position_without_the_pattern) {
    const NoCase& t = GetParam();
    EXPECT_FALSE(t.find(model(t.grid, t.edits)).has_value());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Ladder, FindsNothing, ::testing::Values(
    NoCase{"full_house_two_empty_cells_per_unit", find_full_house, kClassic, ""},
    NoCase{"hidden_single_every_digit_twice", find_hidden_single, kEmpty, "r4c456-7 r5c45-7 r6c45-7"},
    NoCase{"naked_single_two_candidates", find_naked_single, kEmpty, "r4c2=78"},
    NoCase{"pointing_digit_in_two_rows", find_pointing, kEmpty, "r6c456-3 r4c379-3"},
    NoCase{"pointing_nothing_left_to_remove", find_pointing, kEmpty, "r56c456-3 r4c123789-3"},
    NoCase{"claiming_digit_in_two_regions", find_claiming, kEmpty, "r1c56789-5"},
    NoCase{"naked_pair_different_pairs", find_naked_pair, kEmpty, "r1c3=26 r1c8=27"},
    NoCase{"naked_pair_nothing_left_to_remove", find_naked_pair, kEmpty, "r1c38=26 r1c1245679-26 r2c3-26 r3c3-26"
                                                                        " r2c8-26 r3c8-26"},
    NoCase{"hidden_pair_third_place", find_hidden_pair, kEmpty, "r1c1346789-4 r1c134689-9"},
    NoCase{"naked_triple_four_digits", find_naked_triple, kEmpty, "r1c4=12 r5c4=23 r9c4=14"},
    NoCase{"hidden_triple_fourth_place", find_hidden_triple, kEmpty, "r23467c4-123 r1c4-1 r5c4-2 r9c4-3"},
    NoCase{"naked_quad_five_digits", find_naked_quad, kEmpty, "r9c1=12 r9c2=23 r9c5=34 r9c9=15"},
    NoCase{"hidden_quad_fifth_place", find_hidden_quad, kEmpty, "r9c3467-1234"},
    NoCase{"x_wing_third_column", find_x_wing, kEmpty, "r2c1245679-5 r7c124567-5"},
    NoCase{"swordfish_fourth_column", find_swordfish, kEmpty, "r1c1346789-4 r5c1234679-4 r9c134567-4"},
    NoCase{"jellyfish_fifth_column", find_jellyfish, kEmpty,
           "r1c2356789-6 r3c1235789-6 r5c1234578-6 r7c234567-6"},
    NoCase{"finned_x_wing_fins_in_two_regions", find_finned_x_wing, kEmpty, "r4c1245689-7 r8c24569-7"},
    NoCase{"skyscraper_is_an_x_wing", find_skyscraper, kEmpty, "r1c2345679-9 r8c2345679-9"},
    NoCase{"two_string_kite_nothing_to_remove", find_two_string_kite, kEmpty, "r9c2346789-4 r1234579c4-4 r6c1-4"},
    NoCase{"xy_wing_pincers_without_common_digit", find_xy_wing, kEmpty, "r5c5=12 r5c8=13 r8c5=24"},
    NoCase{"xyz_wing_fourth_digit", find_xyz_wing, kEmpty, "r5c5=123 r5c4=13 r2c5=24"},
    NoCase{"w_wing_without_strong_link", find_w_wing, kEmpty, "r5c3=49 r9c4=49 r8c124578-9"}
), [](const ::testing::TestParamInfo<NoCase>& info) { return std::string(info.param.name); });
// clang-format on

// A published practice puzzle whose solving path reaches an X-Wing on the 2: the ladder meets it too,
// with the 2 in columns 3 and 6 confined to rows 4 and 7.
TEST(PublishedExample, x_wing_on_the_2) {
    const Explanation e =
        explain(testing::grid_of("000005079300000602508207000000000060005390040003004095600010007001009080000603104"));
    const auto it =
        std::find_if(e.steps.begin(), e.steps.end(), [](const Step& s) { return s.technique == Technique::XWing; });
    ASSERT_NE(it, e.steps.end());
    EXPECT_EQ(it->digits, 1u << 2);
    EXPECT_EQ(it->units, (std::vector<std::uint8_t>{9 + 2, 9 + 5, 3, 6}));
    EXPECT_EQ(candidates_text(it->eliminations), expand("r4c125-2 r7c2-2"));
}

} // namespace
} // namespace vornel::ladder
