// SPDX-License-Identifier: GPL-3.0-or-later
// How fast a ".sud" puzzle is read and written: from and to memory, through a stream, and as a
// file on disk (the save includes flushing the file to disk and the rename over the old one).

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "puzzles.h"
#include "sud_file.h"

namespace {

vornel::Values sample() { return vornel::test::puzzle_values(vornel::test::kEasy); }

// A folder for the files of one benchmark, removed afterwards.
class Scratch {
public:
    Scratch() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vornel-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        folder_ = pattern;
    }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    std::string file(const char* name) const { return (folder_ / name).string(); }

private:
    std::filesystem::path folder_;
};

void read_from_memory(benchmark::State& state) {
    const std::string text = vornel::puzzle_text(sample());
    for (auto _ : state) benchmark::DoNotOptimize(vornel::read_puzzle(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(read_from_memory);

void read_from_stream(benchmark::State& state) {
    const std::string text = vornel::puzzle_text(sample());
    for (auto _ : state) {
        std::istringstream in(text);
        benchmark::DoNotOptimize(vornel::read_puzzle(in));
    }
}
BENCHMARK(read_from_stream);

void write_to_memory(benchmark::State& state) {
    const vornel::Values values = sample();
    for (auto _ : state) benchmark::DoNotOptimize(vornel::puzzle_text(values));
}
BENCHMARK(write_to_memory);

void write_to_stream(benchmark::State& state) {
    const vornel::Values values = sample();
    for (auto _ : state) {
        std::ostringstream out;
        vornel::write_puzzle(out, values);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(write_to_stream);

void read_file(benchmark::State& state) {
    const Scratch scratch;
    const std::string name = scratch.file("grille.sud");
    vornel::write_puzzle_file(name, sample());
    for (auto _ : state) benchmark::DoNotOptimize(vornel::read_puzzle_file(name));
}
BENCHMARK(read_file);

void save_file(benchmark::State& state) {
    const Scratch scratch;
    const std::string name = scratch.file("grille.sud");
    const vornel::Values values = sample();
    for (auto _ : state) vornel::write_puzzle_file(name, values);
}
BENCHMARK(save_file)->Unit(benchmark::kMicrosecond);

void save_file_without_flush(benchmark::State& state) {
    const Scratch scratch;
    const std::string name = scratch.file("grille.sud");
    const vornel::Values values = sample();
    for (auto _ : state) vornel::write_puzzle_file(name, values, vornel::Sync::skip);
}
BENCHMARK(save_file_without_flush)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
