#include <gtest/gtest.h>

#include "chart/catalogue.h"
#include "chart/record.h"
#include "text/big5.h"
#include "xml/reader.h"

using namespace varnoki;
using namespace varnoki::chart;

namespace {

std::vector<int> KindNumbers(int group) {
    std::vector<int> kinds;
    for (const BlockKind* entry : KindsOfGroup(group)) kinds.push_back(entry->kind);
    return kinds;
}

}  // namespace

TEST(Catalogue, PaletteGroupsHoldTheirKindsInOrder) {
    std::vector<QString> captions;
    for (const PaletteGroup& group : PaletteGroups()) captions.push_back(text::Big5ToUnicode(group.caption));
    EXPECT_EQ(captions, (std::vector<QString>{"執行模塊", "傳感器模塊", "控制模塊", "程序模塊"}));
    EXPECT_EQ(KindNumbers(0), (std::vector<int>{1, 2, 3, 4, 5, 6, 15, 19, 20, 26}));
    EXPECT_EQ(KindNumbers(1), (std::vector<int>{16, 17, 18, 21, 22}));
    EXPECT_EQ(KindNumbers(2), (std::vector<int>{9, 10, 11, 12, 13, 23, 24, 25}));
    EXPECT_EQ(KindNumbers(3), std::vector<int>{14});
    EXPECT_EQ(KindNumbers(-1), (std::vector<int>{7, 8}));
}

TEST(Catalogue, EveryKindCarriesItsCodesAndPictures) {
    ASSERT_EQ(BlockKinds().size(), 26u);
    for (const BlockKind& entry : BlockKinds()) {
        SCOPED_TRACE(entry.kind);
        EXPECT_EQ(FindKind(entry.kind), &entry);
        EXPECT_EQ(entry.chartPicture, entry.kind - 1);
        EXPECT_EQ(IsRealKind(entry.kind), !entry.reserved());
        EXPECT_EQ(entry.shapeCode, entry.reserved() ? 0 : kBlockShapeBase + entry.kind);
        if (!entry.reserved()) {
            EXPECT_EQ(Record::Parse(BuildDefaultRecord(entry.kind)).Type(), entry.kind);
        }
    }
    EXPECT_TRUE(IsRealKind(1) && IsRealKind(26));
    EXPECT_FALSE(IsRealKind(7) || IsRealKind(8) || IsRealKind(0) || IsRealKind(27));
    EXPECT_EQ(FindKind(0), nullptr);
    EXPECT_EQ(FindKind(27), nullptr);

    const std::tuple<int, const char*, int> samples[] = {
        {1, "直行", 0}, {13, "條件跳轉", 11}, {14, "結束程序", 13}, {7, "紅外線", 6}, {26, "語音模塊", 29},
    };
    for (const auto& [kind, caption, palettePicture] : samples) {
        EXPECT_EQ(FindKind(kind)->caption, text::Big5(caption));
        EXPECT_EQ(FindKind(kind)->palettePicture, palettePicture);
    }
}

TEST(Catalogue, DisplayTextFromTheRecord) {
    const std::vector<std::string> words{"zero", "", "two"};
    struct Case {
        int kind;
        RecordFields fields;
        std::optional<std::pair<const char*, int>> expected;
    };
    const Case cases[] = {
        {11, {{"label", "L1"}}, {{"標號:L1", 40}}},
        {11, {{"label", ""}}, {{"標號", 32}}},
        {20, {{"command", EscapeValue("A<B")}}, {{"表達式:A<B", 40}}},
        {20, {}, {{"表達式", 32}}},
        {23, {{"sub", "S1"}}, {{"子程序開始:S1", 40}}},
        {25, {{"sub", "S1"}}, {{"調用子程序:S1", 40}}},
        {26, {{"index", "2"}}, {{"語音: two", 40}}},
        {26, {{"index", "3"}}, {{"語音: 3", 40}}},  // beyond the list: the number
        {26, {}, {{"語音: -1", 40}}},               // no index at all
        {26, {{"index", "1"}}, std::nullopt},       // an empty entry changes nothing
        {12, {{"label", "L1"}}, std::nullopt},      // jumps keep their captions
        {1, {{"mode", "1"}}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        const auto shown = DisplayTextFor(c.kind, WriteRecord(c.kind, c.fields), words);
        ASSERT_EQ(shown.has_value(), c.expected.has_value());
        if (!shown) continue;
        EXPECT_EQ(text::Big5ToUnicode(shown->text), QString::fromUtf8(c.expected->first));
        EXPECT_EQ(shown->height, c.expected->second);
    }
    EXPECT_THROW(DisplayTextFor(11, "<CtrlNode type=\"11\"><label>", words), xml::ParseError);
}
