#include "download/transfer_engine.h"

#include <QThread>

#include "download/exchange.h"
#include "download/serial_link.h"

namespace varnoki::download {

TransferEngine::TransferEngine(QObject* parent) : QObject(parent) {}

TransferEngine::~TransferEngine() {
    if (!worker_) return;
    Cancel();
    // Everything the worker posted to this object is dropped with it.
    worker_->wait();
}

bool TransferEngine::Start(const QByteArray& image, const QString& portName, std::chrono::milliseconds timeout) {
    return Start(
        image, [portName] { return std::make_unique<SerialLink>(portName); }, timeout);
}

bool TransferEngine::Start(const QByteArray& image, LinkOpener openLink, std::chrono::milliseconds timeout) {
    if (running_) return false;
    running_ = true;
    {
        std::lock_guard lock(linkMutex_);
        cancelRequested_ = false;
    }
    worker_.reset(QThread::create([this, image, openLink = std::move(openLink), timeout] {
        const TransferOutcome outcome = Run(image, openLink, timeout);
        QMetaObject::invokeMethod(
            this, [this, outcome] { Finish(outcome); }, Qt::QueuedConnection);
    }));
    worker_->start();
    return true;
}

void TransferEngine::Cancel() {
    std::lock_guard lock(linkMutex_);
    cancelRequested_ = true;
    if (activeLink_) activeLink_->Cancel();
}

// Worker thread.
TransferOutcome TransferEngine::Run(const QByteArray& image, const LinkOpener& openLink,
                                    std::chrono::milliseconds timeout) {
    const qsizetype length = image.size();
    // Refused before the port is even opened.
    if (auto refused = RefuseTooLarge(length)) return *refused;
    std::unique_ptr<ByteLink> link;
    try {
        link = openLink();
    } catch (const std::exception& error) {
        return MakeOutcome(TransferResult::PortFailed, length, QString::fromUtf8(error.what()));
    }
    {
        std::lock_guard lock(linkMutex_);
        activeLink_ = link.get();
        if (cancelRequested_) link->Cancel();
    }
    const auto sendProgress = [this](const QString& line) {
        QMetaObject::invokeMethod(
            this, [this, line] { emit progress(line); }, Qt::QueuedConnection);
    };
    const TransferOutcome outcome = RunExchange(*link, image, timeout, sendProgress);
    {
        std::lock_guard lock(linkMutex_);
        activeLink_ = nullptr;
    }
    return outcome;  // the link, and with it the port, closes here on the thread that opened it
}

void TransferEngine::Finish(const TransferOutcome& outcome) {
    worker_->wait();
    worker_.reset();
    running_ = false;
    emit finished(outcome);
}

}  // namespace varnoki::download
