// vornel-explain: explains Sudoku puzzles in the program's own words, without a window.
#include <iostream>
#include <string>
#include <vector>

#include "explain_cli.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return vornel::run_explain(args, std::cin, std::cout, std::cerr);
}
