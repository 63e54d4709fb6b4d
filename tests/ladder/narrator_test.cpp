// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "french.h"
#include "ladder_support.h"
#include "narrator_fr.h"
#include "techniques/techniques.h"

namespace vornel::ladder {
namespace {

using testing::model;

constexpr const char* kEmpty = ".................................................................................";

struct Sentence {
    const char* name;
    Finder find;
    const char* grid;
    const char* edits;
    const char* text;
};

class TellsAStep : public ::testing::TestWithParam<Sentence> {};

TEST_P(TellsAStep, in_french) {
    const Sentence& t = GetParam();
    const std::optional<Step> step = t.find(model(t.grid, t.edits));
    ASSERT_TRUE(step.has_value());
    std::string text;
    for (const std::string& line : narrate_sentences(*step)) text += (text.empty() ? "" : "\n") + line;
    EXPECT_EQ(text, t.text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Ladder, TellsAStep, ::testing::Values(
    Sentence{"full_house", find_full_house,
             "53.678912672195348198342567859761423426853791713924856961537284287419635345286179", "",
             "La case L1C3 est la seule case vide de la région 1 : nous écrivons un 4, le chiffre qui y "
             "manque."},
    Sentence{"hidden_single", find_hidden_single, kEmpty, "r4c456-7 r5c45-7 r6c456-7",
             "Dans la région 5, le 7 ne peut aller que dans la case L5C6 : nous écrivons un 7."},
    Sentence{"naked_single", find_naked_single, kEmpty, "r4c2=7",
             "La case L4C2 ne peut contenir que le 7 : nous écrivons un 7."},
    Sentence{"pointing", find_pointing, kEmpty, "r56c456-3 r4c379-3",
             "Dans la région 5, le 3 ne peut aller que dans la ligne 4 : nous retirons le 3 des cases L4C1, L4C2 et L4C8."},
    Sentence{"pointing_one_cell", find_pointing, kEmpty, "r56c456-3 r4c12379-3",
             "Dans la région 5, le 3 ne peut aller que dans la ligne 4 : nous retirons le 3 de la case L4C8."},
    Sentence{"claiming_down_a_column", find_claiming, kEmpty, "r456789c2-5 r123c1-5",
             "Dans la colonne 2, le 5 ne peut aller que dans la région 1 : nous retirons le 5 des cases L1C3, L2C3 et L3C3."},
    Sentence{"naked_pair", find_naked_pair, kEmpty, "r1c38=26",
             "Les cases L1C3 et L1C8 ne peuvent contenir que le 2 et le 6 : ces chiffres "
             "ne peuvent aller ailleurs dans la ligne 1, et nous retirons le 2 et le 6 des cases L1C1, L1C2, L1C4, L1C5, L1C6, L1C7 et L1C9."},
    Sentence{"hidden_pair", find_hidden_pair, kEmpty, "r1c1346789-49 r1c2=1249 r1c5=4789",
             "Dans la ligne 1, le 4 et le 9 ne peuvent aller que dans les cases L1C2 et L1C5 : nous retirons de ces cases les autres chiffres, le 1 et le 2 de la case L1C2 "
             "et le 7 et le 8 de la case L1C5."},
    Sentence{"naked_triple", find_naked_triple, kEmpty, "r1c4=12 r5c4=23 r9c4=13",
             "Les cases L1C4, L5C4 et L9C4 ne peuvent contenir que le 1, le 2 et le 3 : ces chiffres ne "
             "peuvent aller ailleurs dans la colonne 4, et nous retirons le 1, le 2 et le 3 des cases L2C4, L3C4, L4C4, L6C4, L7C4 et L8C4."},
    Sentence{"x_wing", find_x_wing, kEmpty, "r2c1245679-5 r7c1245679-5 r134568c38-5",
             "Dans les lignes 2 et 7, le 5 ne peut aller que dans les colonnes 3 et 8 : ces colonnes ont donc leur 5 dans ces lignes, et nous retirons le 5 des cases L9C3 et L9C8."},
    Sentence{"finned_x_wing", find_finned_x_wing, kEmpty, "r4c1245689-7 r8c124569-7",
             "Dans les lignes 4 et 8, le 7 ne peut aller que dans les colonnes 3 et 7, sauf dans la case L8C8, l'aileron.\nSi l'aileron contient le 7, la région 9 n'a pas d'autre 7 ; sinon, ces colonnes "
             "ont leur 7 dans ces lignes.\nDans les deux cas, nous retirons le 7 des cases L7C7 et L9C7."},
    Sentence{"skyscraper", find_skyscraper, kEmpty, "r1c2345679-9 r8c1345679-9",
             "Dans la ligne 1, le 9 ne peut aller que dans les cases L1C1 et L1C8 ; dans la ligne 8, que dans les cases L8C2 et L8C8.\nLa case L1C8 et la case L8C8 sont toutes deux dans la colonne 8 : l'une au moins ne contient pas le 9, "
             "donc le 9 est dans la case L1C1 ou dans la case L8C2.\nNous retirons le 9 "
             "des cases L2C2, L3C2, L7C1 et L9C1, qui "
             "voient ces deux cases."},
    Sentence{"xy_wing", find_xy_wing, kEmpty, "r5c5=12 r5c8=13 r8c5=23",
             "L5C5 ne peut contenir que le 1 et le 2, L5C8 que le 1 et le 3, L8C5 que le 2 et le 3.\nSi L5C5 "
             "contient le 1, L5C8 contient le 3 ; sinon L5C5 contient le 2 et L8C5 contient le 3.\nDans les deux "
             "cas, le 3 est en L5C8 ou en L8C5 : nous retirons le 3 de L8C8, qui voit ces deux cases."},
    Sentence{"w_wing", find_w_wing, kEmpty, "r5c3=49 r9c4=49 r8c1245789-9",
             "L5C3 et L9C4 ne peuvent contenir que le 4 et le 9.\nDans la ligne 8, le 9 ne peut aller qu'en L8C3, qui voit L5C3, et en L8C6, qui voit L9C4.\nL'une de ces deux cases contient donc le 9 : L5C3 ou L9C4 "
             "ne le contient pas et contient le 4.\nNous retirons le 4 de L5C4 et L9C3, qui voient L5C3 et L9C4."}
), [](const ::testing::TestParamInfo<Sentence>& info) { return std::string(info.param.name); });
// clang-format on

TEST(French, lists_cells_units_and_digits) {
    using namespace fr;
    EXPECT_EQ(join({}), "");
    EXPECT_EQ(join({"a"}), "a");
    EXPECT_EQ(join({"a", "b"}), "a et b");
    EXPECT_EQ(join({"a", "b", "c"}), "a, b et c");
    EXPECT_EQ(cells_phrase({30}), "la case ligne 4, colonne 4");
    EXPECT_EQ(cells_phrase({27, 28, 34}), "les cases ligne 4, colonnes 1, 2 et 8");
    EXPECT_EQ(cells_phrase({11, 38, 56}), "les cases lignes 2, 5 et 7, colonne 3");
    EXPECT_EQ(cells_phrase({2, 7}), "les cases ligne 1, colonne 3 et ligne 1, colonne 8");
    EXPECT_EQ(cells_phrase({9, 17, 18, 43}), "les cases ligne 2 (colonnes 1 et 9), ligne 3 (colonne 1) et ligne 5 "
                                             "(colonne 8)");
    EXPECT_EQ(units_phrase({22}), "la région 5");
    EXPECT_EQ(units_phrase({1, 6}), "les lignes 2 et 7");
    EXPECT_EQ(units_phrase({9, 10, 16}), "les colonnes 1, 2 et 8");
    EXPECT_EQ(units_phrase({1, 13}), "la ligne 2 et la colonne 5");
    EXPECT_EQ(digits_the((1u << 2) | (1u << 6)), "le 2 et le 6");
    EXPECT_EQ(de("la région 5"), "de la région 5");
    EXPECT_EQ(de("les cases ligne 1"), "des cases ligne 1");
    EXPECT_EQ(de("le 3"), "du 3");
    EXPECT_EQ(capitalise("à la ligne"), "À la ligne");
    EXPECT_EQ(capitalise("école"), "École");
    EXPECT_EQ(capitalise("la case"), "La case");
    EXPECT_EQ(eliminations_phrase({{2, 3}, {2, 5}, {7, 3}, {7, 5}, {20, 9}}),
              "le 3 et le 5 des cases ligne 1, colonne 3 et ligne 1, colonne 8 et le 9 de la case ligne 3, colonne 3");
}

TEST(Narrator, names_every_technique_and_level) {
    for (int t = 0; t < kTechniqueCount; ++t) {
        EXPECT_FALSE(technique_name_fr(static_cast<Technique>(t)).empty());
        Technique back{};
        ASSERT_TRUE(technique_from_id(technique_id(static_cast<Technique>(t)), back));
        EXPECT_EQ(back, static_cast<Technique>(t));
    }
    EXPECT_EQ(technique_name_fr(Technique::NakedPair), "Paire nue");
    EXPECT_EQ(technique_id(Technique::TwoStringKite), "two-string-kite");
    Technique none{};
    EXPECT_FALSE(technique_from_id("pair", none));
}

struct Closing {
    const char* name;
    const char* puzzle;
    std::vector<std::string> lines;
};

class ClosesAnExplanation : public ::testing::TestWithParam<Closing> {};

TEST_P(ClosesAnExplanation, with_verdict_and_rating) {
    const Closing& t = GetParam();
    EXPECT_EQ(narrate_verdict(explain(testing::grid_of(t.puzzle))), t.lines);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Ladder, ClosesAnExplanation, ::testing::Values(
    Closing{"one_step", "53.678912672195348198342567859761423426853791713924856961537284287419635345286179",
            {"Le sudoku est résolu en 1 étape.",
             "Difficulté : très facile (score 1001), technique la plus difficile : Dernière case libre."}},
    Closing{"full", "534678912672195348198342567859761423426853791713924856961537284287419635345286179",
            {"Le sudoku est déjà rempli.", "Difficulté : très facile (score 0)."}},
    Closing{"invalid", "55.678912672195348198342567859761423426853791713924856961537284287419635345286179",
            {"Il y a 2 chiffres 5 dans la région 1.", "Il y a 2 chiffres 5 dans la ligne 1.",
             "Il y a 2 chiffres 5 dans la colonne 2.",
             "Le sudoku n'est pas valide."}},
    Closing{"no_solution", "12345678.........9...............................................................",
            {"Le sudoku n'a aucune solution."}},
    Closing{"several_solutions_nothing_forced", "53467891267219534819834256785976.42.42685.79.713924856961537284287419635345286179",
            {"Le sudoku a plusieurs solutions : sans chaîne forcée, aucun chiffre ne s'impose.",
             "En voici deux :",
             "534678912672195348198342567859761423426853791713924856961537284287419635345286179",
             "534678912672195348198342567859763421426851793713924856961537284287419635345286179",
             "Elles diffèrent dans 4 cases : L4C6 (1 ou 3), L4C9 (3 ou 1), "
             "L5C6 (3 ou 1) et L5C9 (1 ou 3)."}},
    Closing{"several_solutions_after_forced_steps", "53.67891267219534819834256785976.42.42685.79.713924856961537284287419635345286179",
            {"Le sudoku a plusieurs solutions : nous avons écrit ce que la logique impose sans chaîne forcée, en 1 étape.",
             "En voici deux :",
             "534678912672195348198342567859761423426853791713924856961537284287419635345286179",
             "534678912672195348198342567859763421426851793713924856961537284287419635345286179",
             "Elles diffèrent dans 4 cases : L4C6 (1 ou 3), L4C9 (3 ou 1), "
             "L5C6 (3 ou 1) et L5C9 (1 ou 3)."}}
), [](const ::testing::TestParamInfo<Closing>& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
} // namespace vornel::ladder
