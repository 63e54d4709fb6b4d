// The words of a placement.
#include "narrator.h"

namespace vornel {

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
    const int k = static_cast<int>(step.unit);
    if (step.kind == FoundStep::Kind::LoneFreeCell) {
        static constexpr std::string_view kLone[] = {
            "Il y a une seule case vide dans la région ",
            "Il y a une seule case vide dans la ligne ",
            "Il y a une seule case vide dans la colonne ",
        };
        return numbered(kLone[k], step.unit_number, ",");
    }
    static constexpr std::string_view kLast[] = {"La région ", "La ligne ", "La colonne "};
    const std::string_view unit = step.unit == UnitKind::Column && tempo_ == Tempo::Digit ? "La Colonne " : kLast[k];
    return numbered(unit, step.unit_number, " a seulement une case sans chiffre,");
}

std::string_view Narrator::placement(int digit) { return numbered("Nous écrivons un ", digit, "."); }

} // namespace vornel
