// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the two readers of positions with candidates (the 729-character line
// and the pencil-mark grid) and to the position made from what they read. Besides crashes and
// out-of-bounds reads (caught by the sanitizers), it checks what must hold for every input:
//  - a line parses exactly when, once trimmed, it is 729 characters, the k-th of each nine being
//    the digit k, '0' or '.'; the marks are then those characters, and a refused line leaves the
//    marks alone with a reason that is never empty;
//  - a pencil-mark grid that reads, written back as nine lines of nine cells, reads the same;
//    one that does not gives no marks and a reason;
//  - read_position_text agrees with the reader it picks;
//  - the position made from any marks keeps within them: a cell with one mark holds that digit,
//    the others keep a subset of their marks, and an invalid position names its problems.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "position.h"
#include "position_text.h"
#include "puzzle_lines.h"
#include "sanitizer_options.h"

namespace {

void check_line(std::string_view bytes) {
    const std::string_view trimmed = vornel::trim_blanks(bytes);
    bool valid = trimmed.size() == vornel::kMarksLineLength;
    for (std::size_t i = 0; valid && i < trimmed.size(); ++i)
        valid = trimmed[i] == '.' || trimmed[i] == '0' || trimmed[i] == static_cast<char>('1' + i % 9);
    vornel::Marks marks{};
    marks[0] = 0xFFFF;
    const std::string problem = vornel::parse_marks_line(bytes, marks);
    if (problem.empty() != valid) std::abort();
    if (!valid) {
        if (marks[0] != 0xFFFF) std::abort();
        return;
    }
    for (std::size_t i = 0; i < trimmed.size(); ++i)
        if (((marks[i / 9] >> (i % 9 + 1)) & 1) != (trimmed[i] >= '1' && trimmed[i] <= '9')) std::abort();
}

std::string grid_text(const vornel::Marks& marks) {
    std::string text;
    for (std::size_t cell = 0; cell < 81; ++cell) {
        for (int d = 1; d <= 9; ++d)
            if ((marks[cell] >> d) & 1) text += static_cast<char>('0' + d);
        text += cell % 9 == 8 ? '\n' : ' ';
    }
    return text;
}

void check_position(const vornel::Marks& marks) {
    const vornel::ladder::Position position = vornel::ladder::Position::from_marks(marks);
    const vornel::ladder::Marks held = position.marks();
    for (std::size_t cell = 0; cell < 81; ++cell) {
        const unsigned written = marks[cell] & 0x3FEu;
        if ((held[cell] & ~written) != 0) std::abort();
        if (written != 0 && (written & (written - 1)) == 0 && held[cell] != written) std::abort();
        if (held[cell] == 0 && position.valid()) std::abort();
    }
    if (!position.valid() && vornel::problem_text(position.problems().front(), vornel::Language::French).empty())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    check_line(bytes);

    const vornel::PencilMarks grid = vornel::read_pencil_marks(bytes);
    if (grid.ok) {
        if (!grid.problem.empty()) std::abort();
        const vornel::PencilMarks again = vornel::read_pencil_marks(grid_text(grid.marks));
        if (!again.ok || again.marks != grid.marks) std::abort();
        check_position(grid.marks);
    } else if (grid.problem.empty() || grid.marks != vornel::Marks{}) {
        std::abort();
    }

    const vornel::PositionText text = vornel::read_position_text(bytes);
    if (text.ok != text.problem.empty() && text.ok) std::abort();
    if (text.ok) check_position(text.marks);
    if (!text.ok && text.marks != vornel::Marks{}) std::abort();

    // Raw marks straight from the bytes: every pattern of candidates, empty cells included.
    if (size >= 162) {
        vornel::Marks raw{};
        for (std::size_t cell = 0; cell < 81; ++cell)
            raw[cell] = static_cast<std::uint16_t>((data[2 * cell] | data[2 * cell + 1] << 8) & 0x3FE);
        check_position(raw);
    }
    return 0;
}
