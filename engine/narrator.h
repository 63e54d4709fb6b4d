// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "grid_problem.h"
#include "language.h"
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

// The log's lines that take no number, whatever the language.
enum class LogLine : std::uint8_t {
    NewCycle,    // "Nouveau cycle."
    Finished,    // "Le sudoku est terminé."
    Stuck,       // "Le sudoku n'a pas de solution unique."
    StuckUnique, // "Le sudoku a une solution unique, mais notre méthode ne permet pas de la trouver."
    Nothing,     // "Rien à faire avec ce chiffre."
    NothingMore, // "Plus rien à faire avec ce chiffre."
    Separator,   // a line of dashes between two cycles of the one-pass tempo
    Valid,       // "Le sudoku est valide."
    Invalid,     // "Le sudoku n'est pas valide."
    Count
};

// The words of every log line, in French or in English. `log_line_text` has a text for each line in
// each language (checked when compiled).
std::string_view log_line_text(LogLine line, Language language);

// Turns found steps into the log's words. Every line of a placement comes from here, including the
// one wording that depends on the tempo ("La Colonne" in the digit tempo, "La colonne" elsewhere).
// Lines are built in one buffer kept from line to line: a returned view holds until the next call.
class Narrator {
public:
    void set_tempo(Tempo tempo) { tempo_ = tempo; }
    void set_language(Language language) { language_ = language; }
    Language language() const { return language_; }

    // The line that gives the reason: "Il y a une seule case vide dans la région 4," or "La ligne 2 a
    // seulement une case sans chiffre,".
    std::string_view reason(const FoundStep& step);
    // "Nous écrivons un 7."
    std::string_view placement(int digit);
    // "Nous traitons le chiffre 7."
    std::string_view digit_taken(int digit);
    std::string_view line(LogLine which) const { return log_line_text(which, language_); }
    std::string problem(const GridProblem& p) const { return problem_text(p, language_); }
    // prefix + decimal number + suffix, the shape of every numbered line of the log.
    std::string_view numbered(std::string_view prefix, int number, std::string_view suffix);

private:
    Tempo tempo_ = Tempo::Step;
    Language language_ = Language::French;
    std::string line_;
};

} // namespace vornel
