#include "chart/flow_model.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace varnoki::chart {
namespace {

std::uint16_t ClampSize(int value) {
    return static_cast<std::uint16_t>(std::clamp(value, 0, int{std::numeric_limits<std::uint16_t>::max()}));
}

double DistanceToSegment(QPoint p, QLine line) {
    const double ax = line.x1(), ay = line.y1();
    const double dx = line.x2() - ax, dy = line.y2() - ay;
    const double lengthSquared = dx * dx + dy * dy;
    double t = lengthSquared == 0 ? 0 : ((p.x() - ax) * dx + (p.y() - ay) * dy) / lengthSquared;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = p.x() - (ax + t * dx), ey = p.y() - (ay + t * dy);
    return std::sqrt(ex * ex + ey * ey);
}

}  // namespace

FlowModel::FlowModel(QObject* parent) : QObject(parent) {}

FlowModel::~FlowModel() = default;

ObjectId FlowModel::AddObject(FlowObject object) {
    object.id = ObjectId{++lastObjectId_};
    object.unionMembers.clear();
    object.unionOwner = kNoObject;
    const ObjectId id = object.id;
    objects_.push_back(std::move(object));
    objectIndex_.emplace(id, std::prev(objects_.end()));
    if (Suspended())
        changedWhileSuspended_ = true;
    else
        emit objectAdded(id);
    return id;
}

void FlowModel::DeleteObject(ObjectId id) {
    auto found = objectIndex_.find(id);
    if (found == objectIndex_.end()) return;
    auto it = found->second;

    if (auto connections = connectionsByObject_.find(id); connections != connectionsByObject_.end()) {
        const std::vector<ConnectionId> doomed = connections->second;
        for (ConnectionId connection : doomed) DeleteConnection(connection);
        connectionsByObject_.erase(id);
    }
    if (FlowObject* owner = FindMutable(it->unionOwner)) std::erase(owner->unionMembers, id);
    for (ObjectId member : it->unionMembers)
        if (FlowObject* object = FindMutable(member)) object->unionOwner = kNoObject;
    if (selection_ == SelectableItem{id}) ChangeSelection(std::nullopt);
    if (pendingVisible_ == id) pendingVisible_ = kNoObject;

    const QRect lastRect = it->Rect();
    objects_.erase(it);
    objectIndex_.erase(found);
    if (Suspended())
        changedWhileSuspended_ = true;
    else
        emit objectRemoved(id, lastRect);
}

const FlowObject* FlowModel::Find(ObjectId id) const {
    auto found = objectIndex_.find(id);
    return found == objectIndex_.end() ? nullptr : &*found->second;
}

FlowObject* FlowModel::FindMutable(ObjectId id) {
    auto found = objectIndex_.find(id);
    return found == objectIndex_.end() ? nullptr : &*found->second;
}

template <typename Change>
void FlowModel::ChangeObject(ObjectId id, Change&& change) {
    FlowObject* object = FindMutable(id);
    if (!object) return;
    if (Suspended()) {
        change(*object);
        changedWhileSuspended_ = true;
        return;
    }
    const QRect oldRect = object->Rect();
    // A copy: a slot may change the connections while we report them.
    const std::vector<ConnectionId> connections = ConnectionsOf(id);
    std::vector<QLine> oldLines;
    oldLines.reserve(connections.size());
    for (ConnectionId connection : connections) oldLines.push_back(ConnectionLine(*FindConnection(connection)));
    change(*object);
    emit objectChanged(id, oldRect);
    for (std::size_t i = 0; i < connections.size(); ++i) emit connectionChanged(connections[i], oldLines[i]);
}

void FlowModel::SetPosition(ObjectId id, int left, int top) {
    ChangeObject(id, [&](FlowObject& object) {
        object.left = left;
        object.top = top;
    });
}

void FlowModel::SetHeight(ObjectId id, int height) {
    ChangeObject(id, [&](FlowObject& object) { object.height = ClampSize(height); });
}

void FlowModel::SetText(ObjectId id, std::string text) {
    ChangeObject(id, [&](FlowObject& object) { object.text = std::move(text); });
}

void FlowModel::SetCustomData(ObjectId id, std::string data) {
    if (FlowObject* object = FindMutable(id)) object->customData = std::move(data);
}

void FlowModel::AddUnionMember(ObjectId owner, ObjectId member) {
    FlowObject* ownerObject = FindMutable(owner);
    FlowObject* memberObject = FindMutable(member);
    if (!ownerObject || !memberObject) return;
    // A member that is the owner itself or one of its owners would make moving it endless.
    for (const FlowObject* up = ownerObject; up; up = Find(up->unionOwner))
        if (up->id == member) return;
    if (FlowObject* previous = FindMutable(memberObject->unionOwner)) std::erase(previous->unionMembers, member);
    ownerObject->unionMembers.push_back(member);
    memberObject->unionOwner = owner;
}

ConnectionId FlowModel::Connect(ObjectId source, int sourcePoint, ObjectId destination, int destinationPoint) {
    if (!Find(source) || !Find(destination)) return kNoConnection;
    const ConnectionId id{++lastConnectionId_};
    connections_.push_back(Connection{id, source, sourcePoint, destination, destinationPoint});
    connectionIndex_.emplace(id, std::prev(connections_.end()));
    connectionsByObject_[source].push_back(id);
    if (destination != source) connectionsByObject_[destination].push_back(id);
    if (Suspended())
        changedWhileSuspended_ = true;
    else
        emit connectionAdded(id);
    return id;
}

void FlowModel::DeleteConnection(ConnectionId id) {
    auto found = connectionIndex_.find(id);
    if (found == connectionIndex_.end()) return;
    auto it = found->second;
    for (ObjectId end : {it->source, it->destination})
        if (auto list = connectionsByObject_.find(end); list != connectionsByObject_.end())
            std::erase(list->second, id);
    if (selection_ == SelectableItem{id}) ChangeSelection(std::nullopt);
    const QLine lastLine = ConnectionLine(*it);
    connections_.erase(it);
    connectionIndex_.erase(found);
    if (Suspended())
        changedWhileSuspended_ = true;
    else
        emit connectionRemoved(id, lastLine);
}

const Connection* FlowModel::FindConnection(ConnectionId id) const {
    auto found = connectionIndex_.find(id);
    return found == connectionIndex_.end() ? nullptr : &*found->second;
}

const std::vector<ConnectionId>& FlowModel::ConnectionsOf(ObjectId id) const {
    static const std::vector<ConnectionId> none;
    auto found = connectionsByObject_.find(id);
    return found == connectionsByObject_.end() ? none : found->second;
}

QLine FlowModel::ConnectionLine(const Connection& connection) const {
    const FlowObject* source = Find(connection.source);
    const FlowObject* destination = Find(connection.destination);
    if (!source || !destination) return {};
    return {ConnectionPoint(*source, connection.sourcePoint),
            ConnectionPoint(*destination, connection.destinationPoint)};
}

bool FlowModel::MaySelect(const SelectableItem& item) const { return !filter_ || filter_(item); }

bool FlowModel::Select(const SelectableItem& item) {
    if (selection_ == item) return true;
    const bool exists = std::holds_alternative<ObjectId>(item)
                            ? Find(std::get<ObjectId>(item)) != nullptr
                            : FindConnection(std::get<ConnectionId>(item)) != nullptr;
    if (!exists) return false;
    const bool allowed = MaySelect(item);
    ChangeSelection(allowed ? std::optional<SelectableItem>(item) : std::nullopt);
    return allowed;
}

void FlowModel::ClearSelection() { ChangeSelection(std::nullopt); }

ObjectId FlowModel::SelectedObject() const {
    if (selection_ && std::holds_alternative<ObjectId>(*selection_)) return std::get<ObjectId>(*selection_);
    return kNoObject;
}

void FlowModel::ChangeSelection(std::optional<SelectableItem> item) {
    if (selection_ == item) return;
    selection_ = item;
    if (!Suspended()) emit selectionChanged();
}

void FlowModel::MakeVisible(ObjectId id) {
    if (!Find(id)) return;
    if (Suspended())
        pendingVisible_ = id;
    else
        emit makeVisibleRequested(id);
}

std::optional<SelectableItem> FlowModel::ItemAt(QPoint point, int tolerance) const {
    for (auto it = objects_.rbegin(); it != objects_.rend(); ++it)
        if (it->width > 0 && it->height > 0 && it->Rect().contains(point)) return it->id;
    for (auto it = connections_.rbegin(); it != connections_.rend(); ++it)
        if (DistanceToSegment(point, ConnectionLine(*it)) <= tolerance) return it->id;
    return std::nullopt;
}

void FlowModel::Suspend() {
    if (suspendDepth_++ > 0) return;
    changedWhileSuspended_ = false;
    selectionAtSuspend_ = selection_;
    pendingVisible_ = kNoObject;
}

void FlowModel::Resume() {
    if (suspendDepth_ == 0 || --suspendDepth_ > 0) return;
    if (changedWhileSuspended_) emit layoutReset();
    changedWhileSuspended_ = false;
    if (selection_ != selectionAtSuspend_) emit selectionChanged();
    const ObjectId visible = std::exchange(pendingVisible_, kNoObject);
    if (Find(visible)) emit makeVisibleRequested(visible);
}

}  // namespace varnoki::chart
