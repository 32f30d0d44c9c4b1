#pragma once

// First-in, first-out queue of received bytes, safe to fill on one thread and empty on another.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace varnoki::download {

class ReceiveQueue {
public:
    // Appends bytes in order; returns false (appending nothing) once the queue is closed.
    bool Push(std::string_view bytes);
    // The head byte, or nothing when the queue is empty. Never waits.
    std::optional<std::uint8_t> TryPop();
    // The head byte, waiting until `deadline` for one. Throws LinkError: Silent when the deadline
    // passes, Cancelled once Interrupt() was called, PortFailed with the closing reason when the
    // queue is closed and every byte pushed before has been taken.
    std::uint8_t Pop(std::chrono::steady_clock::time_point deadline);
    void Clear();
    // Wakes every waiter for good: Pop throws Cancelled from now on.
    void Interrupt();
    // The sending side went away: later pushes are refused, waiters wake once the queue is empty.
    void Close(const std::string& reason);

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<std::uint8_t> bytes_;
    bool interrupted_ = false;
    std::optional<std::string> closedReason_;
};

}  // namespace varnoki::download
