// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "board.h"
#include "ladder/candidates.h"
#include "ladder/ladder.h"
#include "ladder/step.h"
#include "language.h"

namespace vornel::learn {

// One exercise: the position a puzzle reaches when the ladder, lightest technique first, first
// needs `technique`; so the technique applies there and no lighter one does. The player is asked to
// find a step of the technique and mark what it changes.
struct Exercise {
    ladder::Technique technique = ladder::Technique::FullHouse;
    Grid givens{};
    Grid solution{};
    ladder::Candidates position{Grid{}}; // the candidates at that moment
    ladder::Step step;                   // the ladder's own step there
    int steps_before = 0;                // the steps that led there from the givens
};

// The exercise a puzzle (with exactly one solution) gives for `technique`: nothing when the
// ladder's explanation never uses it.
std::optional<Exercise> exercise_from(const Grid& givens, ladder::Technique technique);

// Whether exercises can be made for `technique`: a generator can aim at it, or its help page's
// example uses it.
bool can_practise(ladder::Technique technique);

// Makes an exercise for `technique`: a puzzle generated for it from `seed` (the same seed, the
// same exercise), or, after `attempts` generator attempts without one, the technique's example
// puzzle. Nothing when the technique cannot be practised, or `stop` was set.
std::optional<Exercise> make_exercise(ladder::Technique technique, std::uint64_t seed, const std::atomic<bool>& stop,
                                      long attempts = 400);

// A change of candidates a player makes: digits placed and candidates removed.
struct Change {
    std::vector<ladder::Candidate> placements;
    std::vector<ladder::Candidate> eliminations;
    bool empty() const { return placements.empty() && eliminations.empty(); }
};

// Every instance of `technique` in a position (with exactly one solution when `unique_solution`),
// as --find lists them, keeping only those that change something.
std::vector<ladder::Step> instances(const ladder::Candidates& position, ladder::Technique technique,
                                    bool unique_solution);

// What the player's marking is worth in an exercise.
struct Judgement {
    enum class Kind : std::uint8_t {
        Found,   // exactly what one instance of the technique changes
        Partial, // part of one instance's change: `missed` says what else it changes
        Wrong,   // a mark that no instance of the technique makes (`wrong`)
        Empty,   // nothing marked
    };
    Kind kind = Kind::Empty;
    std::optional<ladder::Step> instance; // Found, Partial: the instance meant; Wrong, Empty: the ladder's step
    Change missed;                        // Partial: what the instance also places or removes
    Change wrong;                         // Wrong: the marks no instance makes
    // Wrong: among `wrong`, those that remove the solution's digit or place another one (false,
    // not merely unproven here).
    Change false_marks;
};
Judgement judge(const Exercise& exercise, const Change& marked);

// The sentence that tells a judgement ("Bien vu : c'est une paire nue.", "Il manque L4C2 (5).").
std::string judgement_text(const Judgement& judgement, const Exercise& exercise, Language language);

// Which technique justifies a change the player made on their own, from the candidates before it:
// the lightest technique of the ladder with an instance whose change contains the player's (every
// digit they placed among its placements, every candidate they removed among its eliminations).
// Forcing chains and trial are left out: they justify any true change, and say nothing of how it
// was seen. Nothing when no such instance exists, when the change is empty, or when the change
// is false (then nothing can justify it).
std::optional<ladder::Step> recognise(const ladder::Candidates& before, const Change& change, bool unique_solution);

// "Bien vu : X-Wing (chiffre 4 ; colonne 2, colonne 7)." / "Well spotted: X-Wing (digit 4; column
// 2, column 7)." for a step the player's move matched; without a step, that the change does not
// follow yet (it never says which digit is right).
std::string recognition_text(const std::optional<ladder::Step>& step, Language language);

// The families the exercises group techniques in, lightest first.
enum class Family : std::uint8_t {
    Singles,
    Intersections,
    Subsets,
    Fish,
    SingleDigit,
    Wings,
    Uniqueness,
    Chains,
    Sets,
    Forcing
};
inline constexpr int kFamilyCount = static_cast<int>(Family::Forcing) + 1;
Family family_of(ladder::Technique technique);
// "Singles", "Intersections"... ("Singletons", "Intersections"...).
std::string family_name(Family family, Language language);

// A cell as the ladder's sentences write it: "r4c2" in English, "L4C2" in French.
std::string cell_name(int cell, Language language);

} // namespace vornel::learn
