// varnoki-cli generate CHART.lcs [-o PROGRAM.txt] [--utf8]

#include <QByteArray>
#include <cstdio>

#include "cli.h"
#include "codegen/program_text_file.h"
#include "document/chart_program.h"
#include "error.h"
#include "text/big5.h"

namespace varnoki::cli {
namespace {

// What a terminal shows well: UTF-8 with LF line ends.
QByteArray TerminalText(const std::vector<std::string>& lines) {
    QByteArray out;
    for (const std::string& line : lines) out += text::Big5ToUnicode(line).toUtf8() + '\n';
    return out;
}

void WriteStandardOutput(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

}  // namespace

int RunGenerate(const QStringList& args) {
    QCommandLineParser parser;
    const QCommandLineOption output({"o", "output"}, QStringLiteral("程序文本檔"), "PROGRAM.txt");
    const QCommandLineOption utf8("utf8", QStringLiteral("以 UTF-8 寫到標準輸出，方便在終端機閱讀"));
    parser.addOption(output);
    parser.addOption(utf8);
    if (auto exit = ParseArguments(parser, args)) return *exit;
    if (parser.positionalArguments().size() != 1) return BadUsage(args.first(), QStringLiteral("需要一個流程圖文件"));
    if (parser.isSet(output) && parser.isSet(utf8)) {
        return BadUsage(args.first(), QStringLiteral("--utf8 只用於標準輸出；程序文本檔總是 Big5"));
    }

    std::vector<std::string> lines;
    try {
        lines = document::ProgramTextOfChartFile(parser.positionalArguments().first());
    } catch (const Error& error) {
        PrintError(QStringLiteral("varnoki-cli generate：%1").arg(QString::fromUtf8(error.what())));
        return kBadUsage;
    }
    if (parser.isSet(utf8)) {
        WriteStandardOutput(TerminalText(lines));
        return kSuccess;
    }
    if (!parser.isSet(output)) {
        const std::string bytes = codegen::ProgramTextFileBytes(lines);
        WriteStandardOutput(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
        return kSuccess;
    }
    try {
        codegen::WriteProgramTextFile(parser.value(output), lines);
        return kSuccess;
    } catch (const Error& error) {
        PrintError(QStringLiteral("varnoki-cli generate：%1").arg(QString::fromUtf8(error.what())));
        return kFailed;
    }
}

}  // namespace varnoki::cli
