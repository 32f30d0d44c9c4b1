#include "download/descriptor_link.h"

namespace varnoki::download {

std::uint8_t DescriptorLink::ReceiveByte(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        ThrowIfCancelled();
        if (auto byte = received_.TryPop()) return *byte;
        switch (cancel_.WaitReadable(Descriptor(), deadline)) {
            case WakePipe::Wait::Woken:
                ThrowIfCancelled();
                break;
            case WakePipe::Wait::Deadline:
                throw LinkError::Silent();
            case WakePipe::Wait::Readable:
                ReadArrived(received_);
                break;
        }
    }
}

void DescriptorLink::Cancel() { cancel_.Wake(); }

void DescriptorLink::ThrowIfCancelled() const {
    if (cancel_.Woken()) throw LinkError::Cancelled();
}

void DescriptorLink::DropReceived() { received_.Clear(); }

void DescriptorLink::KeepReceived(const std::string& bytes) {
    if (!bytes.empty()) received_.Push(bytes);
}

}  // namespace varnoki::download
