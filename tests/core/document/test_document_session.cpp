#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QTemporaryDir>
#include <csignal>

#include "chart/record.h"
#include "document/keepable_values.h"
#include "document/session.h"
#include "document_test_support.h"
#include "error.h"
#include "text/big5.h"

using namespace varnoki;
using test_support::AddBlock;
using test_support::DocumentFixture;
using test_support::FileBytes;
using test_support::WriteBytes;

namespace {

// Lets the process write files of at most `bytes` bytes; a write beyond fails like a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved_);
        const rlimit limited{bytes, saved_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_{};
};

std::string Message(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& e) {
        return e.what();
    }
    return {};
}

}  // namespace

TEST(DocumentSession, OnlyChangesToTheDocumentCountAsModifications) {
    chart::Chart chart;
    document::DocumentSession session(chart, {});
    EXPECT_TRUE(session.IsModified()) << "no snapshot has been taken yet";
    session.New();
    EXPECT_FALSE(session.IsModified());

    const chart::ObjectId block = AddBlock(chart, 1);
    EXPECT_TRUE(session.IsModified());
    session.TakeSnapshot();
    EXPECT_FALSE(session.IsModified());

    chart.MoveObjectTree(block, 300, 400);
    chart.SetBlockText(block, "moved");
    EXPECT_FALSE(session.IsModified()) << "positions and shape texts are not part of the document";

    const std::string record(chart.Blocks()[0].record);
    chart.SetBlockRecord(block, chart::WriteRecord(1, {{"mode", "1"}, {"wait", "0"}}));
    EXPECT_TRUE(session.IsModified());
    chart.SetBlockRecord(block, record);
    EXPECT_FALSE(session.IsModified());

    chart.RemoveBlock(block);
    EXPECT_TRUE(session.IsModified());
}

TEST(DocumentSession, AsksToSaveExceptForEmptyOrUnchangedNamedCharts) {
    QTemporaryDir dir;
    const QString path = dir.filePath("robot.lcs");
    chart::Chart chart;
    document::DocumentSession session(chart, {});
    EXPECT_FALSE(session.ShouldAskToSave()) << "an empty chart never asks";

    const chart::ObjectId block = AddBlock(chart, 1);
    session.TakeSnapshot();
    EXPECT_TRUE(session.ShouldAskToSave()) << "an untitled chart with blocks always asks";
    EXPECT_FALSE(chart.Modified);
    EXPECT_EQ(session.SaveQuestion().toStdString(), "流程圖文件的內容已經被更改,\r\n是否保存更改?");

    session.Save(path);
    EXPECT_FALSE(session.ShouldAskToSave());
    chart.SetBlockRecord(block, chart::WriteRecord(1, {{"mode", "2"}, {"wait", "5"}}));
    EXPECT_TRUE(session.ShouldAskToSave());
    EXPECT_TRUE(chart.Modified);
    EXPECT_EQ(session.SaveQuestion(), QString::fromUtf8("流程圖文件%1的內容已經被更改,\r\n是否保存更改?").arg(path));

    chart.RemoveBlock(block);
    EXPECT_FALSE(session.ShouldAskToSave()) << "named, changed, but empty";
}

TEST(DocumentSession, NewStartsAnUntitledEmptyChart) {
    chart::Chart chart;
    document::DocumentSession session(chart, {});
    session.Open(DocumentFixture("example.lcs"));
    session.New();
    EXPECT_TRUE(session.IsEmptyChart());
    EXPECT_TRUE(session.FileName().isEmpty());
    EXPECT_FALSE(session.IsModified());
    EXPECT_FALSE(chart.Modified);
}

TEST(DocumentSession, FailedOpenLeavesChartNameAndSnapshotAsTheyWere) {
    QTemporaryDir dir;
    const QString path = dir.filePath("mine.lcs");
    chart::Chart chart;
    document::DocumentSession session(chart, {});
    session.Open(DocumentFixture("example.lcs"));
    session.Save(path);
    AddBlock(chart, 5, {{"wait", "9"}});

    for (const char* unreadable : {"lt_in_label.lcs", "text_in_prolog.lcs", "no_such_file.lcs"}) {
        SCOPED_TRACE(unreadable);
        EXPECT_THROW(session.Open(DocumentFixture(unreadable)), Error);
        EXPECT_EQ(chart.BlockCount(), 3);
        EXPECT_EQ(session.FileName(), path);
        EXPECT_TRUE(session.IsModified());
    }
    // The original design saved an emptied chart over the previous document at this point.
    session.Save(session.FileName());
    chart::Chart reopened;
    document::DocumentSession(reopened, {}).Open(path);
    EXPECT_EQ(reopened.BlockCount(), 3);
}

TEST(DocumentSession, SaveThatFailsWhileWritingKeepsThePreviousFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("robot.lcs");
    const std::string previous = FileBytes(DocumentFixture("example.lcs"));
    WriteBytes(path, previous);

    chart::Chart chart;
    for (int i = 0; i < 500; ++i) AddBlock(chart, 1);
    document::DocumentSession session(chart, {});
    session.TakeSnapshot();
    AddBlock(chart, 14);
    {
        FileSizeLimit limit(4096);
        EXPECT_NE(Message([&] { session.Save(path); }).find("robot.lcs"), std::string::npos);
    }
    EXPECT_EQ(FileBytes(path), previous);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"robot.lcs"}) << "no temporary file is left";
    EXPECT_TRUE(session.FileName().isEmpty());
    EXPECT_TRUE(session.IsModified());
}

TEST(DocumentSession, TypedNamesAndTextsHoldingALessThanSignAreRefusedBeforeWriting) {
    struct Case {
        int kind;
        chart::RecordFields fields;
        const char* named;
    };
    const Case cases[] = {
        {11, {{"label", "a<b"}}, "第 2 個模塊「標號」"},
        {12, {{"label", "<x/>"}}, "第 2 個模塊「無條件跳轉」"},
        {23, {{"sub", "a<!--b-->"}}, "第 2 個模塊「子程序開始」"},
        {25, {{"sub", "x</sub><sub>y"}}, "第 2 個模塊「調用子程序」"},
        {6, {{"key", "0"}, {"keycmd", "0"}, {"content", "A4<"}}, "第 2 個模塊「發音」"},
        {1, {{"mode", "2"}, {"wait", "<5"}}, "第 2 個模塊「直行」"},
        {2, {{"mode", "2"}, {"wait", "5</wait>"}}, "第 2 個模塊「轉向」"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("robot.lcs");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.named);
        WriteBytes(path, "previous");
        chart::Chart chart;
        AddBlock(chart, 5);
        AddBlock(chart, c.kind, c.fields);
        AddBlock(chart, 14);
        document::DocumentSession session(chart, {});
        const std::string message = Message([&] { session.Save(path); });
        EXPECT_NE(message.find(c.named), std::string::npos) << message;
        EXPECT_NE(message.find("<"), std::string::npos) << message;
        EXPECT_EQ(FileBytes(path), "previous");
        EXPECT_TRUE(session.FileName().isEmpty());
    }
}

TEST(DocumentSession, ValuesThatStayValuesAreKept) {
    // Escaped fields may hold anything; the typed ones anything but "<".
    const std::string records[] = {
        chart::BuildDefaultRecord(14),
        chart::BuildDefaultRecord(19),
        chart::WriteRecord(13, {{"condition", chart::EscapeValue("A<B")}, {"label", chart::EscapeValue("<L>")}}),
        chart::WriteRecord(20, {{"command", chart::EscapeValue("IF A<>B THEN 10")}}),
        chart::WriteRecord(11, {{"label", "a&b \"c\" 'd' > e"}}),
        chart::WriteRecord(11, {{"label", text::Big5("迴圈")}}),
        "<?xml version=\"1.0\"?>\r\n<CtrlNode type=\"5\" note='a<b'>\r\n  <wait>1</wait>\r\n</CtrlNode>\r\n",
        // A quote in a foreign element's name is part of the name, not the start of a value.
        "<?xml version=\"1.0\"?>\r\n<CtrlNode type=\"11\">\r\n  <a\"b>x</a\"b>\r\n  <c>1</c>\r\n</CtrlNode>\r\n",
        "<?xml version=\"1.0\"?>\r\n<CtrlNode type=\"11\">\r\n  <a\"b/>\r\n  <c>1</c>\r\n</CtrlNode>\r\n",
    };
    for (const std::string& record : records) EXPECT_FALSE(document::HoldsMarkupInValue(record)) << record;
}

TEST(DocumentSession, DocumentExtensionIgnoresLetterCase) {
    const std::pair<const char*, bool> cases[] = {
        {"/home/pupil/robot.lcs", true}, {"ROBOT.LCS", true}, {"a.b/robot.Lcs", true},      {"robot.txt", false},
        {"robot.lcs.txt", false},        {"robot", false},    {"/home/x.lcs/robot", false}, {"robot.lcsx", false},
    };
    for (const auto& [path, expected] : cases) {
        EXPECT_EQ(document::HasDocumentExtension(QString::fromUtf8(path)), expected) << path;
    }
}
