#include "download/memory_link.h"

namespace varnoki::download {
namespace {

const char* const kHungUp = "連線已關閉";

}  // namespace

std::pair<std::unique_ptr<MemoryLink>, std::unique_ptr<MemoryLink>> MemoryLink::Pair() {
    auto aToB = std::make_shared<ReceiveQueue>();
    auto bToA = std::make_shared<ReceiveQueue>();
    return {std::unique_ptr<MemoryLink>(new MemoryLink(bToA, aToB)),
            std::unique_ptr<MemoryLink>(new MemoryLink(aToB, bToA))};
}

MemoryLink::MemoryLink(std::shared_ptr<ReceiveQueue> incoming, std::shared_ptr<ReceiveQueue> outgoing)
    : incoming_(std::move(incoming)), outgoing_(std::move(outgoing)) {}

void MemoryLink::SendByte(std::uint8_t byte) {
    const char data = static_cast<char>(byte);
    if (cancelled_.load()) throw LinkError::Cancelled();
    if (!outgoing_->Push(std::string_view(&data, 1))) throw LinkError::PortFailed(kHungUp);
}

std::uint8_t MemoryLink::ReceiveByte(std::chrono::milliseconds timeout) {
    return incoming_->Pop(std::chrono::steady_clock::now() + timeout);
}

void MemoryLink::ClearLink() { incoming_->Clear(); }

void MemoryLink::Cancel() {
    cancelled_.store(true);
    incoming_->Interrupt();
}

void MemoryLink::HangUp() {
    incoming_->Close(kHungUp);
    outgoing_->Close(kHungUp);
}

}  // namespace varnoki::download
