// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vornel::test {

// A strict reading of the pages we write: every element closed in order (void elements aside),
// attribute values quoted, no stray '<' or '&' in text. Returns the first problem, or "".
std::string html_structure_problem(std::string_view html);

// The text of every element named `tag` (its inner text with tags removed and entities kept), in
// document order.
std::vector<std::string> element_texts(std::string_view html, std::string_view tag);

// How many times `needle` occurs in `haystack`.
int occurrences(std::string_view haystack, std::string_view needle);

} // namespace vornel::test
