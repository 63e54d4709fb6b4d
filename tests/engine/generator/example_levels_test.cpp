// SPDX-License-Identifier: GPL-3.0-or-later
// The puzzles shipped in examples/: each file is named after the level the ladder rates it (in the
// ASCII spelling the generator accepts, "tres-difficile.sud"), and every level has its example.

#include <filesystem>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "generate.h"
#include "ladder.h"
#include "narrator_fr.h"
#include "sud_file.h"

namespace {

namespace fs = std::filesystem;

TEST(ExampleLevels, each_example_is_named_after_its_rated_level_and_every_level_has_one) {
    std::set<int> levels;
    int examples = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(VORNEL_EXAMPLES)) {
        if (entry.path().extension() != ".sud") continue;
        ++examples;
        const std::string stem = entry.path().stem().string();
        SCOPED_TRACE(stem);
        const int named = vornel::generator::level_from_name(stem);
        ASSERT_GE(named, 0) << "not the name of a level";
        const vornel::ladder::Explanation explanation =
            vornel::ladder::explain(vornel::read_puzzle_file(entry.path().string()));
        EXPECT_EQ(explanation.verdict, vornel::ladder::Verdict::Solved);
        EXPECT_EQ(explanation.solutions, 1);
        ASSERT_TRUE(explanation.rating.has_value());
        EXPECT_EQ(vornel::generator::kLevels[static_cast<std::size_t>(named)],
                  vornel::ladder::level_name_fr(explanation.rating->level));
        EXPECT_TRUE(levels.insert(named).second) << "a second example of the same level";
    }
    EXPECT_EQ(examples, static_cast<int>(vornel::generator::kLevels.size()));
    EXPECT_EQ(levels.size(), vornel::generator::kLevels.size());
}

} // namespace
