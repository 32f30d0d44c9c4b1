#include "chart/elements.h"

#include <type_traits>

#include "chart/catalogue.h"
#include "text/big5.h"

namespace varnoki::chart {
namespace {

constexpr Rgb kYellow{0xFF, 0xFF, 0x00};
constexpr Rgb kTeal{0x00, 0x80, 0x80};
constexpr Rgb kSpotFill{0xFF, 0xEB, 0xAA};
constexpr Rgb kBlack{0x00, 0x00, 0x00};
constexpr Rgb kWhite{0xFF, 0xFF, 0xFF};

// The bold 16-pixel face of the terminals and blocks.
FontSpec PanelFont(Rgb colour) {
    FontSpec font = DefaultFont();
    font.pixelSize = 16;
    font.bold = true;
    font.colour = colour;
    return font;
}

FlowObject PlainObject(int left, int top, int width, int height, ShapeType shape) {
    FlowObject object;
    object.left = left;
    object.top = top;
    object.width = static_cast<std::uint16_t>(width);
    object.height = static_cast<std::uint16_t>(height);
    object.shape = shape;
    return object;
}

FlowObject RaisedObject(int left, int top, int width, int height, ShapeType shape, Rgb fill) {
    FlowObject object = PlainObject(left, top, width, height, shape);
    object.fill = fill;
    object.edge = EdgeStyle::Raised;
    object.edgeSides = kEdgeAllSides;
    return object;
}

FlowObject StartObject() {
    static const std::string caption = text::Big5("開始");
    FlowObject object = RaisedObject(0, 0, kElementWidth, kElementHeight, ShapeType::RoundRect, kYellow);
    object.text = caption;
    object.font = PanelFont(kBlack);
    object.tag = kStartShapeCode;
    return object;
}

FlowObject EndObject() {
    FlowObject object = PlainObject(0, 0, kElementWidth, kElementHeight, ShapeType::None);
    object.outlineWidth = 0;
    object.picture = 0;
    object.pictureHorizontal = HorizontalPosition::Centre;
    object.pictureVertical = VerticalPosition::Top;
    object.tag = kEndShapeCode;
    return object;
}

FlowObject BlockObject(std::string text, int shapeCode, int picture, std::string record) {
    FlowObject object = RaisedObject(0, 0, kElementWidth, kElementHeight, ShapeType::Rectangle, kTeal);
    object.text = std::move(text);
    object.pictureHorizontal = HorizontalPosition::Left;
    object.pictureVertical = VerticalPosition::Centre;
    object.font = PanelFont(kWhite);
    object.tag = shapeCode;
    object.picture = picture;
    object.customData = std::move(record);
    return object;
}

FlowObject SpotRectangle() {
    FlowObject object = RaisedObject(kSpotRectangleLeft, kSpotRectangleTop, 40, 14, ShapeType::Rectangle, kSpotFill);
    object.tag = kSpotShapeCode;
    return object;
}

}  // namespace

void OwnedObject::Release() {
    if (!model_) return;
    model_->DeleteObject(id_);
    model_ = nullptr;
}

TStartPanel::TStartPanel(FlowModel& chart) : object(chart, StartObject()) {}

TEndPanel::TEndPanel(FlowModel& chart) : object(chart, EndObject()) {}

TSeqPanel::TSeqPanel(FlowModel& chart, std::string text, int shapeCode, int picture, std::string record)
    : object(chart, BlockObject(std::move(text), shapeCode, picture, std::move(record))) {}

TNormalSpot::TNormalSpot(FlowModel& chart)
    : frame(chart, PlainObject(0, 0, kElementWidth, kElementHeight, ShapeType::None)),
      rectangle(chart, SpotRectangle()),
      // One pixel above the frame, so the line reaches into the element above.
      upperAnchor(chart, PlainObject(kElementWidth / 2, -1, 0, 0, ShapeType::None)),
      lowerAnchor(chart, PlainObject(kElementWidth / 2, kElementHeight, 0, 0, ShapeType::None)) {
    chart.AddUnionMember(frame, rectangle);
    chart.AddUnionMember(frame, upperAnchor);
    chart.AddUnionMember(frame, lowerAnchor);
    chart.Connect(upperAnchor, 0, rectangle, 2);
    chart.Connect(rectangle, 10, lowerAnchor, 0);
}

TNormalSpot::~TNormalSpot() {
    upperAnchor.Release();
    lowerAnchor.Release();
    frame.Release();
    rectangle.Release();
}

ObjectId MainObject(const Element& element) {
    return std::visit(
        [](const auto& e) -> ObjectId {
            if constexpr (std::is_same_v<std::decay_t<decltype(e)>, TNormalSpot>)
                return e.frame;
            else
                return e.object;
        },
        element);
}

}  // namespace varnoki::chart
