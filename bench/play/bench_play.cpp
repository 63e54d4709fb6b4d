// SPDX-License-Identifier: GPL-3.0-or-later
// The coach's cost: one hint from a player's position on the top95 puzzles, the target being well
// under 50 ms each. Three kinds of position per puzzle: the givens alone, every candidate pencilled,
// and half-way through (the ladder's first steps applied, as a player following hints would be).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "game.h"

namespace {

std::vector<vornel::play::Game> games(int kind) {
    std::ifstream in(std::string(VORNEL_LADDER_DATA) + "/top95.txt");
    std::vector<vornel::play::Game> out;
    std::string line;
    while (std::getline(in, line)) {
        vornel::play::Grid givens{};
        if (line.size() < 81 || !vornel::play::grid_from_line(line.substr(0, 81), givens)) continue;
        std::string error;
        std::optional<vornel::play::Game> game = vornel::play::Game::start(givens, error);
        if (!game) continue;
        if (kind >= 1) game->fill_candidates();
        if (kind == 2)
            for (int i = 0; i < 20 && !game->finished(); ++i) game->apply(game->hint(false));
        out.push_back(std::move(*game));
    }
    return out;
}

// One iteration gives one hint, going round the collection: the time shown is per hint.
void hint_each(benchmark::State& state) {
    std::vector<vornel::play::Game> all = games(static_cast<int>(state.range(0)));
    std::size_t i = 0;
    for (auto _ : state) {
        const vornel::play::Hint hint = all[i].hint(false);
        benchmark::DoNotOptimize(hint.step.eliminations.size());
        i = (i + 1) % all.size();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(hint_each)->Arg(0)->Arg(1)->Arg(2)->ArgName("givens0_pencilled1_halfway2")->Unit(benchmark::kMillisecond);

// Every position a player meets who follows the coach's whole steps from every candidate to the
// end, on each puzzle: the slowest hint of all (forcing chains included) and the mean, as counters.
void hint_whole_games(benchmark::State& state) {
    const std::vector<vornel::play::Game> all = games(1);
    double slowest = 0;
    double total = 0;
    long hints = 0;
    for (auto _ : state) {
        for (vornel::play::Game game : all) {
            while (!game.finished()) {
                const auto start = std::chrono::steady_clock::now();
                const vornel::play::Hint hint = game.hint(false);
                const double ms =
                    std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
                slowest = std::max(slowest, ms);
                total += ms;
                ++hints;
                if (!game.apply(hint)) break;
            }
        }
    }
    state.counters["slowest_ms"] = slowest;
    state.counters["mean_ms"] = hints ? total / static_cast<double>(hints) : 0;
    state.counters["hints"] = static_cast<double>(hints);
}
BENCHMARK(hint_whole_games)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
