// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

#include "work_area.h"

namespace vornel {

// The one rule that turns a cell's text into its grid value: the empty text is 0; otherwise only
// the first character counts and goes through the decimal string-to-integer conversion, so a
// digit gives its value ("5." gives 5, "12" gives 1) and anything else throws ConvertError
// naming that one character. Text is UTF-8; the first character may span several bytes.
std::int16_t cell_value_of_text(std::string_view text);

// A cell's change handling: the cell with tag `tag` (its cell code) now shows `text`; store its
// value into area.grid. On a ConvertError the grid keeps its old value and the error propagates.
void store_cell_text(WorkArea& area, int tag, std::string_view text);

} // namespace vornel
