#pragma once

#include <string>

#include "headless_board.h"
#include "page.h"
#include "sud_file.h"

namespace vornel::report {

// The page of the classic engine's one-pass solution of a puzzle, put on a fresh board as Open
// puts it: one step per placement, with the lines that led to it and the board's per-digit
// colours just after it; the lines after the last placement close the page. Failures raised by
// a cell's change handling go to `reporter`.
Page classic_page(const std::string& title, const PuzzleValues& values, const FailureReporter& reporter = {});

} // namespace vornel::report
