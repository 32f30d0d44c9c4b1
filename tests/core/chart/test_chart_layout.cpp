#include <gtest/gtest.h>

#include "chart/catalogue.h"
#include "chart_fixture.h"

using namespace varnoki::chart;

namespace {

void ExpectNewChartLayout(const Chart& chart) {
    ASSERT_EQ(Shape(chart), "SPE");
    const auto& spot = ElementAt<TNormalSpot>(chart, 1);
    EXPECT_EQ(TopLeft(chart, chart.StartShape()), QPoint(70, 16));
    EXPECT_EQ(TopLeft(chart, spot.frame), QPoint(70, 48));
    EXPECT_EQ(TopLeft(chart, spot.rectangle), QPoint(95, 57));
    EXPECT_EQ(TopLeft(chart, spot.upperAnchor), QPoint(115, 47));
    EXPECT_EQ(TopLeft(chart, spot.lowerAnchor), QPoint(115, 80));
    EXPECT_EQ(TopLeft(chart, chart.EndShape()), QPoint(70, 80));
    EXPECT_EQ(chart.Flow().SelectedObject(), spot.rectangle.id());

    // The line runs from one pixel inside the start terminal through the rectangle to the end.
    std::vector<QLine> lines;
    for (const Connection& connection : chart.Flow().Connections())
        lines.push_back(chart.Flow().ConnectionLine(connection));
    EXPECT_EQ(lines, (std::vector<QLine>{QLine(115, 47, 115, 57), QLine(115, 71, 115, 80)}));
    EXPECT_EQ(chart.Flow().Objects().size(), 6u);
}

std::vector<int> Tops(const Chart& chart) {
    std::vector<int> tops;
    for (const ElementPtr& element : chart.Elements()) {
        const int recorded = std::visit([](const auto& e) { return e.top; }, *element);
        const ObjectId main = MainObject(*element);
        EXPECT_EQ(TopLeft(chart, main).y(), recorded);
        tops.push_back(recorded);
    }
    return tops;
}

}  // namespace

TEST(ChartLayout, NewChartIsStartSpotEndInOneColumn) {
    Chart chart;
    ExpectNewChartLayout(chart);
    EXPECT_EQ(chart.Flow().Find(chart.StartShape())->tag, kStartShapeCode);
    EXPECT_EQ(chart.Flow().Find(chart.EndShape())->tag, kEndShapeCode);
    EXPECT_EQ(chart.BlockCount(), 0);
}

TEST(ChartLayout, ClearThenNewGivesTheNewChartAgain) {
    Chart chart;
    for (int kind : {1, 11, 26}) chart.AppendBlock(kind);
    chart.LayoutChain();

    chart.ClearChart();
    EXPECT_TRUE(chart.Elements().empty());
    EXPECT_TRUE(chart.Flow().Objects().empty());
    EXPECT_TRUE(chart.Flow().Connections().empty());
    EXPECT_EQ(chart.Flow().SelectedObject(), kNoObject);

    chart.NewChart();
    ExpectNewChartLayout(chart);
}

TEST(ChartLayout, NewChartWithoutClearingLeavesNoStrayObjects) {
    Chart chart;
    chart.AppendBlock(1);
    chart.NewChart();
    ExpectNewChartLayout(chart);
}

TEST(ChartLayout, ElementsStackThirtyTwoPixelsApart) {
    Chart chart;
    ASSERT_NE(chart.InsertBlock(1), kNoObject);
    EXPECT_EQ(Tops(chart), (std::vector<int>{16, 48, 80, 112, 144}));
    for (const ElementPtr& element : chart.Elements()) EXPECT_EQ(chart.ElementLeft(*element), 70);
}

TEST(ChartLayout, TallBlockPushesEverythingBelowDownByEight) {
    Chart chart;
    for (int kind : {11, 1}) chart.AppendBlock(kind);
    chart.LayoutChain();
    ASSERT_EQ(Tops(chart), (std::vector<int>{16, 48, 80, 112, 144, 176, 208}));

    const ObjectId label = BlockObject(chart, 2);
    chart.SetBlockHeight(label, kNamedBlockHeight);
    EXPECT_EQ(ElementAt<TSeqPanel>(chart, 2).height, 40);
    EXPECT_EQ(chart.ElementHeight(*chart.Elements()[2]), 40);
    EXPECT_EQ(Tops(chart)[3], 112) << "SetBlockHeight does not lay out";

    chart.LayoutChain();
    EXPECT_EQ(Tops(chart), (std::vector<int>{16, 48, 80, 120, 152, 184, 216}));
    // The insertion point under the tall block still reaches from inside it to the next block.
    const auto& spot = ElementAt<TNormalSpot>(chart, 3);
    EXPECT_EQ(TopLeft(chart, spot.upperAnchor), QPoint(115, 119));
    EXPECT_EQ(TopLeft(chart, spot.lowerAnchor), QPoint(115, 152));
}

TEST(ChartLayout, SetBlockHeightIgnoresWhatIsNotABlock) {
    Chart chart;
    const ObjectId rectangle = SpotRectangle(chart, 1);
    for (ObjectId id : {rectangle, chart.StartShape(), kNoObject}) chart.SetBlockHeight(id, 40);
    EXPECT_EQ(chart.Flow().Find(rectangle)->height, 14);
    EXPECT_EQ(chart.Flow().Find(chart.StartShape())->height, 32);
}

TEST(ChartLayout, OnlyBlocksAndSpotRectanglesCanBeSelected) {
    Chart chart;
    const ObjectId block = chart.InsertBlock(1);
    const auto& spot = ElementAt<TNormalSpot>(chart, 1);
    const ConnectionId line = chart.Flow().ConnectionsOf(spot.rectangle).front();

    const std::pair<SelectableItem, bool> cases[] = {
        {chart.StartShape(), false}, {chart.EndShape(), false}, {spot.frame.id(), false}, {line, false}, {block, true},
        {spot.rectangle.id(), true},
    };
    for (const auto& [item, allowed] : cases) {
        SCOPED_TRACE(item.index());
        EXPECT_EQ(chart.dxFlowChart1Selection(item), allowed);
        chart.Flow().Select(block);
        EXPECT_EQ(chart.Flow().Select(item), allowed);
        EXPECT_EQ(chart.Flow().Selection(), allowed ? std::optional(item) : std::nullopt);
    }
}

TEST(ChartLayout, ClicksOnTerminalsAndFramesSelectNothing) {
    Chart chart;
    const auto& spot = ElementAt<TNormalSpot>(chart, 1);
    struct Click {
        QPoint at;
        ObjectId hit;
    };
    const Click clicks[] = {
        {{80, 20}, chart.StartShape()},  // start terminal
        {{150, 100}, chart.EndShape()},  // end terminal
        {{75, 50}, spot.frame.id()},     // the frame's empty area round the rectangle
    };
    for (const Click& click : clicks) {
        SCOPED_TRACE(click.at.x());
        const auto item = chart.Flow().ItemAt(click.at);
        ASSERT_TRUE(item);
        EXPECT_EQ(*item, SelectableItem(click.hit));
        EXPECT_FALSE(chart.Flow().Select(*item));
        EXPECT_EQ(chart.Flow().SelectedObject(), kNoObject);
    }
    const auto onRectangle = chart.Flow().ItemAt({100, 60});
    ASSERT_TRUE(onRectangle);
    EXPECT_TRUE(chart.Flow().Select(*onRectangle));
    EXPECT_EQ(chart.Flow().SelectedObject(), spot.rectangle.id());
}

TEST(ChartLayout, DraggingAFrameCarriesItsMembersAndLayoutPutsItBack) {
    Chart chart;
    const auto& spot = ElementAt<TNormalSpot>(chart, 1);
    chart.MoveObjectTree(spot.frame, 200, 300);

    EXPECT_EQ(chart.MoveList(),
              (std::vector<ObjectId>{spot.frame, spot.rectangle, spot.upperAnchor, spot.lowerAnchor}));
    EXPECT_EQ(TopLeft(chart, spot.frame), QPoint(200, 300));
    EXPECT_EQ(TopLeft(chart, spot.rectangle), QPoint(225, 309));
    EXPECT_EQ(TopLeft(chart, spot.upperAnchor), QPoint(245, 299));
    EXPECT_EQ(TopLeft(chart, spot.lowerAnchor), QPoint(245, 332));
    EXPECT_EQ(Shape(chart), "SPE");

    // A rectangle dragged on its own is centred in its frame again.
    chart.MoveObjectTree(spot.rectangle, 5, 5);
    EXPECT_EQ(chart.MoveList(), std::vector<ObjectId>{spot.rectangle});
    chart.LayoutChain();
    ExpectNewChartLayout(chart);
}
