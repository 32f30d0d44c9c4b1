// Building, laying out and editing long chains. The document reader appends every block of a file
// and lays out once; a palette click or a delete in a long chart must stay linear.

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "chart/chart.h"

using namespace varnoki::chart;

namespace {

constexpr int kBlocks = 10'000;

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "bench_chart";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

void AppendChain(Chart& chart, int blocks) {
    SuspendedNotifications quiet(chart.Flow());
    for (int i = 0; i < blocks; ++i) chart.AppendBlock(1 + i % 6);
    chart.LayoutChain();
}

// The rectangle of the insertion point in the middle of the chain.
ObjectId MiddleSpot(const Chart& chart) {
    const std::size_t index = (chart.Elements().size() / 2) | 1;  // insertion points sit at odd indices
    return std::get<TNormalSpot>(*chart.Elements()[index]).rectangle;
}

void BM_AppendThenLayout(benchmark::State& state) {
    for (auto _ : state) {
        Chart chart;
        AppendChain(chart, static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(chart.Elements().size());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_AppendThenLayout)->Arg(kBlocks / 10)->Arg(kBlocks)->Unit(benchmark::kMillisecond)->Complexity();

void BM_InsertIntoLongChain(benchmark::State& state) {
    App();
    Chart chart;
    AppendChain(chart, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        chart.Flow().Select(MiddleSpot(chart));
        state.ResumeTiming();
        const ObjectId block = chart.InsertBlock(5);
        state.PauseTiming();
        chart.RemoveBlock(block);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_InsertIntoLongChain)->Arg(kBlocks / 10)->Arg(kBlocks)->Unit(benchmark::kMicrosecond)->Complexity();

void BM_RemoveFromLongChain(benchmark::State& state) {
    App();
    Chart chart;
    AppendChain(chart, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        chart.Flow().Select(MiddleSpot(chart));
        const ObjectId block = chart.InsertBlock(5);
        state.ResumeTiming();
        chart.RemoveBlock(block);
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RemoveFromLongChain)->Arg(kBlocks / 10)->Arg(kBlocks)->Unit(benchmark::kMicrosecond)->Complexity();

void BM_ClearLongChain(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Chart chart;
        AppendChain(chart, static_cast<int>(state.range(0)));
        state.ResumeTiming();
        chart.ClearChart();
    }
}
BENCHMARK(BM_ClearLongChain)->Arg(kBlocks)->Unit(benchmark::kMillisecond);

}  // namespace
