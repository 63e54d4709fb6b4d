// SPDX-License-Identifier: GPL-3.0-or-later
#include "position_text.h"

#include <utility>
#include <vector>

#include "puzzle_lines.h"

namespace vornel {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }
bool is_decoration(char c) { return c == '|' || c == '-' || c == '+' || c == '*' || c == '.'; }

// The character of `text` at byte `at`, as it stands (a whole UTF-8 sequence).
std::string character_at(std::string_view text, std::size_t at) {
    return std::string(text.substr(at, utf8_character_length(text.substr(at))));
}

// The lines of a text, at LF, CR LF or CR, the byte-order mark skipped.
std::vector<std::string_view> split_lines(std::string_view text) {
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1));
    }
    return lines;
}

// True for a line with nothing but blanks and decoration.
bool is_rule(std::string_view line) {
    for (const char c : line)
        if (!is_blank(c) && !is_decoration(c)) return false;
    return true;
}

std::string found_words(std::size_t n, Language language) {
    if (language == Language::English) return std::to_string(n) + " found";
    return std::to_string(n) + (n <= 1 ? " trouvée" : " trouvées");
}

} // namespace

std::string parse_marks_line(std::string_view line, Marks& marks, Language language) {
    const bool english = language == Language::English;
    line = trim_blanks(line);
    std::size_t characters = 0;
    for (std::string_view rest = line; !rest.empty(); rest.remove_prefix(utf8_character_length(rest))) ++characters;
    if (characters != kMarksLineLength && english)
        return "729 characters expected (9 per cell), " + std::to_string(characters) +
               (characters == 1 ? " character found" : " characters found");
    if (characters != kMarksLineLength)
        return "729 caractères attendus (9 par case), " + std::to_string(characters) +
               (characters <= 1 ? " caractère trouvé" : " caractères trouvés");
    Marks read{};
    std::string_view rest = line;
    for (std::size_t i = 0; i < kMarksLineLength; ++i) {
        const std::size_t length = utf8_character_length(rest);
        const char ch = length == 1 ? rest[0] : '\0';
        rest.remove_prefix(length);
        const std::size_t cell = i / 9;
        const int digit = static_cast<int>(i % 9) + 1;
        if (ch == '0' + digit)
            read[cell] = static_cast<std::uint16_t>(read[cell] | 1u << digit);
        else if (ch != '.' && ch != '0' && english)
            return "unexpected character at position " + std::to_string(i + 1) + " (cell at row " +
                   std::to_string(cell / 9 + 1) + ", column " + std::to_string(cell % 9 + 1) + ": " +
                   std::to_string(digit) + " if it is a candidate, 0 or . otherwise)";
        else if (ch != '.' && ch != '0')
            return "caractère inattendu en position " + std::to_string(i + 1) + " (case ligne " +
                   std::to_string(cell / 9 + 1) + ", colonne " + std::to_string(cell % 9 + 1) + " : " +
                   std::to_string(digit) + " si c'est un candidat, 0 ou . sinon)";
    }
    marks = read;
    return {};
}

PencilMarks read_pencil_marks(std::string_view text, Language language) {
    const bool english = language == Language::English;
    PencilMarks result;
    if (text.size() > kMaxPencilMarksBytes) {
        result.problem =
            english ? "pencil-mark grid too long (more than " + std::to_string(kMaxPencilMarksBytes) + " bytes)"
                    : "grille de candidats trop longue (plus de " + std::to_string(kMaxPencilMarksBytes) + " octets)";
        return result;
    }
    const std::vector<std::string_view> lines = split_lines(text);
    Marks marks{};
    std::size_t rows = 0;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string_view line = lines[n];
        if (is_rule(line)) continue;
        const std::string where = (english ? "line " : "ligne ") + std::to_string(n + 1);
        if (rows == 9) {
            result.problem = where + (english ? ": 9 lines of cells expected, one more found"
                                              : " : 9 lignes de cases attendues, une de plus trouvée");
            return result;
        }
        std::size_t cells = 0;
        bool in_cell = false;
        for (std::size_t at = 0; at < line.size();) {
            const char c = line[at];
            if (c >= '1' && c <= '9') {
                if (!in_cell) {
                    in_cell = true;
                    ++cells;
                }
                if (cells <= 9) {
                    std::uint16_t& cell = marks[9 * rows + cells - 1];
                    cell = static_cast<std::uint16_t>(cell | 1u << (c - '0'));
                }
                ++at;
            } else if (is_blank(c) || is_decoration(c)) {
                in_cell = false;
                ++at;
            } else {
                result.problem = english ? where + ": unexpected character '" + character_at(line, at) +
                                               "' (the candidates of each cell, 1 to 9, separated by blanks)"
                                         : where + " : caractère inattendu « " + character_at(line, at) +
                                               " » (les candidats de chaque case, 1 à 9, séparés par des blancs)";
                return result;
            }
        }
        if (cells != 9) {
            result.problem =
                where + (english ? ": 9 cells expected, " : " : 9 cases attendues, ") + found_words(cells, language);
            return result;
        }
        ++rows;
    }
    if (rows != 9) {
        result.problem =
            (english ? "9 lines of cells expected, " : "9 lignes de cases attendues, ") + found_words(rows, language);
        return result;
    }
    result.ok = true;
    result.marks = marks;
    return result;
}

bool looks_like_pencil_marks(std::string_view text) {
    for (const std::string_view line : split_lines(text)) {
        if (trim_blanks(line).empty()) continue;
        if (is_rule(line)) return true;
        std::size_t cells = 0;
        bool in_cell = false;
        bool has_digit = false;
        for (const char c : line) {
            const bool digit = c >= '1' && c <= '9';
            if (!digit && !is_blank(c) && !is_decoration(c) && c != '\r') return false;
            // Only blanks, | + and * part cells here: "53..7...." is one run, a puzzle line.
            const bool separator = is_blank(c) || c == '\r' || c == '|' || c == '+' || c == '*';
            if (separator) {
                cells += in_cell && has_digit ? 1 : 0;
                has_digit = false;
            }
            in_cell = !separator;
            has_digit = has_digit || digit;
        }
        cells += in_cell && has_digit ? 1 : 0;
        return cells >= 2;
    }
    return false;
}

PositionText read_position_text(std::string_view text, Language language) {
    PositionText result;
    const std::string_view line = trim_blanks(text);
    if (line.find_first_of("\r\n") == std::string_view::npos && line.size() == kMarksLineLength) {
        result.problem = parse_marks_line(line, result.marks, language);
        result.ok = result.problem.empty();
    } else if (looks_like_pencil_marks(text)) {
        PencilMarks grid = read_pencil_marks(text, language);
        result.ok = grid.ok;
        result.marks = grid.marks;
        result.problem = std::move(grid.problem);
    }
    if (!result.ok) result.marks = {};
    return result;
}

} // namespace vornel
