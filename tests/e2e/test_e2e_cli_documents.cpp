#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "chart/chart.h"
#include "chart/record.h"
#include "codegen/program_text_file.h"
#include "document/chart_program.h"
#include "document/session.h"
#include "text/big5.h"

using namespace varnoki;

namespace {

struct CliRun {
    int exitCode;
    QByteArray out;
    QString error;
};

CliRun RunCli(const QStringList& args) {
    QProcess process;
    process.start(QString::fromUtf8(VARNOKI_CLI), args);
    EXPECT_TRUE(process.waitForFinished(30000)) << args.join(' ').toStdString();
    return {process.exitCode(), process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

QString Data(const char* name) { return QString::fromUtf8(VARNOKI_TEST_DATA "/documents/") + QString::fromUtf8(name); }
QString Example() { return QString::fromUtf8(VARNOKI_EXAMPLES "/patrol_robot.lcs"); }

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

QByteArray Bytes(const std::string& bytes) { return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())); }

// A chart the program itself saved: every block that takes part in the program text's numbering.
QString SaveChart(const QTemporaryDir& dir) {
    chart::Chart chart;
    const auto add = [&](int kind, const chart::RecordFields& fields) {
        chart.SetBlockRecord(chart.AppendBlock(kind), chart::WriteRecord(kind, fields));
    };
    add(11, {{"label", text::Big5("開始")}});
    add(6, {{"key", "1"}, {"keycmd", "-1"}, {"content", "A4\"02"}});
    add(25, {{"sub", "beep"}});
    add(13, {{"condition", chart::EscapeValue("A<3")}, {"label", chart::EscapeValue(text::Big5("開始"))}});
    add(20, {{"command", chart::EscapeValue(text::Big5("PRINT \"好\""))}});
    add(14, {});
    add(23, {{"sub", "beep"}});
    add(24, {});
    const QString path = dir.filePath("saved.lcs");
    document::DocumentSession(chart, {}).Save(path);
    return path;
}

}  // namespace

TEST(CliDocuments, GenerateGivesTheProgramTextOfTheCore) {
    QTemporaryDir dir;
    for (const QString& chartPath : {SaveChart(dir), Example()}) {
        SCOPED_TRACE(chartPath.toStdString());
        const std::vector<std::string> lines = document::ProgramTextOfChartFile(chartPath);
        const QByteArray expected = Bytes(codegen::ProgramTextFileBytes(lines));

        const CliRun toStdout = RunCli({"generate", chartPath});
        EXPECT_EQ(toStdout.exitCode, 0) << toStdout.error.toStdString();
        EXPECT_EQ(toStdout.out, expected);

        const QString program = dir.filePath("program.txt");
        EXPECT_EQ(RunCli({"generate", chartPath, "-o", program}).exitCode, 0);
        EXPECT_EQ(FileBytes(program), expected);

        QByteArray utf8;
        for (const std::string& line : lines) utf8 += text::Big5ToUnicode(line).toUtf8() + '\n';
        EXPECT_EQ(RunCli({"generate", "--utf8", chartPath}).out, utf8);
    }
    const QByteArray resolved = RunCli({"generate", SaveChart(dir)}).out;
    EXPECT_FALSE(resolved.contains("label: ") || resolved.contains("sub: ")) << resolved.toStdString();
}

TEST(CliDocuments, OutputThatCannotBeWrittenIsAFailure) {
    for (const QStringList& args : {QStringList{"generate", Example()}, QStringList{"generate", "--utf8", Example()}}) {
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(QString::fromUtf8(VARNOKI_CLI), args);
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 1) << args.join(' ').toStdString();
        EXPECT_TRUE(QString::fromUtf8(process.readAllStandardError()).contains(QStringLiteral("無法寫到標準輸出")));
    }
}

TEST(CliDocuments, ConvertWritesWhatSaveWritesAfterOpen) {
    QTemporaryDir dir;
    const QString out = dir.filePath("out.lcs");
    const CliRun example = RunCli({"convert", Example(), "-o", out});
    EXPECT_EQ(example.exitCode, 0) << example.error.toStdString();
    EXPECT_EQ(FileBytes(out), FileBytes(Example())) << "the example is kept byte for byte";

    const CliRun foreign = RunCli({"convert", Data("foreign.lcs"), "-o", out});
    EXPECT_EQ(foreign.exitCode, 0) << foreign.error.toStdString();
    chart::Chart chart;
    document::DocumentSession session(chart, {});
    session.Open(Data("foreign.lcs"));
    session.Save(dir.filePath("core.lcs"));
    EXPECT_EQ(FileBytes(out), FileBytes(dir.filePath("core.lcs")));
}

TEST(CliDocuments, CheckReportsOneLineEachAndExitsOneWhenSomethingWasFound) {
    const CliRun clean = RunCli({"check", Example()});
    EXPECT_EQ(clean.exitCode, 0) << clean.out.toStdString();
    EXPECT_TRUE(clean.out.isEmpty());

    QTemporaryDir dir;
    const QString path = dir.filePath("broken.lcs");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            "<MERVANTO><record><CtrlNode type=\"12\"><label>nowhere</label></CtrlNode></record>"
            "<record><CtrlNode type=\"10\"><var>1</var></CtrlNode></record></MERVANTO>");
    }
    const CliRun broken = RunCli({"check", path});
    EXPECT_EQ(broken.exitCode, 1);
    const QStringList lines = QString::fromUtf8(broken.out).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << broken.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(path + QString::fromUtf8(": 第 1 個模塊「無條件跳轉」：")))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].contains(QString::fromUtf8("NEXT B"))) << lines[1].toStdString();
}

TEST(CliDocuments, BadUsageAndUnreadableInputExitTwoNamingTheFile) {
    QTemporaryDir dir;
    struct Case {
        QStringList args;
        int exitCode;
        QStringList said;  // in the error output
    };
    const QString unreadable = Data("text_in_prolog.lcs");
    const Case cases[] = {
        {{}, 2, {}},
        {{"generate"}, 2, {"generate"}},
        {{"generate", Example(), "-o", dir.filePath("p.txt"), "--utf8"}, 2, {"--utf8"}},
        {{"generate", unreadable}, 2, {unreadable, QString::fromUtf8("第 0 位元組")}},
        {{"check", Data("lt_in_label.lcs")}, 2, {Data("lt_in_label.lcs"), QString::fromUtf8("位元組")}},
        {{"convert", Data("missing.lcs"), "-o", dir.filePath("x.lcs")}, 2, {Data("missing.lcs")}},
        {{"convert", Example()}, 2, {"-o"}},
        {{"convert", Example(), "-o", dir.filePath("no/such/folder/x.lcs")}, 1, {"x.lcs"}},
        {{"generate", "--help"}, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.error.toStdString();
        for (const QString& said : c.said) EXPECT_TRUE(run.error.contains(said)) << run.error.toStdString();
    }
}
