#include "codegen/program_text_file.h"

#include "text/files.h"

namespace varnoki::codegen {
namespace {

const QString kProgramTextFile = QStringLiteral("程序文本檔");

}  // namespace

std::string ProgramTextFileBytes(std::span<const std::string> lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

void WriteProgramTextFile(const QString& path, std::span<const std::string> lines) {
    text::WriteFileAtomically(path, ProgramTextFileBytes(lines), kProgramTextFile);
}

std::vector<std::string> ReadProgramTextFile(const QString& path) {
    return text::SplitLines(text::View(text::ReadWholeFile(path, kProgramTextFile)));
}

}  // namespace varnoki::codegen
