#pragma once

// Two links joined back to back in memory: what one end sends, the other receives. Lets the
// transfer and the board simulator run against each other on two threads without any port.

#include <atomic>
#include <memory>

#include "download/byte_link.h"
#include "download/receive_queue.h"

namespace varnoki::download {

class MemoryLink final : public ByteLink {
public:
    // The two ends of a new pair.
    static std::pair<std::unique_ptr<MemoryLink>, std::unique_ptr<MemoryLink>> Pair();

    void SendByte(std::uint8_t byte) override;
    std::uint8_t ReceiveByte(std::chrono::milliseconds timeout) override;
    void ClearLink() override;
    void Cancel() override;
    // Like pulling the cable: this end stops, the other end gets what was already sent and then
    // fails to send and to receive.
    void HangUp();

private:
    MemoryLink(std::shared_ptr<ReceiveQueue> incoming, std::shared_ptr<ReceiveQueue> outgoing);

    std::shared_ptr<ReceiveQueue> incoming_;
    std::shared_ptr<ReceiveQueue> outgoing_;
    std::atomic<bool> cancelled_{false};
};

}  // namespace varnoki::download
