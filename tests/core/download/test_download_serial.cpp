// The serial link and the whole transfer through a real QSerialPort, on a pseudo-terminal with the
// board simulator at the other end.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QEventLoop>
#include <QTimer>
#include <thread>

#include "board_run.h"
#include "download/fd_link.h"
#include "download/image_file.h"
#include "download/pseudo_terminal.h"
#include "download/serial_link.h"
#include "download/transfer_engine.h"
#include "qt_application.h"

using namespace varnoki::download;
using namespace varnoki::download::testing;
using namespace std::chrono_literals;

namespace {

void WriteToPort(const PseudoTerminal& pty, std::string_view bytes) {
    ASSERT_EQ(write(pty.BoardFd(), bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
}

LinkError::Kind KindOfFailure(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const LinkError& error) {
        return error.kind();
    }
    ADD_FAILURE() << "no LinkError";
    return LinkError::Kind::Cancelled;
}

std::string OpenFailure(const QString& port) {
    try {
        SerialLink link(port);
    } catch (const LinkError& error) {
        EXPECT_EQ(error.kind(), LinkError::Kind::PortFailed);
        return error.what();
    }
    ADD_FAILURE() << "opened " << port.toStdString();
    return {};
}

// The board simulator on the far end of a fresh pseudo-terminal, serving one transfer.
class PtyBoard {
public:
    explicit PtyBoard(BoardOptions options = FastBoard()) : boardLink_(pty_.BoardFd()), board_(boardLink_, options) {
        thread_ = std::thread([this] {
            try {
                session_ = board_.ServeOne(5s);
            } catch (const LinkError&) {
                return;  // cancelled by the test
            }
            if (session_.end == BoardSession::End::HangUp) pty_.HangUp();
        });
    }
    ~PtyBoard() {
        boardLink_.Cancel();
        if (thread_.joinable()) thread_.join();
    }
    QString Device() const { return pty_.DevicePath(); }
    const BoardSession& Session() {
        if (thread_.joinable()) thread_.join();
        return session_;
    }

private:
    PseudoTerminal pty_;
    FdLink boardLink_;
    BoardSimulator board_;
    BoardSession session_;
    std::thread thread_;
};

TransferOutcome Transfer(const QByteArray& image, const QString& device) {
    TransferEngine engine;
    std::optional<TransferOutcome> outcome;
    QEventLoop loop;
    QObject::connect(&engine, &TransferEngine::finished, [&](const TransferOutcome& result) {
        outcome = result;
        loop.quit();
    });
    QTimer::singleShot(10s, &loop, &QEventLoop::quit);
    EXPECT_TRUE(engine.Start(image, device, 2s));
    loop.exec();
    EXPECT_TRUE(outcome.has_value()) << "the transfer did not finish";
    return outcome.value_or(TransferOutcome{});
}

}  // namespace

class SerialLinkTest : public ::testing::Test {
protected:
    SerialLinkTest() { Application(); }
    PseudoTerminal pty;
};

TEST_F(SerialLinkTest, EveryByteValuePassesUnchangedBothWays) {
    SerialLink link(pty.DevicePath());
    std::string all;
    for (int value = 0; value < 256; ++value) all += static_cast<char>(value);
    WriteToPort(pty, all);
    for (int value = 0; value < 256; ++value) ASSERT_EQ(link.ReceiveByte(1s), value);

    for (const std::uint8_t byte : {0x00, 0xFF, 0x0D, 0x0A, 0x11, 0x13, 0x5A}) link.SendByte(byte);
    FdLink board(pty.BoardFd());
    for (const std::uint8_t byte : {0x00, 0xFF, 0x0D, 0x0A, 0x11, 0x13, 0x5A}) EXPECT_EQ(board.ReceiveByte(1s), byte);
}

TEST_F(SerialLinkTest, AReplyThatArrivesWhileSendingIsKept) {
    SerialLink link(pty.DevicePath());
    // The board answers before our byte is out; then the line stays quiet.
    WriteToPort(pty, "k");
    link.SendByte(0x41);
    EXPECT_EQ(link.ReceiveByte(300ms), 'k');
}

TEST_F(SerialLinkTest, ClearLinkForgetsWhatArrivedBefore) {
    SerialLink link(pty.DevicePath());
    WriteToPort(pty, "abc");
    EXPECT_EQ(link.ReceiveByte(1s), 'a');
    link.ClearLink();
    WriteToPort(pty, "z");
    EXPECT_EQ(link.ReceiveByte(1s), 'z');
}

TEST_F(SerialLinkTest, WaitsEndAtTheTimeLimitOrOnCancel) {
    SerialLink link(pty.DevicePath());
    auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(KindOfFailure([&] { link.ReceiveByte(100ms); }), LinkError::Kind::Silent);
    const auto waited = std::chrono::steady_clock::now() - started;
    EXPECT_GE(waited, 100ms);
    EXPECT_LT(waited, 1s);

    std::thread canceller([&] {
        std::this_thread::sleep_for(50ms);
        link.Cancel();
    });
    started = std::chrono::steady_clock::now();
    EXPECT_EQ(KindOfFailure([&] { link.ReceiveByte(10s); }), LinkError::Kind::Cancelled);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
    canceller.join();
    EXPECT_EQ(KindOfFailure([&] { link.SendByte(1); }), LinkError::Kind::Cancelled);
}

TEST_F(SerialLinkTest, AHungUpLineFailsAtOnceInsteadOfWaiting) {
    SerialLink link(pty.DevicePath());
    pty.HangUp();
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(KindOfFailure([&] { link.ReceiveByte(10s); }), LinkError::Kind::PortFailed);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
    EXPECT_EQ(KindOfFailure([&] { link.SendByte(1); }), LinkError::Kind::PortFailed);
}

TEST_F(SerialLinkTest, OpenFailuresSayWhatIsWrong) {
    EXPECT_EQ(OpenFailure("/dev/varnoki-no-such-port"), "找不到串口 /dev/varnoki-no-such-port");
    SerialLink first(pty.DevicePath());
    EXPECT_EQ(OpenFailure(pty.DevicePath()),
              QStringLiteral("串口 %1 正在被別的程序使用").arg(pty.DevicePath()).toStdString());
}

TEST(SerialTransfer, AProgramTextArrivesOnTheBoardByteForByte) {
    Application();
    std::vector<std::string> lines = {R"(10 REM "VARNOKI")"};
    for (int n = 2; n <= 40; ++n) lines.push_back(std::to_string(n * 10) + R"( REM "DELAY 100")");
    const QByteArray image = PrepareImageForDownload(lines).bytes;
    ASSERT_GT(image.size(), 64 * 3);

    PtyBoard board(FastBoard({.rejectSends = 1, .corruptReplies = 1}));
    const TransferOutcome outcome = Transfer(image, board.Device());
    EXPECT_EQ(outcome.result, TransferResult::Succeeded) << outcome.message.toStdString();
    EXPECT_EQ(board.Session().image, image);
}

TEST(SerialTransfer, AHangUpInTheMiddleFailsWithThePortsMessageAndTheNextTransferRuns) {
    Application();
    {
        PtyBoard board(FastBoard({.hangUpAfterBlock = 1}));
        const TransferOutcome outcome = Transfer(CountingImage(200), board.Device());
        EXPECT_EQ(outcome.result, TransferResult::PortFailed);
        EXPECT_EQ(outcome.message,
                  QStringLiteral("200字節數據發送失敗：串口連線中斷（裝置已拔除或已關閉）（第2塊數據（共4塊））"));
    }
    PtyBoard board;
    EXPECT_EQ(Transfer(CountingImage(3), board.Device()).result, TransferResult::Succeeded);
    EXPECT_EQ(board.Session().image, CountingImage(3));
}
