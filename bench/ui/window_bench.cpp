// Window benchmarks (offscreen):
//  - the one-pass solve ("Résoudre en une fois") of a hard puzzle the engine finishes, triggered
//    through the m_once action: from trigger to return (the engine's work, with every colour and
//    log line recorded by the window); and from trigger until the window has painted it all (the
//    batched palette changes and log layout that run when the handler returns, then a repaint);
//    and the headless engine on the same puzzle, for the ratio;
//  - process start to window shown, with the program's own start-up (vornel_startup_probe).
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

#include <QAction>
#include <QApplication>
#include <QProcess>

#include "engine.h"
#include "headless_board.h"
#include "modal_watchdog.h"
#include "puzzles.h"
#include "tf_vrn.h"

namespace {

// 17 givens; the engine finishes it with 64 placements and about 300 log lines.
constexpr std::string_view kHard = vornel::test::kSeventeenGivens;
using vornel::test::type_givens;

using Clock = std::chrono::steady_clock;

void window_once(benchmark::State& state, bool paint) {
    vornel::Tf_vrn w;
    w.show();
    QApplication::processEvents();
    QAction* once = w.findChild<QAction*>(QStringLiteral("m_once"));
    for (auto _ : state) {
        w.findChild<QAction*>(QStringLiteral("m_new"))->trigger();
        type_givens(w, kHard);
        QApplication::processEvents();
        const auto start = Clock::now();
        once->trigger();
        if (paint) {
            w.repaint();
            QApplication::processEvents();
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    if (w.engine().area().grid[1][1] == 0) state.SkipWithError("the puzzle was not solved");
}

void BM_WindowOncePassFromTriggerToReturn(benchmark::State& state) { window_once(state, false); }
BENCHMARK(BM_WindowOncePassFromTriggerToReturn)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_WindowOncePassUntilPainted(benchmark::State& state) { window_once(state, true); }
BENCHMARK(BM_WindowOncePassUntilPainted)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_HeadlessOncePass(benchmark::State& state) {
    for (auto _ : state) {
        vornel::WorkArea area;
        vornel::HeadlessBoard board(area);
        vornel::Engine engine(area, board);
        type_givens(board, kHard);
        const auto start = Clock::now();
        engine.m_onceClick();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        benchmark::DoNotOptimize(area.grid[1][1]);
    }
}
BENCHMARK(BM_HeadlessOncePass)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_ProcessStartToWindowShown(benchmark::State& state) {
    const QString probe = QCoreApplication::applicationDirPath() + QStringLiteral("/vornel_startup_probe");
    for (auto _ : state) {
        QProcess process;
        const auto start = Clock::now();
        process.start(probe, {});
        bool shown = false;
        while (!shown && process.waitForReadyRead(10000)) shown = process.readAllStandardOutput().contains("shown");
        const auto end = Clock::now();
        process.waitForFinished(10000);
        if (!shown) {
            state.SkipWithError("the start-up probe did not report its window");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}
BENCHMARK(BM_ProcessStartToWindowShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv) {
    vornel::test::default_to_offscreen();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
