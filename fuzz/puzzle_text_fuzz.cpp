// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the reader of puzzle texts (the clipboard and text dropped on the
// window). Besides crashes, hangs and out-of-bounds reads (caught by the sanitizers), it checks
// what must hold for every input:
//  - a text is either a puzzle with no problem, or no puzzle (all values 0) with a problem told;
//  - a puzzle's values are digits, and its one-line form reads back to the same values, alone,
//    with CR LF line ends, and drawn as 9 lines of 9;
//  - the reading does not depend on the line ends: LF, CR LF and CR give the same outcome.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "puzzle_text.h"
#include "sanitizer_options.h"

namespace {

void expect_same_puzzle(const vornel::PuzzleText& read, const vornel::Values& values) {
    if (!read.ok || read.values != values || !read.problem.empty()) std::abort();
}

std::string with_line_ends(std::string_view text, std::string_view end) {
    std::string out;
    for (const char ch : text) {
        if (ch == '\n')
            out += end;
        else
            out += ch;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vornel::PuzzleText read = vornel::read_puzzle_text(text);
    if (!read.ok) {
        if (read.problem.empty()) std::abort();
        for (const std::int16_t v : read.values)
            if (v != 0) std::abort();
    } else {
        if (!read.problem.empty()) std::abort();
        for (const std::int16_t v : read.values)
            if (v < 0 || v > 9) std::abort();
        const std::string line = vornel::puzzle_line(read.values);
        if (line.size() != 81) std::abort();
        expect_same_puzzle(vornel::read_puzzle_text(line), read.values);
        expect_same_puzzle(vornel::read_puzzle_text(line + "\r\n"), read.values);
        std::string nine;
        for (std::size_t r = 0; r < 9; ++r) nine += line.substr(r * 9, 9) + "\n";
        expect_same_puzzle(vornel::read_puzzle_text(nine), read.values);
    }
    // Line ends: a text without CR reads the same with CR LF or CR alone in place of each LF.
    if (text.find('\r') == std::string_view::npos && text.find('\n') != std::string_view::npos) {
        for (const std::string_view end : {std::string_view("\r\n"), std::string_view("\r")}) {
            const vornel::PuzzleText other = vornel::read_puzzle_text(with_line_ends(text, end));
            if (other.ok != read.ok || other.values != read.values) std::abort();
        }
    }
    return 0;
}
