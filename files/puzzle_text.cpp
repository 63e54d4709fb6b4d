// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle_text.h"

#include <cstdint>
#include <vector>

namespace vornel {

namespace {

// The cells read from one line of the text that is no rule.
struct Line {
    int number = 0; // 1-based line of the text
    std::vector<std::int16_t> cells;
};

bool is_blank(char32_t c) { return c == U' ' || c == U'\t' || c == U'\u00a0' || c == U'\f' || c == U'\v'; }

// Characters that draw a grid between cells.
bool is_cell_separator(char32_t c) { return is_blank(c) || c == U'|' || c == U'+'; }

// Characters a rule line between boxes is made of.
bool is_rule(char32_t c) { return is_blank(c) || c == U'-' || c == U'=' || c == U'+' || c == U'*' || c == U'|'; }

// Decodes UTF-8 leniently: a malformed byte stands for itself as U+FFFD.
std::u32string decode(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        int extra = byte < 0x80             ? 0
                    : (byte & 0xE0) == 0xC0 ? 1
                    : (byte & 0xF0) == 0xE0 ? 2
                    : (byte & 0xF8) == 0xF0 ? 3
                                            : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= text.size()) {
            out.push_back(U'\ufffd');
            ++i;
            continue;
        }
        char32_t c = extra == 0 ? byte : byte & (0x3F >> extra);
        bool good = true;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) {
                good = false;
                break;
            }
            c = (c << 6) | (next & 0x3F);
        }
        if (!good) {
            out.push_back(U'\ufffd');
            ++i;
            continue;
        }
        out.push_back(c);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

std::string encode(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

// How a character is named in a message: itself in French quotes, or its code when it is
// invisible.
std::string shown(char32_t c, Language language) {
    const bool english = language == Language::English;
    if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0))
        return (english ? "the character of code " : "le caractère de code ") + std::to_string(c);
    return english ? "'" + encode(c) + "'" : "\u00ab " + encode(c) + " \u00bb";
}

std::string cells_count(std::size_t n, Language language) {
    if (language == Language::English) return std::to_string(n) + (n == 1 ? " cell" : " cells");
    return std::to_string(n) + (n > 1 ? " cases" : " case");
}

// A text that holds no puzzle: the problem as data and in French.
PuzzleText& failed(PuzzleText& result, const TextProblem& problem) {
    result.reason = problem;
    result.problem = text_problem_words(problem, Language::French);
    return result;
}

} // namespace

std::string text_problem_words(const TextProblem& p, Language language) {
    const bool english = language == Language::English;
    const std::string line = std::to_string(p.line);
    switch (p.kind) {
        case TextProblem::Kind::None: break;
        case TextProblem::Kind::BadCharacter:
            if (english)
                return "Line " + line + ", character " + std::to_string(p.column) + ": " +
                       shown(p.character, language) + " is neither a digit nor a dot.";
            return "Ligne " + line + ", caract\u00e8re " + std::to_string(p.column) + " : " +
                   shown(p.character, language) + " n'est ni un chiffre ni un point.";
        case TextProblem::Kind::Empty: return english ? "The text is empty." : "Le texte est vide.";
        case TextProblem::Kind::OnlyRules:
            return english ? "The text holds no cell, only rules."
                           : "Le texte ne contient aucune case, seulement des traits.";
        case TextProblem::Kind::WrongCellCount:
            if (english)
                return "Line " + line + ": " + cells_count(p.count, language) + " instead of " +
                       std::to_string(p.expected) + ".";
            return "Ligne " + line + " : " + cells_count(p.count, language) + " au lieu de " +
                   std::to_string(p.expected) + ".";
        case TextProblem::Kind::WrongLineCount:
            if (english) return std::to_string(p.count) + " lines of cells, instead of one line of 81 or 9 lines of 9.";
            return std::to_string(p.count) + " lignes de cases, au lieu d'une ligne de 81 ou de 9 lignes de 9.";
    }
    return {};
}

std::string_view puzzle_text_expected(Language language) {
    if (language == Language::English)
        return "A puzzle is written as 81 cells, 1 to 9 for a given digit, 0 or . for an empty cell: on one line of "
               "81 characters, on 9 lines of 9, or drawn with | - + and blanks.";
    return "Une grille s'\u00e9crit en 81 cases, de 1 \u00e0 9 pour un chiffre donn\u00e9, 0 ou . pour une case vide : "
           "sur une ligne de 81 caract\u00e8res, sur 9 lignes de 9, ou trac\u00e9e avec | - + et des blancs.";
}

PuzzleText read_puzzle_text(std::string_view text) {
    PuzzleText result;
    std::u32string chars = decode(text);
    if (!chars.empty() && chars.front() == U'\ufeff') chars.erase(0, 1); // a byte-order mark

    std::vector<Line> lines;
    int number = 1;
    bool any_visible = false;
    std::size_t start = 0;
    while (start <= chars.size()) {
        std::size_t end = start;
        while (end < chars.size() && chars[end] != U'\n' && chars[end] != U'\r') ++end;
        const std::u32string_view line(chars.data() + start, end - start);

        bool rule_only = true;
        for (const char32_t c : line) {
            if (!is_blank(c)) any_visible = true;
            if (!is_rule(c)) rule_only = false;
        }
        if (!rule_only) {
            Line read{number, {}};
            for (std::size_t i = 0; i < line.size(); ++i) {
                const char32_t c = line[i];
                if (c >= U'0' && c <= U'9')
                    read.cells.push_back(static_cast<std::int16_t>(c - U'0'));
                else if (c == U'.')
                    read.cells.push_back(0);
                else if (!is_cell_separator(c)) {
                    return failed(result, {TextProblem::Kind::BadCharacter, number, static_cast<int>(i + 1), c});
                }
            }
            lines.push_back(std::move(read));
        }

        if (end >= chars.size()) break;
        // CR LF counts as one line end.
        start = end + ((chars[end] == U'\r' && end + 1 < chars.size() && chars[end + 1] == U'\n') ? 2 : 1);
        ++number;
    }

    if (!any_visible) return failed(result, {TextProblem::Kind::Empty});
    if (lines.empty()) return failed(result, {TextProblem::Kind::OnlyRules});
    if (lines.size() == 1) {
        if (lines[0].cells.size() != 81)
            return failed(result,
                          {TextProblem::Kind::WrongCellCount, lines[0].number, 0, 0, lines[0].cells.size(), 81});
    } else if (lines.size() == 9) {
        for (const Line& line : lines)
            if (line.cells.size() != 9)
                return failed(result, {TextProblem::Kind::WrongCellCount, line.number, 0, 0, line.cells.size(), 9});
    } else {
        return failed(result, {TextProblem::Kind::WrongLineCount, 0, 0, 0, lines.size()});
    }

    std::size_t k = 0;
    for (const Line& line : lines)
        for (const std::int16_t v : line.cells) result.values[k++] = v;
    result.ok = true;
    return result;
}

std::string puzzle_line(const Values& values) {
    std::string line;
    line.reserve(values.size());
    for (const std::int16_t v : values) line += (v >= 1 && v <= 9) ? static_cast<char>('0' + v) : '.';
    return line;
}

} // namespace vornel
