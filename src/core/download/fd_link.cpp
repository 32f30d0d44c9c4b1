#include "download/fd_link.h"

#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace varnoki::download {
namespace {

[[noreturn]] void ThrowClosed(int error) {
    throw LinkError::PortFailed(error == 0 ? std::string("連線已關閉")
                                           : std::string("連線錯誤：") + std::strerror(error));
}

}  // namespace

void FdLink::SendByte(std::uint8_t byte) {
    ThrowIfCancelled();
    for (;;) {
        const ssize_t written = write(fd_, &byte, 1);
        if (written == 1) return;
        if (written < 0 && errno != EINTR) ThrowClosed(errno);
    }
}

void FdLink::ClearLink() {
    DropReceived();
    tcflush(fd_, TCIOFLUSH);
}

void FdLink::ReadArrived(ReceiveQueue& queue) {
    char buffer[256];
    ssize_t count;
    do count = read(fd_, buffer, sizeof buffer);
    while (count < 0 && errno == EINTR);
    if (count < 0 && errno == EAGAIN) return;
    if (count <= 0) ThrowClosed(count == 0 ? 0 : errno);
    queue.Push(std::string_view(buffer, static_cast<size_t>(count)));
}

}  // namespace varnoki::download
