#pragma once

// A pseudo-terminal pair standing in for a serial cable: the program under test opens the device
// path as its serial port, the board simulator talks through the other end.

#include <QString>
#include <chrono>

namespace varnoki::download {

class PseudoTerminal {
public:
    PseudoTerminal();  // throws varnoki::Error
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // The path the program opens as its serial port, such as /dev/pts/3.
    QString DevicePath() const { return devicePath_; }
    // The board's end.
    int BoardFd() const { return boardFd_; }
    // Closes the board's end, as when the cable is pulled: the port sees the line hung up.
    void HangUp();
    // Lets go of the port end and waits, at most `limit`, until the program has closed it too, so
    // that the last answers are read before the board's end goes away.
    void WaitForPortClosed(std::chrono::milliseconds limit);

private:
    int boardFd_ = -1;
    // Held open so that the board's end does not see a hang-up each time the port closes.
    int portFd_ = -1;
    QString devicePath_;
};

}  // namespace varnoki::download
