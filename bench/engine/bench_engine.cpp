// The engine's cost: one one-pass solve with its whole narrative, the step tempo to its end, and
// --summary over a batch of puzzles, all on the headless board.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "corpus.h"
#include "engine.h"
#include "explain_cli.h"
#include "headless_board.h"
#include "puzzles.h"

namespace {

using vornel::test::kEasy;

void load(vornel::Engine& engine, vornel::WorkArea& area, std::string_view puzzle) {
    vornel::test::load_grid(area, puzzle);
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

// Puzzles from the seeded corpus, 45 to 60 cells emptied, one a line.
std::string puzzle_lines(int count) {
    std::string text;
    for (const std::string& p : vornel::test::relabelled_corpus(42, count, 45, 60)) text += p + '\n';
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
