#pragma once

// The link to the board over a serial port: 115200 baud, no parity, 8 data bits, 1 stop bit, no
// flow control, RTS and DTR asserted. The port belongs to the thread that creates the link; every
// operation but Cancel() must run there.

#include <QSerialPort>
#include <QString>

#include "download/descriptor_link.h"

namespace varnoki::download {

class SerialLink final : public DescriptorLink {
public:
    // Opens and configures the port, given by name ("ttyUSB0") or device path ("/dev/pts/3").
    // Throws LinkError::Kind::PortFailed with a message that tells the user what to do.
    explicit SerialLink(const QString& portName);

    // Every byte goes out on its own and this returns only once the port's output queue is empty,
    // as the board expects.
    void SendByte(std::uint8_t byte) override;
    void ClearLink() override;

protected:
    int Descriptor() const override;
    void ReadArrived(ReceiveQueue& queue) override;

private:
    void WaitUntilSent();
    [[noreturn]] void ThrowPortFailure() const;

    QSerialPort port_;
};

}  // namespace varnoki::download
