// SPDX-License-Identifier: GPL-3.0-or-later
// Window benchmarks (offscreen):
//  - the one-pass solve ("Résoudre en une fois") of a hard puzzle the engine finishes, triggered
//    through the m_once action: from trigger to return (the engine's work, with every colour and
//    log line recorded by the window); and from trigger until the window has painted it all (the
//    batched palette changes and log layout that run when the handler returns, then a repaint);
//    and the headless engine on the same puzzle, for the ratio;
//  - process start to window shown, with the program's own start-up (vornel_startup_probe);
//  - the ladder on a puzzle of the hardest published kind: one step ("Étape suivante") until the
//    window has painted it, averaged over every step of the explanation; the start of a step by
//    step explanation (which explains the whole puzzle first); "en une fois" until painted;
//  - printing the ladder's explanation of the first top95 puzzle (71 steps) to an A4 PDF file:
//    the page built and painted, the file written (target: under 2 s; it is about 0.15 MB).
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

#include <QAction>
#include <QApplication>
#include <QProcess>

#include <QEvent>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>

#include "engine.h"
#include "explanation_print.h"
#include "headless_board.h"
#include "ladder/ladder.h"
#include "ladder/ladder_session.h"
#include "ladder_page.h"
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

// One of the hardest published puzzles (top95, the fourth: 85 steps up to a W-Wing, chains drawn).
const char* const kTop = "480300000000000071020000000705000060000200800000000000001076000300000400000050000";

// Until the window has painted what the last handler changed: the queued batches (palettes,
// log) and the update requests of the widgets they touched; with `whole`, the whole window too.
void paint(vornel::Tf_vrn& w, bool whole = false) {
    QApplication::processEvents();
    if (whole) w.repaint();
    QApplication::processEvents();
}

// Counts the paint events a widget receives.
class PaintCounter final : public QObject {
public:
    long paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

void ladder_steps(benchmark::State& state, bool whole) {
    vornel::Tf_vrn w;
    w.show();
    QApplication::processEvents();
    PaintCounter counter;
    w.findChild<QWidget*>(QStringLiteral("LadderMarks"))->installEventFilter(&counter);
    auto* next = w.findChild<QPushButton*>(QStringLiteral("Button7"));
    type_givens(w, kTop);
    w.findChild<QAction*>(QStringLiteral("m_ladder_step"))->trigger();
    paint(w);
    for (auto _ : state) {
        if (!next->isVisible()) {
            // Back to the first step, untimed, and on again.
            state.PauseTiming();
            w.findChild<QAction*>(QStringLiteral("m_edit"))->trigger();
            w.findChild<QAction*>(QStringLiteral("m_ladder_step"))->trigger();
            paint(w);
            state.ResumeTiming();
        }
        const auto start = Clock::now();
        next->click();
        paint(w, whole);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    state.counters["steps"] = w.ladder_session().step_count();
    // Proof that the steps were painted: about one paint of the board's drawing per step.
    state.counters["board_paints_per_step"] =
        static_cast<double>(counter.paints) /
        static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
}

// What a step makes the window paint (the cells and marks it changed, the log).
void BM_LadderStepPainted(benchmark::State& state) { ladder_steps(state, false); }
BENCHMARK(BM_LadderStepPainted)->UseManualTime()->Unit(benchmark::kMicrosecond);
// The same with the whole window painted again after each step: an upper bound.
void BM_LadderStepWholeWindowPainted(benchmark::State& state) { ladder_steps(state, true); }
BENCHMARK(BM_LadderStepWholeWindowPainted)->UseManualTime()->Unit(benchmark::kMicrosecond);

void ladder_start(benchmark::State& state, const char* entry) {
    vornel::Tf_vrn w;
    w.show();
    QApplication::processEvents();
    QAction* action = w.findChild<QAction*>(QString::fromLatin1(entry));
    for (auto _ : state) {
        w.findChild<QAction*>(QStringLiteral("m_new"))->trigger();
        type_givens(w, kTop);
        paint(w);
        const auto start = Clock::now();
        action->trigger();
        paint(w);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    if (std::string(entry) == "m_ladder_once")
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c)
                if (w.engine().area().grid[r][c] == 0) {
                    state.SkipWithError("the puzzle was not solved");
                    return;
                }
}

void BM_LadderStepStartPainted(benchmark::State& state) { ladder_start(state, "m_ladder_step"); }
BENCHMARK(BM_LadderStepStartPainted)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_LadderOncePainted(benchmark::State& state) { ladder_start(state, "m_ladder_once"); }
BENCHMARK(BM_LadderOncePainted)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_HeadlessLadderExplain(benchmark::State& state) {
    vornel::Grid grid{};
    for (int i = 0; i < 81; ++i) grid[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(kTop[i] - '0');
    for (auto _ : state) benchmark::DoNotOptimize(vornel::ladder::explain(grid).steps.size());
}
BENCHMARK(BM_HeadlessLadderExplain)->Unit(benchmark::kMicrosecond);

void BM_PrintTop95ExplanationToPdf(benchmark::State& state) {
    constexpr std::string_view line =
        "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......";
    vornel::Grid puzzle{};
    for (std::size_t i = 0; i < 81; ++i)
        puzzle[i] = static_cast<std::uint8_t>(line[i] >= '1' && line[i] <= '9' ? line[i] - '0' : 0);
    QTemporaryDir dir;
    for (auto _ : state) {
        const vornel::report::Page page = vornel::report::ladder_page("Grille", vornel::ladder::explain(puzzle));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("explication.pdf")));
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(12, 12, 12, 12),
                                          QPageLayout::Millimeter));
        if (!vornel::paint_page(page, printer)) state.SkipWithError("the PDF could not be written");
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(dir.filePath(QStringLiteral("explication.pdf"))).size());
}
BENCHMARK(BM_PrintTop95ExplanationToPdf)->Unit(benchmark::kMillisecond);

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
