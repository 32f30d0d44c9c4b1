#include "codegen/program_text.h"

#include <QString>

#include "chart/catalogue.h"
#include "chart/chart.h"
#include "codegen/reference_replacement.h"
#include "codegen/statement_line.h"
#include "codegen/statements.h"
#include "error.h"
#include "text/big5.h"

namespace varnoki::codegen {
namespace {

constexpr std::string_view kHeaderStatement = "VARNOKI";

Error UnreadableRecord(std::size_t blockNumber, const BlockSource& block, const Error& cause) {
    const QString message = QString::fromUtf8("第 %1 個模塊「%2」的參數記錄無法讀取：%3")
                                .arg(blockNumber)
                                .arg(text::Big5ToUnicode(block.caption), QString::fromUtf8(cause.what()));
    return Error(message.toStdString());
}

bool IsDefinitionLine(std::string_view quoted) {
    return quoted.size() > 1 && quoted.front() == '"' &&
           (quoted.substr(1).starts_with(kLabelPrefix) || quoted.substr(1).starts_with(kSubroutinePrefix));
}

}  // namespace

std::vector<std::string> GenerateProgramText(std::span<const BlockSource> blocks) {
    std::vector<std::string> lines{QuoteStatement(kHeaderStatement)};
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        try {
            for (std::string& line : MakeStatements(blocks[i].shapeCode, blocks[i].record)) {
                lines.push_back(std::move(line));
            }
        } catch (const Error& e) {
            throw UnreadableRecord(i + 1, blocks[i], e);
        }
    }
    return NumberProgramText(lines);
}

std::vector<std::string> GenerateProgramText(const chart::Chart& chart) {
    std::vector<BlockSource> blocks;
    for (const chart::BlockEntry& entry : chart.Blocks()) {
        const chart::BlockKind* kind = chart::FindKind(entry.Kind());
        blocks.push_back({entry.shapeCode, std::string(entry.record), kind ? kind->caption : std::string(entry.text)});
    }
    return GenerateProgramText(blocks);
}

std::vector<std::string> NumberProgramText(std::span<const std::string> unnumberedLines) {
    std::vector<ProgramLine> lines;
    lines.reserve(unnumberedLines.size());
    for (const std::string& quoted : unnumberedLines) lines.push_back({quoted, UnquoteLine(quoted)});

    // Both tables are taken before anything is replaced.
    const std::vector<Definition> labels = FindDefinitions(lines, kLabelPrefix);
    const std::vector<Definition> subroutines = FindDefinitions(lines, kSubroutinePrefix);
    ReplaceReferences(lines, labels, kLabelPrefix);
    ReplaceReferences(lines, subroutines, kSubroutinePrefix);

    std::vector<std::string> program;
    program.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (IsDefinitionLine(lines[i].quoted)) continue;
        program.push_back(std::to_string((i + 1) * 10) + " REM " + lines[i].quoted);
    }
    return program;
}

}  // namespace varnoki::codegen
