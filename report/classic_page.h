// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "headless_board.h"
#include "page.h"
#include "sud_file.h"

namespace vornel::report {

// The page of the classic engine's solution of a puzzle, step by step ("Résoudre pas à pas", then
// "Pas suivant" while it shows), put on a fresh board as Open puts it: one step per request that
// writes a digit, with the request's lines and the board's per-digit colours as it leaves them;
// the lines after the last placement close the page. Failures raised by
// a cell's change handling go to `reporter`.
Page classic_page(const std::string& title, const Values& values, const FailureReporter& reporter = {},
                  Language language = Language::French);

} // namespace vornel::report
