// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's cost: one one-pass solve with its whole narrative, the step tempo to its end,
// --summary over a batch of puzzles, all on the headless board; the one-pass solve puzzle after
// puzzle over a corpus (the time per puzzle that vornel-explain's own time is held against); and
// the solution count on its worst cases.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "corpus.h"
#include "engine.h"
#include "explain_cli.h"
#include "headless_board.h"
#include "puzzles.h"
#include "solution_count.h"

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

// The puzzles of the file named by VORNEL_BENCH_PUZZLES (one per line, as vornel-explain --lines
// reads them), else 1000 made as above.
const std::vector<std::string>& corpus() {
    static const std::vector<std::string> puzzles = [] {
        std::vector<std::string> lines;
        if (const char* path = std::getenv("VORNEL_BENCH_PUZZLES")) {
            std::ifstream file(path);
            for (std::string line; std::getline(file, line);)
                if (line.size() >= 81) lines.push_back(line.substr(0, 81));
        }
        if (lines.empty()) {
            std::istringstream text(puzzle_lines(1000));
            for (std::string line; std::getline(text, line);) lines.push_back(line);
        }
        return lines;
    }();
    return puzzles;
}

// One puzzle per iteration, as vornel-explain --summary runs it: loaded on a fresh board, solved in
// one pass, its outcome (and the solution count when stuck) taken; nothing is written.
void one_pass_solve_per_puzzle_of_the_corpus(benchmark::State& state) {
    const std::vector<std::string>& puzzles = corpus();
    std::size_t next = 0;
    for (auto _ : state) {
        vornel::WorkArea area;
        vornel::HeadlessBoard board(area);
        vornel::Engine engine(area, board);
        load(engine, area, puzzles[next]);
        next = (next + 1) % puzzles.size();
        engine.m_onceClick();
        benchmark::DoNotOptimize(engine.state());
    }
    state.counters["puzzles"] = static_cast<double>(puzzles.size());
}
BENCHMARK(one_pass_solve_per_puzzle_of_the_corpus);

vornel::Grid values_of(std::string_view puzzle) {
    vornel::Grid v{};
    for (int i = 0; i < 81; ++i)
        v[i] = static_cast<std::uint8_t>(puzzle[i] >= '1' && puzzle[i] <= '9' ? puzzle[i] - '0' : 0);
    return v;
}

// digit 1-9 breaks no rule at cell 0-80
bool fits(const vornel::Grid& v, int cell, int digit) {
    const int r = cell / 9, c = cell % 9;
    for (int i = 0; i < 9; ++i)
        if (v[r * 9 + i] == digit || v[i * 9 + c] == digit || v[(r / 3 * 3 + i / 3) * 9 + c / 3 * 3 + i % 3] == digit)
            return false;
    return true;
}

// The solution count (stop at 2) on the grids that cost it most.
void solution_count(benchmark::State& state, std::string puzzle) {
    const vornel::Grid values = values_of(puzzle);
    for (auto _ : state) benchmark::DoNotOptimize(vornel::find_solutions(values, 2).count);
}
BENCHMARK_CAPTURE(solution_count, empty_grid, std::string(81, '.'));
BENCHMARK_CAPTURE(solution_count, sparse_without_solution,
                  std::string("...3...........6........1.....6...............4...3......29..........3.43........"));
BENCHMARK_CAPTURE(solution_count, hardest_2012,
                  std::string("8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4.."));
BENCHMARK_CAPTURE(solution_count, escargot,
                  std::string("1....7.9..3..2...8..96..5....53..9...1..8...26....4...3......1..4......7..7...3.."));
BENCHMARK_CAPTURE(solution_count, seventeen_givens,
                  std::string("..............3.85..1.2.......5.7.....4...1...9.......5......73..2.1........4...9"));

// CPU time of this thread: a busy machine does not make one grid look slow.
double thread_seconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// 1000 random sparse grids (0 to 25 givens breaking no rule), seeded: the slowest is what counts,
// so the benchmark reports the mean and the worst grid's time.
void solution_count_of_random_sparse_grids(benchmark::State& state) {
    std::mt19937 random(2026);
    std::vector<vornel::Grid> grids;
    for (int i = 0; i < 1000; ++i) {
        vornel::Grid g{};
        const int givens = static_cast<int>(random() % 26);
        for (int tries = 0, placed = 0; placed < givens && tries < 500; ++tries) {
            const int cell = static_cast<int>(random() % 81);
            const auto d = static_cast<std::uint8_t>(1 + random() % 9);
            if (g[cell] != 0 || !fits(g, cell, d)) continue;
            g[cell] = d;
            ++placed;
        }
        grids.push_back(g);
    }
    double worst = 0;
    for (auto _ : state) {
        for (const vornel::Grid& g : grids) {
            const double start = thread_seconds();
            benchmark::DoNotOptimize(vornel::find_solutions(g, 2).count);
            worst = std::max(worst, thread_seconds() - start);
        }
    }
    state.counters["worst_us"] = worst * 1e6;
    state.SetItemsProcessed(state.iterations() * static_cast<long>(grids.size()));
}
BENCHMARK(solution_count_of_random_sparse_grids)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
