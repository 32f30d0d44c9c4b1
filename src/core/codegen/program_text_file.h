#pragma once

// Program text files: plain Big5 bytes without byte order mark, CR LF after every line (the last one
// too). Reading accepts lines ended by CR LF, LF or CR and makes no test of the content.

#include <QString>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace varnoki::codegen {

// The bytes of a program text file holding `lines`.
std::string ProgramTextFileBytes(std::span<const std::string> lines);

// Writes the file through a temporary one that replaces `path` only when every byte was written, so
// a failed save leaves the old file as it was. Raises varnoki::Error with the file name and the
// system's reason.
void WriteProgramTextFile(const QString& path, std::span<const std::string> lines);

// Raises varnoki::Error with the file name and the system's reason when the file cannot be read.
std::vector<std::string> ReadProgramTextFile(const QString& path);

}  // namespace varnoki::codegen
