#include "chart/chart.h"

#include <algorithm>

#include "chart/catalogue.h"

namespace varnoki::chart {

Chart::Chart(QObject* parent) : QObject(parent) {
    flow_.SetSelectionFilter([this](const SelectableItem& item) { return dxFlowChart1Selection(item); });
    NewChart();
}

Chart::~Chart() {
    // The views need not hear about a chart that is going away.
    flow_.blockSignals(true);
    ClearChart();
}

void Chart::InsertElement(std::size_t index, ElementPtr element) {
    Element* raw = element.get();
    if (auto* block = std::get_if<TSeqPanel>(raw)) {
        registry_[block->object] = {raw, Role::Block};
    } else if (auto* spot = std::get_if<TNormalSpot>(raw)) {
        registry_[spot->rectangle] = {raw, Role::SpotRectangle};
        registry_[spot->frame] = {raw, Role::SpotFrame};
    }
    elements_.insert(elements_.begin() + static_cast<std::ptrdiff_t>(index), std::move(element));
}

ElementPtr Chart::TakeElement(std::size_t index) {
    ElementPtr element = std::move(elements_[index]);
    elements_.erase(elements_.begin() + static_cast<std::ptrdiff_t>(index));
    if (auto* block = std::get_if<TSeqPanel>(element.get())) {
        registry_.erase(block->object);
    } else if (auto* spot = std::get_if<TNormalSpot>(element.get())) {
        registry_.erase(spot->rectangle);
        registry_.erase(spot->frame);
    }
    return element;
}

void Chart::FreeElement(ElementPtr element) { element.reset(); }

void Chart::NewChart() {
    SuspendedNotifications quiet(flow_);
    // Whatever is left would otherwise stay drawn with nothing owning it.
    ClearChart();
    InsertElement(0, MakeElement<TStartPanel>(flow_));
    InsertElement(1, MakeElement<TNormalSpot>(flow_));
    InsertElement(2, MakeElement<TEndPanel>(flow_));
    flow_.Select(std::get<TNormalSpot>(*elements_[1]).rectangle.id());
    for (const ElementPtr& element : elements_) SetElementLeft(*element, kChainLeft);
    LayoutChain();
    startShape_ = std::get<TStartPanel>(*elements_[0]).object;
    endShape_ = std::get<TEndPanel>(*elements_[2]).object;
}

void Chart::ClearChart() {
    SuspendedNotifications quiet(flow_);
    while (!elements_.empty()) FreeElement(TakeElement(elements_.size() - 1));
}

void Chart::LayoutChain() {
    SuspendedNotifications quiet(flow_);
    int top = kChainTop;
    for (const ElementPtr& element : elements_) {
        PlaceElement(*element, ElementLeft(*element), top);
        top += ElementHeight(*element);
    }
}

Element* Chart::FindRole(ObjectId object, Role role) const {
    auto found = registry_.find(object);
    return found != registry_.end() && found->second.role == role ? found->second.element : nullptr;
}

int Chart::IndexOfRole(ObjectId object, Role role) const {
    const Element* element = FindRole(object, role);
    if (!element) return -1;
    auto at = std::find_if(elements_.begin(), elements_.end(), [&](const ElementPtr& e) { return e.get() == element; });
    return static_cast<int>(at - elements_.begin());
}

int Chart::IndexOfBlock(ObjectId object) const { return IndexOfRole(object, Role::Block); }
int Chart::IndexOfSpot(ObjectId object) const { return IndexOfRole(object, Role::SpotRectangle); }
int Chart::IndexOfSpotFrame(ObjectId object) const { return IndexOfRole(object, Role::SpotFrame); }
bool Chart::IsBlock(ObjectId object) const { return FindRole(object, Role::Block) != nullptr; }

int Chart::BlockCount() const { return std::max(0, static_cast<int>(elements_.size()) - 3) / 2; }

int Chart::ElementLeft(const Element& element) const {
    return std::visit([](const auto& e) { return e.left; }, element);
}

int Chart::ElementHeight(const Element& element) const {
    const ObjectId main = MainObject(element);
    const FlowObject* object = flow_.Find(main);
    return object ? object->height : 0;
}

void Chart::SetBlockHeight(ObjectId object, int height) {
    Element* element = FindRole(object, Role::Block);
    if (!element) return;
    flow_.SetHeight(object, height);
    std::get<TSeqPanel>(*element).height = flow_.Find(object)->height;
}

void Chart::SetBlockText(ObjectId object, std::string text) {
    if (IsBlock(object)) flow_.SetText(object, std::move(text));
}

void Chart::SetBlockRecord(ObjectId object, std::string record) {
    if (IsBlock(object)) flow_.SetCustomData(object, std::move(record));
}

void Chart::PlaceElement(Element& element, int left, int top) {
    std::visit(
        [&](auto& e) {
            if constexpr (std::is_same_v<std::decay_t<decltype(e)>, TNormalSpot>) {
                MoveObjectTree(e.frame, left, top);
                CentreRectangle(e);
            } else {
                flow_.SetPosition(e.object, left, top);
            }
            e.left = left;
            e.top = top;
        },
        element);
}

void Chart::SetElementLeft(Element& element, int left) {
    std::visit(
        [&](auto& e) {
            if constexpr (std::is_same_v<std::decay_t<decltype(e)>, TNormalSpot>) {
                MoveObjectTree(e.frame, left, flow_.Find(e.frame)->top);
                CentreRectangle(e);
            } else {
                flow_.SetPosition(e.object, left, flow_.Find(e.object)->top);
            }
            e.left = left;
        },
        element);
}

void Chart::CentreRectangle(TNormalSpot& spot) {
    const FlowObject* frame = flow_.Find(spot.frame);
    flow_.SetPosition(spot.rectangle, frame->left + kSpotRectangleLeft, frame->top + kSpotRectangleTop);
}

void Chart::MoveObjectTree(ObjectId object, int left, int top) {
    const FlowObject* moved = flow_.Find(object);
    if (!moved) return;
    const int oldLeft = moved->left;
    const int oldTop = moved->top;
    moveList_.clear();
    CollectObjectTree(object);
    for (ObjectId member : moveList_) {
        const FlowObject* o = flow_.Find(member);
        flow_.SetPosition(member, left + o->left - oldLeft, top + o->top - oldTop);
    }
}

void Chart::CollectObjectTree(ObjectId object) {
    const FlowObject* found = flow_.Find(object);
    if (!found) return;
    moveList_.push_back(object);
    for (ObjectId member : found->unionMembers) CollectObjectTree(member);
}

bool Chart::dxFlowChart1Selection(const SelectableItem& item) const {
    const ObjectId* object = std::get_if<ObjectId>(&item);
    if (!object) return false;
    return *object != startShape_ && *object != endShape_ && !FindRole(*object, Role::SpotFrame);
}

}  // namespace varnoki::chart
