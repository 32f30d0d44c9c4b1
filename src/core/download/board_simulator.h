#pragma once

// A stand-in for the board: it answers the download exchange the way the board does, keeps the
// image it was sent, and can misbehave on request so that every failure of a transfer can be shown
// without hardware.
//
// The board's side of one transfer:
//   1. take the opening message, answer 5A
//   2. send a reply frame, wait for 5A (or A5: send it again)
//   3. take the header frame with the image length, answer 5A
//   4. send the go-ahead AA AA, wait for 5A (or A5: send it again)
//   5. take every block, answer 5A after each
// A damaged frame from the host is answered A5 and taken again.

#include <QByteArray>
#include <chrono>
#include <memory>
#include <vector>

#include "download/byte_link.h"

namespace varnoki::download {

struct BoardFaults {
    int rejectSends = 0;         // answer A5 to the first N sends of every frame
    int corruptReplies = 0;      // send each of its own frames N times with a wrong check byte first
    bool refuseGoAhead = false;  // send AA AB instead of the go-ahead
    int silentAfterStep = -1;    // after this step (0 to 4) answer nothing more; -1: never
    int hangUpAfterBlock = 0;    // end the session while the block after this one arrives, for
                                 // the owner to hang up; 0: never
};

struct BoardOptions {
    BoardFaults faults;
    // Answer no sooner than a real line at 115200 baud would carry every byte, both ways.
    bool wireSpeed = false;
    // Once a transfer has begun, a host that sends nothing for this long has given up.
    std::chrono::milliseconds idleLimit{1000};
};

struct BoardSession {
    enum class End {
        Completed,  // every announced block arrived
        Refused,    // the go-ahead was refused, as asked
        Abandoned,  // the host went quiet (or the board was told to)
        HangUp,     // the block after `hangUpAfterBlock` began: the owner now closes the line
    };
    End end = End::Abandoned;
    std::vector<QByteArray> hostFrames;  // the data of every frame taken, in order
    int announcedLength = -1;            // from the header frame
    std::vector<int> blockSizes;
    QByteArray image;  // the blocks put together
};

class BoardSimulator {
public:
    BoardSimulator(ByteLink& link, BoardOptions options);
    ~BoardSimulator();

    // Waits up to `firstByteWait` for a transfer to begin and serves it to its end. Throws
    // LinkError when the link is cancelled or fails, and LinkError::Kind::Silent when no transfer
    // began in time.
    BoardSession ServeOne(std::chrono::milliseconds firstByteWait);

    class Line;

private:
    QByteArray TakeFrame(BoardSession& session, int step, std::chrono::milliseconds firstByteWait);
    void GiveFrame(int step, const std::vector<std::uint8_t>& data);
    bool QuietAt(int step) const;
    [[noreturn]] void StayQuiet(std::chrono::milliseconds firstByteWait);

    std::unique_ptr<Line> line_;
    BoardOptions options_;
};

}  // namespace varnoki::download
