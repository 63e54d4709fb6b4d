// SPDX-License-Identifier: GPL-3.0-or-later
// vornel-explain: explains Sudoku puzzles in the program's own words, without a window.
#include <string>
#include <vector>

#include "explain_cli.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return vornel::run_explain_console(args);
}
