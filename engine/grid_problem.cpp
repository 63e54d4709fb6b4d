// SPDX-License-Identifier: GPL-3.0-or-later
// The words of a grid's problems.
#include "grid_problem.h"

namespace vornel {

namespace {

std::string french(const GridProblem& p) {
    const std::string r = std::to_string(p.row);
    const std::string c = std::to_string(p.col);
    switch (p.kind) {
        case GridProblem::Kind::NotADigit:
            return "La case ligne " + r + ", colonne " + c + " contient " + std::to_string(p.value) +
                   ", qui n'est pas un chiffre.";
        case GridProblem::Kind::NoCandidate:
            return "La case ligne " + r + ", colonne " + c + " n'a plus aucun candidat.";
        case GridProblem::Kind::Duplicate: break;
    }
    static const char* const kWhere[] = {" dans la région ", " dans la ligne ", " dans la colonne "};
    return "Il y a " + std::to_string(p.count) + " chiffres " + std::to_string(p.value) +
           kWhere[static_cast<int>(p.unit)] + std::to_string(p.unit_number) + ".";
}

std::string english(const GridProblem& p) {
    const std::string where = "row " + std::to_string(p.row) + ", column " + std::to_string(p.col);
    switch (p.kind) {
        case GridProblem::Kind::NotADigit:
            return "The cell at " + where + " holds " + std::to_string(p.value) + ", which is not a digit.";
        case GridProblem::Kind::NoCandidate: return "The cell at " + where + " has no candidate left.";
        case GridProblem::Kind::Duplicate: break;
    }
    static const char* const kWhere[] = {" in box ", " in row ", " in column "};
    return "There are " + std::to_string(p.count) + " copies of the digit " + std::to_string(p.value) +
           kWhere[static_cast<int>(p.unit)] + std::to_string(p.unit_number) + ".";
}

} // namespace

std::string problem_text(const GridProblem& problem, Language language) {
    return language == Language::English ? english(problem) : french(problem);
}

std::vector<std::string> problem_lines(const std::vector<GridProblem>& problems, Language language) {
    std::vector<std::string> lines;
    lines.reserve(problems.size());
    for (const GridProblem& p : problems) lines.push_back(problem_text(p, language));
    return lines;
}

} // namespace vornel
