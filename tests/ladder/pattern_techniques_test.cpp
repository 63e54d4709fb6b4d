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
    const std::optional<Step> step = t.find(c);
    ASSERT_TRUE(step.has_value());
    EXPECT_EQ(step->technique, t.technique);
    EXPECT_EQ(candidates_text(step->placements), expand(t.placements));
    EXPECT_EQ(candidates_text(step->eliminations), expand(t.eliminations));
    for (const Candidate& e : step->eliminations) EXPECT_TRUE(c.has(e.cell, e.digit));
    EXPECT_EQ(testing::cells_text({step->cells.begin(), step->cells.end()}), testing::expand_cells(t.cells));
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

} // namespace
} // namespace vornel::ladder
