#include "download/exchange.h"

#include <algorithm>
#include <span>
#include <thread>

#include "download/frame.h"

namespace varnoki::download {
namespace {

enum class Step { Opening, FirstReply, Header, GoAhead, Block };

// Where the exchange stood, for the failure message.
struct Position {
    Step step = Step::Opening;
    int block = 0;
    int blocks = 0;

    QString Describe() const {
        switch (step) {
            case Step::Opening:
                return QStringLiteral("開始訊息");
            case Step::FirstReply:
                return QStringLiteral("控制板的應答訊息");
            case Step::Header:
                return QStringLiteral("標頭訊息");
            case Step::GoAhead:
                return QStringLiteral("控制板的許可訊息");
            case Step::Block:
                return QStringLiteral("第%1塊數據（共%2塊）").arg(block).arg(blocks);
        }
        return {};
    }
};

// A step that gave up after its retries; carries the outcome up to RunExchange.
struct StepFailed {
    TransferResult result;
};

void Send(ByteLink& link, std::span<const std::uint8_t> data, std::chrono::milliseconds timeout) {
    if (SendFrameRetrying(link, data, timeout) == RetryStatus::GaveUp) throw StepFailed{TransferResult::FrameRejected};
}

int Receive(ByteLink& link, FrameBuffer& buffer, std::chrono::milliseconds timeout) {
    const RetryReceiveResult frame = ReceiveFrameRetrying(link, buffer, timeout);
    if (frame.status == RetryStatus::GaveUp) throw StepFailed{TransferResult::BadBoardFrame};
    return frame.length;
}

QString Seconds(std::chrono::milliseconds timeout) { return QString::number(timeout.count() / 1000.0); }

QString FailureDetail(TransferResult result, const Position& at, std::chrono::milliseconds timeout,
                      const QString& linkMessage) {
    switch (result) {
        case TransferResult::BoardSilent:
            return QStringLiteral("控制板在%1秒內沒有回應（%2），請檢查連線和電源")
                .arg(Seconds(timeout), at.Describe());
        case TransferResult::FrameRejected:
            return QStringLiteral("控制板連續%1次拒收%2").arg(kFrameAttempts).arg(at.Describe());
        case TransferResult::BadBoardFrame:
            return QStringLiteral("%1連續%2次校驗錯誤").arg(at.Describe()).arg(kFrameAttempts);
        case TransferResult::PortFailed:
            return QStringLiteral("%1（%2）").arg(linkMessage, at.Describe());
        case TransferResult::Cancelled:
            return QStringLiteral("下載已取消");
        default:
            return {};
    }
}

TransferResult ResultOf(LinkError::Kind kind) {
    switch (kind) {
        case LinkError::Kind::Silent:
            return TransferResult::BoardSilent;
        case LinkError::Kind::Cancelled:
            return TransferResult::Cancelled;
        case LinkError::Kind::PortFailed:
            break;
    }
    return TransferResult::PortFailed;
}

}  // namespace

std::array<std::uint8_t, 72> HeaderFrame(qsizetype imageLength) {
    std::array<std::uint8_t, 72> header;
    for (size_t i = 0; i < header.size(); ++i) header[i] = static_cast<std::uint8_t>(i);
    header[0] = static_cast<std::uint8_t>(imageLength & 0xFF);
    header[1] = static_cast<std::uint8_t>((imageLength >> 8) & 0xFF);
    return header;
}

int BlockCount(qsizetype imageLength) { return static_cast<int>((imageLength + kBlockSize - 1) / kBlockSize); }

std::optional<TransferOutcome> RefuseTooLarge(qsizetype imageLength) {
    if (imageLength <= kMaxImageLength) return std::nullopt;
    return MakeOutcome(TransferResult::TooLarge, imageLength,
                       QStringLiteral("程序太大，最多只能下載%1字節").arg(kMaxImageLength));
}

TransferOutcome RunExchange(ByteLink& link, const QByteArray& image, std::chrono::milliseconds timeout,
                            const ProgressSink& progress) {
    if (auto refused = RefuseTooLarge(image.size())) return *refused;
    const qsizetype length = image.size();
    Position at{Step::Opening, 0, BlockCount(length)};
    try {
        link.ClearLink();
        Send(link, kOpeningMessage, timeout);
        progress(QStringLiteral("1"));

        at.step = Step::FirstReply;
        FrameBuffer reply;
        Receive(link, reply, timeout);
        progress(QStringLiteral("2"));

        at.step = Step::Header;
        Send(link, HeaderFrame(length), timeout);
        progress(QStringLiteral("3"));

        at.step = Step::GoAhead;
        // Only this reply's own bytes count: a short reply must not pass on what the first one left.
        const int replyLength = Receive(link, reply, timeout);
        progress(QStringLiteral("4"));
        if (replyLength < 2 || reply[0] != 0xAA || reply[1] != 0xAA)
            return MakeOutcome(TransferResult::NoGoAhead, length);

        at.step = Step::Block;
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(image.constData());
        for (at.block = 1; at.block <= at.blocks; ++at.block) {
            const qsizetype offset = qsizetype(at.block - 1) * kBlockSize;
            Send(link, std::span(bytes + offset, static_cast<size_t>(std::min<qsizetype>(kBlockSize, length - offset))),
                 timeout);
            progress(QStringLiteral("5:%1").arg(at.block));
            std::this_thread::sleep_for(kBlockPause);
        }
        return MakeOutcome(TransferResult::Succeeded, length);
    } catch (const StepFailed& failure) {
        return MakeOutcome(failure.result, length, FailureDetail(failure.result, at, timeout, {}));
    } catch (const LinkError& error) {
        const TransferResult result = ResultOf(error.kind());
        return MakeOutcome(result, length, FailureDetail(result, at, timeout, QString::fromUtf8(error.what())));
    }
}

}  // namespace varnoki::download
