#pragma once

// The receive side shared by links over a file descriptor: received bytes wait in a queue, and a
// byte that is not there yet is waited for on the descriptor itself, with a time limit, and
// cancellable from another thread. Nothing here polls in a loop.

#include <chrono>

#include "download/byte_link.h"
#include "download/receive_queue.h"
#include "download/wake_pipe.h"

namespace varnoki::download {

class DescriptorLink : public ByteLink {
public:
    std::uint8_t ReceiveByte(std::chrono::milliseconds timeout) final;
    void Cancel() final;

protected:
    // Throws LinkError::Kind::Cancelled once Cancel() has been called.
    void ThrowIfCancelled() const;
    void DropReceived();
    // Queues bytes a subclass came by outside ReadArrived.
    void KeepReceived(const std::string& bytes);

    virtual int Descriptor() const = 0;
    // Called when the descriptor is readable: moves what has arrived into `queue`, or throws
    // LinkError::Kind::PortFailed when the other end is gone.
    virtual void ReadArrived(ReceiveQueue& queue) = 0;

private:
    ReceiveQueue received_;
    WakePipe cancel_;
};

}  // namespace varnoki::download
