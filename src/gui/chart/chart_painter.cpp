#include "chart/chart_painter.h"

#include <QIcon>
#include <QPainter>

#include "common/fonts.h"
#include "text/big5.h"

namespace varnoki::gui {
namespace {

QColor ToColor(chart::Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

Qt::Alignment ToAlignment(chart::HorizontalPosition horizontal, chart::VerticalPosition vertical) {
    Qt::Alignment alignment;
    switch (horizontal) {
        case chart::HorizontalPosition::Left: alignment |= Qt::AlignLeft; break;
        case chart::HorizontalPosition::Centre: alignment |= Qt::AlignHCenter; break;
        case chart::HorizontalPosition::Right: alignment |= Qt::AlignRight; break;
    }
    switch (vertical) {
        case chart::VerticalPosition::Top: alignment |= Qt::AlignTop; break;
        case chart::VerticalPosition::Centre: alignment |= Qt::AlignVCenter; break;
        case chart::VerticalPosition::Bottom: alignment |= Qt::AlignBottom; break;
    }
    return alignment;
}

// A raised three-dimensional edge: light on the top and left, dark on the bottom and right.
void PaintRaisedEdge(QPainter& painter, QRect rect, std::uint8_t sides) {
    const QColor light(255, 255, 255, 200), dark(0, 0, 0, 150);
    const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    if (sides & chart::kEdgeTop) painter.fillRect(QRect(l, t, rect.width(), 2), light);
    if (sides & chart::kEdgeLeft) painter.fillRect(QRect(l, t, 2, rect.height()), light);
    if (sides & chart::kEdgeBottom) painter.fillRect(QRect(l, b - 1, rect.width(), 2), dark);
    if (sides & chart::kEdgeRight) painter.fillRect(QRect(r - 1, t, 2, rect.height()), dark);
}

}  // namespace

ChartPainter::ChartPainter() { pictures_.push_back(QIcon(QStringLiteral(":/robot.svg")).pixmap(QSize(32, 31))); }

void ChartPainter::PaintObject(QPainter& painter, const chart::FlowObject& object, bool selected) const {
    PaintShape(painter, object);
    PaintPicture(painter, object);
    PaintText(painter, object);
    if (selected) {
        painter.save();
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(object.Rect().adjusted(-2, -2, 1, 1));
        painter.restore();
    }
}

void ChartPainter::PaintShape(QPainter& painter, const chart::FlowObject& object) const {
    const QRect rect = object.Rect();
    if (rect.isEmpty()) return;
    painter.save();
    switch (object.shape) {
        case chart::ShapeType::None: break;
        case chart::ShapeType::Rectangle:
            painter.fillRect(rect, ToColor(object.fill));
            if (object.edge == chart::EdgeStyle::Raised)
                PaintRaisedEdge(painter, rect, object.edgeSides);
            else if (object.outlineWidth > 0)
                painter.setPen(QPen(Qt::black, object.outlineWidth)), painter.drawRect(rect.adjusted(0, 0, -1, -1));
            break;
        case chart::ShapeType::RoundRect:
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setBrush(ToColor(object.fill));
            painter.setPen(object.outlineWidth > 0 ? QPen(Qt::black, object.outlineWidth) : Qt::NoPen);
            // Corners rounded with an ellipse half the object's width and height.
            painter.drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), rect.width() / 4.0,
                                    rect.height() / 4.0);
            break;
    }
    painter.restore();
}

void ChartPainter::PaintPicture(QPainter& painter, const chart::FlowObject& object) const {
    if (object.picture < 0 || object.picture >= static_cast<int>(pictures_.size())) return;
    const QPixmap& picture = pictures_[static_cast<std::size_t>(object.picture)];
    const QSize size = picture.deviceIndependentSize().toSize();
    const QRect rect = object.Rect();
    QRect place(QPoint(), size);
    switch (object.pictureHorizontal) {
        case chart::HorizontalPosition::Left: place.moveLeft(rect.left() + 2); break;
        case chart::HorizontalPosition::Centre: place.moveLeft(rect.center().x() - size.width() / 2 + 1); break;
        case chart::HorizontalPosition::Right: place.moveRight(rect.right() - 2); break;
    }
    switch (object.pictureVertical) {
        case chart::VerticalPosition::Top: place.moveTop(rect.top()); break;
        case chart::VerticalPosition::Centre: place.moveTop(rect.center().y() - size.height() / 2 + 1); break;
        case chart::VerticalPosition::Bottom: place.moveBottom(rect.bottom()); break;
    }
    painter.drawPixmap(place, picture);
}

void ChartPainter::PaintText(QPainter& painter, const chart::FlowObject& object) const {
    if (object.text.empty()) return;
    painter.save();
    painter.setFont(MingFont(object.font.pixelSize, object.font.bold));
    painter.setPen(ToColor(object.font.colour));
    // Text wider than the object goes on further lines; Chinese has no blanks to break at.
    painter.drawText(object.Rect().adjusted(2, 1, -2, -1),
                     ToAlignment(object.textHorizontal, object.textVertical) | Qt::TextWrapAnywhere,
                     text::Big5ToUnicode(object.text));
    painter.restore();
}

void ChartPainter::PaintConnection(QPainter& painter, QLine line, bool selected) const {
    painter.save();
    painter.setPen(QPen(selected ? QColor(Qt::blue) : QColor(Qt::black), 1));
    painter.drawLine(line);
    painter.restore();
}

}  // namespace varnoki::gui
