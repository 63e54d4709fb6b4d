// SPDX-License-Identifier: GPL-3.0-or-later
#include "ladder_report.h"

#include <cstdlib>
#include <functional>
#include <ostream>

#include <unistd.h>

#include "explainer.h"
#include "failures.h"
#include "narrator_fr.h"
#include "narrator_fr_chains.h"

namespace vornel {

namespace {

using ladder::Explanation;

// A value no cell can hold (kept as 10 by the ladder, and told in its problems) reads as empty,
// so that a grid is always 81 characters of digits and the empty mark.
char cell_char(std::uint8_t v, char empty) {
    if (v == 0 || v > 9) return empty;
    return static_cast<char>('0' + v);
}

std::string grid_text(const vornel::Grid& grid, char empty) {
    std::string text;
    for (const std::uint8_t v : grid) text += cell_char(v, empty);
    return text;
}

std::string solutions_text(int solutions) { return solutions >= 2 ? "2+" : std::to_string(solutions); }

void json_candidates(std::string& out, const std::vector<ladder::Candidate>& list) {
    out += '[';
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0) out += ',';
        const ladder::Candidate& c = list[i];
        out += '[' + std::to_string(ladder::row_of(c.cell) + 1) + ',' + std::to_string(ladder::col_of(c.cell) + 1) +
               ',' + std::to_string(c.digit) + ']';
    }
    out += ']';
}

void json_strings(std::string& out, const std::vector<std::string>& list) {
    out += '[';
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0) out += ',';
        out += json_string(list[i]);
    }
    out += ']';
}

// A chain's one-line summary, "(5)r6c3=r6c1-r1c1=r1c4 => r8c3<>5", for the steps told as chains:
// data, in the notation solvers share, the same whatever the language of the text.
void json_summary(std::string& out, const ladder::Step& step) {
    const std::string summary = ladder::step_summary(step, Language::English);
    if (!summary.empty()) out += ",\"summary\":" + json_string(summary);
}

std::string json_cell(int cell) {
    return '[' + std::to_string(ladder::row_of(cell) + 1) + ',' + std::to_string(ladder::col_of(cell) + 1) + ']';
}

std::string json_candidate(const ladder::Candidate& c) {
    return '[' + std::to_string(ladder::row_of(c.cell) + 1) + ',' + std::to_string(ladder::col_of(c.cell) + 1) + ',' +
           std::to_string(c.digit) + ']';
}

std::string json_cells(const std::vector<std::uint8_t>& cells) {
    std::string out = "[";
    for (std::size_t i = 0; i < cells.size(); ++i) out += (i > 0 ? "," : "") + json_cell(cells[i]);
    return out + ']';
}

// "\"unit\":\"row\",\"number\":4" (unit 0-26), without braces.
std::string json_unit_fields(int unit) {
    static const char* const kKinds[] = {"row", "column", "box"};
    return "\"unit\":\"" + std::string(kKinds[unit / 9]) + "\",\"number\":" + std::to_string(unit % 9 + 1);
}

std::string json_link_reason(const ladder::LinkReason& why) {
    using Kind = ladder::LinkReason::Kind;
    switch (why.kind) {
        case Kind::Cell: return "{\"cell\":" + json_cell(why.cell) + '}';
        case Kind::Unit: return '{' + json_unit_fields(why.unit) + '}';
        case Kind::Group: return "{\"group\":" + json_cells(why.cells) + ',' + json_unit_fields(why.unit) + '}';
        case Kind::Als: return "{\"als\":" + json_cells(why.cells) + '}';
        case Kind::None: break;
    }
    return "null";
}

void json_links(std::string& out, const std::vector<ladder::Link>& links) {
    out += '[';
    for (std::size_t i = 0; i < links.size(); ++i) {
        const ladder::Link& l = links[i];
        if (i > 0) out += ',';
        out += "{\"from\":" + json_candidate(l.from) + ",\"to\":" + json_candidate(l.to) + ",\"kind\":\"" +
               (l.strong ? "strong" : "weak") + "\",\"why\":" + json_link_reason(l.why) + '}';
    }
    out += ']';
}

void json_branches(std::string& out, const std::vector<ladder::ForcingBranch>& branches);

std::string json_implication_reason(const ladder::Implication& imp) {
    using Why = ladder::Implication::Why;
    switch (imp.why) {
        case Why::NakedSingle: return "{\"naked-single\":" + json_cell(imp.cell) + '}';
        case Why::HiddenSingle: return "{\"hidden-single\":{" + json_unit_fields(imp.unit) + "}}";
        case Why::Peer: return "{\"peer\":" + json_cell(imp.cell) + '}';
        case Why::Pointing:
        case Why::Claiming:
            return std::string("{\"") + (imp.why == Why::Pointing ? "pointing" : "claiming") + "\":{\"from\":{" +
                   json_unit_fields(imp.unit) + "},\"to\":{" + json_unit_fields(imp.other) + "}}}";
        case Why::Nested: {
            std::string out = "{\"nested\":";
            json_branches(out, imp.nested);
            return out + '}';
        }
    }
    return "null";
}

std::string json_branch_end(const ladder::BranchEnd& end) {
    using Kind = ladder::BranchEnd::Kind;
    switch (end.kind) {
        case Kind::EmptyCell: return "{\"contradiction\":{\"cell\":" + json_cell(end.cell) + "}}";
        case Kind::NoPlace:
            return "{\"contradiction\":{" + json_unit_fields(end.unit) +
                   ",\"digit\":" + std::to_string(end.candidate.digit) + "}}";
        case Kind::Place: return "{\"place\":" + json_candidate(end.candidate) + '}';
        case Kind::Eliminate: return "{\"eliminate\":" + json_candidate(end.candidate) + '}';
    }
    return "null";
}

void json_branches(std::string& out, const std::vector<ladder::ForcingBranch>& branches) {
    out += '[';
    for (std::size_t i = 0; i < branches.size(); ++i) {
        const ladder::ForcingBranch& b = branches[i];
        if (i > 0) out += ',';
        out += "{\"assume\":" + json_candidate(b.assume) + ",\"implications\":[";
        for (std::size_t k = 0; k < b.implications.size(); ++k) {
            const ladder::Implication& imp = b.implications[k];
            if (k > 0) out += ',';
            out += std::string("{\"") + (imp.place ? "place" : "eliminate") + "\":" + json_candidate(imp.candidate) +
                   ",\"why\":" + json_implication_reason(imp) + '}';
        }
        out += "],\"ends\":" + json_branch_end(b.end) + '}';
    }
    out += ']';
}

// A list of steps: technique, placements, eliminations and sentences of each. `in_order`: the
// steps of one explanation, where a chain that repeats the one before is told from where they part.
void json_steps(std::string& out, const std::vector<ladder::Step>& steps, Language language, bool in_order) {
    out += '[';
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const ladder::Step& step = steps[i];
        if (i > 0) out += ',';
        out += "{\"technique\":\"" + std::string(ladder::technique_id(step.technique)) + "\",\"place\":";
        json_candidates(out, step.placements);
        out += ",\"eliminate\":";
        json_candidates(out, step.eliminations);
        if (ladder::told_as_chain(step)) {
            out += ",\"links\":";
            json_links(out, step.links);
        }
        if (!step.chains.empty()) {
            out += ",\"chains\":[";
            for (std::size_t k = 0; k < step.chains.size(); ++k) {
                if (k > 0) out += ',';
                json_links(out, step.chains[k]);
            }
            out += ']';
        }
        if (!step.petals.empty()) {
            out += ",\"petals\":[";
            for (std::size_t k = 0; k < step.petals.size(); ++k) {
                if (k > 0) out += ',';
                out += "{\"stem\":" + json_candidate(step.petals[k].front().from) + ",\"links\":";
                json_links(out, step.petals[k]);
                out += '}';
            }
            out += ']';
        }
        if (!step.branches.empty()) {
            out += ",\"branches\":";
            json_branches(out, step.branches);
        }
        out += ",\"text\":";
        json_strings(out, in_order ? ladder::narrate_in(steps, i, language) : ladder::narrate(step, language));
        json_summary(out, step);
        out += '}';
    }
    out += ']';
}

// The position an explanation starts from: its 81 givens, or its 729 candidates' characters.
std::string puzzle_text_of(const Explanation& explanation) {
    return explanation.start_marks ? ladder::marks_line(*explanation.start_marks, '0')
                                   : grid_text(explanation.puzzle, '0');
}

// The width plain text is wrapped to: the terminal's (COLUMNS) when the output is one, else 80.
std::size_t text_width() {
    constexpr std::size_t kDefault = 80;
    if (isatty(STDOUT_FILENO) == 0) return kDefault;
    const char* columns = std::getenv("COLUMNS");
    if (columns == nullptr) return kDefault;
    char* end = nullptr;
    const long n = std::strtol(columns, &end, 10);
    return end != columns && *end == '\0' && n >= 40 && n <= 1000 ? static_cast<std::size_t>(n) : kDefault;
}

// The sentences of steps, numbered from 1, later lines of a step indented under the first; a
// sentence longer than the text's width goes on over several lines, broken at spaces.
std::string numbered_sentences(const std::vector<ladder::Step>& steps, Language language, bool in_order) {
    std::string out;
    int number = 0;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const std::string prefix = std::to_string(++number) + ". ";
        bool first = true;
        const std::size_t width = text_width();
        const std::vector<std::string> told =
            in_order ? ladder::narrate_in(steps, i, language) : ladder::narrate(steps[i], language);
        for (const std::string& sentence :
             ladder::wrap_sentences(told, width > prefix.size() ? width - prefix.size() : width)) {
            out += (first ? prefix : std::string(prefix.size(), ' ')) + sentence + '\n';
            first = false;
        }
    }
    return out;
}

std::string lines_of(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += line + '\n';
    return out;
}

} // namespace

std::string ladder_narrative(const Explanation& explanation, Language language) {
    std::string out = numbered_sentences(explanation.steps, language, true);
    if (!explanation.steps.empty()) out += '\n';
    for (const std::string& line : ladder::narrate_verdict(explanation, language)) out += line + '\n';
    out += '\n';
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < 9; ++c) out += cell_char(explanation.final_grid[static_cast<std::size_t>(9 * r + c)], '.');
        out += '\n';
    }
    return out;
}

std::string ladder_summary(const Explanation& explanation, const PuzzleOrigin& origin) {
    SummaryRow row;
    row.origin = origin;
    row.status = ladder::verdict_id(explanation.verdict);
    row.grid = grid_text(explanation.final_grid, '.');
    row.steps = std::to_string(explanation.steps.size());
    row.solutions = solutions_text(explanation.solutions);
    if (explanation.rating) {
        row.score = std::to_string(explanation.rating->score);
        row.level = level_id(explanation.rating->level);
    }
    if (explanation.hardest) row.hardest = ladder::technique_id(*explanation.hardest);
    if (explanation.two_solutions) {
        row.solution1 = grid_text((*explanation.two_solutions)[0], '0');
        row.solution2 = grid_text((*explanation.two_solutions)[1], '0');
    }
    return summary_line(row);
}

namespace {

// The "rating" and "hardest" values: null when there is none.
std::string json_rating(const Explanation& explanation, Language language) {
    if (!explanation.rating) return "null";
    return "{\"score\":" + std::to_string(explanation.rating->score) + ",\"level\":\"" +
           std::string(level_id(explanation.rating->level)) +
           "\",\"level_text\":" + json_string(std::string(ladder::level_name(explanation.rating->level, language))) +
           "}";
}

std::string json_hardest(const Explanation& explanation) {
    return explanation.hardest ? '"' + std::string(ladder::technique_id(*explanation.hardest)) + '"' : "null";
}

} // namespace

std::string rating_json(const Explanation& explanation, const PuzzleOrigin& origin, Language language) {
    return "{" + json_head(origin) + ",\"puzzle\":\"" + puzzle_text_of(explanation) + "\",\"verdict\":\"" +
           std::string(ladder::verdict_id(explanation.verdict)) +
           "\",\"solutions\":" + std::to_string(std::min(explanation.solutions, 2)) +
           ",\"step_count\":" + std::to_string(explanation.steps.size()) + ",\"grid\":\"" +
           grid_text(explanation.final_grid, '0') + "\",\"rating\":" + json_rating(explanation, language) +
           ",\"hardest\":" + json_hardest(explanation) + "}\n";
}

std::string ladder_json(const Explanation& explanation, const PuzzleOrigin& origin, Language language) {
    return ladder_json(explanation, origin, ladder::narrate_verdict(explanation, language), language);
}

std::string ladder_json(const Explanation& explanation, const PuzzleOrigin& origin,
                        const std::vector<std::string>& conclusion, Language language) {
    std::string out = "{" + json_head(origin) + ",\"puzzle\":\"" + puzzle_text_of(explanation) + "\",\"verdict\":\"" +
                      std::string(ladder::verdict_id(explanation.verdict)) +
                      "\",\"solutions\":" + std::to_string(std::min(explanation.solutions, 2)) + ",\"steps\":";
    json_steps(out, explanation.steps, language, true);
    out += ",\"grid\":\"" + grid_text(explanation.final_grid, '0') +
           "\",\"rating\":" + json_rating(explanation, language) + ",\"hardest\":" + json_hardest(explanation);
    out += ",\"two_solutions\":";
    if (explanation.two_solutions) {
        out += "[\"" + grid_text((*explanation.two_solutions)[0], '0') + "\",\"" +
               grid_text((*explanation.two_solutions)[1], '0') + "\"],\"differences\":[";
        for (std::size_t i = 0; i < explanation.differing_cells.size(); ++i) {
            const int cell = explanation.differing_cells[i];
            if (i > 0) out += ',';
            out += '[' + std::to_string(cell / 9 + 1) + ',' + std::to_string(cell % 9 + 1) + ']';
        }
        out += ']';
    } else {
        out += "null,\"differences\":null";
    }
    out += ",\"problems\":";
    json_strings(out, problem_lines(explanation.problems, language));
    out += ",\"conclusion\":";
    json_strings(out, conclusion);
    return out + "}\n";
}

std::string find_narrative(const ladder::Position& position, ladder::Technique technique,
                           const std::vector<ladder::Step>& instances, Language language) {
    if (!position.valid()) {
        Explanation invalid;
        invalid.verdict = ladder::Verdict::Invalid;
        invalid.problems = position.problems();
        return lines_of(ladder::narrate_verdict(invalid, language));
    }
    if (!instances.empty()) return numbered_sentences(instances, language, false);
    const std::string id(ladder::technique_id(technique));
    const bool english = language == Language::English;
    if (ladder::needs_unique_solution(technique) && ladder::count_solutions(position, 2) != 1)
        return english ? "No instance of '" + id + "': this technique only holds for a puzzle with a unique solution.\n"
                       : "Aucune instance de « " + id +
                             " » : cette technique ne vaut que pour une grille à solution unique.\n";
    return english ? "No instance of '" + id + "' in this position.\n"
                   : "Aucune instance de « " + id + " » dans cette position.\n";
}

std::string find_json(const PuzzleOrigin& origin, const std::string& puzzle, ladder::Technique technique,
                      const std::vector<ladder::Step>& instances, Language language) {
    std::string out = "{" + json_head(origin) + ",\"puzzle\":\"" + puzzle + "\",\"technique\":\"" +
                      std::string(ladder::technique_id(technique)) + "\",\"instances\":";
    json_steps(out, instances, language, false);
    return out + "}\n";
}

Explanation next_only(Explanation explanation) {
    if (explanation.steps.empty()) return explanation;
    explanation.steps.resize(1);
    explanation.final_grid = explanation.puzzle;
    for (const ladder::Candidate& c : explanation.steps.front().placements) explanation.final_grid[c.cell] = c.digit;
    return explanation;
}

std::string next_narrative(const Explanation& explanation, Language language) {
    if (explanation.steps.empty()) return lines_of(ladder::narrate_verdict(explanation, language));
    // Wrapped as the first step of the whole listing is, its number left out.
    return numbered_sentences({explanation.steps.front()}, language, false).substr(3);
}

namespace {

// Writes the report the options ask for, of a valid position or of a solve from `explanation`
// alone when the position cannot be made (values no cell can hold).
void write_report(const LadderOptions& options, const PuzzleOrigin& origin,
                  const std::optional<ladder::Position>& position, const std::string& puzzle,
                  const std::function<Explanation()>& explained, bool first, std::ostream& out) {
    if (options.find) {
        std::vector<ladder::Step> instances;
        if (position) instances = ladder::find_instances(*position, *options.find);
        if (options.report == LadderReport::Json) {
            out << find_json(origin, puzzle, *options.find, instances, options.language);
            return;
        }
        if (!first) out << '\n';
        out << (position ? find_narrative(*position, *options.find, instances, options.language)
                         : lines_of(ladder::narrate_verdict(explained(), options.language)));
        return;
    }
    const Explanation explanation = explained();
    if (options.next) {
        if (options.report == LadderReport::Json) {
            out << ladder_json(next_only(explanation), origin, ladder::narrate_verdict(explanation, options.language),
                               options.language);
            return;
        }
        if (!first) out << '\n';
        out << next_narrative(next_only(explanation), options.language);
        return;
    }
    switch (options.report) {
        case LadderReport::Narrative:
            if (!first) out << '\n';
            out << ladder_narrative(explanation, options.language);
            break;
        case LadderReport::Summary: out << ladder_summary(explanation, origin); break;
        case LadderReport::Json: out << ladder_json(explanation, origin, options.language); break;
        case LadderReport::Rating: out << rating_json(explanation, origin, options.language); break;
    }
}

} // namespace

void ladder_explain_puzzle(const LadderOptions& options, const PuzzleOrigin& origin, const Values& values, bool first,
                           std::ostream& out, std::ostream& err) {
    const std::string name = origin.name();
    const WorkArea area = loaded_grid(
        values, [&err, &name](const std::string& message) { err << name << ": " << failure_text(message) << '\n'; },
        options.language);
    const vornel::Values loaded = values_of(area);
    std::optional<ladder::Position> position;
    vornel::Grid grid{};
    bool digits = true;
    for (std::size_t i = 0; i < 81; ++i) {
        const bool digit = loaded[i] >= 0 && loaded[i] <= 9;
        grid[i] = static_cast<std::uint8_t>(digit ? loaded[i] : 10);
        digits = digits && digit;
    }
    if (digits && options.find) position = ladder::Position::from_givens(grid); // only --find reads it
    write_report(
        options, origin, position, grid_text(grid, '0'), [&] { return ladder::explain(loaded); }, first, out);
}

void ladder_explain_position(const LadderOptions& options, const PuzzleOrigin& origin, const Marks& marks, bool first,
                             std::ostream& out) {
    const ladder::Position position = ladder::Position::from_marks(marks);
    write_report(
        options, origin, position, ladder::marks_line(position.marks(), '0'), [&] { return ladder::explain(position); },
        first, out);
}

} // namespace vornel
