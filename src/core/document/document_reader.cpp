#include "document/document_reader.h"

#include "chart/record.h"
#include "document/document.h"
#include "error.h"

namespace varnoki::document {

std::vector<BlockToAppend> BlocksOfDocument(const xml::Document& document, const std::vector<std::string>& voiceWords) {
    std::vector<BlockToAppend> blocks;
    blocks.reserve(document.root.children.size());
    for (const xml::Element& wrapper : document.root.children) {
        if (wrapper.children.empty()) continue;
        const xml::Element& element = wrapper.children.front();
        const int kind = chart::Record(element).Type();
        if (!chart::IsRealKind(kind)) continue;
        BlockToAppend block{kind, element, chart::WriteRecordElement(element), std::nullopt};
        try {
            block.display = chart::DisplayTextFor(kind, block.record, voiceWords);
        } catch (const Error& e) {
            const QString message = QString::fromUtf8("%1的參數記錄無法讀取：%2")
                                        .arg(BlockName(blocks.size() + 1, kind), QString::fromUtf8(e.what()));
            throw Error(message.toStdString());
        }
        blocks.push_back(std::move(block));
    }
    return blocks;
}

xml::Element DocumentRootOf(const std::vector<BlockToAppend>& blocks) {
    xml::Element root;
    root.name = kRootName;
    root.children.reserve(blocks.size());
    for (const BlockToAppend& block : blocks) {
        root.AddChild(std::string(kWrapperName)).children.push_back(block.element);
    }
    return root;
}

void ReplaceChain(chart::Chart& chart, const std::vector<BlockToAppend>& blocks) {
    chart::SuspendedNotifications quiet(chart.Flow());
    chart.ClearChart();
    chart.NewChart();
    for (const BlockToAppend& block : blocks) {
        const chart::ObjectId object = chart.AppendBlock(block.kind);
        chart.SetBlockRecord(object, block.record);
        if (block.display) {
            chart.SetBlockHeight(object, block.display->height);
            chart.SetBlockText(object, block.display->text);
        }
    }
    chart.LayoutChain();
}

}  // namespace varnoki::document
