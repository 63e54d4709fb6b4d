// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle_lines.h"

namespace vornel {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

} // namespace

std::string_view trim_blanks(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

// The length in bytes of the UTF-8 character that starts `text`, which is not empty. A byte that
// does not start a well-formed sequence (a stray continuation byte, a lead byte cut short, a byte
// that is never UTF-8) is one character of its own, so every byte belongs to one character.
std::size_t utf8_character_length(std::string_view text) {
    const auto byte = static_cast<unsigned char>(text[0]);
    std::size_t length = 1;
    if (byte >= 0xC2 && byte <= 0xDF)
        length = 2;
    else if (byte >= 0xE0 && byte <= 0xEF)
        length = 3;
    else if (byte >= 0xF0 && byte <= 0xF4)
        length = 4;
    if (length > text.size()) return 1;
    for (std::size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0u) != 0x80u) return 1;
    return length;
}

void PuzzleLineSplitter::feed(std::string_view bytes, const Handler& on_line) {
    while (!bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        const bool ends = lf != std::string_view::npos;
        const std::string_view part = bytes.substr(0, ends ? lf : bytes.size());
        bytes.remove_prefix(ends ? lf + 1 : bytes.size());
        if (!skipping_) {
            if (pending_.size() + part.size() > max_bytes_) {
                pending_.clear();
                skipping_ = true;
                on_line({number_, {}, true});
            } else if (ends && pending_.empty()) {
                emit(part, on_line); // the whole line is in this piece: no copy
            } else {
                pending_.append(part);
                if (ends) {
                    emit(pending_, on_line);
                    pending_.clear();
                }
            }
        }
        if (ends) {
            ++number_;
            skipping_ = false;
        }
    }
}

void PuzzleLineSplitter::finish(const Handler& on_line) {
    if (!skipping_ && !pending_.empty()) emit(pending_, on_line);
    pending_.clear();
    skipping_ = false;
}

void PuzzleLineSplitter::emit(std::string_view text, const Handler& on_line) {
    if (number_ == 1 && text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(3);
    on_line({number_, text, false});
}

bool skipped_puzzle_line(std::string_view line) {
    line = trim_blanks(line);
    return line.empty() || line.front() == '#';
}

std::string_view puzzle_line_text(std::string_view line) { return trim_blanks(line.substr(0, line.find('#'))); }

bool looks_like_puzzle_line(std::string_view line) {
    line = puzzle_line_text(line);
    return (line.size() == 81 || line.size() == 729) && line.find_first_not_of("0123456789.") == std::string_view::npos;
}

std::string parse_puzzle_line(std::string_view line, Values& values, Language language) {
    const bool english = language == Language::English;
    line = puzzle_line_text(line);
    std::size_t characters = 0;
    for (std::string_view rest = line; !rest.empty(); rest.remove_prefix(utf8_character_length(rest))) ++characters;
    if (characters != values.size() && english)
        return "81 cells expected (or 729 characters with the candidates), " + std::to_string(characters) +
               (characters == 1 ? " character found" : " characters found");
    if (characters != values.size())
        return "81 cases attendues (ou 729 caractères avec les candidats), " + std::to_string(characters) +
               (characters <= 1 ? " caractère trouvé" : " caractères trouvés");
    std::string_view rest = line;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::size_t length = utf8_character_length(rest);
        const char ch = length == 1 ? rest[0] : '\0';
        rest.remove_prefix(length);
        if (ch == '.' || ch == '0')
            values[i] = 0;
        else if (ch >= '1' && ch <= '9')
            values[i] = static_cast<std::int16_t>(ch - '0');
        else if (english)
            return "unexpected character at position " + std::to_string(i + 1) +
                   " (1 to 9 for the givens, 0 or . for empty cells)";
        else
            return "caractère inattendu en position " + std::to_string(i + 1) +
                   " (1 à 9 pour les chiffres donnés, 0 ou . pour les cases vides)";
    }
    return {};
}

} // namespace vornel
