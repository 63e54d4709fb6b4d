// SPDX-License-Identifier: GPL-3.0-or-later
// Times libvornel's explain_json() and rate_json() over a file of puzzle lines (top95 by default):
// one pass to warm up, then PASSES passes; prints the median pass's processor time per puzzle (the
// machine is shared: wall time would count the other programs' turns). The Python
// module's benchmark (python_bench.py) times the same calls through Python.
//   bench_library_call [FILE [PASSES]]
#include <vornel/vornel.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

namespace {

double cpu_us() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

template<typename Call>
double median_pass_us(const std::vector<vornel::api::Puzzle>& puzzles, int passes, Call call) {
    std::size_t bytes = 0;
    for (const auto& p : puzzles) bytes += call(p).size(); // warm-up
    std::vector<double> times;
    for (int pass = 0; pass < passes; ++pass) {
        const double start = cpu_us();
        for (const auto& p : puzzles) bytes += call(p).size();
        times.push_back((cpu_us() - start) / static_cast<double>(puzzles.size()));
    }
    std::sort(times.begin(), times.end());
    if (bytes == 0) std::puts("nothing written");
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : VORNEL_TOP95;
    const int passes = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    std::ifstream in(path);
    std::vector<vornel::api::Puzzle> puzzles;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') puzzles.push_back(vornel::api::Puzzle::parse(line));
    if (puzzles.empty()) {
        std::fprintf(stderr, "bench_library_call: no puzzle in %s\n", path.c_str());
        return 1;
    }
    const double explain = median_pass_us(puzzles, passes, [](const auto& p) { return vornel::api::explain_json(p); });
    const double rate = median_pass_us(puzzles, passes, [](const auto& p) { return vornel::api::rate_json(p); });
    std::printf("%zu puzzles, median of %d passes, CPU: explain_json %.1f us a puzzle, rate_json %.1f us a puzzle\n",
                puzzles.size(), passes, explain, rate);
    return 0;
}
