// Generate runs on every click, so a big chart must still come back at once: 10,000 blocks, of which
// 1,000 are labels and 2,000 jump to them (half unconditionally, half on a condition).

#include <benchmark/benchmark.h>

#include <cstdio>

#include "chart/catalogue.h"
#include "chart/record.h"
#include "codegen/program_text.h"
#include "codegen/statements.h"

namespace {

using varnoki::chart::EscapeValue;
using varnoki::chart::WriteRecord;
using varnoki::codegen::BlockSource;

std::string LabelName(int n) {
    char name[16];
    std::snprintf(name, sizeof name, "L%04d", n);
    return name;
}

BlockSource Block(int kind, const varnoki::chart::RecordFields& fields) {
    return {varnoki::chart::kBlockShapeBase + kind, WriteRecord(kind, fields), "block"};
}

std::vector<BlockSource> BigChart() {
    constexpr int kLabels = 1000;
    std::vector<BlockSource> blocks;
    for (int i = 0; i < 10000; ++i) {
        const int label = (i / 10) % kLabels;
        switch (i % 10) {
            case 0:
                blocks.push_back(Block(11, {{"label", LabelName(label)}}));
                break;
            case 3:
                blocks.push_back(Block(12, {{"label", LabelName((label * 7) % kLabels)}}));
                break;
            case 6:
                blocks.push_back(
                    Block(13, {{"condition", EscapeValue("A<5")}, {"label", LabelName((label * 13) % kLabels)}}));
                break;
            case 1:
                blocks.push_back(Block(1, {{"mode", "2"}, {"wait", "150"}}));
                break;
            case 2:
                blocks.push_back(Block(5, {{"wait", "100"}}));
                break;
            case 4:
                blocks.push_back(Block(20, {{"command", EscapeValue("A=A+1")}}));
                break;
            case 5:
                blocks.push_back(Block(6, {{"key", "3"}, {"keycmd", "-1"}, {"content", "A402"}}));
                break;
            default:
                blocks.push_back(Block(3, {{"motorL", "100"}, {"motorR", "-100"}}));
                break;
        }
    }
    return blocks;
}

// The whole command: reading every record, the statements, the references and the numbers.
void BM_GenerateProgramText(benchmark::State& state) {
    const std::vector<BlockSource> blocks = BigChart();
    for (auto _ : state) benchmark::DoNotOptimize(varnoki::codegen::GenerateProgramText(blocks));
}
BENCHMARK(BM_GenerateProgramText)->Unit(benchmark::kMillisecond);

// The references and the numbers alone, from the unnumbered line list.
void BM_NumberProgramText(benchmark::State& state) {
    std::vector<std::string> lines{"\"VARNOKI\""};
    for (const BlockSource& block : BigChart()) {
        for (std::string& line : varnoki::codegen::MakeStatements(block.shapeCode, block.record)) {
            lines.push_back(std::move(line));
        }
    }
    for (auto _ : state) benchmark::DoNotOptimize(varnoki::codegen::NumberProgramText(lines));
}
BENCHMARK(BM_NumberProgramText)->Unit(benchmark::kMillisecond);

}  // namespace
