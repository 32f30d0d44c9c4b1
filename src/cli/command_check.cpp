// varnoki-cli check CHART.lcs

#include "chart/chart.h"
#include "cli.h"
#include "document/chart_check.h"
#include "document/session.h"
#include "error.h"

namespace varnoki::cli {

int RunCheck(const QStringList& args) {
    QCommandLineParser parser;
    if (auto exit = ParseArguments(parser, args)) return *exit;
    if (parser.positionalArguments().size() != 1) return BadUsage(args.first(), QStringLiteral("需要一個流程圖文件"));

    const QString path = parser.positionalArguments().first();
    chart::Chart chart;
    try {
        document::DocumentSession(chart, {}).Open(path);
    } catch (const Error& error) {
        PrintError(QStringLiteral("varnoki-cli check：%1").arg(QString::fromUtf8(error.what())));
        return kBadUsage;
    }
    const std::vector<document::Finding> findings = document::CheckChart(chart);
    for (const document::Finding& finding : findings) PrintOut(QStringLiteral("%1: %2").arg(path, finding.Text()));
    return findings.empty() ? kSuccess : kFailed;
}

}  // namespace varnoki::cli
