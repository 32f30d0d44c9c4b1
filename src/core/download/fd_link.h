#pragma once

// A link over a raw file descriptor, such as the board's end of a pseudo-terminal. The descriptor
// stays owned by the caller.

#include "download/descriptor_link.h"

namespace varnoki::download {

class FdLink final : public DescriptorLink {
public:
    explicit FdLink(int fd) : fd_(fd) {}

    void SendByte(std::uint8_t byte) override;
    void ClearLink() override;

protected:
    int Descriptor() const override { return fd_; }
    void ReadArrived(ReceiveQueue& queue) override;

private:
    int fd_;
};

}  // namespace varnoki::download
