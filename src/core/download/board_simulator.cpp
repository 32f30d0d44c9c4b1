#include "download/board_simulator.h"

#include <algorithm>
#include <thread>

#include "download/exchange.h"
#include "download/frame.h"

namespace varnoki::download {

namespace {

// 10 bits (start, 8 data, stop) at 115200 baud.
constexpr std::chrono::nanoseconds kWireByteTime{86806};

const std::vector<std::uint8_t> kFirstReply = {'V', 'K', '0', '1'};
const std::vector<std::uint8_t> kGoAhead = {0xAA, 0xAA};
const std::vector<std::uint8_t> kRefusal = {0xAA, 0xAB};

}  // namespace

// The board's end of the line: counts what arrives, and at wire speed keeps one clock for the
// half-duplex line, so no byte is answered before the line could have carried it.
class BoardSimulator::Line final : public ByteLink {
public:
    Line(ByteLink& inner, bool wireSpeed) : inner_(inner), wireSpeed_(wireSpeed) {}

    void SendByte(std::uint8_t byte) override {
        if (wireSpeed_) {
            busyUntil_ = std::max(busyUntil_, std::chrono::steady_clock::now()) + kWireByteTime;
            std::this_thread::sleep_until(busyUntil_);
        }
        inner_.SendByte(byte);
    }
    std::uint8_t ReceiveByte(std::chrono::milliseconds timeout) override {
        const std::uint8_t byte = inner_.ReceiveByte(timeout);
        ++received_;
        if (wireSpeed_) busyUntil_ = std::max(busyUntil_, std::chrono::steady_clock::now()) + kWireByteTime;
        return byte;
    }
    void ClearLink() override { inner_.ClearLink(); }
    void Cancel() override { inner_.Cancel(); }

    long long Received() const { return received_; }
    void ResetCount() { received_ = 0; }

private:
    ByteLink& inner_;
    const bool wireSpeed_;
    std::chrono::steady_clock::time_point busyUntil_;
    long long received_ = 0;
};

BoardSimulator::BoardSimulator(ByteLink& link, BoardOptions options)
    : line_(std::make_unique<Line>(link, options.wireSpeed)), options_(options) {}

BoardSimulator::~BoardSimulator() = default;

BoardSession BoardSimulator::ServeOne(std::chrono::milliseconds firstByteWait) {
    const BoardFaults& faults = options_.faults;
    const auto idle = options_.idleLimit;
    BoardSession session;
    line_->ResetCount();
    try {
        TakeFrame(session, 1, firstByteWait);
        GiveFrame(2, kFirstReply);
        const QByteArray header = TakeFrame(session, 3, idle);
        session.announcedLength = header.size() < 2 ? 0 : std::uint8_t(header[0]) | std::uint8_t(header[1]) << 8;
        GiveFrame(4, faults.refuseGoAhead ? kRefusal : kGoAhead);
        if (faults.refuseGoAhead) {
            session.end = BoardSession::End::Refused;
            return session;
        }
        const int blocks = BlockCount(session.announcedLength);
        for (int block = 1; block <= blocks; ++block) {
            const QByteArray data = TakeFrame(session, 5, idle);
            session.blockSizes.push_back(static_cast<int>(data.size()));
            session.image += data;
            if (block == faults.hangUpAfterBlock) {
                // Drop the line once the next block is on its way, so the host is cut off in the
                // middle of it rather than before it has read the answer to this one.
                try {
                    line_->ReceiveByte(idle);
                } catch (const LinkError& error) {
                    if (error.kind() != LinkError::Kind::Silent) throw;
                }
                session.end = BoardSession::End::HangUp;
                return session;
            }
        }
        session.end = BoardSession::End::Completed;
    } catch (const LinkError& error) {
        if (error.kind() != LinkError::Kind::Silent || line_->Received() == 0) throw;
        session.end = BoardSession::End::Abandoned;
    }
    return session;
}

QByteArray BoardSimulator::TakeFrame(BoardSession& session, int step, std::chrono::milliseconds firstByteWait) {
    if (QuietAt(step)) StayQuiet(firstByteWait);
    FrameBuffer buffer;
    for (int attempt = 1;; ++attempt) {
        const ReadResult frame =
            ReadFrame(*line_, buffer, options_.idleLimit, attempt == 1 ? firstByteWait : options_.idleLimit);
        const bool take = frame.intact && attempt > options_.faults.rejectSends;
        line_->SendByte(take ? kAccept : kReject);
        if (take) {
            session.hostFrames.emplace_back(reinterpret_cast<const char*>(buffer.data()), frame.length);
            return session.hostFrames.back();
        }
    }
}

void BoardSimulator::GiveFrame(int step, const std::vector<std::uint8_t>& data) {
    if (QuietAt(step)) StayQuiet(options_.idleLimit);
    for (int attempt = 1;; ++attempt) {
        std::vector<std::uint8_t> wire = EncodeFrame(data);
        if (attempt <= options_.faults.corruptReplies) wire.back() ^= 0xFF;
        for (const std::uint8_t byte : wire) line_->SendByte(byte);
        if (line_->ReceiveByte(options_.idleLimit) == kAccept) return;
    }
}

bool BoardSimulator::QuietAt(int step) const {
    return options_.faults.silentAfterStep >= 0 && step > options_.faults.silentAfterStep;
}

// Takes whatever the host still sends, answering nothing, until it gives up.
void BoardSimulator::StayQuiet(std::chrono::milliseconds firstByteWait) {
    line_->ReceiveByte(firstByteWait);
    for (;;) line_->ReceiveByte(options_.idleLimit);
}

}  // namespace varnoki::download
