// varnoki-cli convert CHART.lcs -o OUT.lcs

#include "chart/chart.h"
#include "cli.h"
#include "document/session.h"
#include "error.h"

namespace varnoki::cli {

int RunConvert(const QStringList& args) {
    QCommandLineParser parser;
    const QCommandLineOption output({"o", "output"}, QStringLiteral("寫出的流程圖文件"), "OUT.lcs");
    parser.addOption(output);
    if (auto exit = ParseArguments(parser, args)) return *exit;
    if (parser.positionalArguments().size() != 1) return BadUsage(args.first(), QStringLiteral("需要一個流程圖文件"));
    if (!parser.isSet(output)) return BadUsage(args.first(), QStringLiteral("需要 -o OUT.lcs"));

    chart::Chart chart;
    document::DocumentSession session(chart, {});
    try {
        session.Open(parser.positionalArguments().first());
    } catch (const Error& error) {
        PrintError(QStringLiteral("varnoki-cli convert：%1").arg(QString::fromUtf8(error.what())));
        return kBadUsage;
    }
    try {
        session.Save(parser.value(output));
    } catch (const Error& error) {
        PrintError(QStringLiteral("varnoki-cli convert：%1").arg(QString::fromUtf8(error.what())));
        return kFailed;
    }
    PrintOut(QStringLiteral("已寫入 %1（%2 個模塊）").arg(parser.value(output)).arg(chart.BlockCount()));
    return kSuccess;
}

}  // namespace varnoki::cli
