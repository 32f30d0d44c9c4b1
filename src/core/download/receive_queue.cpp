#include "download/receive_queue.h"

#include "download/byte_link.h"

namespace varnoki::download {

bool ReceiveQueue::Push(std::string_view bytes) {
    {
        std::lock_guard lock(mutex_);
        if (closedReason_) return false;
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    }
    arrived_.notify_all();
    return true;
}

std::optional<std::uint8_t> ReceiveQueue::TryPop() {
    std::lock_guard lock(mutex_);
    if (bytes_.empty()) return std::nullopt;
    const std::uint8_t byte = bytes_.front();
    bytes_.pop_front();
    return byte;
}

std::uint8_t ReceiveQueue::Pop(std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    const bool woken =
        arrived_.wait_until(lock, deadline, [&] { return interrupted_ || !bytes_.empty() || closedReason_; });
    if (interrupted_) throw LinkError::Cancelled();
    if (!woken) throw LinkError::Silent();
    if (bytes_.empty()) throw LinkError::PortFailed(*closedReason_);
    const std::uint8_t byte = bytes_.front();
    bytes_.pop_front();
    return byte;
}

void ReceiveQueue::Clear() {
    std::lock_guard lock(mutex_);
    bytes_.clear();
}

void ReceiveQueue::Interrupt() {
    {
        std::lock_guard lock(mutex_);
        interrupted_ = true;
    }
    arrived_.notify_all();
}

void ReceiveQueue::Close(const std::string& reason) {
    {
        std::lock_guard lock(mutex_);
        if (!closedReason_) closedReason_ = reason;
    }
    arrived_.notify_all();
}

}  // namespace varnoki::download
