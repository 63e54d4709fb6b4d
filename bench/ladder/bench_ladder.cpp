// SPDX-License-Identifier: GPL-3.0-or-later
// The ladder's cost: explaining a puzzle to its end (steps, verdict, rating), per puzzle, on the
// hardest published collections and on 17-given puzzles; the chain and forcing finders alone at a
// position that needs them; and the narration of those steps.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "ladder.h"
#include "narrator_fr.h"
#include "position.h"
#include "techniques/techniques.h"

namespace {

std::vector<vornel::Grid> corpus(const char* file) {
    std::ifstream in(std::string(VORNEL_LADDER_DATA) + "/" + file);
    std::vector<vornel::Grid> puzzles;
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() < 81 || line[0] == '#') continue;
        vornel::Grid grid{};
        for (int i = 0; i < 81; ++i)
            grid[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(
                line[static_cast<std::size_t>(i)] >= '1' && line[static_cast<std::size_t>(i)] <= '9'
                    ? line[static_cast<std::size_t>(i)] - '0'
                    : 0);
        puzzles.push_back(grid);
    }
    return puzzles;
}

// Processor time of the calling thread, in milliseconds.
double thread_cpu_ms() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return 1e3 * static_cast<double>(t.tv_sec) + 1e-6 * static_cast<double>(t.tv_nsec);
}

// One iteration explains one puzzle, going round the collection: the time shown is per puzzle,
// and the counters the median and worst processor time of one puzzle, in milliseconds.
void explain_each(benchmark::State& state, const char* file) {
    const std::vector<vornel::Grid> puzzles = corpus(file);
    std::vector<double> times;
    std::size_t i = 0;
    for (auto _ : state) {
        const double start = thread_cpu_ms();
        const vornel::ladder::Explanation e = vornel::ladder::explain(puzzles[i]);
        benchmark::DoNotOptimize(e.steps.size());
        times.push_back(thread_cpu_ms() - start);
        i = (i + 1) % puzzles.size();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["max_ms"] = times.back();
}

void explain_top95(benchmark::State& state) { explain_each(state, "top95.txt"); }
BENCHMARK(explain_top95)->Unit(benchmark::kMillisecond);

void explain_seventeen(benchmark::State& state) { explain_each(state, "seventeen.txt"); }
BENCHMARK(explain_seventeen)->Unit(benchmark::kMillisecond);

void explain_qqwing_levels(benchmark::State& state) { explain_each(state, "qqwing.txt"); }
BENCHMARK(explain_qqwing_levels)->Unit(benchmark::kMillisecond);

void explain_hardest(benchmark::State& state) { explain_each(state, "hardest.txt"); }
BENCHMARK(explain_hardest)->Unit(benchmark::kMillisecond);

// Grids that mostly have several solutions: 1 to 25 givens freed from the hard collections (a
// fixed seed, so every run times the same grids). One iteration explains them all; the counters
// give the median, the 99th percentile and the worst processor time per grid, in milliseconds.
void explain_freed_givens(benchmark::State& state) {
    std::vector<vornel::Grid> grids;
    std::mt19937 random(17);
    for (const char* file : {"top95.txt", "hardest.txt"}) {
        for (const vornel::Grid& puzzle : corpus(file)) {
            for (const int freed : {1, 2, 3, 5, 8, 12, 18, 25}) {
                std::vector<int> givens;
                for (int c = 0; c < 81; ++c)
                    if (puzzle[static_cast<std::size_t>(c)] != 0) givens.push_back(c);
                std::shuffle(givens.begin(), givens.end(), random);
                vornel::Grid grid = puzzle;
                for (int k = 0; k < freed && k < static_cast<int>(givens.size()); ++k)
                    grid[static_cast<std::size_t>(givens[static_cast<std::size_t>(k)])] = 0;
                grids.push_back(grid);
            }
        }
    }
    std::vector<double> times;
    for (auto _ : state) {
        times.clear();
        for (const vornel::Grid& grid : grids) {
            const double start = thread_cpu_ms();
            benchmark::DoNotOptimize(vornel::ladder::explain(grid).steps.size());
            times.push_back(thread_cpu_ms() - start);
        }
    }
    std::sort(times.begin(), times.end());
    state.counters["grids"] = static_cast<double>(times.size());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["p99_ms"] = times[times.size() * 99 / 100];
    state.counters["max_ms"] = times.back();
}
BENCHMARK(explain_freed_givens)->Unit(benchmark::kMillisecond)->Iterations(1);

// The position of the first top95 puzzle that needs a forcing chain, where the ladder first needs
// one: every simpler technique is exhausted there.
vornel::ladder::Candidates hard_position() {
    for (const auto& puzzle : corpus("top95.txt")) {
        vornel::ladder::Ladder ladder(puzzle, true);
        while (auto step = ladder.next_step()) {
            if (step->technique == vornel::ladder::Technique::ForcingChain) return ladder.candidates();
            ladder.apply(*step);
        }
    }
    return vornel::ladder::Candidates(vornel::Grid{});
}

// The costliest finders alone, each asked once per iteration at that position.
void finder_at_a_hard_position(benchmark::State& state, vornel::ladder::Finder find) {
    const vornel::ladder::Candidates position = hard_position();
    for (auto _ : state) benchmark::DoNotOptimize(find(position));
}
BENCHMARK_CAPTURE(finder_at_a_hard_position, aic, vornel::ladder::find_aic)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(finder_at_a_hard_position, forcing_chain, vornel::ladder::find_forcing_chain)
    ->Unit(benchmark::kMicrosecond);

// One step told per iteration, in each language.
void narrate_top95_steps(benchmark::State& state, vornel::Language language) {
    std::vector<vornel::ladder::Step> steps;
    for (const auto& puzzle : corpus("top95.txt"))
        for (auto& step : vornel::ladder::explain(puzzle).steps) steps.push_back(std::move(step));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vornel::ladder::narrate(steps[i], language).size());
        i = (i + 1) % steps.size();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK_CAPTURE(narrate_top95_steps, french, vornel::Language::French);
BENCHMARK_CAPTURE(narrate_top95_steps, english, vornel::Language::English);

} // namespace

// --find: every instance of one technique (the argument, in table order) in positions half-way
// through the top95 solves, as their candidates stand; one iteration is one position.
void find_in_positions(benchmark::State& state) {
    using namespace vornel::ladder;
    const auto technique = static_cast<Technique>(state.range(0));
    std::vector<Position> positions;
    for (const vornel::Grid& puzzle : corpus("top95.txt")) {
        const Explanation whole = explain(puzzle);
        Candidates c(puzzle);
        for (std::size_t k = 0; k < whole.steps.size() / 2; ++k) c.apply(whole.steps[k]);
        vornel::Marks marks{};
        for (int cell = 0; cell < 81; ++cell)
            marks[static_cast<std::size_t>(cell)] =
                c.value(cell) != 0 ? static_cast<std::uint16_t>(1u << c.value(cell)) : c.mask(cell);
        positions.push_back(Position::from_marks(marks));
    }
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(find_instances(positions[i], technique).size());
        i = (i + 1) % positions.size();
    }
    state.SetLabel(std::string(technique_id(technique)));
}
BENCHMARK(find_in_positions)->DenseRange(0, vornel::ladder::kTechniqueCount - 1)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
