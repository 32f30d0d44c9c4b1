// The download over a pseudo-terminal, against varnoki-board-sim answering at the real wire speed
// of 115200 baud, compared with the protocol's floor; and the cost of sending one byte and waiting
// until it has left the port.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <optional>
#include <thread>

#include "download/exchange.h"
#include "download/pseudo_terminal.h"
#include "download/serial_link.h"
#include "download/transfer_engine.h"

using namespace varnoki::download;

namespace {

QCoreApplication& Application() {
    static int argc = 1;
    static char name[] = "bench_download";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    return application;
}

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The least time the exchange can take: every byte on the wire at 115200 baud (10 bits each), both
// ways, plus the 50 ms pause after each block.
double FloorSeconds(qsizetype imageLength) {
    const int blocks = BlockCount(imageLength);
    const qsizetype hostBytes = (7 + 4) + (72 + 4) + imageLength + 4 * blocks + 2;  // + answers to 2 board frames
    const qsizetype boardBytes = 2 + blocks + (4 + 4) + (2 + 4);                    // answers, first reply, go-ahead
    return double(hostBytes + boardBytes) * 10 / 115200 + blocks * 0.050;
}

void BM_Download8KiBAtWireSpeed(benchmark::State& state) {
    Application();
    QByteArray image(8192, '\0');
    for (qsizetype i = 0; i < image.size(); ++i) image[i] = static_cast<char>((i * 131 + 17) & 0xFF);

    for (auto _ : state) {
        QTemporaryDir dir;
        QProcess board;
        board.start(QStringLiteral(VARNOKI_BIN_DIR "/varnoki-board-sim"),
                    {"--wire-speed", "--once", "--save-dir", dir.path()});
        if (!board.waitForReadyRead(5000)) {
            state.SkipWithError("varnoki-board-sim did not start");
            return;
        }
        const QString device = QString::fromUtf8(board.readLine()).trimmed();

        TransferEngine engine;
        std::optional<TransferOutcome> outcome;
        QEventLoop loop;
        QObject::connect(&engine, &TransferEngine::finished, [&](const TransferOutcome& result) {
            outcome = result;
            loop.quit();
        });
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);

        const double cpuBefore = ProcessCpuSeconds();
        const auto started = std::chrono::steady_clock::now();
        engine.Start(image, device);
        loop.exec();
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        const double cpu = ProcessCpuSeconds() - cpuBefore;
        state.SetIterationTime(elapsed);
        board.waitForFinished(10000);

        if (!outcome || outcome->result != TransferResult::Succeeded) {
            state.SkipWithError(outcome ? qPrintable(outcome->message) : "the transfer did not finish");
            return;
        }
        const double floor = FloorSeconds(image.size());
        state.counters["floor_s"] = floor;
        state.counters["over_floor_%"] = (elapsed / floor - 1) * 100;
        state.counters["cpu_%_of_a_core"] = cpu / elapsed * 100;
    }
}
BENCHMARK(BM_Download8KiBAtWireSpeed)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

// Write, hand over and wait for the output queue to empty, per byte. On a pseudo-terminal the queue
// empties at once; on a USB adapter each wait asks the adapter and costs far more.
void BM_SendByteOnPty(benchmark::State& state) {
    Application();
    PseudoTerminal pty;
    SerialLink link(pty.DevicePath());
    std::atomic<bool> done = false;
    std::thread drain([&] {
        char buffer[4096];
        while (!done && read(pty.BoardFd(), buffer, sizeof buffer) > 0) {
        }
    });
    for (auto _ : state) link.SendByte(0x55);
    done = true;
    link.SendByte(0x55);  // wakes the drain thread so it sees `done`
    drain.join();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SendByteOnPty)->Unit(benchmark::kMicrosecond);

}  // namespace
