// Blocks entering and leaving the chain: palette insertion, appending by the document reader,
// removal through the parameter dialogs.

#include "chart/catalogue.h"
#include "chart/chart.h"
#include "chart/record.h"

namespace varnoki::chart {
namespace {

ElementPtr MakeBlock(FlowModel& flow, const BlockKind& entry) {
    return MakeElement<TSeqPanel>(flow, entry.caption, entry.shapeCode, entry.chartPicture,
                                  BuildDefaultRecord(entry.kind));
}

}  // namespace

int BlockEntry::Kind() const { return shapeCode - kBlockShapeBase; }

ObjectId Chart::InsertBlock(int kind) {
    if (!IsRealKind(kind)) return kNoObject;
    const ObjectId selected = flow_.SelectedObject();
    const int spot = IndexOfSpot(selected);
    if (spot == -1 || flow_.Find(selected)->tag != kSpotShapeCode) return kNoObject;

    SuspendedNotifications quiet(flow_);
    const auto at = static_cast<std::size_t>(spot) + 1;
    InsertElement(at, MakeElement<TNormalSpot>(flow_));
    SetElementLeft(*elements_[at], kChainLeft);
    InsertElement(at, MakeBlock(flow_, *FindKind(kind)));
    SetElementLeft(*elements_[at], kChainLeft);
    LayoutChain();
    const ObjectId block = std::get<TSeqPanel>(*elements_[at]).object;
    flow_.Select(block);
    flow_.MakeVisible(block);
    return block;
}

ObjectId Chart::AppendBlock(int kind) {
    if (!IsRealKind(kind)) return kNoObject;
    SuspendedNotifications quiet(flow_);
    const std::size_t at = elements_.size() - 1;
    InsertElement(at, MakeElement<TNormalSpot>(flow_));
    SetElementLeft(*elements_[at], kChainLeft);
    InsertElement(at, MakeBlock(flow_, *FindKind(kind)));
    SetElementLeft(*elements_[at], kChainLeft);
    lastAppended_ = std::get<TSeqPanel>(*elements_[at]).object;
    return lastAppended_;
}

void Chart::RemoveBlock(ObjectId object) {
    const int index = IndexOfBlock(object);
    if (index == -1) return;
    SuspendedNotifications quiet(flow_);
    const auto at = static_cast<std::size_t>(index);
    FreeElement(TakeElement(at));  // the block
    FreeElement(TakeElement(at));  // the insertion point after it
    LayoutChain();
    if (auto* spot = std::get_if<TNormalSpot>(elements_[at - 1].get())) {
        flow_.MakeVisible(spot->rectangle);
        reselectTarget_ = spot->rectangle;
        // Selecting now would happen in the middle of the double click that asked for the removal;
        // the event loop runs it once that click has been handled completely.
        QMetaObject::invokeMethod(this, &Chart::ReselectSpot, Qt::QueuedConnection);
    }
}

void Chart::ReselectSpot() { flow_.Select(reselectTarget_); }

std::vector<BlockEntry> Chart::Blocks() const {
    std::vector<BlockEntry> blocks;
    blocks.reserve(static_cast<std::size_t>(BlockCount()));
    for (const ElementPtr& element : elements_) {
        const auto* block = std::get_if<TSeqPanel>(element.get());
        if (!block) continue;
        const FlowObject& object = *flow_.Find(block->object);
        blocks.push_back({object.id, object.tag, object.customData, object.text, object.height});
    }
    return blocks;
}

}  // namespace varnoki::chart
