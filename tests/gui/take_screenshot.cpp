// Draws the main window with a small robot program in it and saves the picture, for the README
// and for looking at the window without clicking through it: take_screenshot OUT.png [about]
// With "about", the About box is drawn instead.
#include <QApplication>
#include <QFileInfo>
#include <QToolButton>

#include "app/about_box.h"
#include "app/main_window.h"
#include "chart/catalogue.h"
#include "chart/record.h"
#include "common/fonts.h"
#include "common/resources_init.h"
#include "text/big5.h"

using namespace varnoki;

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc < 2 || argc > 3) {
        fprintf(stderr, "usage: %s OUT.png [about]\n", argv[0]);
        return 2;
    }
    // The main window makes the program's folder the current one.
    const QString picture = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    gui::InitResources();
    QApplication::setFont(gui::MingFont(12));
    if (argc == 3) {
        gui::TFormAbout about;
        about.show();
        QApplication::processEvents();
        return about.grab().save(picture) ? 0 : 1;
    }
    gui::TForm1 window;
    // Leaving with the unsaved example chart is intended: answer the save question with No.
    window.Prompter().SetScripted(true);
    window.Prompter().QueueAnswer(QMessageBox::No);
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
            window.grab().save(picture);
            QApplication::quit();
        },
        Qt::QueuedConnection);
    return QApplication::exec();
}
