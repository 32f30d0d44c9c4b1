#pragma once

// The catalogue of block kinds: palette group and order, caption, pictures, shape code.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace varnoki::chart {

inline constexpr int kStartShapeCode = 512;
inline constexpr int kEndShapeCode = 513;
inline constexpr int kSpotShapeCode = 514;
inline constexpr int kBlockShapeBase = 576;  // a block's shape code is 576 + kind

inline constexpr int kBlockHeight = 32;
inline constexpr int kNamedBlockHeight = 40;

struct PaletteGroup {
    int index;            // 0..3, top to bottom
    std::string caption;  // Big5
};

struct BlockKind {
    int kind;              // 1..26
    int group;             // palette group index, -1 for the reserved kinds 7 and 8
    int order;             // 1-based order inside the group, 0 for the reserved kinds
    std::string caption;   // Big5; also the text of a new block
    int palettePicture;    // index into the palette's picture list
    int shapeCode;         // 576 + kind; 0 for the reserved kinds
    int chartPicture;      // kind - 1
    bool reserved() const { return group < 0; }
};

// The four palette groups, top to bottom.
std::span<const PaletteGroup> PaletteGroups();
// All 26 kinds, by kind number (entry i is kind i + 1).
std::span<const BlockKind> BlockKinds();
// The kind's entry, or nullptr outside 1..26.
const BlockKind* FindKind(int kind);
// The kinds of one palette group in palette order.
std::vector<const BlockKind*> KindsOfGroup(int group);
// True for the 24 kinds that can be placed on a chart.
bool IsRealKind(int kind);

// What a block shows after its record was read or edited.
struct DisplayText {
    std::string text;  // Big5
    int height;
};

// The display text and height of a block from its kind and record. For kinds 11, 20, 23, 25 the
// named parameter after UnescapeValue, as the document reader shows it (or the caption at 32
// pixels when it is empty); for kind 26 "語音: " and the phrase's word from
// `voiceWords` (or the index in decimal when outside the list); nothing for kind 26 whose word is
// empty and for every other kind (the block keeps its caption at 32 pixels).
// Raises xml::ParseError when the record cannot be read.
std::optional<DisplayText> DisplayTextFor(int kind, std::string_view recordText,
                                          const std::vector<std::string>& voiceWords);

}  // namespace varnoki::chart
