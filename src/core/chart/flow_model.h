#pragma once

// The flowchart model: the objects of the chart in drawing order, the connections between them, a
// single selection guarded by a selection filter, and change notifications for a view. It knows
// nothing about blocks or insertion points; the chart (chart.h) builds those from its objects.

#include <QObject>
#include <functional>
#include <list>
#include <optional>
#include <unordered_map>
#include <vector>

#include "chart/flow_object.h"

namespace varnoki::chart {

class FlowModel : public QObject {
    Q_OBJECT

public:
    // Asked before any item becomes selected, by a click or by the program.
    using SelectionFilter = std::function<bool(const SelectableItem&)>;

    explicit FlowModel(QObject* parent = nullptr);
    ~FlowModel() override;

    // Objects, bottom to top: later objects are drawn over earlier ones and are hit first.
    ObjectId AddObject(FlowObject object);
    // Deletes the object and its connections, takes it out of its owner's union and releases its
    // own union members (they stay). Unknown ids are ignored.
    void DeleteObject(ObjectId id);
    const FlowObject* Find(ObjectId id) const;
    const std::list<FlowObject>& Objects() const { return objects_; }

    void SetPosition(ObjectId id, int left, int top);
    void SetHeight(ObjectId id, int height);
    void SetText(ObjectId id, std::string text);
    // Not drawn, so no notification.
    void SetCustomData(ObjectId id, std::string data);
    // Joins `member` to `owner` (a member belongs to one owner at most).
    void AddUnionMember(ObjectId owner, ObjectId member);

    // Straight connections; deleting either end deletes the connection.
    ConnectionId Connect(ObjectId source, int sourcePoint, ObjectId destination, int destinationPoint);
    const Connection* FindConnection(ConnectionId id) const;
    const std::list<Connection>& Connections() const { return connections_; }
    const std::vector<ConnectionId>& ConnectionsOf(ObjectId id) const;
    QLine ConnectionLine(const Connection& connection) const;

    // The selection holds one item or none.
    void SetSelectionFilter(SelectionFilter filter) { filter_ = std::move(filter); }
    bool MaySelect(const SelectableItem& item) const;
    // Clears the selection, then selects `item` if the filter allows it; nothing happens when the
    // item is already the selected one or does not exist. Returns whether the item is selected
    // afterwards.
    bool Select(const SelectableItem& item);
    void ClearSelection();
    std::optional<SelectableItem> Selection() const { return selection_; }
    // The selected object, kNoObject when nothing or a connection is selected.
    ObjectId SelectedObject() const;

    // Asks the views to scroll the object into sight.
    void MakeVisible(ObjectId id);

    // The topmost object whose area holds `point`, else a connection passing within `tolerance`
    // pixels of it; nothing over empty ground.
    std::optional<SelectableItem> ItemAt(QPoint point, int tolerance = 2) const;

    // Suspends change notifications until the matching Resume (calls nest). The outermost Resume
    // sends layoutReset once if anything changed, then selectionChanged if the selection differs
    // from what it was at the first Suspend, then the last pending makeVisibleRequested.
    void Suspend();
    void Resume();
    bool Suspended() const { return suspendDepth_ > 0; }

signals:
    void objectAdded(varnoki::chart::ObjectId id);
    void objectRemoved(varnoki::chart::ObjectId id, QRect lastRect);
    void objectChanged(varnoki::chart::ObjectId id, QRect oldRect);
    void connectionAdded(varnoki::chart::ConnectionId id);
    void connectionRemoved(varnoki::chart::ConnectionId id, QLine lastLine);
    void connectionChanged(varnoki::chart::ConnectionId id, QLine oldLine);
    void selectionChanged();
    void makeVisibleRequested(varnoki::chart::ObjectId id);
    // Many things changed at once: read the whole model again.
    void layoutReset();

private:
    FlowObject* FindMutable(ObjectId id);
    void DeleteConnection(ConnectionId id);
    // Runs `change` on the object and tells the views, with the lines of its connections.
    template <typename Change>
    void ChangeObject(ObjectId id, Change&& change);
    void ChangeSelection(std::optional<SelectableItem> item);

    std::list<FlowObject> objects_;
    std::unordered_map<ObjectId, std::list<FlowObject>::iterator> objectIndex_;
    std::list<Connection> connections_;
    std::unordered_map<ConnectionId, std::list<Connection>::iterator> connectionIndex_;
    std::unordered_map<ObjectId, std::vector<ConnectionId>> connectionsByObject_;
    std::uint32_t lastObjectId_ = 0;
    std::uint32_t lastConnectionId_ = 0;

    SelectionFilter filter_;
    std::optional<SelectableItem> selection_;

    int suspendDepth_ = 0;
    bool changedWhileSuspended_ = false;
    std::optional<SelectableItem> selectionAtSuspend_;
    ObjectId pendingVisible_{};
};

// Suspends a model's notifications for the life of a scope.
class SuspendedNotifications {
public:
    explicit SuspendedNotifications(FlowModel& model) : model_(model) { model_.Suspend(); }
    ~SuspendedNotifications() { model_.Resume(); }
    SuspendedNotifications(const SuspendedNotifications&) = delete;
    SuspendedNotifications& operator=(const SuspendedNotifications&) = delete;

private:
    FlowModel& model_;
};

}  // namespace varnoki::chart
