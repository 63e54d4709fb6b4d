// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Seeded puzzle corpora: the same seed gives the same puzzles on every run.

#include <cstdint>
#include <string>
#include <vector>

namespace vornel::test {

// `count` puzzles made from kEasySolution: its digits relabelled at random, then between
// `min_holes` and `max_holes` random draws of a cell to empty (a cell may be drawn twice, so a
// puzzle can have fewer holes). Some solve by singles, some get stuck, some have several solutions.
std::vector<std::string> relabelled_corpus(std::uint32_t seed, int count, int min_holes, int max_holes);

} // namespace vornel::test
