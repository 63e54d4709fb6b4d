#pragma once

#include <string>
#include <string_view>

#include "tempo.h"
#include "units.h"

namespace vornel {

// What one search of a pass found: where a digit goes and why.
struct FoundStep {
    enum class Kind {
        LoneFreeCell,  // the only cell of the unit still free for the digit in hand (pres 0)
        LastEmptyCell, // the only empty cell of the unit, which takes the one digit it lacks
    };
    Kind kind = Kind::LoneFreeCell;
    UnitKind unit = UnitKind::Region;
    int unit_number = 0; // 1-9
    int row = 0;         // 1-9
    int col = 0;         // 1-9
    int digit = 0;       // 1-9, the digit written
    friend bool operator==(const FoundStep&, const FoundStep&) = default;
};

// Turns found steps into the log's words. Every line of a placement comes from here, including the
// one wording that depends on the tempo ("La Colonne" in the digit tempo, "La colonne" elsewhere).
// Lines are built in one buffer kept from line to line: a returned view holds until the next call.
class Narrator {
public:
    void set_tempo(Tempo tempo) { tempo_ = tempo; }

    // The line that gives the reason: "Il y a une seule case vide dans la région 4," or "La ligne 2 a
    // seulement une case sans chiffre,".
    std::string_view reason(const FoundStep& step);
    // "Nous écrivons un 7."
    std::string_view placement(int digit);
    // prefix + decimal number + suffix, the shape of every numbered line of the log.
    std::string_view numbered(std::string_view prefix, int number, std::string_view suffix);

private:
    Tempo tempo_ = Tempo::Step;
    std::string line_;
};

} // namespace vornel
