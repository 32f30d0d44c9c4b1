#pragma once

// The board simulator serving one transfer on its own thread, over a memory link whose other end
// the test uses as the host's link.

#include <thread>

#include "download/board_simulator.h"
#include "download/memory_link.h"

namespace varnoki::download::testing {

class BoardRun {
public:
    explicit BoardRun(BoardOptions options = {}) : links_(MemoryLink::Pair()), board_(*links_.second, options) {
        thread_ = std::thread([this] {
            try {
                session_ = board_.ServeOne(std::chrono::seconds(5));
            } catch (const LinkError&) {
                // cancelled by the test, or no transfer came
            }
            if (session_.end == BoardSession::End::HangUp) links_.second->HangUp();
        });
    }
    ~BoardRun() {
        links_.second->Cancel();
        if (thread_.joinable()) thread_.join();
    }

    MemoryLink& Host() { return *links_.first; }
    std::unique_ptr<ByteLink> TakeHost() { return std::move(links_.first); }
    // Waits for the board to finish its session.
    const BoardSession& Session() {
        if (thread_.joinable()) thread_.join();
        return session_;
    }

private:
    std::pair<std::unique_ptr<MemoryLink>, std::unique_ptr<MemoryLink>> links_;
    BoardSimulator board_;
    BoardSession session_;
    std::thread thread_;
};

// Quick to give up, so that failure cases end fast.
inline BoardOptions FastBoard(BoardFaults faults = {}) {
    BoardOptions options;
    options.faults = faults;
    options.idleLimit = std::chrono::milliseconds(300);
    return options;
}

inline QByteArray CountingImage(qsizetype length) {
    QByteArray image(length, '\0');
    for (qsizetype i = 0; i < length; ++i) image[i] = static_cast<char>(i * 7 + 1);
    return image;
}

}  // namespace varnoki::download::testing
