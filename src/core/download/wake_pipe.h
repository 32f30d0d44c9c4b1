#pragma once

// Lets one thread wake another that is blocked waiting for a file descriptor to become readable.
// The wake-up is sticky: once woken, every later wait returns Woken at once.

#include <atomic>
#include <chrono>

namespace varnoki::download {

class WakePipe {
public:
    enum class Wait { Readable, Woken, Deadline };

    WakePipe();  // throws varnoki::Error when the system has no pipe left
    ~WakePipe();
    WakePipe(const WakePipe&) = delete;
    WakePipe& operator=(const WakePipe&) = delete;

    // Any thread.
    void Wake();
    bool Woken() const { return woken_.load(); }

    // Blocks until `fd` is readable (or hung up, or in error: the read that follows tells which),
    // until Wake() is called, or until the deadline.
    Wait WaitReadable(int fd, std::chrono::steady_clock::time_point deadline) const;

private:
    int readEnd_ = -1;
    int writeEnd_ = -1;
    std::atomic<bool> woken_{false};
};

}  // namespace varnoki::download
