#pragma once

// Helpers for driving the main window as a person would: find widgets by name, click them, click on
// chart objects at their place on the screen.

#include <QPlainTextEdit>
#include <QTest>
#include <QToolBox>
#include <QToolButton>
#include <memory>

#include "app/main_window.h"
#include "chart/chart_view.h"
#include "common/resources_init.h"

namespace varnoki::gui::testing {

inline std::unique_ptr<TForm1> ShowMainWindow() {
    InitResources();
    auto window = std::make_unique<TForm1>();
    window->Prompter().SetScripted(true);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) return nullptr;
    return window;
}

template <typename Widget>
Widget* Find(QWidget& window, const char* name) {
    return window.findChild<Widget*>(QLatin1String(name));
}

inline void ClickButton(QWidget& window, const char* name) {
    QToolButton* button = Find<QToolButton>(window, name);
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

// Clicks the palette item of `kind`, opening its group first as a person would.
inline void ClickPalette(QWidget& window, int kind) {
    const QByteArray name = "dxNavBar1Item" + QByteArray::number(kind);
    QToolButton* item = Find<QToolButton>(window, name.constData());
    QVERIFY2(item, name.constData());
    QToolBox* palette = Find<QToolBox>(window, "dxNavBar1");
    for (int page = 0; page < palette->count(); ++page)
        if (palette->widget(page)->isAncestorOf(item)) palette->setCurrentIndex(page);
    QTest::mouseClick(item, Qt::LeftButton);
}

inline ChartView& View(QWidget& window) { return *Find<ChartView>(window, "dxFlowChart1"); }
inline QPlainTextEdit& Memo(QWidget& window) { return *Find<QPlainTextEdit>(window, "Memo1"); }

// Clicks the chart at chart coordinates, scrolling them into sight first.
inline void ClickChartAt(QWidget& window, QPoint chartPoint) {
    ChartView& view = View(window);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, view.ToViewport(chartPoint));
}

}  // namespace varnoki::gui::testing
