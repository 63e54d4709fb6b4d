// SPDX-License-Identifier: GPL-3.0-or-later
// vornel-generate: new Sudoku puzzles on demand, by level or to practise one technique.
#include <atomic>
#include <csignal>
#include <string>
#include <vector>

#include "generate_cli.h"

namespace {

std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the interrupt flag is set from a signal handler");

extern "C" void on_interrupt(int) { interrupted.store(true, std::memory_order_relaxed); }

} // namespace

int main(int argc, char** argv) {
    std::signal(SIGINT, on_interrupt);
    std::signal(SIGTERM, on_interrupt);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return vornel::run_generate_console(args, interrupted);
}
