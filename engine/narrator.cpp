// SPDX-License-Identifier: GPL-3.0-or-later
// The words of a placement and of the classic log's other lines.
#include "narrator.h"

#include <array>

namespace vornel {

namespace {

constexpr std::size_t kLines = static_cast<std::size_t>(LogLine::Count);
using LineTable = std::array<std::string_view, kLines>;

constexpr LineTable kFrench = {
    "Nouveau cycle.",
    "Le sudoku est terminé.",
    "Le sudoku n'a pas de solution unique.",
    "Le sudoku a une solution unique, mais notre méthode ne permet pas de la trouver.",
    "Rien à faire avec ce chiffre.",
    "Plus rien à faire avec ce chiffre.",
    "-------------------------------------------",
    "Le sudoku est valide.",
    "Le sudoku n'est pas valide.",
};

constexpr LineTable kEnglish = {
    "New cycle.",
    "The sudoku is solved.",
    "The sudoku does not have a unique solution.",
    "The sudoku has a unique solution, but our method cannot find it.",
    "Nothing to do with this digit.",
    "Nothing more to do with this digit.",
    "-------------------------------------------",
    "The sudoku is valid.",
    "The sudoku is not valid.",
};

constexpr bool every_line_worded(const LineTable& table) {
    for (const std::string_view text : table)
        if (text.empty()) return false;
    return true;
}
static_assert(every_line_worded(kFrench) && every_line_worded(kEnglish), "a log line lacks its words");

// Per language, per unit kind (region, row, column).
struct ReasonWords {
    std::string_view lone[3];
    std::string_view last[3];
    std::string_view last_column_digit_tempo;
    std::string_view last_suffix;
    std::string_view placement;
    std::string_view digit_taken;
};

constexpr ReasonWords kReasonWords[] = {
    {{"Il y a une seule case vide dans la région ", "Il y a une seule case vide dans la ligne ",
      "Il y a une seule case vide dans la colonne "},
     {"La région ", "La ligne ", "La colonne "},
     "La Colonne ",
     " a seulement une case sans chiffre,",
     "Nous écrivons un ",
     "Nous traitons le chiffre "},
    {{"There is only one free cell in box ", "There is only one free cell in row ",
      "There is only one free cell in column "},
     {"Box ", "Row ", "Column "},
     "Column ",
     " has only one cell without a digit,",
     "We write a ",
     "We turn to the digit "},
};

const ReasonWords& words(Language language) { return kReasonWords[language == Language::English ? 1 : 0]; }

} // namespace

std::string_view log_line_text(LogLine line, Language language) {
    return (language == Language::English ? kEnglish : kFrench)[static_cast<std::size_t>(line)];
}

std::string_view Narrator::numbered(std::string_view prefix, int number, std::string_view suffix) {
    line_.assign(prefix);
    char digits[12];
    char* end = digits + sizeof digits;
    char* p = end;
    unsigned magnitude = number < 0 ? 0u - static_cast<unsigned>(number) : static_cast<unsigned>(number);
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (number < 0) *--p = '-';
    line_.append(p, end);
    line_.append(suffix);
    return line_;
}

std::string_view Narrator::reason(const FoundStep& step) {
    const ReasonWords& w = words(language_);
    const int k = static_cast<int>(step.unit);
    if (step.kind == FoundStep::Kind::LoneFreeCell) return numbered(w.lone[k], step.unit_number, ",");
    const std::string_view unit =
        step.unit == UnitKind::Column && tempo_ == Tempo::Digit ? w.last_column_digit_tempo : w.last[k];
    return numbered(unit, step.unit_number, w.last_suffix);
}

std::string_view Narrator::placement(int digit) { return numbered(words(language_).placement, digit, "."); }

std::string_view Narrator::digit_taken(int digit) { return numbered(words(language_).digit_taken, digit, "."); }

} // namespace vornel
