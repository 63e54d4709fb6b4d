#include "ladder_page.h"

#include <algorithm>

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

BoardPicture grid_picture(const ladder::Grid& grid, const std::array<bool, 81>& given, std::string_view what,
                          Language language) {
    BoardPicture p;
    p.given = given;
    for (int i = 0; i < 81; ++i) p.values[i] = grid[i] >= 1 && grid[i] <= 9 ? grid[i] : 0;
    p.description = filled_description(p, what, language);
    return p;
}

// The English words of the boards' text alternatives: "r4c2" cells, lists with "and".
namespace en {

std::string cell(int cell) { return "r" + std::to_string(cell / 9 + 1) + "c" + std::to_string(cell % 9 + 1); }

std::string join(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += i + 1 == items.size() ? " and " : ", ";
        text += items[i];
    }
    return text;
}

std::string cells(const std::vector<std::uint8_t>& cells) {
    std::vector<std::string> names;
    for (const std::uint8_t c : cells) names.push_back(cell(c));
    return join(names);
}

// Unit 0-8 rows, 9-17 columns, 18-26 boxes.
std::string unit(int unit) {
    static const char* const kKinds[] = {"row ", "column ", "box "};
    return kKinds[unit / 9] + std::to_string(unit % 9 + 1);
}

// "5 from r1c2 and r1c3, 7 from r4c4", by digit in order of first appearance.
std::string eliminations(const std::vector<ladder::Candidate>& eliminations) {
    std::vector<int> digits;
    for (const ladder::Candidate& c : eliminations)
        if (std::find(digits.begin(), digits.end(), c.digit) == digits.end()) digits.push_back(c.digit);
    std::vector<std::string> parts;
    for (const int d : digits) {
        std::vector<std::uint8_t> where;
        for (const ladder::Candidate& c : eliminations)
            if (c.digit == d) where.push_back(c.cell);
        parts.push_back(std::to_string(d) + " from " + cells(where));
    }
    return join(parts);
}

} // namespace en

} // namespace

BoardPicture ladder_step_picture(const ladder::Candidates& before, const ladder::Step& step,
                                 const std::array<bool, 81>& given, Language language) {
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
    if (language == Language::English) {
        if (!step.cells.empty()) words += " Framed cells: " + en::cells(step.cells) + ".";
        for (const ladder::Candidate& c : step.placements)
            words += " Digit written (green disc): " + std::to_string(c.digit) + " in " + en::cell(c.cell) + ".";
        if (!step.eliminations.empty()) words += " Struck-out candidates: " + en::eliminations(step.eliminations) + ".";
        p.description = words;
        return p;
    }
    if (!step.cells.empty()) words += " Cases encadrées : " + fr::cells_list(step.cells) + ".";
    for (const ladder::Candidate& c : step.placements)
        words += " Chiffre écrit (disque vert) : " + fr::digit_the(c.digit) + " " + fr::cell_name(c.cell) + ".";
    if (!step.eliminations.empty()) words += " Candidats barrés : " + fr::eliminations_phrase(step.eliminations) + ".";
    p.description = words;
    return p;
}

std::vector<BoardPicture> ladder_branch_pictures(const ladder::Candidates& before, const ladder::Step& step,
                                                 const std::array<bool, 81>& given, Language language) {
    const bool english = language == Language::English;
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
                end = english ? en::cell(branch.end.cell) + " has no possible digit left."
                              : fr::cell_short(branch.end.cell) + " n'a plus aucun chiffre possible.";
                break;
            case Kind::NoPlace:
                for (const std::uint8_t cell : ladder::geometry().unit_cells[branch.end.unit]) p.pattern[cell] = true;
                end = english ? "The " + std::to_string(branch.end.candidate.digit) + " has no place left in " +
                                    en::unit(branch.end.unit) + "."
                              : fr::digit_the(branch.end.candidate.digit) + " n'a plus de place dans " +
                                    fr::unit_name(branch.end.unit) + ".";
                break;
            case Kind::Place:
            case Kind::Eliminate:
                p.pattern[branch.end.candidate.cell] = true;
                end = english ? "Framed conclusion: " + en::cell(branch.end.candidate.cell) + "."
                              : "Conclusion encadrée : " + fr::cell_short(branch.end.candidate.cell) + ".";
                break;
        }
        if (english)
            p.description =
                ladder::narrate_part(step, ++k) + " Green discs: the assumption " + en::cell(branch.assume.cell) +
                (written.empty() ? std::string() : " and the digits written in " + en::cells(written)) + ". " + end;
        else
            p.description =
                ladder::narrate_part(step, ++k) + " Disques verts : l'hypothèse " + fr::cell_short(branch.assume.cell) +
                (written.empty() ? std::string() : " et les chiffres écrits en " + fr::cells_short(written)) + ". " +
                end;
        out.push_back(std::move(p));
    }
    return out;
}

Page ladder_page(const std::string& title, const ladder::Explanation& explanation, Language language) {
    Page page;
    page.language = language;
    page.title = title;
    const std::array<bool, 81> given = givens_of(explanation.puzzle);
    page.puzzle = grid_picture(explanation.puzzle, given, starting_grid_words(language), language);
    const std::vector<std::string> verdict = ladder::narrate_verdict(explanation);
    page.verdict = verdict;
    page.closing = problem_lines(explanation.problems, language);
    page.closing.insert(page.closing.end(), verdict.begin(), verdict.end());
    page.final_grid = grid_picture(explanation.final_grid, given, final_grid_words(language), language);
    if (explanation.steps.empty()) return page;

    ladder::Candidates candidates(explanation.puzzle);
    int number = 0;
    for (const ladder::Step& step : explanation.steps) {
        PageStep shown;
        shown.number = ++number;
        shown.technique = ladder::technique_name_fr(step.technique);
        shown.sentences = ladder::narrate_sentences(step);
        shown.board = ladder_step_picture(candidates, step, given, language);
        shown.branches = ladder_branch_pictures(candidates, step, given, language);
        for (int k = 1; k <= static_cast<int>(step.branches.size()); ++k)
            shown.branch_captions.push_back(ladder::narrate_part(step, k));
        if (ladder::names_cells_compactly(step)) page.key = ladder::cell_key_line();
        candidates.apply(step);
        page.steps.push_back(std::move(shown));
    }
    return page;
}

} // namespace vornel::report
