#include "ladder_page.h"

#include "french.h"
#include "narrator_fr.h"
#include "narrator_fr_chains.h"

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

std::vector<BoardPicture> ladder_branch_pictures(const ladder::Candidates& before, const ladder::Step& step,
                                                 const std::array<bool, 81>& given) {
    namespace fr = ladder::fr;
    std::vector<BoardPicture> out;
    int k = 0;
    for (const ladder::ForcingBranch& branch : step.branches) {
        BoardPicture p;
        p.given = given;
        for (int i = 0; i < 81; ++i) {
            p.values[i] = before.value(i);
            if (p.values[i] == 0) p.candidates[i] = before.mask(i);
        }
        // The assumption and what it places are written as the branch would; what it removes is struck.
        p.placed[branch.assume.cell] = branch.assume.digit;
        p.highlighted[branch.assume.cell] |= std::uint16_t(1u << branch.assume.digit);
        std::vector<std::uint8_t> written;
        for (const ladder::Implication& imp : branch.implications) {
            if (imp.place) {
                p.placed[imp.candidate.cell] = imp.candidate.digit;
                written.push_back(imp.candidate.cell);
            } else {
                p.removed[imp.candidate.cell] |= std::uint16_t(1u << imp.candidate.digit);
            }
        }
        using Kind = ladder::BranchEnd::Kind;
        std::string end;
        switch (branch.end.kind) {
            case Kind::EmptyCell:
                p.pattern[branch.end.cell] = true;
                end = fr::cell_short(branch.end.cell) + " n'a plus aucun chiffre possible.";
                break;
            case Kind::NoPlace:
                for (const std::uint8_t cell : ladder::geometry().unit_cells[branch.end.unit]) p.pattern[cell] = true;
                end = fr::digit_the(branch.end.candidate.digit) + " n'a plus de place dans " +
                      fr::unit_name(branch.end.unit) + ".";
                break;
            case Kind::Place:
            case Kind::Eliminate:
                p.pattern[branch.end.candidate.cell] = true;
                end = "Conclusion encadrée : " + fr::cell_short(branch.end.candidate.cell) + ".";
                break;
        }
        p.description =
            ladder::narrate_part(step, ++k) + " Disques verts : l'hypothèse " + fr::cell_short(branch.assume.cell) +
            (written.empty() ? std::string() : " et les chiffres écrits en " + fr::cells_short(written)) + ". " + end;
        out.push_back(std::move(p));
    }
    return out;
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
        shown.sentences = ladder::narrate_sentences(step);
        shown.board = ladder_step_picture(candidates, step, given);
        shown.branches = ladder_branch_pictures(candidates, step, given);
        for (int k = 1; k <= static_cast<int>(step.branches.size()); ++k)
            shown.branch_captions.push_back(ladder::narrate_part(step, k));
        if (ladder::names_cells_compactly(step)) page.key = ladder::cell_key_line();
        candidates.apply(step);
        page.steps.push_back(std::move(shown));
    }
    return page;
}

} // namespace vornel::report
