#include "chart/catalogue.h"

#include <algorithm>
#include <array>

#include "chart/record.h"
#include "text/big5.h"

namespace varnoki::chart {
namespace {

struct KindRow {
    int group;
    int order;
    const char* caption;  // UTF-8
    int palettePicture;
};

// By kind number; kinds 7 and 8 belong to no group and are never shown.
constexpr std::array<KindRow, 26> kKindRows{{
    {0, 1, "直行", 0},        {0, 2, "轉向", 1},        {0, 3, "啟動電機", 2},    {0, 4, "停止電機", 3},
    {0, 5, "延時", 4},        {0, 6, "發音", 5},        {-1, 0, "紅外線", 6},     {-1, 0, "光感", 7},
    {2, 1, "多次循環頭", 14}, {2, 2, "多次循環尾", 15}, {2, 3, "標號", 16},       {2, 4, "無條件跳轉", 17},
    {2, 5, "條件跳轉", 11},   {3, 1, "結束程序", 13},   {0, 7, "發光二極管", 18}, {1, 1, "IO設置", 21},
    {1, 2, "IO輸入", 20},     {1, 3, "IO輸出", 19},     {0, 8, "舵機", 23},       {0, 9, "表達式", 22},
    {1, 4, "開關量傳感", 24}, {1, 5, "模擬量傳感", 25}, {2, 6, "子程序開始", 26}, {2, 7, "子程序結束", 27},
    {2, 8, "調用子程序", 28}, {0, 10, "語音模塊", 29},
}};

constexpr std::array<const char*, 4> kGroupCaptions{"執行模塊", "傳感器模塊", "控制模塊", "程序模塊"};

std::vector<BlockKind> BuildKinds() {
    std::vector<BlockKind> kinds;
    for (int i = 0; i < static_cast<int>(kKindRows.size()); ++i) {
        const KindRow& row = kKindRows[static_cast<std::size_t>(i)];
        const int kind = i + 1;
        const bool reserved = row.group < 0;
        kinds.push_back(BlockKind{kind, row.group, row.order, text::Big5(row.caption), row.palettePicture,
                                  reserved ? 0 : kBlockShapeBase + kind, kind - 1});
    }
    return kinds;
}

std::vector<PaletteGroup> BuildGroups() {
    std::vector<PaletteGroup> groups;
    for (int i = 0; i < static_cast<int>(kGroupCaptions.size()); ++i)
        groups.push_back(PaletteGroup{i, text::Big5(kGroupCaptions[static_cast<std::size_t>(i)])});
    return groups;
}

// The kinds whose block shows one text field of its record after the caption.
struct NamedField {
    int kind;
    const char* field;
    const char* prefix;  // UTF-8
};
constexpr std::array<NamedField, 4> kNamedFields{{
    {11, "label", "標號:"},
    {20, "command", "表達式:"},
    {23, "sub", "子程序開始:"},
    {25, "sub", "調用子程序:"},
}};

}  // namespace

std::span<const PaletteGroup> PaletteGroups() {
    static const std::vector<PaletteGroup> groups = BuildGroups();
    return groups;
}

std::span<const BlockKind> BlockKinds() {
    static const std::vector<BlockKind> kinds = BuildKinds();
    return kinds;
}

const BlockKind* FindKind(int kind) {
    if (kind < 1 || kind > static_cast<int>(kKindRows.size())) return nullptr;
    return &BlockKinds()[static_cast<std::size_t>(kind - 1)];
}

std::vector<const BlockKind*> KindsOfGroup(int group) {
    std::vector<const BlockKind*> members;
    for (const BlockKind& entry : BlockKinds())
        if (entry.group == group) members.push_back(&entry);
    std::stable_sort(members.begin(), members.end(),
                     [](const BlockKind* a, const BlockKind* b) { return a->order < b->order; });
    return members;
}

bool IsRealKind(int kind) {
    const BlockKind* entry = FindKind(kind);
    return entry && !entry->reserved();
}

std::optional<DisplayText> DisplayTextFor(int kind, std::string_view recordText,
                                          const std::vector<std::string>& voiceWords) {
    const BlockKind* entry = FindKind(kind);
    if (!entry) return std::nullopt;
    for (const NamedField& named : kNamedFields) {
        if (named.kind != kind) continue;
        const std::string value = UnescapeValue(Record::Parse(recordText).ReadText(named.field));
        if (value.empty()) return DisplayText{entry->caption, kBlockHeight};
        return DisplayText{text::Big5(named.prefix) + value, kNamedBlockHeight};
    }
    if (kind != 26) return std::nullopt;
    const int index = Record::Parse(recordText).ReadInteger("index", -1);
    const bool listed = index >= 0 && index < static_cast<int>(voiceWords.size());
    const std::string word = listed ? voiceWords[static_cast<std::size_t>(index)] : std::to_string(index);
    if (word.empty()) return std::nullopt;
    return DisplayText{text::Big5("語音: ") + word, kNamedBlockHeight};
}

}  // namespace varnoki::chart
