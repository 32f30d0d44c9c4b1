#include <gtest/gtest.h>

#include <QDir>

#include "chart/catalogue.h"
#include "chart/record.h"
#include "document/session.h"
#include "document_test_support.h"
#include "error.h"
#include "text/big5.h"

using namespace varnoki;
using test_support::AddBlock;
using test_support::DocumentFixture;

namespace {

struct Shown {
    int kind;
    std::string text;  // UTF-8
    int height;
    bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s) {
    return out << "{" << s.kind << ", " << s.text << ", " << s.height << "}";
}

std::vector<Shown> ShownBlocks(const chart::Chart& chart) {
    std::vector<Shown> shown;
    for (const chart::BlockEntry& block : chart.Blocks()) {
        shown.push_back({block.Kind(), text::Big5ToUnicode(block.text).toStdString(), block.height});
    }
    return shown;
}

std::string Field(const chart::BlockEntry& block, const char* name) {
    return chart::Record::Parse(block.record).ReadText(name);
}

}  // namespace

TEST(DocumentReading, ForeignDocumentIsReadLikeTheProgramsOwn) {
    chart::Chart chart;
    document::DocumentSession(chart, {}).Open(DocumentFixture("foreign.lcs"));
    const std::vector<Shown> expected{{1, "直行", 32}, {11, "標號:start here", 40}, {12, "無條件跳轉", 32}};
    EXPECT_EQ(ShownBlocks(chart), expected);

    const std::vector<chart::BlockEntry> blocks = chart.Blocks();
    EXPECT_EQ(Field(blocks[0], "mode"), "2");
    EXPECT_EQ(Field(blocks[0], "wait"), "10 ");
    EXPECT_EQ(Field(blocks[2], "label"), "start here");
    // The record is copied as the program writes it, whatever the other tool's quotes and case.
    EXPECT_EQ(blocks[0].record,
              "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<CtrlNode type=\"1\">\r\n  <mode>2</mode>\r\n"
              "  <wait>10 </wait>\r\n</CtrlNode>\r\n");
}

TEST(DocumentReading, RecordsOfNoRealKindAndEmptyWrappersAreSkipped) {
    chart::Chart chart;
    document::DocumentSession(chart, {}).Open(DocumentFixture("skipped_types.lcs"));
    const std::vector<chart::BlockEntry> blocks = chart.Blocks();
    ASSERT_EQ(blocks.size(), 3u);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        EXPECT_EQ(blocks[i].Kind(), 5);
        EXPECT_EQ(Field(blocks[i], "wait"), std::to_string(i + 1));
    }
}

TEST(DocumentReading, FiveKindsShowTheirParameter) {
    chart::Chart chart;
    const std::vector<std::string> words{"hello", "", "bye"};
    document::DocumentSession(chart, words).Open(DocumentFixture("display_texts.lcs"));
    const std::string command = "表達式:A=A+1&" + text::Big5ToUnicode("\xB1\x40").toStdString();
    const std::vector<Shown> expected{
        {11, "標號:迴圈", 40},       {11, "標號", 32},     {20, command, 40}, {23, "子程序開始:sing", 40},
        {25, "調用子程序:sing", 40}, {26, "語音模塊", 32},  // the word of index 1 is empty: nothing changes
        {26, "語音: 7", 40},                                // beyond the list: the number
        {26, "語音: bye", 40},       {26, "語音: -1", 40},  // no index at all
    };
    EXPECT_EQ(ShownBlocks(chart), expected);
}

TEST(DocumentReading, OpenLaysOutOnceLikeAChartBuiltByHand) {
    chart::Chart byHand;
    AddBlock(byHand, 1);
    AddBlock(byHand, 11, {{"label", "a"}});
    byHand.SetBlockHeight(byHand.Blocks()[1].object, chart::kNamedBlockHeight);
    byHand.LayoutChain();

    chart::Chart opened;
    int resets = 0;
    int added = 0;
    QObject::connect(&opened.Flow(), &chart::FlowModel::layoutReset, [&] { ++resets; });
    QObject::connect(&opened.Flow(), &chart::FlowModel::objectAdded, [&] { ++added; });
    document::DocumentSession(opened, {}).Open(DocumentFixture("example.lcs"));
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(added, 0);

    ASSERT_EQ(opened.Flow().Objects().size(), byHand.Flow().Objects().size());
    auto mine = opened.Flow().Objects().begin();
    for (const chart::FlowObject& theirs : byHand.Flow().Objects()) {
        EXPECT_EQ(mine->tag, theirs.tag);
        EXPECT_EQ(mine->left, theirs.left);
        EXPECT_EQ(mine->top, theirs.top);
        EXPECT_EQ(mine->height, theirs.height);
        ++mine;
    }
}

TEST(DocumentReading, EmptyFileIsAChartWithoutBlocks) {
    chart::Chart chart;
    AddBlock(chart, 1);
    document::DocumentSession session(chart, {});
    session.Open(DocumentFixture("empty.lcs"));
    EXPECT_TRUE(session.IsEmptyChart());
    EXPECT_FALSE(session.IsModified());
}

TEST(DocumentReading, UnreadableFilesNameTheFileAndTheByteOffset) {
    struct Case {
        const char* file;
        const char* expected;  // besides the file name
    };
    const Case cases[] = {
        {"text_in_prolog.lcs", "第 0 位元組"},
        {"lt_in_label.lcs", "位元組"},
        {"no_such_file.lcs", "無法開啟"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        chart::Chart chart;
        const QString path = DocumentFixture(c.file);
        try {
            document::DocumentSession(chart, {}).Open(path);
            FAIL() << "opened";
        } catch (const Error& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find(QDir::toNativeSeparators(path).toStdString()), std::string::npos) << message;
            EXPECT_NE(message.find(c.expected), std::string::npos) << message;
        }
    }
}
