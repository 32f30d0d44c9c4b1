// Draws the main window with a small robot program in it and saves the picture, for the README
// and for looking at the window without clicking through it: take_screenshot OUT.png
#include <QApplication>
#include <QToolButton>

#include "app/main_window.h"
#include "chart/catalogue.h"
#include "chart/record.h"
#include "common/fonts.h"
#include "common/resources_init.h"
#include "text/big5.h"

using namespace varnoki;

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        fprintf(stderr, "usage: %s OUT.png\n", argv[0]);
        return 2;
    }
    gui::InitResources();
    QApplication::setFont(gui::MingFont(12));
    gui::TForm1 window;
    chart::Chart& chart = window.Chart();
    for (int kind : {1, 9, 2, 11, 26, 10, 13, 14}) chart.AppendBlock(kind);
    const auto blocks = chart.Blocks();
    chart.SetBlockRecord(blocks[3].object, chart::WriteRecord(11, {{"label", "a"}}));
    chart.SetBlockText(blocks[3].object, text::Big5("標號:a"));
    chart.SetBlockHeight(blocks[3].object, chart::kNamedBlockHeight);
    chart.SetBlockText(blocks[4].object, text::Big5("語音: 你好"));
    chart.SetBlockHeight(blocks[4].object, chart::kNamedBlockHeight);
    chart.LayoutChain();
    chart.Flow().Select(chart::SelectableItem{blocks[2].object});
    window.resize(760, 620);
    window.show();
    QMetaObject::invokeMethod(
        &window,
        [&] {
            window.findChild<QToolButton*>(QStringLiteral("SpeedButton7"))->click();
            QApplication::processEvents();
            window.grab().save(QString::fromLocal8Bit(argv[1]));
            QApplication::quit();
        },
        Qt::QueuedConnection);
    return QApplication::exec();
}
