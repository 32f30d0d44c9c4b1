#include "download/frame.h"

#include <cassert>

namespace varnoki::download {

FrameCheck FrameChecksum(std::span<const std::uint8_t> data) {
    FrameCheck result;
    for (const std::uint8_t byte : data) {
        result.sum = static_cast<std::uint16_t>(result.sum + byte);
        result.check ^= byte;
    }
    return result;
}

std::vector<std::uint8_t> EncodeFrame(std::span<const std::uint8_t> data) {
    assert(!data.empty() && data.size() <= kMaxFrameData);
    const FrameCheck check = FrameChecksum(data);
    std::vector<std::uint8_t> wire;
    wire.reserve(data.size() + 4);
    wire.push_back(static_cast<std::uint8_t>(data.size()));  // 256 wraps to 0, as the format wants
    wire.insert(wire.end(), data.begin(), data.end());
    wire.push_back(static_cast<std::uint8_t>(check.sum & 0xFF));
    wire.push_back(static_cast<std::uint8_t>(check.sum >> 8));
    wire.push_back(check.check);
    return wire;
}

void WriteFrame(ByteLink& link, std::span<const std::uint8_t> data) {
    for (const std::uint8_t byte : EncodeFrame(data)) link.SendByte(byte);
}

ReadResult ReadFrame(ByteLink& link, FrameBuffer& buffer, std::chrono::milliseconds timeout,
                     std::optional<std::chrono::milliseconds> firstByteTimeout) {
    const std::uint8_t lengthByte = link.ReceiveByte(firstByteTimeout.value_or(timeout));
    const int length = lengthByte == 0 ? kMaxFrameData : lengthByte;
    for (int i = 0; i < length; ++i) buffer[static_cast<size_t>(i)] = link.ReceiveByte(timeout);
    FrameCheck received;
    received.sum = link.ReceiveByte(timeout);
    received.sum = static_cast<std::uint16_t>(received.sum | link.ReceiveByte(timeout) << 8);
    received.check = link.ReceiveByte(timeout);
    const FrameCheck computed = FrameChecksum(std::span(buffer.data(), static_cast<size_t>(length)));
    return {length, computed == received};
}

FrameStatus SendFrame(ByteLink& link, std::span<const std::uint8_t> data, std::chrono::milliseconds timeout) {
    WriteFrame(link, data);
    return link.ReceiveByte(timeout) == kAccept ? FrameStatus::Good : FrameStatus::Bad;
}

ReceiveResult ReceiveFrame(ByteLink& link, FrameBuffer& buffer, std::chrono::milliseconds timeout) {
    const ReadResult frame = ReadFrame(link, buffer, timeout);
    link.SendByte(frame.intact ? kAccept : kReject);
    return {frame.intact ? FrameStatus::Good : FrameStatus::Bad, frame.length};
}

RetryStatus SendFrameRetrying(ByteLink& link, std::span<const std::uint8_t> data, std::chrono::milliseconds timeout) {
    for (int attempt = 0; attempt < kFrameAttempts; ++attempt) {
        if (SendFrame(link, data, timeout) == FrameStatus::Good) return RetryStatus::Done;
    }
    return RetryStatus::GaveUp;
}

RetryReceiveResult ReceiveFrameRetrying(ByteLink& link, FrameBuffer& buffer, std::chrono::milliseconds timeout) {
    for (int attempt = 0; attempt < kFrameAttempts; ++attempt) {
        const ReceiveResult frame = ReceiveFrame(link, buffer, timeout);
        if (frame.status == FrameStatus::Good) return {RetryStatus::Done, frame.length};
    }
    return {RetryStatus::GaveUp, 0};
}

}  // namespace varnoki::download
