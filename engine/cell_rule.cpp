// SPDX-License-Identifier: GPL-3.0-or-later
#include "cell_rule.h"

#include "coords.h"
#include "failures.h"

namespace vornel {

namespace {

// The number of bytes of the UTF-8 character that starts with `lead`.
std::string_view::size_type utf8_char_length(unsigned char lead) {
    if (lead < 0xC0) return 1;
    if (lead < 0xE0) return 2;
    if (lead < 0xF0) return 3;
    return 4;
}

} // namespace

std::int16_t cell_value_of_text(std::string_view text) {
    if (text.empty()) return 0;
    const char first = text.front();
    if (first >= '0' && first <= '9') return static_cast<std::int16_t>(first - '0');
    const auto length = utf8_char_length(static_cast<unsigned char>(first));
    throw ConvertError(text.substr(0, length));
}

void store_cell_text(WorkArea& area, int tag, std::string_view text) {
    const int row = code_row(tag);
    const int col = code_col(tag);
    const std::int16_t value = cell_value_of_text(text);
    if (row >= 1 && row <= 9 && col >= 1 && col <= 9) area.grid[row][col] = value;
}

} // namespace vornel
