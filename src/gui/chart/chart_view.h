#pragma once

#include <QAbstractScrollArea>
#include <optional>

#include "chart/chart_painter.h"
#include "chart/flow_model.h"

namespace varnoki::chart {
class Chart;
}

namespace varnoki::gui {

// dxFlowChart1: paints the chart's flowchart model on sky blue, selects what a click hits (the
// model's selection filter decides), lets the person drag the selected object, scrolls, and
// repaints only the areas the model reports as changed.
class ChartView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ChartView(chart::Chart& chart, QWidget* parent = nullptr);

    // The point of the viewport that shows chart point `point`, and the other way round.
    QPoint ToViewport(QPoint chartPoint) const;
    QPoint ToChart(QPoint viewportPoint) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void UpdateChartRect(QRect chartRect);
    void UpdateScrollRange();
    void EnsureVisible(chart::ObjectId id);
    void OnObjectChanged(chart::ObjectId id, QRect oldRect);
    void OnConnectionMoved(QLine oldLine, QLine newLine);

    chart::Chart& chart_;
    chart::FlowModel& model_;
    ChartPainter painter_;
    QRect extent_;  // the area that holds every object, in chart coordinates

    // Dragging the selected object: where the press was and where the object was then.
    std::optional<QPoint> dragStart_;
    QPoint dragObjectOrigin_;
    bool dragging_ = false;
};

}  // namespace varnoki::gui
