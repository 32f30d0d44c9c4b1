#pragma once

// The exchange with the board, run on the transfer's worker thread:
//   opening message -> board's first reply -> header frame with the image length
//   -> board's go-ahead (AA AA) -> the image in blocks of 64 bytes, 50 ms apart.
// Progress lines "1", "2", "3", "4" and "5:k" follow the steps.

#include <QByteArray>
#include <QString>
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

#include "download/byte_link.h"
#include "download/transfer_outcome.h"

namespace varnoki::download {

// The header announces the image length in 16 bits.
inline constexpr qsizetype kMaxImageLength = 65535;
inline constexpr int kBlockSize = 64;
inline constexpr std::chrono::milliseconds kBlockPause{50};

inline constexpr std::array<std::uint8_t, 7> kOpeningMessage = {0x00, 0x54, 0x43, 0xE8, 0x03, 0x00, 0xFA};

// 72 bytes: the image length low byte first, then every byte holds its own position (2 to 71).
std::array<std::uint8_t, 72> HeaderFrame(qsizetype imageLength);

int BlockCount(qsizetype imageLength);

using ProgressSink = std::function<void(const QString& line)>;

// The outcome for an image too long for the header's 16-bit length, or nothing when it fits.
std::optional<TransferOutcome> RefuseTooLarge(qsizetype imageLength);

// Clears the link and runs the whole exchange; an image over kMaxImageLength bytes is refused before
// anything is sent. Never throws: a silent board, rejected or damaged frames, a port failure and a cancel all end in
// the outcome.
TransferOutcome RunExchange(ByteLink& link, const QByteArray& image, std::chrono::milliseconds timeout,
                            const ProgressSink& progress);

}  // namespace varnoki::download
