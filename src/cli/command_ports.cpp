// varnoki-cli ports

#include <QSerialPortInfo>

#include "cli.h"

namespace varnoki::cli {

int RunPorts(const QStringList& args) {
    QCommandLineParser parser;
    if (auto exit = ParseArguments(parser, args)) return *exit;
    if (!parser.positionalArguments().isEmpty()) return BadUsage(args.first(), QStringLiteral("不需要參數"));

    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    if (ports.isEmpty()) PrintError(QStringLiteral("沒有找到串口"));
    for (const QSerialPortInfo& port : ports) {
        QStringList about;
        if (!port.description().isEmpty()) about << port.description();
        if (!port.manufacturer().isEmpty()) about << port.manufacturer();
        PrintOut(
            QStringLiteral("%1\t%2\t%3").arg(port.portName(), port.systemLocation(), about.join(QStringLiteral("，"))));
    }
    return kSuccess;
}

}  // namespace varnoki::cli
