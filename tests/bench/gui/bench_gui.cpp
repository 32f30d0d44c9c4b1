// bench_gui: how long the desktop program takes to show its main window, and how long a palette click
// takes to insert a block into a 1,000-block chart and repaint the view. Run it under xvfb-run (or
// with QT_QPA_PLATFORM=offscreen); it prints medians in milliseconds.

#include <time.h>

#include <QApplication>
#include <QProcess>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/main_window.h"
#include "chart/chart_view.h"
#include "common/fonts.h"
#include "common/resources_init.h"

using namespace varnoki;

namespace {

// CLOCK_MONOTONIC is one clock for every process of the machine, so a child can report when its
// window showed in the parent's terms.
double MonotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The child: starts like the program does and prints the moment its main window is exposed.
int ShowWindowAndReport(int argc, char* argv[]) {
    QApplication application(argc, argv);
    gui::InitResources();
    QApplication::setFont(gui::MingFont(12));
    gui::TForm1 window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    std::printf("%.3f\n", MonotonicMs());
    return 0;
}

double StartUpMs(const QString& self) {
    QProcess child;
    const double started = MonotonicMs();
    child.start(self, {QStringLiteral("--show-window")});
    if (!child.waitForFinished(30000) || child.exitCode() != 0) return -1;
    return child.readAllStandardOutput().trimmed().toDouble() - started;
}

double InsertAndRepaintMs(gui::TForm1& window, int middleSpot) {
    chart::Chart& chart = window.Chart();
    const chart::ObjectId spot = std::get<chart::TNormalSpot>(*chart.Elements()[middleSpot]).rectangle;
    chart.Flow().Select(chart::SelectableItem{spot});
    auto* item = window.findChild<QToolButton*>(QStringLiteral("dxNavBar1Item5"));
    auto* view = window.findChild<gui::ChartView*>(QStringLiteral("dxFlowChart1"));

    const auto begin = std::chrono::steady_clock::now();
    item->click();
    QApplication::processEvents();  // queued notifications reach the view
    view->viewport()->repaint();    // paint now what they asked for
    const auto end = std::chrono::steady_clock::now();

    chart.RemoveBlock(chart.Flow().SelectedObject());
    QApplication::processEvents();
    return std::chrono::duration<double, std::milli>(end - begin).count();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && QByteArray(argv[1]) == "--show-window") return ShowWindowAndReport(argc, argv);

    QApplication application(argc, argv);
    gui::InitResources();
    QApplication::setFont(gui::MingFont(12));

    std::vector<double> startUps;
    for (int run = 0; run < 7; ++run) startUps.push_back(StartUpMs(QApplication::applicationFilePath()));
    std::printf("start-up until the main window shows: median %.1f ms (of %zu runs)\n", Median(startUps),
                startUps.size());

    gui::TForm1 window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    for (int block = 0; block < 1000; ++block) window.Chart().AppendBlock(1 + block % 6);
    window.Chart().LayoutChain();
    QApplication::processEvents();
    std::vector<double> inserts;
    for (int run = 0; run < 31; ++run) inserts.push_back(InsertAndRepaintMs(window, 1001));
    std::printf("palette insertion into a 1,000-block chart, repainted: median %.2f ms, worst %.2f ms\n",
                Median(inserts), *std::max_element(inserts.begin(), inserts.end()));
    return 0;
}
