// Documents of a big chart: 10,000 blocks of every kind, labels and named blocks among them, so that
// reading also sets display texts and heights. Open reads the file, builds the chain and lays it out
// once; Save builds the document and writes it; IsModified builds it again and compares.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "chart/catalogue.h"
#include "chart/chart.h"
#include "chart/record.h"
#include "document/session.h"

namespace {

using namespace varnoki;

constexpr int kBlocks = 10000;

void FillChart(chart::Chart& chart) {
    const int kinds[] = {1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26};
    for (int i = 0; i < kBlocks; ++i) {
        const int kind = kinds[i % std::size(kinds)];
        const chart::ObjectId block = chart.AppendBlock(kind);
        const std::string name = "N" + std::to_string(i);
        if (kind == 11 || kind == 12) chart.SetBlockRecord(block, chart::WriteRecord(kind, {{"label", name}}));
        if (kind == 23 || kind == 25) chart.SetBlockRecord(block, chart::WriteRecord(kind, {{"sub", name}}));
        if (kind == 20) chart.SetBlockRecord(block, chart::WriteRecord(kind, {{"command", "A=A+" + name}}));
    }
    chart.LayoutChain();
}

struct SavedChart {
    QTemporaryDir dir;
    QString path = dir.filePath("big.lcs");
    SavedChart() {
        chart::Chart chart;
        FillChart(chart);
        document::DocumentSession(chart, {}).Save(path);
    }
};

const SavedChart& Saved() {
    static const SavedChart saved;
    return saved;
}

void BM_Open(benchmark::State& state) {
    chart::Chart chart;
    document::DocumentSession session(chart, {});
    for (auto _ : state) {
        session.Open(Saved().path);
        benchmark::DoNotOptimize(chart.BlockCount());
    }
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& state) {
    chart::Chart chart;
    document::DocumentSession session(chart, {});
    session.Open(Saved().path);
    QTemporaryDir dir;
    const QString path = dir.filePath("copy.lcs");
    for (auto _ : state) session.Save(path);
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

void BM_IsModified(benchmark::State& state) {
    chart::Chart chart;
    document::DocumentSession session(chart, {});
    session.Open(Saved().path);
    for (auto _ : state) benchmark::DoNotOptimize(session.IsModified());
}
BENCHMARK(BM_IsModified)->Unit(benchmark::kMillisecond);

}  // namespace
