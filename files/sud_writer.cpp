// SPDX-License-Identifier: GPL-3.0-or-later
#include <charconv>
#include <ostream>

#include "sud_file.h"

namespace vornel {

namespace {

// One line: the shortest decimal form ("-" for negatives) and CR LF. An int16 needs at most 6
// characters, so the line fits in 8 bytes.
std::string_view format_line(std::int16_t value, std::array<char, 8>& line) {
    const auto [end, ec] = std::to_chars(line.data(), line.data() + 6, value);
    (void)ec; // cannot fail: 6 characters hold any int16
    char* p = end;
    *p++ = '\r';
    *p++ = '\n';
    return {line.data(), static_cast<std::size_t>(p - line.data())};
}

} // namespace

std::string puzzle_text(const Values& values) {
    std::string text;
    text.reserve(values.size() * 8);
    std::array<char, 8> line{};
    for (const std::int16_t value : values) text += format_line(value, line);
    return text;
}

void write_puzzle(std::ostream& out, const Values& values) {
    try {
        std::array<char, 8> line{};
        for (const std::int16_t value : values) {
            const std::string_view text = format_line(value, line);
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            if (!out) throw InOutError(stream_failure_code());
        }
        out.flush();
    } catch (const std::ios_base::failure&) { throw InOutError(stream_failure_code()); }
    if (!out) throw InOutError(stream_failure_code());
}

void write_puzzle(std::ostream& out, const WorkArea& area) { write_puzzle(out, values_of(area)); }

} // namespace vornel
