// SPDX-License-Identifier: GPL-3.0-or-later
// Exercises and the recognition of the player's moves, against the ladder's own listing of
// instances: for every technique that can be practised, the exercise position is one where the
// technique applies and no lighter one does; the technique's own step is found, a part of it or a
// mark no instance makes is not, and says why; and a move made of one instance's change is
// recognised as that technique, while a move that does not follow is refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>

#include "exercise.h"
#include "ladder/narration.h"
#include "ladder/technique_table.h"

namespace vornel::learn {
namespace {

using ladder::Candidate;
using ladder::Step;
using ladder::Technique;

Change change_of(const Step& step) { return {step.placements, step.eliminations}; }

bool same_change(const Step& a, const Step& b) {
    return a.placements == b.placements && a.eliminations == b.eliminations;
}

// A candidate of the position that is the solution's digit in a cell with others left: removing it
// is false whatever the technique.
std::optional<Candidate> solution_candidate(const Exercise& exercise) {
    for (int cell = 0; cell < 81; ++cell)
        if (exercise.position.value(cell) == 0 && __builtin_popcount(exercise.position.mask(cell)) >= 2)
            return Candidate{static_cast<std::uint8_t>(cell), exercise.solution[static_cast<std::size_t>(cell)]};
    return std::nullopt;
}

TEST(Exercise, every_practised_technique_applies_where_no_lighter_one_does) {
    int made = 0;
    for (const ladder::TechniqueRow& row : ladder::technique_table()) {
        if (!can_practise(row.technique) || row.example == nullptr) continue;
        SCOPED_TRACE(std::string(row.id));
        Grid givens{};
        for (std::size_t c = 0; c < 81; ++c) givens[c] = static_cast<std::uint8_t>(row.example[c] - '0');
        const std::optional<Exercise> exercise = exercise_from(givens, row.technique);
        ASSERT_TRUE(exercise) << "the example puzzle never needs the technique";
        ++made;
        EXPECT_EQ(exercise->step.technique, row.technique);
        // The technique's instances include the ladder's step...
        const std::vector<Step> own = instances(exercise->position, row.technique, true);
        bool listed = false;
        for (const Step& step : own) listed = listed || same_change(step, exercise->step);
        EXPECT_TRUE(listed);
        // ...and no lighter technique changes anything there.
        for (const ladder::TechniqueRow& lighter : ladder::technique_table()) {
            if (lighter.technique == row.technique) break;
            EXPECT_TRUE(instances(exercise->position, lighter.technique, true).empty()) << lighter.id;
        }
        // Every instance changes only what the solution allows.
        for (const Step& step : own) {
            for (const Candidate& c : step.eliminations) EXPECT_NE(exercise->solution[c.cell], c.digit);
            for (const Candidate& c : step.placements) EXPECT_EQ(exercise->solution[c.cell], c.digit);
        }
    }
    EXPECT_GE(made, 40);
}

TEST(Exercise, marking_is_judged_against_every_instance_of_the_technique) {
    for (const ladder::TechniqueRow& row : ladder::technique_table()) {
        if (!can_practise(row.technique) || row.example == nullptr) continue;
        SCOPED_TRACE(std::string(row.id));
        Grid givens{};
        for (std::size_t c = 0; c < 81; ++c) givens[c] = static_cast<std::uint8_t>(row.example[c] - '0');
        const std::optional<Exercise> exercise = exercise_from(givens, row.technique);
        ASSERT_TRUE(exercise);
        // Any instance counts, not only the ladder's.
        for (const Step& step : instances(exercise->position, row.technique, true)) {
            const Judgement found = judge(*exercise, change_of(step));
            EXPECT_EQ(found.kind, Judgement::Kind::Found);
        }
        // Part of a change: not yet, and what is missing is named: the part and what is missing
        // make up an instance's whole change. (Unless another instance makes just that part.)
        Change part = change_of(exercise->step);
        if (part.eliminations.size() + part.placements.size() >= 2) {
            (part.eliminations.empty() ? part.placements : part.eliminations).pop_back();
            bool whole_elsewhere = false;
            for (const Step& step : instances(exercise->position, row.technique, true))
                whole_elsewhere =
                    whole_elsewhere || (step.placements == part.placements && step.eliminations == part.eliminations);
            const Judgement partial = judge(*exercise, part);
            if (whole_elsewhere) {
                EXPECT_EQ(partial.kind, Judgement::Kind::Found);
            } else {
                ASSERT_EQ(partial.kind, Judgement::Kind::Partial);
                ASSERT_TRUE(partial.instance);
                EXPECT_EQ(part.placements.size() + partial.missed.placements.size(),
                          partial.instance->placements.size());
                EXPECT_EQ(part.eliminations.size() + partial.missed.eliminations.size(),
                          partial.instance->eliminations.size());
                for (const Candidate& c : partial.missed.eliminations)
                    EXPECT_NE(
                        std::find(partial.instance->eliminations.begin(), partial.instance->eliminations.end(), c),
                        partial.instance->eliminations.end());
                const std::string text = judgement_text(partial, *exercise, Language::French);
                EXPECT_NE(text.find("donne aussi"), std::string::npos) << text;
            }
        }
        // Removing the solution's digit: wrong, and said to be false.
        if (const std::optional<Candidate> bad = solution_candidate(*exercise)) {
            const Judgement wrong = judge(*exercise, Change{{}, {*bad}});
            EXPECT_EQ(wrong.kind, Judgement::Kind::Wrong);
            ASSERT_EQ(wrong.false_marks.eliminations.size(), 1u);
            EXPECT_EQ(wrong.false_marks.eliminations.front(), *bad);
            EXPECT_NE(judgement_text(wrong, *exercise, Language::English).find("would lose the solution"),
                      std::string::npos);
        }
        EXPECT_EQ(judge(*exercise, {}).kind, Judgement::Kind::Empty);
    }
}

TEST(Recognition, a_move_made_of_an_instance_is_recognised_as_its_technique) {
    for (const ladder::TechniqueRow& row : ladder::technique_table()) {
        if (!can_practise(row.technique) || row.example == nullptr || row.technique == Technique::ForcingChain)
            continue;
        SCOPED_TRACE(std::string(row.id));
        Grid givens{};
        for (std::size_t c = 0; c < 81; ++c) givens[c] = static_cast<std::uint8_t>(row.example[c] - '0');
        const std::optional<Exercise> exercise = exercise_from(givens, row.technique);
        ASSERT_TRUE(exercise);
        // No lighter technique applies here, so the lightest that makes the change is this one.
        const std::vector<Step> own = instances(exercise->position, row.technique, true);
        ASSERT_FALSE(own.empty());
        for (const Step& step : own) {
            const std::optional<Step> seen = recognise(exercise->position, change_of(step), true);
            ASSERT_TRUE(seen);
            EXPECT_EQ(seen->technique, row.technique);
            // Part of the change is recognised too (the player may remove one candidate at a time).
            if (!step.eliminations.empty()) {
                const std::optional<Step> one =
                    recognise(exercise->position, Change{{}, {step.eliminations.front()}}, true);
                ASSERT_TRUE(one);
                EXPECT_EQ(one->technique, row.technique);
            }
        }
        // A false removal follows from nothing; neither does an empty move.
        if (const std::optional<Candidate> bad = solution_candidate(*exercise)) {
            EXPECT_FALSE(recognise(exercise->position, Change{{}, {*bad}}, true));
        }
        EXPECT_FALSE(recognise(exercise->position, Change{}, true));
    }
}

TEST(Recognition, says_what_was_seen_or_that_it_does_not_follow_without_the_answer) {
    Step step;
    step.technique = Technique::XWing;
    step.digits = 1u << 4;
    step.units = {10, 15};
    EXPECT_EQ(recognition_text(step, Language::French), "Bien vu : X-Wing (chiffre 4 ; colonne 2, colonne 7).");
    EXPECT_EQ(recognition_text(step, Language::English), "Well spotted: X-Wing (digit 4; column 2, column 7).");
    const std::string refused = recognition_text(std::nullopt, Language::French);
    EXPECT_EQ(refused.find_first_of("123456789"), std::string::npos) << refused;
}

TEST(Exercise, made_for_a_technique_from_a_seed_is_the_same_each_time) {
    const std::atomic<bool> stop{false};
    const std::optional<Exercise> a = make_exercise(Technique::NakedPair, 7, stop, 200);
    const std::optional<Exercise> b = make_exercise(Technique::NakedPair, 7, stop, 200);
    ASSERT_TRUE(a);
    ASSERT_TRUE(b);
    EXPECT_EQ(a->givens, b->givens);
    EXPECT_EQ(a->step.technique, Technique::NakedPair);
    EXPECT_FALSE(make_exercise(Technique::Trial, 7, stop));
    const std::atomic<bool> stopped{true};
    EXPECT_FALSE(make_exercise(Technique::NakedPair, 7, stopped));
}

} // namespace
} // namespace vornel::learn
