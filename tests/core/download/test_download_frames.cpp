#include <gtest/gtest.h>

#include <numeric>

#include "download/exchange.h"
#include "download/frame.h"
#include "scripted_link.h"

using namespace varnoki::download;
using varnoki::download::testing::ScriptedLink;
using Bytes = std::vector<std::uint8_t>;

namespace {

constexpr std::chrono::milliseconds kWait{10};

}  // namespace

TEST(Frame, OpeningMessageOnTheWire) {
    EXPECT_EQ(EncodeFrame(kOpeningMessage), (Bytes{0x07, 0x00, 0x54, 0x43, 0xE8, 0x03, 0x00, 0xFA, 0x7C, 0x02, 0x06}));
}

TEST(Frame, HeaderFrameCarriesTheLengthThenThePositions) {
    const auto header = HeaderFrame(0x1234);
    const Bytes wire = EncodeFrame(header);
    ASSERT_EQ(wire.size(), 76u);
    EXPECT_EQ(wire[0], 0x48);
    EXPECT_EQ(Bytes(wire.begin() + 1, wire.begin() + 6), (Bytes{0x34, 0x12, 0x02, 0x03, 0x04}));
    EXPECT_EQ(wire[72], 0x47);
    EXPECT_EQ(HeaderFrame(0)[0], 0);
    EXPECT_EQ(HeaderFrame(0)[1], 0);
    EXPECT_EQ(HeaderFrame(65535)[1], 0xFF);
}

TEST(Frame, A256ByteFrameHasLengthByteZero) {
    Bytes data(256, 0xFF);
    EXPECT_EQ(FrameChecksum(data), (FrameCheck{256 * 0xFF, 0x00}));
    EXPECT_EQ(EncodeFrame(data).front(), 0);
    EXPECT_EQ(EncodeFrame(data).size(), 260u);
}

TEST(SendFrame, AnswerDecides) {
    for (const auto& [answer, expected] : {std::pair{kAccept, FrameStatus::Good}, std::pair{kReject, FrameStatus::Bad},
                                           std::pair{std::uint8_t(0x00), FrameStatus::Bad}}) {
        ScriptedLink link;
        link.Add({answer});
        EXPECT_EQ(SendFrame(link, Bytes{1, 2, 3}, kWait), expected);
        EXPECT_EQ(link.sent, (Bytes{3, 1, 2, 3, 6, 0, 0}));
    }
}

TEST(ReceiveFrame, A256ByteFrameFromTheBoard) {
    Bytes data(256);
    std::iota(data.begin(), data.end(), 0);
    ScriptedLink link;
    link.AddFrame(data);
    FrameBuffer buffer{};
    const ReceiveResult result = ReceiveFrame(link, buffer, kWait);
    EXPECT_EQ(result.status, FrameStatus::Good);
    EXPECT_EQ(result.length, 256);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), buffer.begin()));
    EXPECT_EQ(link.sent, Bytes{kAccept});
}

TEST(ReceiveFrame, DamagedFrameIsRejectedAndReadAgain) {
    ScriptedLink link;
    for (const int damaged : {1, 2, 3}) {  // sum low, sum high, check byte
        Bytes wire = EncodeFrame(Bytes{0xAA, 0xAA});
        wire[wire.size() - size_t(damaged)] ^= 0x01;
        link.script.insert(link.script.end(), wire.begin(), wire.end());
    }
    link.AddFrame({0xAA, 0xAA});
    FrameBuffer buffer{};
    const RetryReceiveResult result = ReceiveFrameRetrying(link, buffer, kWait);
    EXPECT_EQ(result.status, RetryStatus::Done);
    EXPECT_EQ(result.length, 2);
    EXPECT_EQ(link.sent, (Bytes{kReject, kReject, kReject, kAccept}));
}

TEST(Retrying, GivesUpAfterElevenAttemptsAndNotBefore) {
    {
        ScriptedLink link;
        for (int i = 0; i < 10; ++i) link.Add({kReject});
        link.Add({kAccept});
        EXPECT_EQ(SendFrameRetrying(link, Bytes{9}, kWait), RetryStatus::Done);
        EXPECT_EQ(link.sent.size(), 11u * 5);
    }
    {
        ScriptedLink link;
        for (int i = 0; i < 11; ++i) link.Add({kReject});
        link.Add({kAccept});
        EXPECT_EQ(SendFrameRetrying(link, Bytes{9}, kWait), RetryStatus::GaveUp);
        EXPECT_EQ(link.script.size(), 1u);  // the twelfth answer is never asked for
    }
    {
        ScriptedLink link;
        Bytes bad = EncodeFrame(Bytes{1});
        bad.back() ^= 0xFF;
        for (int i = 0; i < 11; ++i) link.script.insert(link.script.end(), bad.begin(), bad.end());
        FrameBuffer buffer{};
        EXPECT_EQ(ReceiveFrameRetrying(link, buffer, kWait).status, RetryStatus::GaveUp);
        EXPECT_EQ(link.sent, Bytes(11, kReject));
    }
}

TEST(ReceiveFrame, SilenceInsideAFrameIsReported) {
    ScriptedLink link;
    link.Add({5, 1, 2});  // announces 5 data bytes, sends 2
    FrameBuffer buffer{};
    try {
        ReceiveFrame(link, buffer, kWait);
        FAIL() << "no error";
    } catch (const LinkError& error) {
        EXPECT_EQ(error.kind(), LinkError::Kind::Silent);
    }
}
