#include <gtest/gtest.h>

#include "chart/catalogue.h"
#include "chart/record.h"
#include "chart_fixture.h"
#include "text/big5.h"

using namespace varnoki;
using namespace varnoki::chart;

namespace {

std::vector<int> Kinds(const Chart& chart) {
    std::vector<int> kinds;
    for (const BlockEntry& block : chart.Blocks()) kinds.push_back(block.Kind());
    return kinds;
}

// The objects the chain needs: two terminals, four per insertion point, one per block.
std::size_t ExpectedObjects(const Chart& chart) { return 2 + 4 * (1 + chart.BlockCount()) + chart.BlockCount(); }

}  // namespace

TEST(ChartBlocks, PaletteClickInsertsAfterTheSelectedSpot) {
    Chart chart;
    int visibleRequests = 0;
    ObjectId shown = kNoObject;
    QObject::connect(&chart.Flow(), &FlowModel::makeVisibleRequested, [&](ObjectId id) {
        ++visibleRequests;
        shown = id;
    });

    const ObjectId block = chart.InsertBlock(1);
    ASSERT_EQ(Shape(chart), "SPBPE");
    EXPECT_EQ(BlockObject(chart, 2), block);
    const FlowObject& object = *chart.Flow().Find(block);
    EXPECT_EQ(object.text, text::Big5("直行"));
    EXPECT_EQ(object.tag, 577);
    EXPECT_EQ(object.picture, 0);
    EXPECT_EQ(object.customData, BuildDefaultRecord(1));
    EXPECT_EQ(Record::Parse(object.customData).Type(), object.tag - kBlockShapeBase);
    EXPECT_EQ(chart.Flow().SelectedObject(), block);
    EXPECT_EQ(visibleRequests, 1);
    EXPECT_EQ(shown, block);
}

TEST(ChartBlocks, PaletteClickWithoutSelectedSpotChangesNothing) {
    struct Case {
        const char* name;
        std::function<void(Chart&)> select;
        int kind;
    };
    const Case cases[] = {
        {"nothing", [](Chart& c) { c.Flow().ClearSelection(); }, 1},
        {"a block", [](Chart& c) { c.Flow().Select(BlockObject(c, 2)); }, 1},
        {"start terminal", [](Chart& c) { c.Flow().Select(c.StartShape()); }, 1},
        {"end terminal", [](Chart& c) { c.Flow().Select(c.EndShape()); }, 1},
        {"reserved kind 7", [](Chart& c) { c.Flow().Select(SpotRectangle(c, 1)); }, 7},
        {"reserved kind 8", [](Chart& c) { c.Flow().Select(SpotRectangle(c, 1)); }, 8},
        {"no such kind", [](Chart& c) { c.Flow().Select(SpotRectangle(c, 1)); }, 27},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Chart chart;
        chart.AppendBlock(5);
        chart.LayoutChain();
        c.select(chart);
        const auto selection = chart.Flow().Selection();
        const std::size_t objects = chart.Flow().Objects().size();

        EXPECT_EQ(chart.InsertBlock(c.kind), kNoObject);
        EXPECT_EQ(Shape(chart), "SPBPE");
        EXPECT_EQ(chart.Flow().Objects().size(), objects);
        EXPECT_EQ(chart.Flow().Selection(), selection);
    }
}

TEST(ChartBlocks, SecondPaletteClickDoesNothingUntilASpotIsSelectedAgain) {
    Chart chart;
    chart.InsertBlock(1);
    EXPECT_EQ(chart.InsertBlock(2), kNoObject);
    EXPECT_EQ(Kinds(chart), std::vector<int>{1});

    // The spot before the existing block: the new block goes in front of it.
    chart.Flow().Select(SpotRectangle(chart, 1));
    const ObjectId second = chart.InsertBlock(2);
    EXPECT_EQ(Shape(chart), "SPBPBPE");
    EXPECT_EQ(Kinds(chart), (std::vector<int>{2, 1}));
    EXPECT_EQ(BlockObject(chart, 2), second);
    EXPECT_EQ(TopLeft(chart, BlockObject(chart, 4)), QPoint(70, 144));
}

TEST(ChartBlocks, AppendAddsBeforeTheEndWithoutLayoutOrSelection) {
    Chart chart;
    const ObjectId spot = SpotRectangle(chart, 1);
    std::vector<ObjectId> appended;
    for (int kind : {9, 1, 10}) {
        appended.push_back(chart.AppendBlock(kind));
        EXPECT_EQ(chart.LastAppended(), appended.back());
    }
    EXPECT_EQ(Shape(chart), "SPBPBPBPE");
    EXPECT_EQ(Kinds(chart), (std::vector<int>{9, 1, 10}));
    EXPECT_EQ((std::vector<ObjectId>{BlockObject(chart, 2), BlockObject(chart, 4), BlockObject(chart, 6)}), appended);
    EXPECT_EQ(chart.Flow().SelectedObject(), spot);
    // Left edges are set, tops wait for the caller's layout.
    EXPECT_EQ(TopLeft(chart, appended.back()), QPoint(70, 0));
    EXPECT_EQ(TopLeft(chart, chart.EndShape()), QPoint(70, 80));

    chart.LayoutChain();
    EXPECT_EQ(TopLeft(chart, appended.back()), QPoint(70, 208));
    EXPECT_EQ(TopLeft(chart, chart.EndShape()), QPoint(70, 272));
    EXPECT_EQ(chart.AppendBlock(8), kNoObject);
    EXPECT_EQ(chart.LastAppended(), appended.back());
}

TEST(ChartBlocks, RemovingTheOnlyBlockGivesBackTheNewChart) {
    Chart chart;
    const ObjectId block = chart.InsertBlock(1);
    const ObjectId spot = SpotRectangle(chart, 1);

    chart.RemoveBlock(block);
    EXPECT_EQ(Shape(chart), "SPE");
    EXPECT_EQ(chart.ReselectTarget(), spot);
    EXPECT_EQ(chart.Flow().Find(block), nullptr);
    EXPECT_EQ(chart.Flow().SelectedObject(), kNoObject) << "the reselection waits for the event loop";

    ProcessEvents();
    EXPECT_EQ(chart.Flow().SelectedObject(), spot);
    EXPECT_EQ(TopLeft(chart, chart.StartShape()), QPoint(70, 16));
    EXPECT_EQ(TopLeft(chart, spot), QPoint(95, 57));
    EXPECT_EQ(TopLeft(chart, chart.EndShape()), QPoint(70, 80));
    EXPECT_EQ(chart.Flow().Objects().size(), 6u);
    EXPECT_EQ(chart.Flow().Connections().size(), 2u);
}

TEST(ChartBlocks, RemovingTheMiddleBlockKeepsTheOthersWithTheirSpots) {
    Chart chart;
    for (int kind : {1, 2, 3}) chart.AppendBlock(kind);
    chart.LayoutChain();
    const ObjectId first = BlockObject(chart, 2);
    const ObjectId last = BlockObject(chart, 6);
    const ObjectId spotAfterFirst = SpotRectangle(chart, 3);

    chart.RemoveBlock(BlockObject(chart, 4));
    EXPECT_EQ(Shape(chart), "SPBPBPE");
    EXPECT_EQ(Kinds(chart), (std::vector<int>{1, 3}));
    EXPECT_EQ(BlockObject(chart, 2), first);
    EXPECT_EQ(SpotRectangle(chart, 3), spotAfterFirst);
    EXPECT_EQ(BlockObject(chart, 4), last);
    EXPECT_EQ(TopLeft(chart, last), QPoint(70, 144));
    EXPECT_EQ(chart.Flow().Objects().size(), ExpectedObjects(chart));
    EXPECT_EQ(chart.Flow().Connections().size(), 2u * 3);

    ProcessEvents();
    EXPECT_EQ(chart.Flow().SelectedObject(), spotAfterFirst);
}

TEST(ChartBlocks, RemoveIgnoresWhatIsNotABlock) {
    Chart chart;
    chart.AppendBlock(1);
    chart.LayoutChain();
    for (ObjectId id : {SpotRectangle(chart, 1), chart.StartShape(), chart.EndShape(), kNoObject}) {
        chart.RemoveBlock(id);
        EXPECT_EQ(Shape(chart), "SPBPE");
    }
}

TEST(ChartBlocks, LateReselectionLeavesARebuiltChartAlone) {
    Chart chart;
    chart.RemoveBlock(chart.InsertBlock(1));
    // The document is replaced before the event loop comes round.
    chart.ClearChart();
    chart.NewChart();
    const ObjectId fresh = SpotRectangle(chart, 1);
    ProcessEvents();
    EXPECT_EQ(chart.Flow().SelectedObject(), fresh);
}

TEST(ChartBlocks, BlocksWalkAndEditsAsTheDialogsMakeThem) {
    Chart chart;
    const ObjectId label = chart.AppendBlock(11);
    chart.AppendBlock(14);
    const std::string record = WriteRecord(11, {{"label", "L1"}});
    chart.SetBlockRecord(label, record);
    chart.SetBlockText(label, text::Big5("標號:L1"));
    chart.SetBlockHeight(label, kNamedBlockHeight);

    const std::vector<BlockEntry> blocks = chart.Blocks();
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].object, label);
    EXPECT_EQ(blocks[0].shapeCode, 587);
    EXPECT_EQ(blocks[0].record, record);
    EXPECT_EQ(blocks[0].text, text::Big5("標號:L1"));
    EXPECT_EQ(blocks[0].height, 40);
    EXPECT_EQ(blocks[1].Kind(), 14);
    EXPECT_EQ(blocks[1].text, text::Big5("結束程序"));
    EXPECT_EQ(blocks[1].height, 32);

    // Only blocks take texts and records.
    const ObjectId spot = SpotRectangle(chart, 1);
    chart.SetBlockText(spot, "x");
    chart.SetBlockRecord(spot, "x");
    EXPECT_TRUE(chart.Flow().Find(spot)->text.empty());
    EXPECT_TRUE(chart.Flow().Find(spot)->customData.empty());
}

TEST(ChartBlocks, EditingOperationsEachSendOneReset) {
    Chart chart;
    int resets = 0, added = 0, changed = 0, selections = 0;
    FlowModel& flow = chart.Flow();
    QObject::connect(&flow, &FlowModel::layoutReset, [&] { ++resets; });
    QObject::connect(&flow, &FlowModel::objectAdded, [&] { ++added; });
    QObject::connect(&flow, &FlowModel::objectChanged, [&] { ++changed; });
    QObject::connect(&flow, &FlowModel::selectionChanged, [&] { ++selections; });

    const ObjectId block = chart.InsertBlock(3);
    EXPECT_EQ((std::array{resets, added, changed, selections}), (std::array{1, 0, 0, 1}));
    chart.RemoveBlock(block);
    EXPECT_EQ((std::array{resets, added, changed, selections}), (std::array{2, 0, 0, 2}));
    ProcessEvents();
    EXPECT_EQ(selections, 3);

    // A drag is not suspended: the views hear of each object moved.
    chart.MoveObjectTree(ElementAt<TNormalSpot>(chart, 1).frame, 0, 0);
    EXPECT_EQ(changed, 4);
    EXPECT_EQ(resets, 2);
}
