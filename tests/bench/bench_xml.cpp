// Reading and writing chart documents of the size a large class project could reach, and ten times
// less, to see that both grow linearly.

#include <benchmark/benchmark.h>

#include <string>

#include "xml/reader.h"
#include "xml/writer.h"

namespace {

using namespace varnoki::xml;

// Records as the program writes them: a CtrlNode with two to six children in a record wrapper.
Document ChartOf(int records) {
    static const char* const kFields[] = {"data1", "data2", "data3", "data4", "data5", "speed"};
    Document document;
    document.root.name = "MERVANTO";
    for (int i = 0; i < records; ++i) {
        Element& record = document.root.AddChild("record").AddChild("CtrlNode");
        record.AddAttribute("type", std::to_string(1 + i % 26));
        const int fields = 2 + i % 5;
        for (int f = 0; f < fields; ++f)
            record.AddChild(kFields[f], f == 0 ? "\xBC\xD0\xB8\xB9 a" : std::to_string(i % 256));
    }
    return document;
}

void BM_WriteDocument(benchmark::State& state) {
    const Document document = ChartOf(static_cast<int>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string written = WriteDocument(document);
        bytes = written.size();
        benchmark::DoNotOptimize(written.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.SetComplexityN(state.range(0));
}

void BM_ParseDocument(benchmark::State& state) {
    const std::string written = WriteDocument(ChartOf(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        Document document = ParseDocument(written);
        benchmark::DoNotOptimize(document.root.children.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * written.size()));
    state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(BM_WriteDocument)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_ParseDocument)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
