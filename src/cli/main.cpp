// varnoki-cli: the command-line tool over the core. Each command lives in its own command_*.cpp and
// has one line in the table below.

#include <QCoreApplication>
#include <cstdio>

#include "cli.h"
#include "text/big5.h"

namespace varnoki::cli {
namespace {

const Command kCommands[] = {
    {"generate", "CHART.lcs [-o PROGRAM.txt] [--utf8]",
     "由流程圖文件產生程序文本（Big5，CR LF）；沒有 -o 時寫到標準輸出，--utf8 轉成終端機可讀的文字", RunGenerate},
    {"convert", "CHART.lcs -o OUT.lcs", "讀入流程圖文件，再照本程式保存的樣子寫出（整理其他工具寫的文件）", RunConvert},
    {"check", "CHART.lcs",
     "找出在控制板上會出錯的地方：未定義的標號和子程序、重複的名稱、不配對的循環、文件存不下的字元；有問題時結束碼為 1",
     RunCheck},
    {"image", "PROGRAM.txt -o IMAGE.bas", "把程序文本轉成下載映像，略過的行列在標準錯誤輸出", RunImage},
    {"download", "--port DEVICE [--timeout SECONDS] FILE",
     "把流程圖（.lcs）、程序文本（.txt）或映像（.bas）下載到控制板；每次等待控制板最多 SECONDS 秒（預設 3）",
     RunDownload},
    {"ports", "", "列出找到的串口", RunPorts},
};

// On standard output when asked for, on standard error when the command line was wrong.
void PrintHelp(void (*print)(const QString&)) {
    print(QStringLiteral("用法：varnoki-cli COMMAND [ARGUMENTS]\n\n命令："));
    for (const Command& command : kCommands) {
        print(QStringLiteral("  %1 %2")
                  .arg(QString::fromUtf8(command.name), QString::fromUtf8(command.usage))
                  .trimmed()
                  .prepend(u"  "));
        print(QStringLiteral("      %1").arg(QString::fromUtf8(command.summary)));
    }
    print(QStringLiteral("\n結束碼：0 成功，1 失敗，2 用法或輸入錯誤。"));
}

void Print(std::FILE* stream, const QString& line) {
    std::fputs(qUtf8Printable(line + u'\n'), stream);
    std::fflush(stream);
}

QString UsageLine(const Command& command) {
    return QStringLiteral("用法：varnoki-cli %1 %2")
        .arg(QString::fromUtf8(command.name), QString::fromUtf8(command.usage));
}

}  // namespace

const Command* FindCommand(const QString& name) {
    for (const Command& command : kCommands) {
        if (name == QLatin1String(command.name)) return &command;
    }
    return nullptr;
}

void PrintOut(const QString& line) { Print(stdout, line); }
void PrintError(const QString& line) { Print(stderr, line); }

std::optional<int> ParseArguments(QCommandLineParser& parser, const QStringList& args) {
    const QCommandLineOption help({"h", "help"}, QStringLiteral("顯示說明"));
    parser.addOption(help);
    if (!parser.parse(args)) return BadUsage(args.first(), parser.errorText());
    if (parser.isSet(help)) {
        const Command* command = FindCommand(args.first());
        PrintOut(UsageLine(*command));
        PrintOut(QString::fromUtf8(command->summary));
        return kSuccess;
    }
    return std::nullopt;
}

int BadUsage(const QString& command, const QString& message) {
    PrintError(QStringLiteral("varnoki-cli %1：%2").arg(command, message));
    if (const Command* found = FindCommand(command)) PrintError(UsageLine(*found));
    return kBadUsage;
}

void PrintDroppedLines(const QString& fileName, const std::vector<download::DroppedLine>& dropped) {
    for (const download::DroppedLine& line : dropped) {
        PrintError(QStringLiteral("%1:%2: 略過：%3：%4")
                       .arg(fileName)
                       .arg(line.lineNumber)
                       .arg(download::LineCheckReason(line.reason), text::Big5ToUnicode(line.text)));
    }
}

}  // namespace varnoki::cli

int main(int argc, char** argv) {
    using namespace varnoki::cli;
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        PrintHelp(PrintError);
        return kBadUsage;
    }
    if (args.first() == "--help" || args.first() == "-h" || args.first() == "help") {
        PrintHelp(PrintOut);
        return kSuccess;
    }
    const Command* command = FindCommand(args.first());
    if (!command) {
        PrintError(
            QStringLiteral("varnoki-cli：沒有「%1」這個命令；varnoki-cli --help 列出所有命令").arg(args.first()));
        return kBadUsage;
    }
    const int exitCode = command->run(args);
    // Output that never arrived (a full disk, a closed pipe) is a failure, whatever the command did.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        PrintError(QStringLiteral("varnoki-cli %1：無法寫到標準輸出").arg(args.first()));
        return exitCode == kSuccess ? kFailed : exitCode;
    }
    return exitCode;
}
