#include "download/pseudo_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "error.h"

namespace varnoki::download {

PseudoTerminal::PseudoTerminal() {
    // Raw from the start: no echo, no line editing, every byte passed as it is.
    termios raw{};
    cfmakeraw(&raw);
    char name[256];
    if (openpty(&boardFd_, &portFd_, name, &raw, nullptr) != 0) {
        throw Error(std::string("openpty: ") + std::strerror(errno));
    }
    fcntl(boardFd_, F_SETFD, FD_CLOEXEC);
    fcntl(portFd_, F_SETFD, FD_CLOEXEC);
    devicePath_ = QString::fromLocal8Bit(name);
}

PseudoTerminal::~PseudoTerminal() {
    HangUp();
    if (portFd_ >= 0) close(portFd_);
}

void PseudoTerminal::WaitForPortClosed(std::chrono::milliseconds limit) {
    if (portFd_ >= 0) close(portFd_);
    portFd_ = -1;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return;
        pollfd board{boardFd_, POLLIN, 0};
        const int ready = poll(&board, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno != EINTR) return;
        // The board's end reports a hang-up once no one has the port end open.
        if (board.revents & (POLLHUP | POLLERR | POLLNVAL)) return;
        if (board.revents & POLLIN) {
            char discard[256];
            if (read(boardFd_, discard, sizeof discard) < 0 && errno != EINTR) return;
        }
    }
}

void PseudoTerminal::HangUp() {
    if (boardFd_ < 0) return;
    close(boardFd_);
    boardFd_ = -1;
}

}  // namespace varnoki::download
