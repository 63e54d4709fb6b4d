// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "narrator.h"

using namespace vornel;

TEST(Narrator, words_every_kind_of_found_step_in_every_tempo_and_language) {
    using Kind = FoundStep::Kind;
    constexpr Language fr = Language::French, en = Language::English;
    const struct {
        Language language;
        Kind kind;
        UnitKind unit;
        int n;
        Tempo tempo;
        const char* line;
    } cases[] = {
        {fr, Kind::LoneFreeCell, UnitKind::Region, 4, Tempo::Step, "Il y a une seule case vide dans la région 4,"},
        {fr, Kind::LoneFreeCell, UnitKind::Row, 1, Tempo::Digit, "Il y a une seule case vide dans la ligne 1,"},
        {fr, Kind::LoneFreeCell, UnitKind::Column, 9, Tempo::Digit, "Il y a une seule case vide dans la colonne 9,"},
        {fr, Kind::LoneFreeCell, UnitKind::Column, 2, Tempo::Once, "Il y a une seule case vide dans la colonne 2,"},
        {fr, Kind::LastEmptyCell, UnitKind::Region, 8, Tempo::Digit, "La région 8 a seulement une case sans chiffre,"},
        {fr, Kind::LastEmptyCell, UnitKind::Row, 3, Tempo::Once, "La ligne 3 a seulement une case sans chiffre,"},
        {fr, Kind::LastEmptyCell, UnitKind::Column, 5, Tempo::Step, "La colonne 5 a seulement une case sans chiffre,"},
        {fr, Kind::LastEmptyCell, UnitKind::Column, 5, Tempo::Once, "La colonne 5 a seulement une case sans chiffre,"},
        {fr, Kind::LastEmptyCell, UnitKind::Column, 7, Tempo::Digit, "La Colonne 7 a seulement une case sans chiffre,"},
        {en, Kind::LoneFreeCell, UnitKind::Region, 4, Tempo::Step, "There is only one free cell in box 4,"},
        {en, Kind::LoneFreeCell, UnitKind::Row, 1, Tempo::Digit, "There is only one free cell in row 1,"},
        {en, Kind::LoneFreeCell, UnitKind::Column, 9, Tempo::Once, "There is only one free cell in column 9,"},
        {en, Kind::LastEmptyCell, UnitKind::Region, 8, Tempo::Digit, "Box 8 has only one cell without a digit,"},
        {en, Kind::LastEmptyCell, UnitKind::Row, 3, Tempo::Once, "Row 3 has only one cell without a digit,"},
        // The digit tempo's capital is a French quirk: English has its capital everywhere.
        {en, Kind::LastEmptyCell, UnitKind::Column, 7, Tempo::Digit, "Column 7 has only one cell without a digit,"},
        {en, Kind::LastEmptyCell, UnitKind::Column, 7, Tempo::Step, "Column 7 has only one cell without a digit,"},
    };
    Narrator narrator;
    for (const auto& c : cases) {
        narrator.set_language(c.language);
        narrator.set_tempo(c.tempo);
        EXPECT_EQ(narrator.reason(FoundStep{c.kind, c.unit, c.n, 1, 1, 6}), c.line);
    }
    narrator.set_language(fr);
    EXPECT_EQ(narrator.placement(7), "Nous écrivons un 7.");
    EXPECT_EQ(narrator.numbered("Nous traitons le chiffre ", 3, "."), "Nous traitons le chiffre 3.");
    EXPECT_EQ(narrator.numbered("n ", -12, "!"), "n -12!");
    EXPECT_EQ(narrator.digit_taken(3), "Nous traitons le chiffre 3.");
    narrator.set_language(en);
    EXPECT_EQ(narrator.placement(7), "We write a 7.");
    EXPECT_EQ(narrator.digit_taken(3), "We turn to the digit 3.");
}

TEST(Narrator, every_log_line_and_grid_problem_has_its_words_in_both_languages) {
    for (int i = 0; i < static_cast<int>(LogLine::Count); ++i) {
        const auto line = static_cast<LogLine>(i);
        const std::string_view french = log_line_text(line, Language::French);
        const std::string_view english = log_line_text(line, Language::English);
        EXPECT_FALSE(french.empty()) << i;
        EXPECT_FALSE(english.empty()) << i;
        if (line != LogLine::Separator) { EXPECT_NE(french, english) << i; }
    }
    EXPECT_EQ(log_line_text(LogLine::Finished, Language::French), "Le sudoku est terminé.");
    EXPECT_EQ(log_line_text(LogLine::StuckUnique, Language::French),
              "Le sudoku a une solution unique, mais notre méthode ne permet pas de la trouver.");

    using Kind = GridProblem::Kind;
    const struct {
        GridProblem problem;
        const char* french;
        const char* english;
    } problems[] = {
        {{Kind::NotADigit, 1, 2, 12},
         "La case ligne 1, colonne 2 contient 12, qui n'est pas un chiffre.",
         "The cell at row 1, column 2 holds 12, which is not a digit."},
        {{Kind::NotADigit, 9, 9, -1},
         "La case ligne 9, colonne 9 contient -1, qui n'est pas un chiffre.",
         "The cell at row 9, column 9 holds -1, which is not a digit."},
        {{Kind::Duplicate, 0, 0, 5, UnitKind::Region, 4, 2},
         "Il y a 2 chiffres 5 dans la région 4.",
         "There are 2 copies of the digit 5 in box 4."},
        {{Kind::Duplicate, 0, 0, 1, UnitKind::Row, 1, 3},
         "Il y a 3 chiffres 1 dans la ligne 1.",
         "There are 3 copies of the digit 1 in row 1."},
        {{Kind::Duplicate, 0, 0, 9, UnitKind::Column, 7, 2},
         "Il y a 2 chiffres 9 dans la colonne 7.",
         "There are 2 copies of the digit 9 in column 7."},
        {{Kind::NoCandidate, 4, 5},
         "La case ligne 4, colonne 5 n'a plus aucun candidat.",
         "The cell at row 4, column 5 has no candidate left."},
    };
    for (const auto& p : problems) {
        EXPECT_EQ(problem_text(p.problem, Language::French), p.french);
        EXPECT_EQ(problem_text(p.problem, Language::English), p.english);
    }
}
