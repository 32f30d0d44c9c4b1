#pragma once

// How a transfer ended, with the message the user is shown: always the image length first, then
// "字節數據發送成功" or "字節數據發送失敗", and for the failures beyond a missing go-ahead, what went wrong.

#include <QString>
#include <QtGlobal>

namespace varnoki::download {

enum class TransferResult {
    Succeeded = 0,  // the board gave the go-ahead and took every block
    NoGoAhead = 1,  // the board's go-ahead reply did not begin AA AA; no block was sent
    BoardSilent,    // the board did not answer within the time limit
    FrameRejected,  // the board rejected one frame every time it was sent
    BadBoardFrame,  // every frame the board sent for one step failed its check
    PortFailed,     // the port could not be opened, or failed during the exchange
    TooLarge,       // the image does not fit the 16-bit length of the header; nothing was sent
    Cancelled,      // stopped on request
};

struct TransferOutcome {
    TransferResult result = TransferResult::Succeeded;
    qsizetype imageLength = 0;
    QString message;
};

// `detail` says what went wrong; it is left out for the two outcomes the board itself decides.
TransferOutcome MakeOutcome(TransferResult result, qsizetype imageLength, const QString& detail = {});

}  // namespace varnoki::download
