#pragma once

// Runs one transfer at a time on a worker thread. Progress lines and the outcome arrive through the
// signals on the thread that owns the engine (the GUI thread, or the command line's event loop).

#include <QByteArray>
#include <QObject>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>

#include "download/byte_link.h"
#include "download/transfer_outcome.h"

class QThread;

namespace varnoki::download {

inline constexpr std::chrono::milliseconds kDefaultTimeout{3000};

class TransferEngine : public QObject {
    Q_OBJECT

public:
    // Opens the link; called on the worker thread, which then owns what it returns. Throws
    // LinkError (or varnoki::Error) when the link cannot be opened.
    using LinkOpener = std::function<std::unique_ptr<ByteLink>()>;

    explicit TransferEngine(QObject* parent = nullptr);
    // Cancels a running transfer and waits for the worker; no signal follows.
    ~TransferEngine() override;

    // Starts sending `image` over the serial port `portName`; `timeout` limits every wait for the
    // board. Returns false, and does nothing, while a transfer is running.
    bool Start(const QByteArray& image, const QString& portName, std::chrono::milliseconds timeout = kDefaultTimeout);
    bool Start(const QByteArray& image, LinkOpener openLink, std::chrono::milliseconds timeout = kDefaultTimeout);

    // Ends a running transfer soon; it finishes with TransferResult::Cancelled unless it was done.
    void Cancel();
    // From Start until `finished` has been emitted.
    bool IsRunning() const { return running_; }

signals:
    // "1", "2", "3", "4", then "5:k" for block k, in order.
    void progress(const QString& line);
    // Emitted once per transfer, after its last progress line.
    void finished(const varnoki::download::TransferOutcome& outcome);

private:
    TransferOutcome Run(const QByteArray& image, const LinkOpener& openLink, std::chrono::milliseconds timeout);
    void Finish(const TransferOutcome& outcome);

    std::unique_ptr<QThread> worker_;
    bool running_ = false;

    // Cancel() reaches the link of the transfer in progress through these.
    std::mutex linkMutex_;
    ByteLink* activeLink_ = nullptr;
    bool cancelRequested_ = false;
};

}  // namespace varnoki::download
