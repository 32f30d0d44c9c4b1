#include <gtest/gtest.h>

#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <optional>

#include "board_run.h"
#include "download/transfer_engine.h"
#include "qt_application.h"

using namespace varnoki::download;
using namespace varnoki::download::testing;
using namespace std::chrono_literals;

namespace {

class EngineTest : public ::testing::Test {
protected:
    EngineTest() {
        Application();
        QObject::connect(&engine, &TransferEngine::progress, [this](const QString& line) {
            progress << line;
            if (QThread::currentThread() != QCoreApplication::instance()->thread()) wrongThread = true;
            if (outcome) progressAfterFinish = true;
        });
        QObject::connect(&engine, &TransferEngine::finished, [this](const TransferOutcome& result) {
            if (QThread::currentThread() != QCoreApplication::instance()->thread()) wrongThread = true;
            outcome = result;
        });
    }

    // Runs the event loop until the transfer has finished, for at most 10 seconds.
    const TransferOutcome& WaitForOutcome() {
        QEventLoop loop;
        QObject::connect(&engine, &TransferEngine::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(10s, &loop, &QEventLoop::quit);
        if (!outcome) loop.exec();
        EXPECT_TRUE(outcome.has_value()) << "the transfer did not finish";
        if (!outcome) outcome = TransferOutcome{};
        return *outcome;
    }

    TransferEngine engine;
    QStringList progress;
    std::optional<TransferOutcome> outcome;
    bool wrongThread = false;
    bool progressAfterFinish = false;
};

TransferEngine::LinkOpener HostOf(BoardRun& board) {
    return [&board] { return board.TakeHost(); };
}

TransferEngine::LinkOpener FailingOpener(std::atomic<int>& calls) {
    return [&calls]() -> std::unique_ptr<ByteLink> {
        ++calls;
        throw LinkError::PortFailed("找不到串口 ttyX");
    };
}

}  // namespace

TEST_F(EngineTest, DeliversProgressThenTheOutcomeOnTheCallersThread) {
    BoardRun board(FastBoard());
    std::atomic<bool> openedOnWorker = false;
    const QByteArray image = CountingImage(130);
    ASSERT_TRUE(engine.Start(image, [&]() -> std::unique_ptr<ByteLink> {
        openedOnWorker = QThread::currentThread() != QCoreApplication::instance()->thread();
        return board.TakeHost();
    }));
    EXPECT_TRUE(engine.IsRunning());
    EXPECT_FALSE(engine.Start(image, HostOf(board))) << "a second transfer must wait for the first";

    EXPECT_EQ(WaitForOutcome().result, TransferResult::Succeeded);
    EXPECT_EQ(outcome->message, QStringLiteral("130字節數據發送成功"));
    EXPECT_EQ(outcome->imageLength, 130);
    EXPECT_EQ(progress, QStringList({"1", "2", "3", "4", "5:1", "5:2", "5:3"}));
    EXPECT_FALSE(engine.IsRunning());
    EXPECT_TRUE(openedOnWorker);
    EXPECT_FALSE(wrongThread);
    QCoreApplication::processEvents();
    EXPECT_FALSE(progressAfterFinish);
    EXPECT_EQ(board.Session().image, image);
}

TEST_F(EngineTest, AnImageTooLargeForTheHeaderIsRefusedBeforeThePortIsOpened) {
    std::atomic<int> calls = 0;
    ASSERT_TRUE(engine.Start(QByteArray(65536, 'x'), FailingOpener(calls)));
    EXPECT_EQ(WaitForOutcome().result, TransferResult::TooLarge);
    EXPECT_EQ(outcome->message, QStringLiteral("65536字節數據發送失敗：程序太大，最多只能下載65535字節"));
    EXPECT_EQ(calls, 0);
    EXPECT_TRUE(progress.isEmpty());

    outcome.reset();
    ASSERT_TRUE(engine.Start(QByteArray(65535, 'x'), FailingOpener(calls)));
    EXPECT_EQ(WaitForOutcome().result, TransferResult::PortFailed);
    EXPECT_EQ(calls, 1);
}

TEST_F(EngineTest, APortFailureEndsTheTransferAndTheNextOneRuns) {
    std::atomic<int> calls = 0;
    ASSERT_TRUE(engine.Start(CountingImage(5), FailingOpener(calls)));
    EXPECT_EQ(WaitForOutcome().result, TransferResult::PortFailed);
    EXPECT_EQ(outcome->message, QStringLiteral("5字節數據發送失敗：找不到串口 ttyX"));

    {
        BoardRun board(FastBoard({.hangUpAfterBlock = 1}));
        outcome.reset();
        ASSERT_TRUE(engine.Start(CountingImage(200), HostOf(board)));
        EXPECT_EQ(WaitForOutcome().result, TransferResult::PortFailed);
    }

    BoardRun board(FastBoard());
    outcome.reset();
    ASSERT_TRUE(engine.Start(CountingImage(5), HostOf(board)));
    EXPECT_EQ(WaitForOutcome().result, TransferResult::Succeeded);
}

TEST_F(EngineTest, CancelEndsAWaitingTransfer) {
    BoardRun board(FastBoard({.silentAfterStep = 2}));
    ASSERT_TRUE(engine.Start(CountingImage(5), HostOf(board), 30s));
    QTimer::singleShot(50ms, &engine, [this] { engine.Cancel(); });
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(WaitForOutcome().result, TransferResult::Cancelled);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
}

TEST(EngineLifetime, DestroyingTheEngineCancelsAndWaitsForTheWorker) {
    Application();
    BoardRun board(FastBoard({.silentAfterStep = 1}));
    bool finished = false;
    const auto started = std::chrono::steady_clock::now();
    {
        TransferEngine engine;
        QObject::connect(&engine, &TransferEngine::finished, [&] { finished = true; });
        ASSERT_TRUE(engine.Start(CountingImage(5), HostOf(board), 30s));
        std::this_thread::sleep_for(50ms);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
    QCoreApplication::processEvents();
    EXPECT_FALSE(finished);
}
