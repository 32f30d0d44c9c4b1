#include <QSplitter>
#include <QToolBox>

#include "app/app_info.h"
#include "chart/catalogue.h"
#include "chart/record.h"
#include "main_window_fixture.h"
#include "text/big5.h"

using namespace varnoki;
using namespace varnoki::gui::testing;

namespace {

chart::ObjectId SpotRectangle(const chart::Chart& chart, int elementIndex) {
    return std::get<chart::TNormalSpot>(*chart.Elements().at(static_cast<std::size_t>(elementIndex))).rectangle;
}

QPoint CentreOf(const chart::Chart& chart, chart::ObjectId id) { return chart.Flow().Find(id)->Rect().center(); }

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithAnEmptyChartAndItsInsertionPointSelected() {
        auto window = ShowMainWindow();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), gui::kApplicationTitle);
        QVERIFY(Memo(*window).toPlainText().isEmpty());
        const chart::Chart& chart = window->Chart();
        QCOMPARE(chart.Elements().size(), std::size_t{3});
        QCOMPARE(chart.Flow().SelectedObject(), SpotRectangle(chart, 1));

        // The window's parts, by name, in their places.
        for (const char* name : {"Panel1", "dxNavBar1", "dxFlowChart1", "Splitter1", "Memo1"})
            QVERIFY2(window->findChild<QWidget*>(QLatin1String(name)), name);
        for (int button = 1; button <= 10; ++button)
            QVERIFY(window->findChild<QToolButton*>(QStringLiteral("SpeedButton%1").arg(button)));
        QCOMPARE(Find<QToolButton>(*window, "SpeedButton7")->geometry(), QRect(306, 2, 27, 27));
        auto* palette = Find<QToolBox>(*window, "dxNavBar1");
        QCOMPARE(palette->count(), 4);
        QCOMPARE(palette->itemText(0), QStringLiteral("執行模塊"));
        QCOMPARE(palette->itemText(3), QStringLiteral("程序模塊"));
        QCOMPARE(palette->currentIndex(), 0);
        QCOMPARE(Find<QToolButton>(*window, "dxNavBar1Item26")->text(), QStringLiteral("語音模塊"));
        QVERIFY(!window->findChild<QToolButton*>(QStringLiteral("dxNavBar1Item7")));
    }

    void paletteClickInsertsOnlyAfterASelectedInsertionPoint() {
        auto window = ShowMainWindow();
        QVERIFY(window);
        chart::Chart& chart = window->Chart();

        ClickPalette(*window, 1);
        QCOMPARE(chart.Elements().size(), std::size_t{5});
        const chart::ObjectId block = chart.Blocks().at(0).object;
        QCOMPARE(chart.Flow().SelectedObject(), block);
        QCOMPARE(text::Big5ToUnicode(chart.Blocks().at(0).text), QStringLiteral("直行"));

        // The block is selected now: another click changes nothing.
        ClickPalette(*window, 5);
        QCOMPARE(chart.Elements().size(), std::size_t{5});

        // Select the insertion point above the block with the mouse, then insert before the block.
        ClickChartAt(*window, CentreOf(chart, SpotRectangle(chart, 1)));
        QCOMPARE(chart.Flow().SelectedObject(), SpotRectangle(chart, 1));
        ClickPalette(*window, 11);
        QCOMPARE(chart.Blocks().size(), std::size_t{2});
        QCOMPARE(chart.Blocks().at(0).shapeCode, 576 + 11);
        QCOMPARE(chart.Blocks().at(1).object, block);
    }

    void clicksOnTerminalsConnectionsAndFramesNeverSelectThem() {
        auto window = ShowMainWindow();
        QVERIFY(window);
        chart::Chart& chart = window->Chart();
        ClickPalette(*window, 2);
        const chart::ObjectId block = chart.Blocks().at(0).object;
        const auto& spot = std::get<chart::TNormalSpot>(*chart.Elements().at(1));
        const QRect frame = chart.Flow().Find(spot.frame)->Rect();
        const QRect rectangle = chart.Flow().Find(spot.rectangle)->Rect();

        const QPoint places[] = {
            CentreOf(chart, chart.StartShape()), CentreOf(chart, chart.EndShape()),
            QPoint(frame.left() + 5, frame.center().y()),                         // frame, beside the rectangle
            QPoint(rectangle.center().x(), (frame.top() + rectangle.top()) / 2),  // on the line, inside the frame
        };
        // A click always lets go of the old selection; a refused item then takes nothing.
        for (QPoint place : places) {
            QVERIFY(chart.Flow().Select(chart::SelectableItem{block}));
            ClickChartAt(*window, place);
            QCOMPARE(chart.Flow().SelectedObject(), chart::kNoObject);
        }
        ClickChartAt(*window, rectangle.center());
        QCOMPARE(chart.Flow().SelectedObject(), spot.rectangle);
    }

    void draggingABlockKeepsTheProgramOrder() {
        auto window = ShowMainWindow();
        QVERIFY(window);
        chart::Chart& chart = window->Chart();
        ClickPalette(*window, 1);
        ClickChartAt(*window, CentreOf(chart, SpotRectangle(chart, 3)));
        ClickPalette(*window, 14);
        const chart::ObjectId first = chart.Blocks().at(0).object;

        gui::ChartView& view = View(*window);
        const QPoint from = view.ToViewport(CentreOf(chart, first));
        QTest::mousePress(view.viewport(), Qt::LeftButton, Qt::NoModifier, from);
        QMouseEvent move(QEvent::MouseMove, from + QPoint(30, 6), view.viewport()->mapToGlobal(from + QPoint(30, 6)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &move);
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, Qt::NoModifier, from + QPoint(30, 6));

        QCOMPARE(chart.Flow().Find(first)->left, 70 + 30);
        QCOMPARE(chart.Blocks().at(0).object, first);
        QCOMPARE(chart.Blocks().at(1).shapeCode, 576 + 14);

        // Dragged far above and left of the chart, it stops at the corner, where it can be reached.
        const QPoint at = view.ToViewport(CentreOf(chart, first));
        QTest::mousePress(view.viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QMouseEvent away(QEvent::MouseMove, at - QPoint(400, 400), view.viewport()->mapToGlobal(at - QPoint(400, 400)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &away);
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, Qt::NoModifier, at - QPoint(400, 400));
        QCOMPARE(chart.Flow().Find(first)->Rect().topLeft(), QPoint(0, 0));
    }

    void generateShowsTheNumberedProgram() {
        auto window = ShowMainWindow();
        QVERIFY(window);
        chart::Chart& chart = window->Chart();
        // Drive, label a, conditional jump to a if A<5, end.
        for (int kind : {1, 11, 13, 14}) chart.AppendBlock(kind);
        chart.LayoutChain();
        const auto blocks = chart.Blocks();
        chart.SetBlockRecord(blocks[1].object, chart::WriteRecord(11, {{"label", "a"}}));
        chart.SetBlockRecord(blocks[2].object, chart::WriteRecord(13, {{"condition", chart::EscapeValue("A<5")},
                                                                       {"label", chart::EscapeValue("a")}}));
        Memo(*window).setPlainText(QStringLiteral("old text"));

        ClickButton(*window, "SpeedButton7");
        QCOMPARE(Memo(*window).toPlainText(),
                 QStringLiteral("10 REM \"VARNOKI\"\n20 REM \"FDX\"\n40 REM \"IF A<5 THEN 30\"\n50 REM \"END\""));
        QVERIFY(window->Prompter().TakeShown().isEmpty());
    }

    void aBrokenRecordStopsGenerateAndLeavesThePane() {
        auto window = ShowMainWindow();
        QVERIFY(window);
        chart::Chart& chart = window->Chart();
        chart.SetBlockRecord(chart.AppendBlock(11), "<CtrlNode type=\"11\"><label>a<b</label></CtrlNode>");
        Memo(*window).setPlainText(QStringLiteral("kept"));
        ClickButton(*window, "SpeedButton7");
        QCOMPARE(Memo(*window).toPlainText(), QStringLiteral("kept"));
        const QStringList shown = window->Prompter().TakeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.first().contains(QStringLiteral("標號")), qPrintable(shown.first()));
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
