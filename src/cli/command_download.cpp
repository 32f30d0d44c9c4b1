// varnoki-cli download --port DEVICE [--timeout SECONDS] FILE

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QSocketNotifier>
#include <cmath>

#include "cli.h"
#include "document/chart_program.h"
#include "download/exchange.h"
#include "download/image_file.h"
#include "download/transfer_engine.h"
#include "error.h"
#include "progress_bar.h"

namespace varnoki::cli {
namespace {

// The program text lines of a chart (generated as Generate does) or of a program text file. Prints
// why and returns nothing when the file cannot be read.
std::optional<std::vector<std::string>> ProgramTextLines(const QString& command, const QString& fileName,
                                                         const QString& suffix) {
    if (suffix == u"lcs") {
        try {
            return document::ProgramTextOfChartFile(fileName);
        } catch (const Error& error) {
            PrintError(QStringLiteral("varnoki-cli %1：%2").arg(command, QString::fromUtf8(error.what())));
            return std::nullopt;
        }
    }
    std::optional<std::vector<std::string>> lines = download::ReadTextLines(fileName);
    if (!lines) BadUsage(command, QStringLiteral("找不到檔案 %1").arg(fileName));
    return lines;
}

// The image to send: a .bas file as it is; a chart or a program text built into an image through a
// temporary image file, as the download window does. Prints why and returns nothing when the input
// is unusable.
std::optional<QByteArray> LoadImage(const QString& command, const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == u"bas") {
        std::optional<QByteArray> image = download::ReadImageFile(fileName);
        if (!image) BadUsage(command, QStringLiteral("找不到檔案 %1").arg(fileName));
        return image;
    }
    if (suffix == u"txt" || suffix == u"lcs") {
        const auto lines = ProgramTextLines(command, fileName, suffix);
        if (!lines) return std::nullopt;
        download::ProgramImage image = download::PrepareImageForDownload(*lines);
        PrintDroppedLines(fileName, image.dropped);
        return image.bytes;
    }
    BadUsage(command, QStringLiteral("不能下載 %1：只接受流程圖（.lcs）、程序文本（.txt）和映像（.bas）").arg(fileName));
    return std::nullopt;
}

// Ctrl+C or a termination request cancels the transfer instead of killing the program in the
// middle of it: the worker ends, the port closes, and the outcome is printed. The signals are
// blocked before the worker starts, so it inherits the mask and they all arrive here.
class InterruptCancels {
public:
    explicit InterruptCancels(download::TransferEngine& engine) {
        sigset_t stopSignals;
        sigemptyset(&stopSignals);
        sigaddset(&stopSignals, SIGINT);
        sigaddset(&stopSignals, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
        fd_ = signalfd(-1, &stopSignals, SFD_CLOEXEC);
        if (fd_ < 0) return;
        notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this, &engine] {
            signalfd_siginfo info;
            [[maybe_unused]] const ssize_t count = read(fd_, &info, sizeof info);
            engine.Cancel();
        });
    }
    ~InterruptCancels() {
        notifier_.reset();
        if (fd_ >= 0) close(fd_);
    }

private:
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

std::optional<std::chrono::milliseconds> ReadTimeout(const QString& text) {
    bool ok = false;
    const double seconds = text.toDouble(&ok);
    if (!ok || !(seconds > 0) || seconds > 3600) return std::nullopt;
    return std::chrono::milliseconds(std::max<long long>(1, std::llround(seconds * 1000)));
}

}  // namespace

int RunDownload(const QStringList& args) {
    QCommandLineParser parser;
    const QCommandLineOption port("port", QStringLiteral("串口"), "DEVICE");
    const QCommandLineOption timeoutOption("timeout", QStringLiteral("每次等待控制板的秒數"), "SECONDS", "3");
    parser.addOptions({port, timeoutOption});
    if (auto exit = ParseArguments(parser, args)) return *exit;
    const QString& command = args.first();
    if (!parser.isSet(port)) return BadUsage(command, QStringLiteral("需要 --port DEVICE"));
    if (parser.positionalArguments().size() != 1) return BadUsage(command, QStringLiteral("需要一個要下載的檔案"));
    const auto timeout = ReadTimeout(parser.value(timeoutOption));
    if (!timeout) return BadUsage(command, QStringLiteral("--timeout 需要大於 0、不超過 3600 的秒數"));

    std::optional<QByteArray> image;
    try {
        image = LoadImage(command, parser.positionalArguments().first());
    } catch (const Error& error) {
        PrintError(QStringLiteral("varnoki-cli download：%1").arg(QString::fromUtf8(error.what())));
        return kBadUsage;
    }
    if (!image) return kBadUsage;

    download::TransferEngine engine;
    const InterruptCancels interrupt(engine);
    ProgressBar bar(download::BlockCount(image->size()));
    QObject::connect(&engine, &download::TransferEngine::progress, [&bar](const QString& line) { bar.Show(line); });
    QObject::connect(&engine, &download::TransferEngine::finished, [&bar](const download::TransferOutcome& outcome) {
        bar.Finish();
        const bool succeeded = outcome.result == download::TransferResult::Succeeded;
        succeeded ? PrintOut(outcome.message) : PrintError(outcome.message);
        QCoreApplication::exit(succeeded ? kSuccess : kFailed);
    });
    engine.Start(*image, parser.value(port), *timeout);
    return QCoreApplication::exec();
}

}  // namespace varnoki::cli
