// varnoki-cli against varnoki-board-sim, both run as separate programs over a pseudo-terminal.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QString kCli = QStringLiteral(VARNOKI_BIN_DIR "/varnoki-cli");
const QString kBoard = QStringLiteral(VARNOKI_BIN_DIR "/varnoki-board-sim");
const QString kProgram = QStringLiteral(VARNOKI_TEST_DATA "/download/program.txt");

struct Result {
    int exitCode = -1;
    QString out;
    QString err;
};

Result RunCli(const QStringList& args) {
    QProcess cli;
    cli.start(kCli, args);
    if (!cli.waitForFinished(20000)) {
        cli.kill();
        cli.waitForFinished(5000);
        ADD_FAILURE() << "varnoki-cli did not finish: " << args.join(' ').toStdString();
        return {};
    }
    return {cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1,
            QString::fromUtf8(cli.readAllStandardOutput()), QString::fromUtf8(cli.readAllStandardError())};
}

QByteArray ReadFile(const QString& name) {
    QFile file(name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

// The simulator running for one test; stopped, and killed if need be, at the end.
class Board {
public:
    explicit Board(const QString& saveDir, const QStringList& faults = {}) {
        process_.start(kBoard, QStringList{"--save-dir", saveDir} + faults);
        if (!process_.waitForStarted(5000) || !process_.waitForReadyRead(5000)) return;
        device_ = QString::fromUtf8(process_.readLine()).trimmed();
    }
    ~Board() {
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    QString Device() const { return device_; }

private:
    QProcess process_;
    QString device_;
};

class CliDownload : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const QString& name) const { return dir.filePath(name); }
};

}  // namespace

TEST_F(CliDownload, ProgramTextAndImageArriveAsTheImageCommandBuildsThem) {
    const Result image = RunCli({"image", kProgram, "-o", Path("program.bas")});
    ASSERT_EQ(image.exitCode, 0) << image.err.toStdString();
    const QString droppedThirdLine = QStringLiteral(":3: 略過：");
    EXPECT_TRUE(image.err.contains(kProgram + droppedThirdLine)) << image.err.toStdString();
    const QByteArray built = ReadFile(Path("program.bas"));
    ASSERT_GT(built.size(), 3);

    Board board(dir.path());
    ASSERT_TRUE(board.Device().startsWith("/dev/")) << board.Device().toStdString();
    const Result fromText = RunCli({"download", "--port", board.Device(), kProgram});
    EXPECT_EQ(fromText.exitCode, 0) << fromText.err.toStdString();
    EXPECT_EQ(fromText.out.trimmed(), QString::number(built.size()) + QStringLiteral("字節數據發送成功"));
    EXPECT_TRUE(fromText.err.contains(droppedThirdLine));

    const Result fromImage = RunCli({"download", "--port", board.Device(), Path("program.bas")});
    EXPECT_EQ(fromImage.exitCode, 0) << fromImage.err.toStdString();

    EXPECT_EQ(ReadFile(Path("image-1.bas")), built);
    EXPECT_EQ(ReadFile(Path("image-2.bas")), built);
}

TEST_F(CliDownload, AChartIsGeneratedThenSentLikeItsProgramText) {
    const QString chart = QStringLiteral(VARNOKI_EXAMPLES "/patrol_robot.lcs");
    const Result generated = RunCli({"generate", chart, "-o", Path("patrol.txt")});
    ASSERT_EQ(generated.exitCode, 0) << generated.err.toStdString();
    const Result image = RunCli({"image", Path("patrol.txt"), "-o", Path("patrol.bas")});
    ASSERT_EQ(image.exitCode, 0) << image.err.toStdString();

    Board board(dir.path());
    const Result sent = RunCli({"download", "--port", board.Device(), chart});
    EXPECT_EQ(sent.exitCode, 0) << sent.err.toStdString();
    EXPECT_EQ(ReadFile(Path("image-1.bas")), ReadFile(Path("patrol.bas")));
}

TEST_F(CliDownload, AFailedTransferExitsWithOneAndSaysWhy) {
    const struct {
        QStringList faults;
        QString says;
    } cases[] = {
        {{"--refuse-go-ahead"}, QStringLiteral("字節數據發送失敗\n")},
        {{"--silent-after", "0"}, QStringLiteral("字節數據發送失敗：控制板在0.3秒內沒有回應（開始訊息）")},
        {{"--hang-up-after-block", "1"}, QStringLiteral("串口連線中斷")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.faults.join(' ').toStdString());
        Board board(dir.path(), c.faults);
        const Result result = RunCli({"download", "--port", board.Device(), "--timeout", "0.3", kProgram});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.err.contains(c.says)) << result.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(Path("image-1.bas")));
}

TEST_F(CliDownload, ATerminationRequestCancelsTheTransferCleanly) {
    Board board(dir.path(), {"--silent-after", "1"});
    QProcess cli;
    cli.setReadChannel(QProcess::StandardError);
    cli.start(kCli, {"download", "--port", board.Device(), "--timeout", "30", kProgram});
    QByteArray err;
    while (!QString::fromUtf8(err).contains(QStringLiteral("已發送開始訊息")) && cli.waitForReadyRead(5000)) {
        err += cli.readAll();
    }
    ASSERT_TRUE(QString::fromUtf8(err).contains(QStringLiteral("已發送開始訊息"))) << err.toStdString();
    cli.terminate();
    ASSERT_TRUE(cli.waitForFinished(5000)) << "the download did not stop";
    err += cli.readAll();
    EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(cli.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(err).contains(QStringLiteral("字節數據發送失敗：下載已取消"))) << err.toStdString();
}

TEST_F(CliDownload, BadUsageOrInputExitsWithTwo) {
    QFile chart(Path("chart.lcs"));
    ASSERT_TRUE(chart.open(QIODevice::WriteOnly));
    chart.write("<MERVANTO>\r\n  <record>\r\n");  // cut off: cannot be read
    chart.close();
    const QStringList cases[] = {
        {},
        {"frobnicate"},
        {"image", kProgram},
        {"image", Path("missing.txt"), "-o", Path("x.bas")},
        {"download", kProgram},
        {"download", "--port", "/dev/null"},
        {"download", "--port", "/dev/null", Path("missing.txt")},
        {"download", "--port", "/dev/null", Path("missing.bas")},
        {"download", "--port", "/dev/null", Path("chart.lcs")},
        {"download", "--port", "/dev/null", "--timeout", "0", kProgram},
        {"download", "--port", "/dev/null", "--bogus", kProgram},
    };
    for (const QStringList& args : cases) {
        const Result result = RunCli(args);
        EXPECT_EQ(result.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(result.err.isEmpty()) << args.join(' ').toStdString();
    }
}

TEST_F(CliDownload, HelpAndPortsSucceed) {
    const Result help = RunCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* command : {"image", "download", "ports"}) EXPECT_TRUE(help.out.contains(command));
    EXPECT_EQ(RunCli({"download", "--help"}).exitCode, 0);
    EXPECT_EQ(RunCli({"ports"}).exitCode, 0);
}
