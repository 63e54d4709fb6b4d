// The ladder's cost: a whole explanation (check, solution count, every step) per puzzle of the
// hardest published collections and 17-given puzzles, and the costliest finders alone on a
// position where every simpler technique is exhausted.
// The figure to read is the time per puzzle ("per_puzzle", in seconds); the target for the top95
// collection is under 20 ms on average.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "ladder.h"
#include "techniques/techniques.h"

namespace {

using vornel::ladder::Grid;

std::vector<Grid> corpus(const char* file) {
    std::ifstream in(std::string(VORNEL_TEST_DATA) + "/ladder/" + file);
    std::vector<Grid> puzzles;
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() < 81 || line[0] == '#') continue;
        Grid g{};
        for (std::size_t i = 0; i < 81; ++i)
            g[i] = static_cast<std::uint8_t>(line[i] >= '1' && line[i] <= '9' ? line[i] - '0' : 0);
        puzzles.push_back(g);
    }
    return puzzles;
}

void explain_corpus(benchmark::State& state, const char* file) {
    const std::vector<Grid> puzzles = corpus(file);
    for (auto _ : state)
        for (const Grid& p : puzzles) benchmark::DoNotOptimize(vornel::ladder::explain(p).steps.size());
    state.counters["per_puzzle"] =
        benchmark::Counter(static_cast<double>(puzzles.size()),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK_CAPTURE(explain_corpus, top95, "top95.txt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(explain_corpus, hardest, "hardest.txt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(explain_corpus, seventeen, "seventeen.txt")->Unit(benchmark::kMillisecond);

// The position of the first top95 puzzle that needs a forcing chain, where the ladder first needs
// one: every simpler technique is exhausted there.
vornel::ladder::Candidates hard_position() {
    for (const Grid& puzzle : corpus("top95.txt")) {
        vornel::ladder::Ladder ladder(puzzle, true);
        while (auto step = ladder.next_step()) {
            if (step->technique == vornel::ladder::Technique::ForcingChain) return ladder.candidates();
            ladder.apply(*step);
        }
    }
    return vornel::ladder::Candidates(Grid{});
}

void finder_at_a_hard_position(benchmark::State& state, vornel::ladder::Finder find) {
    const vornel::ladder::Candidates position = hard_position();
    for (auto _ : state) benchmark::DoNotOptimize(find(position));
}
BENCHMARK_CAPTURE(finder_at_a_hard_position, aic, vornel::ladder::find_aic)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(finder_at_a_hard_position, forcing_chain, vornel::ladder::find_forcing_chain)
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
