#pragma once

// The program text of a chart, for callers without a window: the command-line tool's generate and
// download commands.

#include <QString>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "codegen/program_text.h"

namespace varnoki::document {

// The chart's blocks as the generator takes them, each named by its shape text.
std::vector<codegen::BlockSource> BlockSourcesOf(const chart::Chart& chart);

// Opens the .lcs file as Open does and returns the lines of its program text (Big5, no line ends).
// Raises varnoki::Error naming the file (unreadable document) or the block (unreadable record).
std::vector<std::string> ProgramTextOfChartFile(const QString& path);

}  // namespace varnoki::document
