#pragma once

// What the flowchart model holds: objects with their look and data, and the straight connections
// between their connection points. Plain values; the model (flow_model.h) owns and changes them.

#include <QLine>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace varnoki::chart {

// Handles into the model. An id is never reused, so a handle kept past its object's deletion finds
// nothing instead of a stranger.
enum class ObjectId : std::uint32_t {};
enum class ConnectionId : std::uint32_t {};
inline constexpr ObjectId kNoObject{};
inline constexpr ConnectionId kNoConnection{};

// Anything the selection may hold; the selection filter is asked about both kinds.
using SelectableItem = std::variant<ObjectId, ConnectionId>;

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

enum class ShapeType {
    None,       // nothing drawn but text and picture
    Rectangle,  // drawn with its edge
    RoundRect,  // corners rounded with an ellipse half the object's width and height
};

enum class HorizontalPosition { Left, Centre, Right };
enum class VerticalPosition { Top, Centre, Bottom };

enum class EdgeStyle { None, Raised };

// The sides an edge is drawn on, or'ed together.
enum EdgeSide : std::uint8_t {
    kEdgeLeft = 1,
    kEdgeTop = 2,
    kEdgeRight = 4,
    kEdgeBottom = 8,
    kEdgeAllSides = kEdgeLeft | kEdgeTop | kEdgeRight | kEdgeBottom,
};

struct FontSpec {
    QString family;  // the face the chart asks for; a view substitutes what the system has
    int pixelSize = 11;
    bool bold = false;
    Rgb colour;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// The face every text of the chart asks for (the window's font unless an element sets its own).
FontSpec DefaultFont();

struct FlowObject {
    ObjectId id{};  // set by the model
    int left = 0;
    int top = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    ShapeType shape = ShapeType::None;

    std::string text;  // Big5; a view breaks it onto further lines when wider than the object
    HorizontalPosition textHorizontal = HorizontalPosition::Centre;
    VerticalPosition textVertical = VerticalPosition::Centre;
    FontSpec font = DefaultFont();

    // Index into the view's picture list, -1 for none; a picture shows only when the index is below
    // the list's size.
    int picture = -1;
    HorizontalPosition pictureHorizontal = HorizontalPosition::Centre;
    VerticalPosition pictureVertical = VerticalPosition::Centre;

    Rgb fill{255, 255, 255};
    EdgeStyle edge = EdgeStyle::None;
    std::uint8_t edgeSides = 0;  // EdgeSide bits
    int outlineWidth = 1;

    int tag = 0;             // the shape code
    std::string customData;  // a block's parameter record

    // Objects joined to this one; they move along with it (see Chart::MoveObjectTree).
    std::vector<ObjectId> unionMembers;
    ObjectId unionOwner{};  // the object whose union this one belongs to, if any

    QRect Rect() const { return QRect(left, top, width, height); }
};

// A straight line from one connection point of an object to one of another.
struct Connection {
    ConnectionId id{};
    ObjectId source{};
    int sourcePoint = 0;
    ObjectId destination{};
    int destinationPoint = 0;
};

inline constexpr int kConnectionPointCount = 16;

// The chart coordinates of connection point `point` (0..15) of `object`. The points go clockwise
// round the edge from the top-left corner, five to a side counting both corners: 0 top-left,
// 2 top centre, 4 top-right, 6 right centre, 8 bottom-right, 10 bottom centre, 12 bottom-left,
// 14 left centre. A point outside 0..15 counts modulo 16.
QPoint ConnectionPoint(const FlowObject& object, int point);

}  // namespace varnoki::chart
