#include <gtest/gtest.h>

#include "chart/flow_model.h"

using namespace varnoki::chart;

namespace {

FlowObject Box(int left, int top, int width, int height) {
    FlowObject object;
    object.left = left;
    object.top = top;
    object.width = static_cast<std::uint16_t>(width);
    object.height = static_cast<std::uint16_t>(height);
    return object;
}

// Counts every notification a view would get.
struct Recorder {
    explicit Recorder(FlowModel& model) {
        QObject::connect(&model, &FlowModel::objectAdded, [this] { ++added; });
        QObject::connect(&model, &FlowModel::objectRemoved, [this] { ++removed; });
        QObject::connect(&model, &FlowModel::objectChanged, [this](ObjectId, QRect old) {
            ++changed;
            oldRects.push_back(old);
        });
        QObject::connect(&model, &FlowModel::connectionChanged,
                         [this](ConnectionId, QLine old) { oldLines.push_back(old); });
        QObject::connect(&model, &FlowModel::connectionRemoved, [this] { ++connectionsRemoved; });
        QObject::connect(&model, &FlowModel::selectionChanged, [this] { ++selections; });
        QObject::connect(&model, &FlowModel::makeVisibleRequested, [this](ObjectId id) { visible.push_back(id); });
        QObject::connect(&model, &FlowModel::layoutReset, [this] { ++resets; });
    }
    int added = 0, removed = 0, changed = 0, connectionsRemoved = 0, selections = 0, resets = 0;
    std::vector<QRect> oldRects;
    std::vector<QLine> oldLines;
    std::vector<ObjectId> visible;
};

}  // namespace

TEST(FlowModel, ConnectionPointsGoClockwiseFromTopLeft) {
    const FlowObject box = Box(95, 57, 40, 14);
    const std::pair<int, QPoint> cases[] = {
        {0, {95, 57}},   {1, {105, 57}}, {2, {115, 57}}, {4, {135, 57}}, {6, {135, 64}}, {8, {135, 71}},
        {10, {115, 71}}, {12, {95, 71}}, {14, {95, 64}}, {15, {95, 61}}, {16, {95, 57}},
    };
    for (const auto& [point, expected] : cases) EXPECT_EQ(ConnectionPoint(box, point), expected) << point;
    // An object of no size has all sixteen points in one place.
    EXPECT_EQ(ConnectionPoint(Box(115, 47, 0, 0), 10), QPoint(115, 47));
}

TEST(FlowModel, LinesFollowMovedObjectsAndGoWithEitherEnd) {
    FlowModel model;
    const ObjectId a = model.AddObject(Box(0, 0, 40, 20));
    const ObjectId b = model.AddObject(Box(0, 100, 40, 20));
    const ObjectId c = model.AddObject(Box(100, 100, 40, 20));
    const ConnectionId ab = model.Connect(a, 10, b, 2);
    const ConnectionId bc = model.Connect(b, 6, c, 14);
    EXPECT_EQ(model.Connect(a, 0, ObjectId{999}, 0), kNoConnection);

    Recorder recorder(model);
    model.SetPosition(b, 10, 110);
    EXPECT_EQ(recorder.oldRects, std::vector<QRect>{QRect(0, 100, 40, 20)});
    EXPECT_EQ(recorder.oldLines, (std::vector<QLine>{QLine(20, 20, 20, 100), QLine(40, 110, 100, 110)}));
    EXPECT_EQ(model.ConnectionLine(*model.FindConnection(ab)), QLine(20, 20, 30, 110));

    model.DeleteObject(b);
    EXPECT_EQ(recorder.connectionsRemoved, 2);
    EXPECT_EQ(model.FindConnection(ab), nullptr);
    EXPECT_EQ(model.FindConnection(bc), nullptr);
    EXPECT_TRUE(model.Connections().empty());
    EXPECT_TRUE(model.ConnectionsOf(a).empty());
    EXPECT_TRUE(model.ConnectionsOf(c).empty());
    EXPECT_EQ(model.Objects().size(), 2u);
}

TEST(FlowModel, DeletingKeepsUnionsConsistent) {
    FlowModel model;
    const ObjectId owner = model.AddObject(Box(0, 0, 90, 32));
    const ObjectId first = model.AddObject(Box(25, 9, 40, 14));
    const ObjectId second = model.AddObject(Box(45, 0, 0, 0));
    model.AddUnionMember(owner, first);
    model.AddUnionMember(owner, second);
    model.AddUnionMember(first, owner);  // a loop: refused
    EXPECT_TRUE(model.Find(first)->unionMembers.empty());

    model.DeleteObject(first);
    EXPECT_EQ(model.Find(owner)->unionMembers, std::vector<ObjectId>{second});
    model.DeleteObject(owner);
    EXPECT_EQ(model.Find(second)->unionOwner, kNoObject);
    model.DeleteObject(owner);  // already gone
    EXPECT_EQ(model.Objects().size(), 1u);
}

TEST(FlowModel, SelectionAsksTheFilterAndForgetsDeletedItems) {
    FlowModel model;
    const ObjectId allowed = model.AddObject(Box(0, 0, 10, 10));
    const ObjectId refused = model.AddObject(Box(20, 0, 10, 10));
    std::vector<SelectableItem> asked;
    model.SetSelectionFilter([&](const SelectableItem& item) {
        asked.push_back(item);
        return item != SelectableItem(refused);
    });
    Recorder recorder(model);

    EXPECT_TRUE(model.Select(allowed));
    EXPECT_TRUE(model.Select(allowed));  // already selected: the filter is not asked again
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_EQ(recorder.selections, 1);

    // A refused item still clears what was selected.
    EXPECT_FALSE(model.Select(refused));
    EXPECT_EQ(model.Selection(), std::nullopt);
    EXPECT_EQ(recorder.selections, 2);

    // Nothing that does not exist is asked about or changes the selection.
    model.Select(allowed);
    EXPECT_FALSE(model.Select(ObjectId{12345}));
    EXPECT_EQ(model.SelectedObject(), allowed);

    model.DeleteObject(allowed);
    EXPECT_EQ(model.SelectedObject(), kNoObject);
    EXPECT_EQ(recorder.selections, 4);
}

TEST(FlowModel, SuspendedChangesGiveOneResetAfterTheOutermostResume) {
    FlowModel model;
    const ObjectId kept = model.AddObject(Box(0, 0, 10, 10));
    Recorder recorder(model);
    {
        SuspendedNotifications outer(model);
        {
            SuspendedNotifications inner(model);
            const ObjectId added = model.AddObject(Box(0, 20, 10, 10));
            model.Connect(kept, 10, added, 2);
            model.SetPosition(kept, 5, 5);
            model.SetText(kept, "x");
            model.Select(added);
            model.MakeVisible(kept);
            model.MakeVisible(added);
        }
        EXPECT_EQ(recorder.resets, 0) << "the inner resume is not the last";
    }
    EXPECT_EQ(recorder.resets, 1);
    EXPECT_EQ(recorder.added + recorder.changed + static_cast<int>(recorder.oldLines.size()), 0);
    EXPECT_EQ(recorder.selections, 1);
    EXPECT_EQ(recorder.visible.size(), 1u);

    // Nothing changed, nothing to say.
    model.Suspend();
    model.Resume();
    model.Resume();  // unbalanced: ignored
    EXPECT_EQ(recorder.resets, 1);
    EXPECT_EQ(recorder.selections, 1);
}

TEST(FlowModel, ItemAtFindsTheTopmostObjectThenLines) {
    FlowModel model;
    const ObjectId below = model.AddObject(Box(0, 0, 100, 100));
    const ObjectId above = model.AddObject(Box(40, 40, 20, 20));
    model.AddObject(Box(10, 10, 0, 0));
    const ObjectId left = model.AddObject(Box(200, 0, 10, 10));
    const ObjectId right = model.AddObject(Box(300, 0, 10, 10));
    const ConnectionId line = model.Connect(left, 6, right, 14);  // (210,5) to (300,5)

    EXPECT_EQ(model.ItemAt({50, 50}), SelectableItem(above));
    EXPECT_EQ(model.ItemAt({10, 10}), SelectableItem(below));
    EXPECT_EQ(model.ItemAt({250, 7}), SelectableItem(line));
    EXPECT_EQ(model.ItemAt({250, 9}), std::nullopt);
    EXPECT_EQ(model.ItemAt({500, 500}), std::nullopt);
}
