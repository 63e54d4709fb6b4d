// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "generate.h"
#include "ladder.h"
#include "narration.h"
#include "narrator_fr.h"
#include "plain_solver.h"
#include "technique_table.h"

using namespace vornel::generator;
using vornel::ladder::Technique;
using vornel::test::plain_minimal;
using vornel::test::plain_of;
using vornel::test::PlainGrid;

namespace {

vornel::ladder::Explanation explain(const Grid& puzzle) {
    vornel::Grid grid{};
    for (int c = 0; c < 81; ++c) grid[c] = puzzle[c];
    return vornel::ladder::explain(grid);
}

Grid generate(const Request& request, std::uint64_t seed) {
    Generator generator(request, seed);
    const std::atomic<bool> never{false};
    return *generator.next(never);
}

} // namespace

TEST(Levels, names_in_french_or_ascii_find_their_level) {
    const struct {
        const char* name;
        int level;
    } cases[] = {
        {"très facile", 0},    {"tres-facile", 0},    {"Très-Facile", 0}, {"tres facile", 0},
        {"TRES_FACILE", 0},    {"facile", 1},         {"moyen", 2},       {"difficile", 3},
        {"très difficile", 4}, {"tres-difficile", 4}, {"diabolique", 5},  {"", -1},
        {"facil", -1},         {"très", -1},          {"expert", -1},     {"facile ", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(level_from_name(c.name), c.level) << c.name;
}

// The English level words --level accepts are the ladder's own, and name the same levels.
TEST(Levels, english_names_are_the_ladders_and_read_back_as_their_level) {
    for (std::size_t i = 0; i < kLevels.size(); ++i) {
        const auto level = static_cast<vornel::ladder::Level>(i);
        EXPECT_EQ(kLevelsEnglish[i], vornel::ladder::level_name(level, vornel::Language::English)) << i;
        EXPECT_EQ(kLevels[i], vornel::ladder::level_name(level, vornel::Language::French)) << i;
        EXPECT_EQ(level_from_name(kLevelsEnglish[i]), static_cast<int>(i));
    }
    EXPECT_EQ(level_from_name("Very-Hard"), 4);
    Request request;
    request.level = 0;
    request.needs = Technique::XWing;
    EXPECT_EQ(impossible(request, vornel::Language::English),
              "no puzzle of the level 'very easy' needs 'x-wing' as its hardest technique");
    EXPECT_EQ(impossible(request), "aucune grille du niveau « très facile » ne demande « x-wing » comme technique la "
                                   "plus difficile");
}

TEST(Levels, a_level_out_of_a_techniques_reach_is_refused_before_any_attempt) {
    Request request;
    EXPECT_EQ(impossible(request), "");
    request.level = 0;
    request.needs = Technique::XWing; // an X-Wing makes a puzzle harder than "très facile"
    EXPECT_NE(impossible(request), "");
    request.level = 5;
    request.needs = Technique::HiddenSingle;
    EXPECT_NE(impossible(request), "");
    request.level = static_cast<int>(
        level_from_name(vornel::ladder::level_name_fr(vornel::ladder::technique_row(Technique::XWing).level)));
    request.needs = Technique::XWing;
    EXPECT_EQ(impossible(request), "");
}

// Each level on seeded runs: the ladder's own explanation rates every puzzle at the level asked,
// and every puzzle is minimal and has one solution by the plain backtracking.
TEST(Generator, puzzles_have_the_level_asked) {
    for (int level = 0; level < static_cast<int>(kLevels.size()); ++level) {
        for (const bool symmetric : {false, true}) {
            Request request;
            request.level = level;
            request.symmetric = symmetric;
            for (std::uint64_t seed = 1; seed <= 2; ++seed) {
                const Grid puzzle = generate(request, seed);
                const auto explanation = explain(puzzle);
                EXPECT_EQ(explanation.verdict, vornel::ladder::Verdict::Solved);
                ASSERT_TRUE(explanation.rating.has_value());
                EXPECT_EQ(static_cast<int>(explanation.rating->level), level) << "level " << level << " seed " << seed;
                EXPECT_TRUE(plain_minimal(plain_of(puzzle), symmetric)) << "level " << level << " seed " << seed;
            }
        }
    }
}

TEST(Generator, puzzles_need_the_technique_asked_and_nothing_harder) {
    for (const Technique needs :
         {Technique::NakedSingle, Technique::Pointing, Technique::NakedPair, Technique::XWing}) {
        Request request;
        request.needs = needs;
        for (std::uint64_t seed = 1; seed <= 2; ++seed) {
            const Grid puzzle = generate(request, seed);
            const auto explanation = explain(puzzle);
            bool used = false;
            for (const auto& step : explanation.steps) {
                EXPECT_LE(step.technique, needs) << vornel::ladder::technique_id(step.technique);
                used = used || step.technique == needs;
            }
            EXPECT_TRUE(used) << vornel::ladder::technique_id(needs) << " seed " << seed;
            EXPECT_TRUE(plain_minimal(plain_of(puzzle), false));
        }
    }
}

TEST(Generator, a_seed_gives_the_same_puzzles_in_the_same_order) {
    Request request;
    request.level = 2;
    Generator a(request, 77), b(request, 77), c(request, 78);
    const std::atomic<bool> never{false};
    for (int i = 0; i < 3; ++i) {
        const Grid first = *a.next(never);
        EXPECT_EQ(*b.next(never), first);
        EXPECT_NE(*c.next(never), first);
    }
    EXPECT_EQ(a.attempts(), b.attempts());
}

TEST(Generator, a_raised_stop_flag_ends_the_search_without_a_puzzle) {
    Request request;
    request.needs = Technique::FullHouse; // never met by a minimal puzzle
    Generator generator(request, 1);
    const std::atomic<bool> stop{true};
    EXPECT_FALSE(generator.next(stop).has_value());
    EXPECT_EQ(generator.attempts(), 0);
}
