// SPDX-License-Identifier: GPL-3.0-or-later
// How long an exercise takes to prepare, technique by technique: a puzzle generated for the
// technique and played by the ladder to its first step of it (or, after 400 generator attempts,
// the technique's example puzzle). Each repetition uses another seed; the report gives the median
// and the worst of the repetitions per technique. The window prepares the next exercise while
// the player works on one, so the time to beat is the time a player spends on an exercise; the
// target is under a second to show one.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "exercise.h"
#include "ladder/technique_table.h"

namespace {

void prepare(benchmark::State& state, vornel::ladder::Technique technique) {
    static std::uint64_t seed = 1;
    const std::atomic<bool> stop{false};
    for (auto _ : state) {
        const auto exercise = vornel::learn::make_exercise(technique, seed++, stop);
        if (!exercise) state.SkipWithError("no exercise");
        benchmark::DoNotOptimize(exercise);
    }
}

} // namespace

int main(int argc, char** argv) {
    for (const vornel::ladder::TechniqueRow& row : vornel::ladder::technique_table()) {
        if (!vornel::learn::can_practise(row.technique)) continue;
        benchmark::RegisterBenchmark(("exercise/" + std::string(row.id)).c_str(), prepare, row.technique)
            ->Iterations(1)
            ->Repetitions(7)
            ->ReportAggregatesOnly(true)
            ->ComputeStatistics("max",
                                [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
