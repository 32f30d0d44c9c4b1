// varnoki-cli image PROGRAM.txt -o IMAGE.bas

#include <QFileInfo>

#include "cli.h"
#include "download/image_file.h"
#include "error.h"

namespace varnoki::cli {

int RunImage(const QStringList& args) {
    QCommandLineParser parser;
    const QCommandLineOption output({"o", "output"}, QStringLiteral("映像檔"), "IMAGE.bas");
    parser.addOption(output);
    if (auto exit = ParseArguments(parser, args)) return *exit;
    if (parser.positionalArguments().size() != 1) return BadUsage(args.first(), QStringLiteral("需要一個程序文本檔"));
    if (!parser.isSet(output)) return BadUsage(args.first(), QStringLiteral("需要 -o IMAGE.bas"));

    const QString source = parser.positionalArguments().first();
    const QString destination = parser.value(output);
    try {
        const auto dropped = download::BuildImageFromFile(source, destination);
        if (!dropped) return BadUsage(args.first(), QStringLiteral("找不到檔案 %1").arg(source));
        PrintDroppedLines(source, *dropped);
        PrintOut(QStringLiteral("已寫入 %1（%2字節）").arg(destination).arg(QFileInfo(destination).size()));
        return kSuccess;
    } catch (const Error& error) {
        PrintError(QStringLiteral("varnoki-cli image：%1").arg(QString::fromUtf8(error.what())));
        return kFailed;
    }
}

}  // namespace varnoki::cli
