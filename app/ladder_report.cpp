#include "ladder_report.h"

#include <ostream>

#include "explainer.h"
#include "failures.h"
#include "narrator_fr.h"

namespace vornel {

namespace {

using ladder::Explanation;

char cell_char(std::uint8_t v, char empty) {
    if (v == 0) return empty;
    return v <= 9 ? static_cast<char>('0' + v) : '?';
}

std::string grid_text(const ladder::Grid& grid, char empty) {
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

// "\"unit\":\"ligne\",\"number\":4" (unit 0-26), without braces.
std::string json_unit_fields(int unit) {
    static const char* const kKinds[] = {"ligne", "colonne", "région"};
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

} // namespace

std::string json_string(const std::string& text) {
    std::string out = "\"";
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        switch (ch) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (byte < 0x20) {
                    static const char* const kHex = "0123456789abcdef";
                    out += "\\u00";
                    out += kHex[byte >> 4];
                    out += kHex[byte & 15];
                } else {
                    out += ch;
                }
        }
    }
    return out + '"';
}

std::string ladder_narrative(const Explanation& explanation) {
    std::string out;
    int number = 0;
    for (const ladder::Step& step : explanation.steps) {
        const std::string prefix = std::to_string(++number) + ". ";
        bool first = true;
        for (const std::string& sentence : ladder::narrate(step)) {
            out += (first ? prefix : std::string(prefix.size(), ' ')) + sentence + '\n';
            first = false;
        }
    }
    if (!explanation.steps.empty()) out += '\n';
    for (const std::string& line : ladder::narrate_verdict(explanation)) out += line + '\n';
    out += '\n';
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < 9; ++c) out += cell_char(explanation.final_grid[static_cast<std::size_t>(9 * r + c)], '.');
        out += '\n';
    }
    return out;
}

std::string ladder_summary(const Explanation& explanation) {
    return grid_text(explanation.final_grid, '.') + ' ' + std::string(ladder::verdict_id(explanation.verdict)) + ' ' +
           std::to_string(explanation.steps.size()) + ' ' + solutions_text(explanation.solutions) + ' ' +
           (explanation.rating ? std::to_string(explanation.rating->score) + ' ' +
                                     std::string(ladder::level_name_fr(explanation.rating->level))
                               : std::string("- -")) +
           ' ' + (explanation.hardest ? std::string(ladder::technique_id(*explanation.hardest)) : "-") +
           (explanation.two_solutions ? ' ' + grid_text((*explanation.two_solutions)[0], '0') + ' ' +
                                            grid_text((*explanation.two_solutions)[1], '0')
                                      : std::string()) +
           '\n';
}

std::string ladder_json(const Explanation& explanation) {
    std::string out = "{\"puzzle\":\"" + grid_text(explanation.puzzle, '0') + "\",\"verdict\":\"" +
                      std::string(ladder::verdict_id(explanation.verdict)) +
                      "\",\"solutions\":" + std::to_string(std::min(explanation.solutions, 2)) + ",\"steps\":[";
    for (std::size_t i = 0; i < explanation.steps.size(); ++i) {
        const ladder::Step& step = explanation.steps[i];
        if (i > 0) out += ',';
        out += "{\"technique\":\"" + std::string(ladder::technique_id(step.technique)) + "\",\"place\":";
        json_candidates(out, step.placements);
        out += ",\"eliminate\":";
        json_candidates(out, step.eliminations);
        if (ladder::told_as_chain(step)) {
            out += ",\"links\":";
            json_links(out, step.links);
        }
        if (!step.branches.empty()) {
            out += ",\"branches\":";
            json_branches(out, step.branches);
        }
        out += ",\"text\":";
        json_strings(out, ladder::narrate(step));
        out += '}';
    }
    out += "],\"grid\":\"" + grid_text(explanation.final_grid, '0') + "\",\"rating\":" +
           (explanation.rating ? "{\"score\":" + std::to_string(explanation.rating->score) + ",\"level\":" +
                                     json_string(std::string(ladder::level_name_fr(explanation.rating->level))) + "}"
                               : std::string("null")) +
           ",\"hardest\":";
    out += explanation.hardest ? '"' + std::string(ladder::technique_id(*explanation.hardest)) + '"' : "null";
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
    json_strings(out, explanation.problems);
    out += ",\"conclusion\":";
    json_strings(out, ladder::narrate_verdict(explanation));
    return out + "}\n";
}

void ladder_explain_puzzle(const LadderOptions& options, const std::string& name, const PuzzleValues& values,
                           bool first, std::ostream& out, std::ostream& err) {
    const WorkArea area = loaded_grid(
        values, [&err, &name](const std::string& message) { err << name << ": " << failure_text(message) << '\n'; });
    const Explanation explanation = ladder::explain(values_of(area));
    switch (options.report) {
        case LadderReport::Narrative:
            if (!first) out << '\n';
            out << ladder_narrative(explanation);
            break;
        case LadderReport::Summary: out << ladder_summary(explanation); break;
        case LadderReport::Json: out << ladder_json(explanation); break;
    }
}

} // namespace vornel
