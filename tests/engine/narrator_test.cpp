#include <gtest/gtest.h>

#include "narrator.h"

using namespace vornel;

TEST(Narrator, words_every_kind_of_found_step_in_every_tempo) {
    using Kind = FoundStep::Kind;
    const struct {
        Kind kind;
        UnitKind unit;
        int n;
        Tempo tempo;
        const char* line;
    } cases[] = {
        {Kind::LoneFreeCell, UnitKind::Region, 4, Tempo::Step, "Il y a une seule case vide dans la région 4,"},
        {Kind::LoneFreeCell, UnitKind::Row, 1, Tempo::Digit, "Il y a une seule case vide dans la ligne 1,"},
        {Kind::LoneFreeCell, UnitKind::Column, 9, Tempo::Digit, "Il y a une seule case vide dans la colonne 9,"},
        {Kind::LoneFreeCell, UnitKind::Column, 2, Tempo::Once, "Il y a une seule case vide dans la colonne 2,"},
        {Kind::LastEmptyCell, UnitKind::Region, 8, Tempo::Digit, "La région 8 a seulement une case sans chiffre,"},
        {Kind::LastEmptyCell, UnitKind::Row, 3, Tempo::Once, "La ligne 3 a seulement une case sans chiffre,"},
        {Kind::LastEmptyCell, UnitKind::Column, 5, Tempo::Step, "La colonne 5 a seulement une case sans chiffre,"},
        {Kind::LastEmptyCell, UnitKind::Column, 5, Tempo::Once, "La colonne 5 a seulement une case sans chiffre,"},
        {Kind::LastEmptyCell, UnitKind::Column, 7, Tempo::Digit, "La Colonne 7 a seulement une case sans chiffre,"},
    };
    Narrator narrator;
    for (const auto& c : cases) {
        narrator.set_tempo(c.tempo);
        EXPECT_EQ(narrator.reason(FoundStep{c.kind, c.unit, c.n, 1, 1, 6}), c.line);
    }
    EXPECT_EQ(narrator.placement(7), "Nous écrivons un 7.");
    EXPECT_EQ(narrator.numbered("Nous traitons le chiffre ", 3, "."), "Nous traitons le chiffre 3.");
    EXPECT_EQ(narrator.numbered("n ", -12, "!"), "n -12!");
}
