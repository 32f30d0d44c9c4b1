#include <gtest/gtest.h>

#include <QStringList>

#include "board_run.h"
#include "download/exchange.h"
#include "scripted_link.h"

using namespace varnoki::download;
using namespace varnoki::download::testing;
using namespace std::chrono_literals;

namespace {

constexpr std::chrono::milliseconds kTimeout{200};

struct ExchangeRun {
    TransferOutcome outcome;
    QStringList progress;
};

ExchangeRun Exchange(ByteLink& link, const QByteArray& image, std::chrono::milliseconds timeout = kTimeout) {
    ExchangeRun run;
    run.outcome = RunExchange(link, image, timeout, [&](const QString& line) { run.progress << line; });
    return run;
}

QString Failed(qsizetype length) { return QString::number(length) + QStringLiteral("字節數據發送失敗"); }

}  // namespace

TEST(Exchange, ImagesOfEverySizeArriveWholeInBlocksOf64) {
    const struct {
        qsizetype length;
        std::vector<int> blocks;
    } cases[] = {{3, {3}}, {64, {64}}, {65, {64, 1}}, {128, {64, 64}}, {0, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        BoardRun board(FastBoard());
        const QByteArray image = CountingImage(c.length);
        const ExchangeRun run = Exchange(board.Host(), image);

        EXPECT_EQ(run.outcome.result, TransferResult::Succeeded);
        EXPECT_EQ(run.outcome.message, QString::number(c.length) + QStringLiteral("字節數據發送成功"));
        QStringList expected = {"1", "2", "3", "4"};
        for (size_t k = 1; k <= c.blocks.size(); ++k) expected << QStringLiteral("5:%1").arg(k);
        EXPECT_EQ(run.progress, expected);

        const BoardSession& session = board.Session();
        EXPECT_EQ(session.end, BoardSession::End::Completed);
        EXPECT_EQ(session.announcedLength, c.length);
        EXPECT_EQ(session.blockSizes, c.blocks);
        EXPECT_EQ(session.image, image);
        ASSERT_GE(session.hostFrames.size(), 2u);
        EXPECT_EQ(session.hostFrames[0], QByteArray(reinterpret_cast<const char*>(kOpeningMessage.data()), 7));
        EXPECT_EQ(session.hostFrames[1].size(), 72);
    }
}

TEST(Exchange, RejectedAndDamagedFramesAreRetriedUpToElevenTimes) {
    const struct {
        BoardFaults faults;
        TransferResult expected;
        const char* detail;
    } cases[] = {
        {{.rejectSends = 10}, TransferResult::Succeeded, ""},
        {{.corruptReplies = 10}, TransferResult::Succeeded, ""},
        {{.rejectSends = 3, .corruptReplies = 3}, TransferResult::Succeeded, ""},
        {{.rejectSends = 11}, TransferResult::FrameRejected, "控制板連續11次拒收開始訊息"},
        {{.corruptReplies = 11}, TransferResult::BadBoardFrame, "控制板的應答訊息連續11次校驗錯誤"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.detail);
        BoardRun board(FastBoard(c.faults));
        const QByteArray image = CountingImage(70);
        const ExchangeRun run = Exchange(board.Host(), image);
        EXPECT_EQ(run.outcome.result, c.expected);
        if (c.expected == TransferResult::Succeeded) {
            EXPECT_EQ(board.Session().image, image);
        } else {
            EXPECT_EQ(run.outcome.message, Failed(70) + QStringLiteral("：") + QString::fromUtf8(c.detail));
            EXPECT_LE(run.progress.size(), 1);  // nothing after the step that gave up
        }
    }
}

TEST(Exchange, AnImageTooLongForTheHeaderSendsNothing) {
    ScriptedLink link;
    const ExchangeRun run = Exchange(link, QByteArray(kMaxImageLength + 1, 'x'));
    EXPECT_EQ(run.outcome.result, TransferResult::TooLarge);
    EXPECT_TRUE(run.outcome.message.startsWith(Failed(kMaxImageLength + 1))) << run.outcome.message.toStdString();
    EXPECT_TRUE(link.sent.empty());
    EXPECT_TRUE(run.progress.isEmpty());
}

TEST(Exchange, RefusedGoAheadSendsNoBlockAndKeepsTheOriginalMessage) {
    BoardRun board(FastBoard({.refuseGoAhead = true}));
    const ExchangeRun run = Exchange(board.Host(), CountingImage(22));
    EXPECT_EQ(run.outcome.result, TransferResult::NoGoAhead);
    EXPECT_EQ(run.outcome.message, Failed(22));
    EXPECT_EQ(run.progress, QStringList({"1", "2", "3", "4"}));
    EXPECT_EQ(board.Session().end, BoardSession::End::Refused);
    EXPECT_EQ(board.Session().hostFrames.size(), 2u);
}

TEST(Exchange, AShortGoAheadDoesNotPassOnTheFirstReplysBytes) {
    ScriptedLink link;
    link.Add({kAccept});
    link.AddFrame({0xAA, 0xAA, 0xAA});  // first reply
    link.Add({kAccept});
    link.AddFrame({0xAA});  // go-ahead of one byte
    const ExchangeRun run = Exchange(link, CountingImage(10));
    EXPECT_EQ(run.outcome.result, TransferResult::NoGoAhead);
    EXPECT_EQ(link.clears, 1);
    // Opening, answer to the first reply, header, answer to the go-ahead: and no block.
    EXPECT_EQ(link.sent.size(), 11u + 1 + 76 + 1);
}

TEST(Exchange, ASilentBoardEndsTheTransferAtEveryStep) {
    const char* where[] = {"開始訊息", "控制板的應答訊息", "標頭訊息", "控制板的許可訊息", "第1塊數據（共2塊）"};
    for (int step = 0; step <= 4; ++step) {
        SCOPED_TRACE(step);
        BoardRun board(FastBoard({.silentAfterStep = step}));
        const auto started = std::chrono::steady_clock::now();
        const ExchangeRun run = Exchange(board.Host(), CountingImage(100), 50ms);
        EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
        EXPECT_EQ(run.outcome.result, TransferResult::BoardSilent);
        EXPECT_EQ(run.outcome.message,
                  Failed(100) + QStringLiteral("：控制板在0.05秒內沒有回應（%1），請檢查連線和電源")
                                    .arg(QString::fromUtf8(where[step])));
        EXPECT_EQ(run.progress.size(), step);
    }
}

TEST(Exchange, AHangUpEndsTheTransferWithAPortFailure) {
    BoardRun board(FastBoard({.hangUpAfterBlock = 1}));
    const ExchangeRun run = Exchange(board.Host(), CountingImage(200));
    EXPECT_EQ(run.outcome.result, TransferResult::PortFailed);
    EXPECT_EQ(run.outcome.message, Failed(200) + QStringLiteral("：連線已關閉（第2塊數據（共4塊））"));
    EXPECT_EQ(run.progress.last(), "5:1");
}

TEST(Exchange, CancelEndsAWaitAtOnce) {
    BoardRun board(FastBoard({.silentAfterStep = 1}));
    MemoryLink& host = board.Host();
    std::thread canceller([&] {
        std::this_thread::sleep_for(100ms);
        host.Cancel();
    });
    const auto started = std::chrono::steady_clock::now();
    const ExchangeRun run = Exchange(host, CountingImage(10), 10s);
    canceller.join();
    EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
    EXPECT_EQ(run.outcome.result, TransferResult::Cancelled);
    EXPECT_EQ(run.outcome.message, Failed(10) + QStringLiteral("：下載已取消"));
}
