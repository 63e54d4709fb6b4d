#include "ladder_report.h"

#include <ostream>

#include "explainer.h"
#include "failures.h"
#include "narrator_fr.h"

namespace vornel {

namespace {

using ladder::Explanation;

// A value no cell can hold (kept as 10 by the ladder, and told in its problems) reads as empty,
// so that a grid is always 81 characters of digits and the empty mark.
char cell_char(std::uint8_t v, char empty) {
    if (v == 0 || v > 9) return empty;
    return static_cast<char>('0' + v);
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
    return grid_text(explanation.final_grid, '.') + '\t' + std::string(ladder::verdict_id(explanation.verdict)) + '\t' +
           std::to_string(explanation.steps.size()) + '\t' + solutions_text(explanation.solutions) + '\t' +
           std::to_string(explanation.rating.score) + '\t' + explanation.rating.level + '\t' +
           (explanation.hardest ? std::string(ladder::technique_id(*explanation.hardest)) : "-") + '\n';
}

std::string ladder_json(const Explanation& explanation, const PuzzleOrigin& origin) {
    std::string out = "{\"source\":" + json_string(origin.source);
    if (origin.line != 0) out += ",\"line\":" + std::to_string(origin.line);
    out += ",\"puzzle\":\"";
    out += grid_text(explanation.puzzle, '0') + "\",\"verdict\":\"" +
           std::string(ladder::verdict_id(explanation.verdict)) +
           "\",\"solutions\":" + std::to_string(std::min(explanation.solutions, 2)) + ",\"steps\":[";
    for (std::size_t i = 0; i < explanation.steps.size(); ++i) {
        const ladder::Step& step = explanation.steps[i];
        if (i > 0) out += ',';
        out += "{\"technique\":\"" + std::string(ladder::technique_id(step.technique)) + "\",\"place\":";
        json_candidates(out, step.placements);
        out += ",\"eliminate\":";
        json_candidates(out, step.eliminations);
        out += ",\"text\":";
        json_strings(out, ladder::narrate(step));
        out += '}';
    }
    out += "],\"grid\":\"" + grid_text(explanation.final_grid, '0') +
           "\",\"rating\":{\"score\":" + std::to_string(explanation.rating.score) +
           ",\"level\":" + json_string(explanation.rating.level) + "},\"hardest\":";
    out += explanation.hardest ? '"' + std::string(ladder::technique_id(*explanation.hardest)) + '"' : "null";
    out += ",\"problems\":";
    json_strings(out, explanation.problems);
    out += ",\"conclusion\":";
    json_strings(out, ladder::narrate_verdict(explanation));
    return out + "}\n";
}

void ladder_explain_puzzle(const LadderOptions& options, const PuzzleOrigin& origin, const PuzzleValues& values,
                           bool first, std::ostream& out, std::ostream& err) {
    const std::string name = origin.name();
    const WorkArea area = loaded_grid(
        values, [&err, &name](const std::string& message) { err << name << ": " << failure_text(message) << '\n'; });
    const Explanation explanation = ladder::explain(values_of(area));
    switch (options.report) {
        case LadderReport::Narrative:
            if (!first) out << '\n';
            out << ladder_narrative(explanation);
            break;
        case LadderReport::Summary: out << ladder_summary(explanation); break;
        case LadderReport::Json: out << ladder_json(explanation, origin); break;
    }
}

} // namespace vornel
