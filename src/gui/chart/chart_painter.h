#pragma once

#include <QPixmap>
#include <vector>

#include "chart/flow_object.h"

class QPainter;

namespace varnoki::gui {

// Draws the objects and connections of the flowchart model in chart coordinates.
class ChartPainter {
public:
    ChartPainter();

    void PaintObject(QPainter& painter, const chart::FlowObject& object, bool selected) const;
    void PaintConnection(QPainter& painter, QLine line, bool selected) const;

    // How far beyond an object's rectangle its drawing may reach (edges, selection marks).
    static constexpr int kOverhang = 4;

private:
    void PaintShape(QPainter& painter, const chart::FlowObject& object) const;
    void PaintPicture(QPainter& painter, const chart::FlowObject& object) const;
    void PaintText(QPainter& painter, const chart::FlowObject& object) const;

    // The chart's picture list: one picture, the robot of the end terminal.
    std::vector<QPixmap> pictures_;
};

}  // namespace varnoki::gui
