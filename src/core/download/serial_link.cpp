#include "download/serial_link.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

namespace varnoki::download {
namespace {

using namespace std::chrono_literals;

// One byte at 115200 baud, 8N1, is 10 bits: about 86.8 microseconds.
constexpr auto kByteTime = 87us;
// A byte normally leaves within one byte time; anything near this long means the port is stuck.
constexpr auto kSendAllowance = 100ms;
constexpr int kHandOverMs = 100;

std::string Text(const QString& text) { return text.toStdString(); }

QString DevicePath(const QString& portName) {
    return portName.startsWith(u'/') ? portName : QStringLiteral("/dev/") + portName;
}

// Qt reports a held lock, a busy device and missing rights all as PermissionError; only the
// device's access rights tell the user which of the two remedies applies.
std::string OpenFailure(const QString& portName, const QSerialPort& port) {
    switch (port.error()) {
        case QSerialPort::DeviceNotFoundError:
            return Text(QStringLiteral("找不到串口 %1").arg(portName));
        case QSerialPort::PermissionError:
            if (access(DevicePath(portName).toLocal8Bit().constData(), R_OK | W_OK) != 0 && errno == EACCES) {
                return Text(
                    QStringLiteral("沒有權限使用串口 %1：請把使用者加入 dialout 群組，然後重新登入").arg(portName));
            }
            return Text(QStringLiteral("串口 %1 正在被別的程序使用").arg(portName));
        default:
            return Text(QStringLiteral("無法打開串口 %1：%2").arg(portName, port.errorString()));
    }
}

}  // namespace

SerialLink::SerialLink(const QString& portName) {
    port_.setPortName(portName);
    port_.setBaudRate(QSerialPort::Baud115200);
    port_.setParity(QSerialPort::NoParity);
    port_.setDataBits(QSerialPort::Data8);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.setReadBufferSize(2048);
    if (!port_.open(QIODevice::ReadWrite)) throw LinkError::PortFailed(OpenFailure(portName, port_));
    // A pseudo-terminal has no modem lines and refuses both; the exchange works without them.
    port_.setRequestToSend(true);
    port_.setDataTerminalReady(true);
    port_.clearError();
}

void SerialLink::SendByte(std::uint8_t byte) {
    ThrowIfCancelled();
    const char data = static_cast<char>(byte);
    if (port_.write(&data, 1) != 1 || !port_.waitForBytesWritten(kHandOverMs)) ThrowPortFailure();
    // Waiting for the write also reads what the board sent meanwhile into the port's own buffer,
    // where the descriptor no longer shows it: keep it, or a reply that came early is never seen.
    KeepReceived(port_.readAll().toStdString());
    WaitUntilSent();
}

// waitForBytesWritten() only hands the byte to the kernel; the board wants it on the wire before
// the next one. tcdrain() would say so too, but it has no time limit and hangs on dead ports.
void SerialLink::WaitUntilSent() {
    const auto deadline = std::chrono::steady_clock::now() + kSendAllowance;
    for (;;) {
        int queued = 0;
        if (ioctl(port_.handle(), TIOCOUTQ, &queued) != 0) ThrowPortFailure();
        if (queued <= 0) return;
        if (std::chrono::steady_clock::now() >= deadline) {
            throw LinkError::PortFailed(Text(QStringLiteral("串口送不出數據：發送緩衝一直沒有清空")));
        }
        std::this_thread::sleep_for(std::max<std::chrono::microseconds>(50us, queued * kByteTime));
    }
}

void SerialLink::ClearLink() {
    DropReceived();
    port_.clear(QSerialPort::AllDirections);
}

int SerialLink::Descriptor() const { return port_.handle(); }

void SerialLink::ReadArrived(ReceiveQueue& queue) {
    // The port lives on this thread without an event loop: this read is what moves the waiting
    // bytes into the port's buffer.
    if (!port_.waitForReadyRead(0)) ThrowPortFailure();
    queue.Push(port_.readAll().toStdString());
}

void SerialLink::ThrowPortFailure() const {
    // A line that went away (device unplugged, the other end closed) shows up as a read, write or
    // resource error, often with a stale system text; say what it means instead.
    switch (port_.error()) {
        case QSerialPort::NoError:
        case QSerialPort::TimeoutError:
        case QSerialPort::ReadError:
        case QSerialPort::WriteError:
        case QSerialPort::ResourceError:
            throw LinkError::PortFailed(Text(QStringLiteral("串口連線中斷（裝置已拔除或已關閉）")));
        default:
            throw LinkError::PortFailed(Text(QStringLiteral("串口錯誤：%1").arg(port_.errorString())));
    }
}

}  // namespace varnoki::download
