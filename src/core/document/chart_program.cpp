#include "document/chart_program.h"

#include "document/session.h"

namespace varnoki::document {

std::vector<codegen::BlockSource> BlockSourcesOf(const chart::Chart& chart) {
    std::vector<codegen::BlockSource> sources;
    for (const chart::BlockEntry& block : chart.Blocks()) {
        sources.push_back({block.shapeCode, std::string(block.record), std::string(block.text)});
    }
    return sources;
}

std::vector<std::string> ProgramTextOfChartFile(const QString& path, const std::vector<std::string>& voiceWords) {
    chart::Chart chart;
    DocumentSession session(chart, voiceWords);
    session.Open(path);
    return codegen::GenerateProgramText(BlockSourcesOf(chart));
}

}  // namespace varnoki::document
