#pragma once

// The few operations the transfer needs from a connection to the board. The transfer engine talks
// only to this, so the same exchange runs over a serial port, a pseudo-terminal or an in-memory pair.

#include <chrono>
#include <cstdint>
#include <string>

#include "error.h"

namespace varnoki::download {

// Why a link operation ended without doing its job. The message is for the person at the screen.
class LinkError : public Error {
public:
    enum class Kind {
        Silent,     // no byte arrived before the time limit
        Cancelled,  // Cancel() was called
        PortFailed  // the port or the other end went away, or refused the operation
    };

    LinkError(Kind kind, const std::string& message) : Error(message), kind_(kind) {}
    static LinkError Silent() { return {Kind::Silent, "等待數據逾時"}; }
    static LinkError Cancelled() { return {Kind::Cancelled, "傳送已取消"}; }
    static LinkError PortFailed(const std::string& message) { return {Kind::PortFailed, message}; }
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

class ByteLink {
public:
    virtual ~ByteLink() = default;

    // Sends one byte and returns once it has left the port. Throws LinkError.
    virtual void SendByte(std::uint8_t byte) = 0;
    // Returns the next received byte, waiting at most `timeout` for it. Throws LinkError.
    virtual std::uint8_t ReceiveByte(std::chrono::milliseconds timeout) = 0;
    // Forgets every byte received so far and anything not yet sent.
    virtual void ClearLink() = 0;
    // Callable from any thread: the wait in progress and every later operation throw
    // LinkError::Kind::Cancelled.
    virtual void Cancel() = 0;
};

}  // namespace varnoki::download
