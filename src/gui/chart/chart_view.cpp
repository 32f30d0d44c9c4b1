#include "chart/chart_view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "chart/chart.h"

namespace varnoki::gui {
namespace {

const QColor kSkyBlue(0xA6, 0xCA, 0xF0);
constexpr int kMargin = 16;  // room right and below the chart so the last object is not at the edge

QRect Grown(QRect rect) {
    return rect.adjusted(-ChartPainter::kOverhang, -ChartPainter::kOverhang, ChartPainter::kOverhang,
                         ChartPainter::kOverhang);
}

QRect LineRect(QLine line) { return Grown(QRect(line.p1(), line.p2()).normalized()); }

}  // namespace

ChartView::ChartView(chart::Chart& chart, QWidget* parent)
    : QAbstractScrollArea(parent), chart_(chart), model_(chart.Flow()) {
    setObjectName(QStringLiteral("dxFlowChart1"));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(true);
    QPalette colours = viewport()->palette();
    colours.setColor(QPalette::Window, kSkyBlue);
    viewport()->setPalette(colours);
    viewport()->setBackgroundRole(QPalette::Window);

    using chart::FlowModel;
    connect(&model_, &FlowModel::objectAdded, this, [this](chart::ObjectId id) {
        if (const auto* object = model_.Find(id)) UpdateChartRect(Grown(object->Rect()));
        UpdateScrollRange();
    });
    connect(&model_, &FlowModel::objectRemoved, this, [this](chart::ObjectId, QRect lastRect) {
        UpdateChartRect(Grown(lastRect));
        UpdateScrollRange();
    });
    connect(&model_, &FlowModel::objectChanged, this, &ChartView::OnObjectChanged);
    connect(&model_, &FlowModel::connectionAdded, this, [this](chart::ConnectionId id) {
        if (const auto* connection = model_.FindConnection(id))
            UpdateChartRect(LineRect(model_.ConnectionLine(*connection)));
    });
    connect(&model_, &FlowModel::connectionRemoved, this,
            [this](chart::ConnectionId, QLine lastLine) { UpdateChartRect(LineRect(lastLine)); });
    connect(&model_, &FlowModel::connectionChanged, this, [this](chart::ConnectionId id, QLine oldLine) {
        if (const auto* connection = model_.FindConnection(id))
            OnConnectionMoved(oldLine, model_.ConnectionLine(*connection));
    });
    connect(&model_, &FlowModel::selectionChanged, this, [this] {
        // The old and the new selection are both somewhere; their marks are small, but finding the
        // old one would need history. A selection change is rare enough to repaint what shows.
        viewport()->update();
    });
    connect(&model_, &FlowModel::makeVisibleRequested, this, &ChartView::EnsureVisible);
    connect(&model_, &FlowModel::layoutReset, this, [this] {
        UpdateScrollRange();
        viewport()->update();
    });
    UpdateScrollRange();
}

QPoint ChartView::ToViewport(QPoint chartPoint) const {
    return chartPoint - QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QPoint ChartView::ToChart(QPoint viewportPoint) const {
    return viewportPoint + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void ChartView::UpdateChartRect(QRect chartRect) { viewport()->update(chartRect.translated(ToViewport(QPoint(0, 0)))); }

void ChartView::OnObjectChanged(chart::ObjectId id, QRect oldRect) {
    UpdateChartRect(Grown(oldRect));
    if (const auto* object = model_.Find(id)) {
        UpdateChartRect(Grown(object->Rect()));
        if (!extent_.contains(object->Rect())) UpdateScrollRange();
    }
}

void ChartView::OnConnectionMoved(QLine oldLine, QLine newLine) {
    UpdateChartRect(LineRect(oldLine));
    UpdateChartRect(LineRect(newLine));
}

void ChartView::UpdateScrollRange() {
    QRect extent;
    for (const chart::FlowObject& object : model_.Objects()) extent |= object.Rect();
    extent_ = extent;
    const QSize area = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, extent.right() + kMargin - area.width()));
    verticalScrollBar()->setRange(0, std::max(0, extent.bottom() + kMargin - area.height()));
    horizontalScrollBar()->setPageStep(area.width());
    verticalScrollBar()->setPageStep(area.height());
    horizontalScrollBar()->setSingleStep(8);
    verticalScrollBar()->setSingleStep(8);
}

void ChartView::EnsureVisible(chart::ObjectId id) {
    const chart::FlowObject* object = model_.Find(id);
    if (!object) return;
    UpdateScrollRange();
    const QRect wanted = Grown(object->Rect());
    const QRect shown(ToChart(QPoint(0, 0)), viewport()->size());
    QScrollBar* vertical = verticalScrollBar();
    if (wanted.top() < shown.top())
        vertical->setValue(wanted.top());
    else if (wanted.bottom() > shown.bottom())
        vertical->setValue(wanted.bottom() - shown.height() + 1);
    QScrollBar* horizontal = horizontalScrollBar();
    if (wanted.left() < shown.left())
        horizontal->setValue(wanted.left());
    else if (wanted.right() > shown.right())
        horizontal->setValue(wanted.right() - shown.width() + 1);
}

void ChartView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRange();
}

void ChartView::scrollContentsBy(int dx, int dy) { viewport()->scroll(dx, dy); }

void ChartView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QPoint offset = ToViewport(QPoint(0, 0));
    painter.translate(offset);
    const QRect dirty = event->rect().translated(-offset);
    const std::optional<chart::SelectableItem> selection = model_.Selection();

    for (const chart::Connection& connection : model_.Connections()) {
        const QLine line = model_.ConnectionLine(connection);
        if (LineRect(line).intersects(dirty))
            painter_.PaintConnection(painter, line, selection == chart::SelectableItem{connection.id});
    }
    for (const chart::FlowObject& object : model_.Objects()) {
        if (Grown(object.Rect()).intersects(dirty))
            painter_.PaintObject(painter, object, selection == chart::SelectableItem{object.id});
    }
}

void ChartView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint point = ToChart(event->position().toPoint());
    const std::optional<chart::SelectableItem> hit = model_.ItemAt(point);
    dragStart_.reset();
    if (!hit) {
        model_.ClearSelection();
        return;
    }
    // The model's filter decides; a click on a refused item leaves nothing selected.
    if (!model_.Select(*hit)) return;
    if (const chart::FlowObject* object = model_.Find(model_.SelectedObject())) {
        dragStart_ = point;
        dragObjectOrigin_ = QPoint(object->left, object->top);
    }
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragStart_ || !(event->buttons() & Qt::LeftButton)) return;
    const QPoint moved = ToChart(event->position().toPoint()) - *dragStart_;
    // A click that shakes a little is still a click, not a drag.
    if (!dragging_ && moved.manhattanLength() < QApplication::startDragDistance()) return;
    dragging_ = true;
    // Nothing goes above or left of the chart's corner, where no scrolling could bring it back.
    const QPoint target = dragObjectOrigin_ + moved;
    chart_.MoveObjectTree(model_.SelectedObject(), std::max(0, target.x()), std::max(0, target.y()));
}

void ChartView::mouseReleaseEvent(QMouseEvent*) {
    dragStart_.reset();
    dragging_ = false;
}

void ChartView::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Up && event->key() != Qt::Key_Down) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    // Up and Down walk the selectable items of the column, top to bottom.
    std::vector<const chart::FlowObject*> selectable;
    for (const chart::FlowObject& object : model_.Objects())
        if (model_.MaySelect(chart::SelectableItem{object.id})) selectable.push_back(&object);
    if (selectable.empty()) return;
    std::sort(selectable.begin(), selectable.end(),
              [](const auto* a, const auto* b) { return std::pair(a->top, a->left) < std::pair(b->top, b->left); });
    auto current = std::find_if(selectable.begin(), selectable.end(),
                                [this](const auto* object) { return object->id == model_.SelectedObject(); });
    const chart::FlowObject* next;
    if (current == selectable.end())
        next = selectable.front();
    else if (event->key() == Qt::Key_Down)
        next = std::next(current) == selectable.end() ? *current : *std::next(current);
    else
        next = current == selectable.begin() ? *current : *std::prev(current);
    model_.Select(chart::SelectableItem{next->id});
    model_.MakeVisible(next->id);
}

}  // namespace varnoki::gui
