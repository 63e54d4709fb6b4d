// The engine's cost: one one-pass solve with its whole narrative, the step tempo to its end, and
// --summary over a batch of puzzles, all on the headless board.
#include <benchmark/benchmark.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine.h"
#include "explain_cli.h"
#include "headless_board.h"

namespace {

constexpr const char* kEasy = "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
constexpr const char* kSolution = "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

void load(vornel::Engine& engine, vornel::WorkArea& area, const std::string& puzzle) {
    for (int i = 0; i < 81; ++i)
        area.grid[i / 9 + 1][i % 9 + 1] = static_cast<std::int16_t>(puzzle[i] == '.' ? 0 : puzzle[i] - '0');
    engine.show_grid();
}

void one_pass_solve_with_narrative(benchmark::State& state) {
    for (auto _ : state) {
        vornel::WorkArea area;
        vornel::HeadlessBoard board(area);
        vornel::Engine engine(area, board);
        load(engine, area, kEasy);
        engine.m_onceClick();
        benchmark::DoNotOptimize(board.log().size());
    }
}
BENCHMARK(one_pass_solve_with_narrative);

void step_tempo_to_the_end(benchmark::State& state) {
    for (auto _ : state) {
        vornel::WorkArea area;
        vornel::HeadlessBoard board(area);
        vornel::Engine engine(area, board);
        load(engine, area, kEasy);
        engine.m_stepClick();
        while (board.button_visible(vornel::StepButton::Button5)) engine.Button5Click();
        benchmark::DoNotOptimize(board.log().size());
    }
}
BENCHMARK(step_tempo_to_the_end);

// Puzzles made by relabelling a solution and emptying 45 to 60 cells, fixed seed.
std::string puzzle_lines(int count) {
    std::mt19937 random(42);
    std::string text;
    for (int i = 0; i < count; ++i) {
        std::string digits = "123456789";
        std::shuffle(digits.begin(), digits.end(), random);
        std::string p(kSolution);
        for (char& ch : p) ch = digits[ch - '1'];
        const int holes = 45 + static_cast<int>(random() % 16);
        for (int h = 0; h < holes; ++h) p[random() % 81] = '.';
        text += p + '\n';
    }
    return text;
}

void summary_of_1000_puzzles(benchmark::State& state) {
    const std::string input = puzzle_lines(1000);
    for (auto _ : state) {
        std::istringstream in(input);
        std::ostringstream out, err;
        benchmark::DoNotOptimize(vornel::run_explain({"--summary", "--lines", "-"}, in, out, err));
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(summary_of_1000_puzzles)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
