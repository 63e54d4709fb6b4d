// SPDX-License-Identifier: GPL-3.0-or-later
// The table of techniques against what the rest of the ladder does with it.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "ladder.h"
#include "narrator_fr.h"
#include "technique_table.h"

namespace {

using namespace vornel::ladder;

Grid grid_of(const char* line) {
    Grid grid{};
    for (int i = 0; i < 81; ++i)
        grid[static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(line[i] >= '1' && line[i] <= '9' ? line[i] - '0' : 0);
    return grid;
}

TEST(TechniqueTable, ids_names_and_help_are_distinct_and_words_fit_the_level) {
    std::set<std::string> ids;
    std::set<std::string> names;
    for (const TechniqueRow& row : technique_table()) {
        SCOPED_TRACE(std::string(row.id));
        EXPECT_NE(row.find, nullptr) << "every row has its finder";
        EXPECT_TRUE(ids.insert(std::string(row.id)).second);
        EXPECT_TRUE(names.insert(technique_name_fr(row.technique)).second);
        EXPECT_GT(technique_help_fr(row.technique).size(), 40U);
        EXPECT_EQ(technique_weight(row.technique), row.weight);
        // A puzzle needing only this technique is rated at the technique's level.
        Step alone;
        alone.technique = row.technique;
        EXPECT_EQ(rate({alone}).level, row.level);
        if (row.example) { EXPECT_EQ(std::string(row.example).size(), 81U); }
    }
}

// The ladder tries the rows in table order: the lightest technique that applies gives the step.
TEST(TechniqueTable, ladder_takes_the_first_row_that_finds_a_step) {
    const Grid puzzle = grid_of("000000010400000000020000000000050407008000300001090000300400200050100000000806000");
    Ladder ladder(puzzle, true);
    int checked = 0;
    while (auto step = ladder.next_step()) {
        for (const TechniqueRow& row : technique_table()) {
            if (row.technique == step->technique) break;
            EXPECT_FALSE(row.find(ladder.candidates()).has_value())
                << row.id << " applies before " << technique_id(step->technique);
        }
        ++checked;
        ladder.apply(*step);
    }
    EXPECT_EQ(ladder.candidates().empty_cells(), 0);
    EXPECT_GT(checked, 20);
}

// Every help page's example puzzle is explained with that page's technique, so that the page can
// show a step of it.
TEST(TechniqueTable, every_example_uses_its_technique) {
    for (const TechniqueRow& row : technique_table()) {
        if (!row.example) continue;
        SCOPED_TRACE(std::string(row.id));
        const Explanation explanation = explain(grid_of(row.example));
        bool used = false;
        for (const Step& step : explanation.steps) used = used || step.technique == row.technique;
        EXPECT_TRUE(used);
    }
}

// The scale published in the README is the table's: one line per row, in ladder order, with the
// id, the French name, the weight and the level.
TEST(TechniqueTable, readme_publishes_the_same_scale) {
    std::ifstream in(std::string(VORNEL_TEST_DATA) + "/../../README.md");
    ASSERT_TRUE(in) << "README.md not found";
    std::vector<std::string> published;
    std::string line;
    bool inside = false;
    while (std::getline(in, line)) {
        if (line == "| id | Nom | Poids | Niveau |") inside = true;
        if (line.empty()) inside = false;
        if (inside && line.rfind("| `", 0) == 0) published.push_back(line);
    }
    std::vector<std::string> expected;
    for (const TechniqueRow& row : technique_table())
        expected.push_back("| `" + std::string(row.id) + "` | " + technique_name_fr(row.technique) +
                           (row.needs_unique ? " (solution unique)" : "") + " | " + std::to_string(row.weight) + " | " +
                           std::string(level_name_fr(row.level)) + " |");
    EXPECT_EQ(published, expected);
}

} // namespace
