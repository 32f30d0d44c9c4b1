#pragma once

// The program text of a chart file, for callers without a window: the command-line tool's generate and
// download commands.

#include <QString>
#include <string>
#include <vector>

namespace varnoki::document {

// Opens the .lcs file as Open does and returns the lines of its program text (Big5, no line ends).
// Raises varnoki::Error naming the file, and the block when its record cannot be read.
std::vector<std::string> ProgramTextOfChartFile(const QString& path);

}  // namespace varnoki::document
