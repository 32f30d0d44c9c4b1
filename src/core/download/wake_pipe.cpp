#include "download/wake_pipe.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "error.h"

namespace varnoki::download {

WakePipe::WakePipe() {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) throw Error(std::string("pipe: ") + std::strerror(errno));
    readEnd_ = ends[0];
    writeEnd_ = ends[1];
}

WakePipe::~WakePipe() {
    close(readEnd_);
    close(writeEnd_);
}

void WakePipe::Wake() {
    if (woken_.exchange(true)) return;
    const char byte = 1;
    // The pipe is empty before the first wake, so this one byte always fits.
    [[maybe_unused]] const ssize_t written = write(writeEnd_, &byte, 1);
}

WakePipe::Wait WakePipe::WaitReadable(int fd, std::chrono::steady_clock::time_point deadline) const {
    using namespace std::chrono;
    pollfd fds[2] = {{fd, POLLIN, 0}, {readEnd_, POLLIN, 0}};
    for (;;) {
        if (woken_.load()) return Wait::Woken;
        const auto left = deadline - steady_clock::now();
        if (left <= steady_clock::duration::zero()) return Wait::Deadline;
        const auto leftNs = duration_cast<nanoseconds>(left).count();
        const timespec timeout{static_cast<time_t>(leftNs / 1'000'000'000), static_cast<long>(leftNs % 1'000'000'000)};
        const int ready = ppoll(fds, 2, &timeout, nullptr);
        if (ready < 0 && errno != EINTR) return Wait::Readable;  // let the read report what is wrong
        if (fds[1].revents != 0) return Wait::Woken;
        if (fds[0].revents != 0) return Wait::Readable;
    }
}

}  // namespace varnoki::download
