#include "ladder_page.h"

#include "french.h"
#include "narrator_fr.h"

namespace vornel::report {

namespace {

std::array<bool, 81> givens_of(const ladder::Grid& puzzle) {
    std::array<bool, 81> given{};
    for (int i = 0; i < 81; ++i) given[i] = puzzle[i] >= 1 && puzzle[i] <= 9;
    return given;
}

BoardPicture grid_picture(const ladder::Grid& grid, const std::array<bool, 81>& given, const char* what) {
    BoardPicture p;
    p.given = given;
    for (int i = 0; i < 81; ++i) p.values[i] = grid[i] >= 1 && grid[i] <= 9 ? grid[i] : 0;
    p.description = filled_description(p, what);
    return p;
}

} // namespace

BoardPicture ladder_step_picture(const ladder::Candidates& before, const ladder::Step& step,
                                 const std::array<bool, 81>& given) {
    namespace fr = ladder::fr;
    BoardPicture p;
    p.given = given;
    for (int i = 0; i < 81; ++i) {
        p.values[i] = before.value(i);
        if (p.values[i] == 0) p.candidates[i] = before.mask(i);
    }
    for (const ladder::Candidate& c : step.eliminations) p.removed[c.cell] |= std::uint16_t(1u << c.digit);
    for (const ladder::Candidate& c : step.placements) p.placed[c.cell] = c.digit;
    for (const std::uint8_t cell : step.cells) p.pattern[cell] = true;
    for (const auto* list : {&step.highlighted, &step.fins, &step.colour_a, &step.colour_b})
        for (const ladder::Candidate& c : *list) p.highlighted[c.cell] |= std::uint16_t(1u << c.digit);
    for (const ladder::Link& link : step.links)
        for (const ladder::Candidate& c : {link.from, link.to}) p.highlighted[c.cell] |= std::uint16_t(1u << c.digit);

    std::string words = ladder::technique_name_fr(step.technique) + ".";
    if (!step.cells.empty()) words += " Cases encadrées : " + fr::cells_list(step.cells) + ".";
    for (const ladder::Candidate& c : step.placements)
        words += " Chiffre écrit (disque vert) : " + fr::digit_the(c.digit) + " " + fr::cell_name(c.cell) + ".";
    if (!step.eliminations.empty()) words += " Candidats barrés : " + fr::eliminations_phrase(step.eliminations) + ".";
    p.description = words;
    return p;
}

Page ladder_page(const std::string& title, const ladder::Explanation& explanation) {
    Page page;
    page.title = title;
    const std::array<bool, 81> given = givens_of(explanation.puzzle);
    page.puzzle = grid_picture(explanation.puzzle, given, "La grille de départ");
    const std::vector<std::string> verdict = ladder::narrate_verdict(explanation);
    page.verdict = verdict;
    page.closing = explanation.problems;
    page.closing.insert(page.closing.end(), verdict.begin(), verdict.end());
    page.final_grid = grid_picture(explanation.final_grid, given, "La grille finale");
    if (explanation.steps.empty()) return page;

    ladder::Candidates candidates(explanation.puzzle);
    int number = 0;
    for (const ladder::Step& step : explanation.steps) {
        PageStep shown;
        shown.number = ++number;
        shown.technique = ladder::technique_name_fr(step.technique);
        shown.sentences = ladder::narrate(step);
        shown.board = ladder_step_picture(candidates, step, given);
        candidates.apply(step);
        page.steps.push_back(std::move(shown));
    }
    return page;
}

} // namespace vornel::report
