#include <gtest/gtest.h>

#include "chart/record.h"
#include "error.h"
#include "text/big5.h"
#include "xml/reader.h"

using namespace varnoki;
using namespace varnoki::chart;

namespace {

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n";

// A record with the given lines between the CtrlNode tags.
std::string RecordText(int kind, std::string_view children) {
    const std::string open = "<CtrlNode type=\"" + std::to_string(kind) + "\"";
    if (children.empty()) return std::string(kDeclaration) + open + "/>\r\n";
    return std::string(kDeclaration) + open + ">\r\n" + std::string(children) + "</CtrlNode>\r\n";
}

Record Parsed(std::string_view children) {
    return Record::Parse("<CtrlNode type=\"1\">" + std::string(children) + "</CtrlNode>");
}

}  // namespace

TEST(Record, DefaultRecordOfEveryKind) {
    const std::pair<int, const char*> expected[] = {
        {1, "  <mode>0</mode>\r\n  <wait>0</wait>\r\n"},
        {2, "  <mode>0</mode>\r\n  <wait>0</wait>\r\n"},
        {3, "  <motorL>0</motorL>\r\n  <motorR>0</motorR>\r\n"},
        {4, "  <mode>0</mode>\r\n"},
        {5, "  <wait>0</wait>\r\n"},
        {6, "  <key>0</key>\r\n  <keycmd>0</keycmd>\r\n  <content/>\r\n"},
        {9, "  <times>1</times>\r\n  <var>0</var>\r\n"},
        {10, "  <var>0</var>\r\n"},
        {11, "  <label/>\r\n"},
        {12, "  <label/>\r\n"},
        {13, "  <condition/>\r\n  <label/>\r\n"},
        {14, ""},
        {15, "  <led>7</led>\r\n"},
        {16, "  <ddr>0</ddr>\r\n  <data>0</data>\r\n"},
        {17, "  <var>0</var>\r\n  <port>0</port>\r\n"},
        {18, "  <port>0</port>\r\n  <data>0</data>\r\n"},
        {19,
         "  <data1>9</data1>\r\n  <data2>9</data2>\r\n  <data3>9</data3>\r\n  <data4>9</data4>\r\n"
         "  <data5>9</data5>\r\n  <speed>1</speed>\r\n"},
        {20, "  <command/>\r\n"},
        {21, "  <var>0</var>\r\n  <index>0</index>\r\n"},
        {22, "  <var>0</var>\r\n  <index>0</index>\r\n"},
        {23, "  <sub/>\r\n"},
        {24, ""},
        {25, "  <sub/>\r\n"},
        {26, "  <index>0</index>\r\n"},
    };
    for (const auto& [kind, children] : expected) {
        SCOPED_TRACE(kind);
        const std::string record = BuildDefaultRecord(kind);
        EXPECT_EQ(record, RecordText(kind, children));
        EXPECT_EQ(Record::Parse(record).Type(), kind);
    }
    EXPECT_EQ(BuildDefaultRecord(14), std::string(kDeclaration) + "<CtrlNode type=\"14\"/>\r\n");
}

TEST(Record, ReservedAndUnknownKindsHaveNoRecord) {
    for (int kind : {7, 8, 0, 27, -1}) EXPECT_THROW(BuildDefaultRecord(kind), Error) << kind;
}

TEST(Record, RewrittenRecordKeepsFieldOrderAndValues) {
    const std::string content = text::Big5("多來米 1 2");
    const std::string record =
        WriteRecord(6, {{"key", IntegerText(-12)}, {"keycmd", BooleanText(true)}, {"content", content}});
    EXPECT_EQ(record,
              RecordText(6, "  <key>-12</key>\r\n  <keycmd>-1</keycmd>\r\n  <content>" + content + "</content>\r\n"));
    const Record read = Record::Parse(record);
    EXPECT_EQ(read.ReadInteger("key", 0), -12);
    EXPECT_TRUE(read.ReadBoolean("keycmd", false));
    EXPECT_EQ(read.ReadText("content"), content);
    EXPECT_EQ(WriteRecordElement(read.Root()), record);
}

TEST(Record, IntegerReads) {
    struct Case {
        const char* children;
        int value;
    };
    const Case cases[] = {
        {"<n>42</n>", 42},
        {"<n>-255</n>", -255},
        {"<n>+3</n>", 3},
        {"<n>  7  </n>", 7},
        {"<n>2147483647</n>", 2147483647},
        {"<n>-2147483648</n>", -2147483647 - 1},
        {"<n>2147483648</n>", -1},
        {"<n>99999999999999999999</n>", -1},
        {"<n>abc</n>", -1},
        {"<n>1a</n>", -1},
        {"<n>0x10</n>", -1},
        {"<n>-</n>", -1},
        {"<n/>", -1},
        {"", 5},
        {"<N>8</N>", 8},
        {"<n>1</n><n>2</n>", 2},
    };
    for (const Case& c : cases) EXPECT_EQ(Parsed(c.children).ReadInteger("n", 5), c.value) << c.children;
}

TEST(Record, TypeAttributeReadsLikeAnInteger) {
    EXPECT_EQ(Record::Parse("<CtrlNode type='26'/>").Type(), 26);
    EXPECT_EQ(Record::Parse("<CtrlNode TYPE=\"3\"/>").Type(), 3);
    EXPECT_EQ(Record::Parse("<CtrlNode type='x'/>").Type(), -1);
    EXPECT_EQ(Record::Parse("<CtrlNode/>").Type(), -1);
    EXPECT_EQ(Record::Parse("").Type(), -1);
}

TEST(Record, BooleanReads) {
    struct Case {
        const char* children;
        bool fallback;
        bool value;
    };
    const Case cases[] = {
        {"<b>-1</b>", false, true},
        {"<b>1</b>", false, true},
        {"<b>7</b>", false, true},
        {"<b>0</b>", true, false},
        {"<b>-0</b>", true, false},
        {"<b>000</b>", true, false},
        {"<b>True</b>", false, true},
        {"<b>TRUE</b>", false, true},
        {"<b>false</b>", true, false},
        {"<b>yes</b>", true, false},
        {"<b/>", true, true},
        {"<b/>", false, false},
        {"", true, true},
        {"<b>99999999999</b>", false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Parsed(c.children).ReadBoolean("b", c.fallback), c.value) << c.children << " " << c.fallback;
    }
}

TEST(Record, TextReadsCollapseBlanksAndKeepBytes) {
    const std::string big5 = text::Big5("直行");
    const Record record = Parsed("<a>two  spaces</a><b>   leading</b><c>x & y &amp;</c><d>" + big5 + "</d><e/>");
    EXPECT_EQ(record.ReadText("a"), "two spaces");
    EXPECT_EQ(record.ReadText("b"), "leading");
    EXPECT_EQ(record.ReadText("c"), "x & y &amp;");
    EXPECT_EQ(record.ReadText("d"), big5);
    EXPECT_EQ(record.ReadText("e", "unused"), "");
    EXPECT_EQ(record.ReadText("missing", "fallback"), "fallback");
}

TEST(Record, UnescapedLessThanMakesRecordUnreadable) {
    const std::string record = WriteRecord(11, {{"label", "a<b"}});
    EXPECT_THROW(Record::Parse(record), xml::ParseError);
}

TEST(Record, EscapeValue) {
    EXPECT_EQ(EscapeValue("A<3 & B>\"x\" 'y'"), "A&lt;3 &amp; B&gt;&quot;x&quot; &apos;y&apos;");
    EXPECT_EQ(EscapeValue(text::Big5("直")), "&#xAA;&#xBD;");
    EXPECT_EQ(EscapeValue("\x80\xFF\x7F"), "&#x80;&#xFF;\x7F");
    EXPECT_EQ(EscapeValue(""), "");
}

TEST(Record, UnescapeValue) {
    struct Case {
        const char* escaped;
        const char* plain;
    };
    const Case cases[] = {
        {"&AMP;", "&"},
        {"&Lt;&gT;&APOS;&quot;", "<>'\""},
        {"&#65;", "A"},
        {"&#x41;", "A"},
        {"&#X4a;", "J"},
        {"&#xAA;&#xBD;", "\xAA\xBD"},
        {"&#0;", "&#0;"},
        {"&#x0;", "&#x0;"},
        {"&#12", "&#12"},
        {"&#;", "&#;"},
        {"&#x;", "&#x;"},
        {"&#256;", "&#256;"},
        {"&#99999999999999999999;", "&#99999999999999999999;"},
        {"&#x4G;", "&#x4G;"},
        {"&nbsp; & &am", "&nbsp; & &am"},
        {"&amp;lt;", "&lt;"},
        {"&&amp;", "&&"},
    };
    for (const Case& c : cases) EXPECT_EQ(UnescapeValue(c.escaped), c.plain) << c.escaped;
}

TEST(Record, UnescapeUndoesEscapeForEveryByte) {
    std::string everyByte;
    for (int byte = 0; byte < 256; ++byte) everyByte += static_cast<char>(byte);
    EXPECT_EQ(UnescapeValue(EscapeValue(everyByte)), everyByte);
    // What a dialog stores must also survive the record: no "<" is left after escaping.
    const std::string escaped = EscapeValue(everyByte.substr(33));
    EXPECT_EQ(Record::Parse(WriteRecord(20, {{"command", escaped}})).ReadText("command"), escaped);
}
