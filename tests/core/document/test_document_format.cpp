#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "chart/catalogue.h"
#include "chart/record.h"
#include "document/document.h"
#include "document/session.h"
#include "document_test_support.h"
#include "error.h"
#include "text/big5.h"

using namespace varnoki;
using test_support::AddBlock;
using test_support::DocumentFixture;
using test_support::FileBytes;

namespace {

std::string BytesOf(const chart::Chart& chart) {
    xml::Document tree;
    document::BuildDocument(chart, tree);
    return document::DocumentBytes(tree);
}

// One block of every kind with values that exercise the record text: Big5, "&", quotes, blanks,
// escaped fields, negative numbers, an empty text.
void AddEveryKind(chart::Chart& chart) {
    const std::string name = text::Big5("迴圈");
    AddBlock(chart, 1, {{"mode", "3"}, {"wait", "A&B"}});
    AddBlock(chart, 2, {{"mode", "2"}, {"wait", "'5'"}});
    AddBlock(chart, 3, {{"motorL", "-255"}, {"motorR", "255"}});
    AddBlock(chart, 4, {{"mode", "1"}});
    AddBlock(chart, 5, {{"wait", "1000"}});
    AddBlock(chart, 6, {{"key", "2"}, {"keycmd", "-1"}, {"content", "A4B8"}});
    AddBlock(chart, 9, {{"times", "32767"}, {"var", "25"}});
    AddBlock(chart, 11, {{"label", name}});
    AddBlock(chart, 10, {{"var", "25"}});
    AddBlock(chart, 12, {{"label", "a&b \"c\" 'd'"}});
    AddBlock(chart, 13, {{"condition", chart::EscapeValue("A<>\"B\"")}, {"label", chart::EscapeValue(name)}});
    AddBlock(chart, 15, {{"led", "5"}});
    AddBlock(chart, 16, {{"ddr", "3"}, {"data", "255"}});
    AddBlock(chart, 17, {{"var", "1"}, {"port", "2"}});
    AddBlock(chart, 18, {{"port", "3"}, {"data", "7"}});
    AddBlock(chart, 19,
             {{"data1", "1"}, {"data2", "2"}, {"data3", "3"}, {"data4", "4"}, {"data5", "5"}, {"speed", "9"}});
    AddBlock(chart, 20, {{"command", chart::EscapeValue("PRINT \"" + name + "\"")}});
    AddBlock(chart, 21, {{"var", "4"}, {"index", "1"}});
    AddBlock(chart, 22, {{"var", "5"}, {"index", "2"}});
    AddBlock(chart, 23, {{"sub", "sing"}});
    AddBlock(chart, 24);
    AddBlock(chart, 25, {{"sub", "sing"}});
    AddBlock(chart, 26, {{"index", "3"}});
    AddBlock(chart, 14);
    chart.LayoutChain();
}

}  // namespace

TEST(DocumentFormat, DriveAndLabelChartIsWrittenByteForByte) {
    chart::Chart chart;
    AddBlock(chart, 1);
    AddBlock(chart, 11, {{"label", "a"}});
    const std::string expected = FileBytes(DocumentFixture("example.lcs"));
    EXPECT_EQ(BytesOf(chart), expected);

    QTemporaryDir dir;
    const QString path = dir.filePath("example.lcs");
    document::DocumentSession session(chart, {});
    session.Save(path);
    EXPECT_EQ(FileBytes(path), expected);
}

TEST(DocumentFormat, ChartWithoutBlocksIsTheDeclarationAndAnEmptyRoot) {
    chart::Chart chart;
    EXPECT_EQ(BytesOf(chart), "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<MERVANTO/>\r\n");
}

TEST(DocumentFormat, RecordIsCopiedWithItsOwnNamesAttributesAndOrder) {
    chart::Chart chart;
    const chart::ObjectId block = chart.AppendBlock(5);
    chart.SetBlockRecord(block, "<Node b=\"2\" type=\"5\" a='x\"y'><Wait>7</Wait><extra><deep>1</deep></extra></Node>");
    const chart::ObjectId unnamed = chart.AppendBlock(14);
    chart.SetBlockRecord(unnamed, "");
    EXPECT_EQ(BytesOf(chart),
              "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<MERVANTO>\r\n  <record>\r\n"
              "    <Node b=\"2\" type=\"5\" a='x\"y'>\r\n      <Wait>7</Wait>\r\n      <extra>\r\n"
              "        <deep>1</deep>\r\n      </extra>\r\n    </Node>\r\n  </record>\r\n"
              "  <record>\r\n    <any/>\r\n  </record>\r\n</MERVANTO>\r\n");
}

TEST(DocumentFormat, SaveOpenSaveGivesTheSameChainAndTheSameBytes) {
    chart::Chart original;
    AddEveryKind(original);
    QTemporaryDir dir;
    const QString first = dir.filePath("first.lcs");
    const QString second = dir.filePath("second.lcs");
    const std::vector<std::string> words{"zero", "one", "two", text::Big5("三")};
    document::DocumentSession(original, words).Save(first);

    chart::Chart reopened;
    document::DocumentSession session(reopened, words);
    session.Open(first);
    session.Save(second);
    EXPECT_EQ(FileBytes(second), FileBytes(first));

    const std::vector<chart::BlockEntry> before = original.Blocks();
    const std::vector<chart::BlockEntry> after = reopened.Blocks();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(after[i].shapeCode, before[i].shapeCode);
        EXPECT_EQ(after[i].record, before[i].record);
    }
    EXPECT_EQ(after[7].text, text::Big5("標號:迴圈"));
    EXPECT_EQ(after[16].text, text::Big5("表達式:PRINT \"迴圈\""));
    EXPECT_EQ(after[22].text, text::Big5("語音: 三"));
    EXPECT_EQ(after[22].height, chart::kNamedBlockHeight);
    EXPECT_EQ(after[0].height, chart::kBlockHeight);
}

TEST(DocumentFormat, SavesRepeatThePrologOfTheDocumentOpenedLast) {
    struct Case {
        const char* opened;
        std::string firstLines;
    };
    const Case cases[] = {
        {"no_encoding.lcs", "<?xml version=\"1.0\"?>\r\n<MERVANTO>\r\n"},
        {"prolog_kept.lcs",
         "<?xml version=\"1.0\" encoding=\"big5\" standalone=\"yes\"?>\r\n<!-- class 3B -->\r\n<MERVANTO>"},
        {"foreign.lcs", "<?xml version=\"1.0\" encoding=\"big5\"?>\r\n<MERVANTO>\r\n"},
        {"empty.lcs", "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<MERVANTO/>\r\n"},
    };
    QTemporaryDir dir;
    chart::Chart chart;
    document::DocumentSession session(chart, {});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.opened);
        session.Open(DocumentFixture(c.opened));
        const QString saved = dir.filePath("saved.lcs");
        session.Save(saved);
        EXPECT_TRUE(FileBytes(saved).starts_with(c.firstLines)) << FileBytes(saved);
        // New keeps the prolog; only the next Open replaces it.
        session.New();
        session.Save(saved);
        EXPECT_TRUE(FileBytes(saved).starts_with(c.firstLines.substr(0, c.firstLines.find("<MERVANTO"))));
    }
}

TEST(DocumentFormat, UnwritableTargetRaisesAnErrorNamingTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("missing-folder/chart.lcs");
    chart::Chart chart;
    AddBlock(chart, 1);
    document::DocumentSession session(chart, {});
    session.TakeSnapshot();
    try {
        session.Save(path);
        FAIL() << "saved into a missing folder";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find(QDir::toNativeSeparators(path).toStdString()), std::string::npos)
            << e.what();
    }
    EXPECT_TRUE(session.FileName().isEmpty());
    EXPECT_FALSE(session.IsModified());
}
