// varnoki-board-sim: answers the download exchange like the board, so the download can be tried and
// tested without one. It makes a pseudo-terminal (or opens the serial port it is given), prints the
// device to download to, and stores every image it receives.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "download/board_simulator.h"
#include "download/fd_link.h"
#include "download/pseudo_terminal.h"
#include "download/serial_link.h"

using namespace varnoki::download;

namespace {

void Say(const QString& line) {
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

int ReadCount(const QCommandLineParser& parser, const QString& name, int fallback) {
    if (!parser.isSet(name)) return fallback;
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < 0) {
        std::fprintf(stderr, "varnoki-board-sim: --%s 需要一個非負整數\n", qPrintable(name));
        std::exit(2);
    }
    return value;
}

BoardOptions ReadOptions(const QCommandLineParser& parser) {
    BoardOptions options;
    options.wireSpeed = parser.isSet("wire-speed");
    options.faults.rejectSends = ReadCount(parser, "reject", 0);
    options.faults.corruptReplies = ReadCount(parser, "corrupt", 0);
    options.faults.refuseGoAhead = parser.isSet("refuse-go-ahead");
    options.faults.silentAfterStep = ReadCount(parser, "silent-after", -1);
    options.faults.hangUpAfterBlock = ReadCount(parser, "hang-up-after-block", 0);
    return options;
}

void SaveImage(const QString& directory, int number, const QByteArray& image) {
    const QString name = QDir(directory).filePath(QStringLiteral("image-%1.bas").arg(number));
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(image) != image.size()) {
        Say(QStringLiteral("無法寫入 %1：%2").arg(name, file.errorString()));
        return;
    }
    Say(QStringLiteral("已收到 %1 字節，存為 %2").arg(image.size()).arg(name));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("模擬控制板，回應下載。第一行輸出的是要下載到的串口裝置。"));
    parser.addHelpOption();
    parser.addOptions({
        {"device", QStringLiteral("用這個串口代替新建的虛擬終端"), "PATH"},
        {"save-dir", QStringLiteral("收到的映像存為 DIR/image-N.bas（預設：目前的目錄）"), "DIR", "."},
        {"once", QStringLiteral("只服務一次下載，然後結束")},
        {"wire-speed", QStringLiteral("按 115200 波特的真實速度回應")},
        {"reject", QStringLiteral("每一幀的前 N 次發送都拒收"), "N"},
        {"corrupt", QStringLiteral("自己的每一幀先發送 N 次錯誤的校驗"), "N"},
        {"refuse-go-ahead", QStringLiteral("不給許可（回覆 AA AB）")},
        {"silent-after", QStringLiteral("第 STEP 步（0 到 4）之後不再回應"), "STEP"},
        {"hang-up-after-block", QStringLiteral("收到第 K 塊後掛斷並結束"), "K"},
    });
    parser.process(app);
    const BoardOptions options = ReadOptions(parser);
    const QString saveDir = parser.value("save-dir");

    std::unique_ptr<PseudoTerminal> pty;
    std::unique_ptr<ByteLink> link;
    try {
        if (parser.isSet("device")) {
            link = std::make_unique<SerialLink>(parser.value("device"));
            Say(parser.value("device"));
        } else {
            pty = std::make_unique<PseudoTerminal>();
            link = std::make_unique<FdLink>(pty->BoardFd());
            Say(pty->DevicePath());
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "varnoki-board-sim: %s\n", error.what());
        return 1;
    }

    BoardSimulator board(*link, options);
    int received = 0;
    for (;;) {
        BoardSession session;
        try {
            session = board.ServeOne(std::chrono::hours(24));
        } catch (const LinkError& error) {
            if (error.kind() == LinkError::Kind::Silent) continue;
            std::fprintf(stderr, "varnoki-board-sim: %s\n", error.what());
            return 1;
        }
        switch (session.end) {
            case BoardSession::End::Completed:
                SaveImage(saveDir, ++received, session.image);
                break;
            case BoardSession::End::Refused:
                Say(QStringLiteral("已拒絕許可"));
                break;
            case BoardSession::End::Abandoned:
                Say(QStringLiteral("下載中斷"));
                break;
            case BoardSession::End::HangUp:
                Say(QStringLiteral("收到第 %1 塊後掛斷").arg(options.faults.hangUpAfterBlock));
                return 0;
        }
        if (parser.isSet("once")) {
            if (pty) pty->WaitForPortClosed(std::chrono::seconds(5));
            return 0;
        }
    }
}
