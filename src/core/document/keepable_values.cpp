#include "document/keepable_values.h"

#include <string>

#include "document/document.h"
#include "error.h"

namespace varnoki::document {
namespace {

// The end of the tag that starts at `open` ("<"), past its ">", skipping quoted attribute values;
// npos when it is not closed. A quote inside the tag's name is part of the name.
std::size_t TagEnd(std::string_view text, std::size_t open) {
    char quote = 0;
    bool inName = true;
    for (std::size_t i = open + 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') inName = false;
        if (quote) {
            if (c == quote) quote = 0;
        } else if (!inName && (c == '"' || c == '\'')) {
            quote = c;
        } else if (c == '>') {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

std::string_view TagName(std::string_view tag) {
    const std::size_t end = tag.find_first_of(" \t\r\n/>", 1);
    return tag.substr(1, end - 1);
}

bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t\r\n") == std::string_view::npos; }

}  // namespace

bool HoldsMarkupInValue(std::string_view recordText) {
    // The writer puts every tag that follows an end tag, a self-closing tag or a child-holding start
    // tag on a line of its own, and an element's value right before its own end tag. A "<" anywhere
    // else came from a value.
    std::size_t at = recordText.find('<');
    while (at != std::string_view::npos) {
        const std::size_t end = TagEnd(recordText, at);
        if (end == std::string_view::npos) return true;
        const std::string_view tag = recordText.substr(at, end - at);
        const std::size_t next = recordText.find('<', end);
        const bool startTag = tag[1] != '/' && tag[1] != '?' && !tag.ends_with("/>");
        const std::string_view between = recordText.substr(end, next - end);
        const bool onNextLine = between.starts_with("\r\n") && IsBlank(between);
        if (next == std::string_view::npos) {
            if (!IsBlank(between)) return true;
        } else if (!startTag) {
            if (!onNextLine) return true;
        } else if (!onNextLine) {
            const std::string endTag = "</" + std::string(TagName(tag)) + ">";
            if (recordText.substr(next, endTag.size()) != endTag) return true;
        }
        at = next;
    }
    return false;
}

void RequireKeepableValues(const chart::Chart& chart) {
    const std::vector<chart::BlockEntry> blocks = chart.Blocks();
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (!HoldsMarkupInValue(blocks[i].record)) continue;
        const QString message =
            QString::fromUtf8("%1的名稱或內容含有「<」，流程圖文件不能保存這個字元。請修改該模塊後再保存。")
                .arg(BlockName(i + 1, blocks[i].Kind()));
        throw Error(message.toStdString());
    }
}

}  // namespace varnoki::document
