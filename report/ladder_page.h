// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "ladder.h"
#include "page.h"

namespace vornel::report {

// The page of a ladder explanation: one step per ladder step, its sentences, and the board just
// before the step with its candidates, the pattern that justifies it (framed cells, circled
// candidates), the candidates it removes (struck through) and the digits it writes (green disc).
// French typography on the pages: a non-breaking space before ":", ";", "!" and "?" (the text
// unchanged in any other language).
std::string typeset(const std::string& text, Language language);
std::vector<std::string> typeset(std::vector<std::string> lines, Language language);

Page ladder_page(const std::string& title, const ladder::Explanation& explanation,
                 Language language = Language::French);

// The picture of `step` over the candidates it starts from.
BoardPicture ladder_step_picture(const ladder::Candidates& before, const ladder::Step& step,
                                 const std::array<bool, 81>& given, Language language = Language::French);
// A forcing chain's branches, one small board each: the assumption and the digits the branch
// writes (green discs), what it removes (struck through), and where it ends (framed cells).
std::vector<BoardPicture> ladder_branch_pictures(const ladder::Candidates& before, const ladder::Step& step,
                                                 const std::array<bool, 81>& given,
                                                 Language language = Language::French);

} // namespace vornel::report
