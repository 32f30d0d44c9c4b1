#pragma once

// Frames, the unit of every exchange with the board, in both directions:
//   N (1..255, or 0 for 256) | N data bytes | sum low | sum high | check
// The sum is the 16-bit sum of the data bytes, the check byte their exclusive-or; the length byte
// is covered by neither. The receiver answers every frame with kAccept or kReject.

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "download/byte_link.h"

namespace varnoki::download {

inline constexpr std::uint8_t kAccept = 0x5A;
inline constexpr std::uint8_t kReject = 0xA5;
inline constexpr int kMaxFrameData = 256;
// A frame is sent, or read, at most this many times before the exchange gives up.
inline constexpr int kFrameAttempts = 11;

using FrameBuffer = std::array<std::uint8_t, kMaxFrameData>;

struct FrameCheck {
    std::uint16_t sum = 0;
    std::uint8_t check = 0;
    bool operator==(const FrameCheck&) const = default;
};

enum class FrameStatus { Good = 0, Bad = 3 };
enum class RetryStatus { Done = 0, GaveUp = 1 };

FrameCheck FrameChecksum(std::span<const std::uint8_t> data);

// The frame of `data` (1 to 256 bytes) as it goes over the wire.
std::vector<std::uint8_t> EncodeFrame(std::span<const std::uint8_t> data);

// Sends the frame byte by byte without waiting for the answer.
void WriteFrame(ByteLink& link, std::span<const std::uint8_t> data);

struct ReadResult {
    int length = 0;       // data bytes now at the start of the buffer
    bool intact = false;  // sum and check byte match the data
};
// Reads one whole frame without answering it. Every byte is waited for at most `timeout`, the
// length byte at most `firstByteTimeout` when one is given.
ReadResult ReadFrame(ByteLink& link, FrameBuffer& buffer, std::chrono::milliseconds timeout,
                     std::optional<std::chrono::milliseconds> firstByteTimeout = std::nullopt);

// Sends the frame and takes the answer: Good when the board accepted it.
FrameStatus SendFrame(ByteLink& link, std::span<const std::uint8_t> data, std::chrono::milliseconds timeout);

// Reads one frame and answers it: Good (answered kAccept) when it is intact.
struct ReceiveResult {
    FrameStatus status = FrameStatus::Bad;
    int length = 0;
};
ReceiveResult ReceiveFrame(ByteLink& link, FrameBuffer& buffer, std::chrono::milliseconds timeout);

// SendFrame again until accepted, at most kFrameAttempts times in all.
RetryStatus SendFrameRetrying(ByteLink& link, std::span<const std::uint8_t> data, std::chrono::milliseconds timeout);

// ReceiveFrame again until one is intact, at most kFrameAttempts times in all.
struct RetryReceiveResult {
    RetryStatus status = RetryStatus::GaveUp;
    int length = 0;
};
RetryReceiveResult ReceiveFrameRetrying(ByteLink& link, FrameBuffer& buffer, std::chrono::milliseconds timeout);

}  // namespace varnoki::download
