// SPDX-License-Identifier: GPL-3.0-or-later
#include "ladder_page.h"

#include "grammar.h"
#include "narration.h"
#include "narrator_fr_chains.h"

namespace vornel::report {

namespace {

std::array<bool, 81> givens_of(const vornel::Grid& puzzle) {
    std::array<bool, 81> given{};
    for (int i = 0; i < 81; ++i) given[i] = puzzle[i] >= 1 && puzzle[i] <= 9;
    return given;
}

BoardPicture grid_picture(const vornel::Grid& grid, const std::array<bool, 81>& given, std::string_view what,
                          Language language) {
    BoardPicture p;
    p.given = given;
    for (int i = 0; i < 81; ++i) p.values[i] = grid[i] >= 1 && grid[i] <= 9 ? grid[i] : 0;
    p.description = filled_description(p, what, language);
    return p;
}

} // namespace

BoardPicture ladder_step_picture(const ladder::Candidates& before, const ladder::Step& step,
                                 const std::array<bool, 81>& given, Language language) {
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
    if (ladder::told_as_chain(step))
        for (const ladder::Link& link : step.links)
            p.links.push_back({link.from.cell, link.from.digit, link.to.cell, link.to.digit, link.strong});

    const ladder::Grammar& g = ladder::grammar(language);
    const bool english = language == Language::English;
    std::string words = ladder::technique_name(step.technique, language) + ".";
    if (!step.cells.empty())
        words += (english ? " Framed cells: " : " Cases encadrées : ") + g.cells_list(step.cells) + ".";
    for (const ladder::Candidate& c : step.placements)
        words += (english ? " Digit written (green disc): " : " Chiffre écrit (disque vert) : ") +
                 g.digit_the(c.digit) + (english ? " in " : " ") + g.cell_name(c.cell) + ".";
    if (!step.eliminations.empty())
        words += (english ? " Struck-out candidates: " : " Candidats barrés : ") +
                 g.eliminations_phrase(step.eliminations) + ".";
    p.description = words;
    return p;
}

std::vector<BoardPicture> ladder_branch_pictures(const ladder::Candidates& before, const ladder::Step& step,
                                                 const std::array<bool, 81>& given, Language language) {
    const bool english = language == Language::English;
    const ladder::Grammar& g = ladder::grammar(language);
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
                end = g.cell_short(branch.end.cell) +
                      (english ? " has no possible digit left." : " n'a plus aucun chiffre possible.");
                break;
            case Kind::NoPlace:
                for (const std::uint8_t cell : ladder::geometry().unit_cells[branch.end.unit]) p.pattern[cell] = true;
                // French keeps its lower-case article here, as it always has.
                end = (english ? g.capitalise(g.digit_the(branch.end.candidate.digit))
                               : g.digit_the(branch.end.candidate.digit)) +
                      (english ? " has no place left in " : " n'a plus de place dans ") + g.unit_name(branch.end.unit) +
                      ".";
                break;
            case Kind::Place:
            case Kind::Eliminate:
                p.pattern[branch.end.candidate.cell] = true;
                end = (english ? "Framed conclusion: " : "Conclusion encadrée : ") +
                      g.cell_short(branch.end.candidate.cell) + ".";
                break;
        }
        p.description = ladder::narrate_part(step, ++k, language) +
                        (english ? " Green discs: the assumption " : " Disques verts : l'hypothèse ") +
                        g.cell_short(branch.assume.cell) +
                        (written.empty() ? std::string()
                                         : (english ? " and the digits written in " : " et les chiffres écrits en ") +
                                               g.cells_short(written)) +
                        ". " + end;
        out.push_back(std::move(p));
    }
    return out;
}

// French typography on the page: a non-breaking space before ":", ";", "!" and "?", so that the
// browser never starts a line with one of them.
std::string typeset(const std::string& text, Language language) {
    if (language != Language::French) return text;
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] == ' ' && (next == ':' || next == ';' || next == '!' || next == '?'))
            out += "\xC2\xA0";
        else
            out += text[i];
    }
    return out;
}

std::vector<std::string> typeset(std::vector<std::string> lines, Language language) {
    for (std::string& line : lines) line = typeset(line, language);
    return lines;
}

Page ladder_page(const std::string& title, const ladder::Explanation& explanation, Language language) {
    Page page;
    page.language = language;
    page.title = title;
    const std::array<bool, 81> given = givens_of(explanation.puzzle);
    page.puzzle = grid_picture(explanation.puzzle, given, starting_grid_words(language), language);
    const std::vector<std::string> verdict = ladder::narrate_verdict(explanation, language);
    page.verdict = verdict;
    page.closing = problem_lines(explanation.problems, language);
    page.closing.insert(page.closing.end(), verdict.begin(), verdict.end());
    page.final_grid = grid_picture(explanation.final_grid, given, final_grid_words(language), language);
    if (explanation.steps.empty()) return page;

    // Every sentence of the ladder names cells compactly ("L4C2"): the key says how.
    page.key = typeset(ladder::cell_key(language), language);
    ladder::Candidates candidates(explanation.puzzle);
    int number = 0;
    for (const ladder::Step& step : explanation.steps) {
        PageStep shown;
        shown.number = ++number;
        shown.technique = ladder::technique_name(step.technique, language);
        shown.sentences =
            typeset(ladder::narrate_in(explanation.steps, static_cast<std::size_t>(number - 1), language), language);
        shown.board = ladder_step_picture(candidates, step, given, language);
        shown.branches = ladder_branch_pictures(candidates, step, given, language);
        for (int k = 1; k <= static_cast<int>(step.branches.size()); ++k)
            shown.branch_captions.push_back(typeset(ladder::narrate_part(step, k, language), language));
        candidates.apply(step);
        page.steps.push_back(std::move(shown));
    }
    return page;
}

} // namespace vornel::report
