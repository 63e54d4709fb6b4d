// SPDX-License-Identifier: GPL-3.0-or-later
#include "corpus.h"

#include <algorithm>
#include <random>

#include "puzzles.h"

namespace vornel::test {

std::vector<std::string> relabelled_corpus(std::uint32_t seed, int count, int min_holes, int max_holes) {
    std::mt19937 random(seed);
    const auto spread = static_cast<std::uint32_t>(max_holes - min_holes + 1);
    std::vector<std::string> puzzles;
    puzzles.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string digits = "123456789";
        std::shuffle(digits.begin(), digits.end(), random);
        std::string p(kEasySolution);
        for (char& ch : p) ch = digits[static_cast<std::size_t>(ch - '1')];
        const int holes = min_holes + static_cast<int>(random() % spread);
        for (int h = 0; h < holes; ++h) p[random() % 81] = '.';
        puzzles.push_back(std::move(p));
    }
    return puzzles;
}

} // namespace vornel::test
