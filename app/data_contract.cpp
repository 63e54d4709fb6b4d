// SPDX-License-Identifier: GPL-3.0-or-later
#include "data_contract.h"

#include "technique.h"

namespace vornel {

std::string_view level_id(ladder::Level level) {
    switch (level) {
        case ladder::Level::VeryEasy: return "very-easy";
        case ladder::Level::Easy: return "easy";
        case ladder::Level::Medium: return "medium";
        case ladder::Level::Hard: return "hard";
        case ladder::Level::VeryHard: return "very-hard";
        case ladder::Level::Diabolical: return "diabolical";
    }
    return "very-easy";
}

namespace {

std::string summary_field(const std::string& text) {
    std::string out;
    for (const char ch : text) {
        switch (ch) {
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\\': out += "\\\\"; break;
            default: out += ch;
        }
    }
    return out;
}

} // namespace

std::string summary_line(const SummaryRow& row) {
    std::string out = (row.origin.named ? summary_field(row.origin.source) : "-") + '\t';
    if (row.origin.line != 0) out += std::to_string(row.origin.line);
    for (const std::string_view field :
         {std::string_view(row.status), std::string_view(row.grid), std::string_view(row.steps),
          std::string_view(row.solutions), std::string_view(row.score), std::string_view(row.level),
          std::string_view(row.hardest), std::string_view(row.solution1), std::string_view(row.solution2)}) {
        out += '\t';
        out += field;
    }
    return out + '\n';
}

std::string json_head(const PuzzleOrigin& origin) {
    return "\"version\":" + std::to_string(kJsonVersion) +
           ",\"source\":" + (origin.named ? json_string(origin.source) : std::string("null")) +
           ",\"line\":" + (origin.line != 0 ? std::to_string(origin.line) : std::string("null"));
}

std::string bad_input_json(const PuzzleOrigin& origin, const std::string& reason) {
    return '{' + json_head(origin) + ",\"verdict\":\"" + std::string(kBadInput) + "\",\"problems\":[" +
           json_string(reason) + "]}\n";
}

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

} // namespace vornel
