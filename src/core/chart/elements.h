#pragma once

// The four kinds of chart element. Each owns the flowchart objects that draw it and deletes them
// when it is destroyed. They share no base class: code that takes any element visits the variant.

#include <memory>
#include <string>
#include <variant>

#include "chart/flow_model.h"

namespace varnoki::chart {

inline constexpr int kElementWidth = 90;
inline constexpr int kElementHeight = 32;

// One object of a model, deleted from it when the handle goes.
class OwnedObject {
public:
    OwnedObject(FlowModel& model, FlowObject object) : model_(&model), id_(model.AddObject(std::move(object))) {}
    ~OwnedObject() { Release(); }
    OwnedObject(const OwnedObject&) = delete;
    OwnedObject& operator=(const OwnedObject&) = delete;

    ObjectId id() const { return id_; }
    operator ObjectId() const { return id_; }
    // Deletes the object now; later calls do nothing.
    void Release();

private:
    FlowModel* model_;
    ObjectId id_;
};

// The start terminal: a yellow round rectangle reading "開始".
class TStartPanel {
public:
    explicit TStartPanel(FlowModel& chart);
    int top = 0;
    int left = 0;
    int width = kElementWidth;
    int height = kElementHeight;
    OwnedObject object;
};

// The end terminal: the robot picture, no text, no outline.
class TEndPanel {
public:
    explicit TEndPanel(FlowModel& chart);
    int top = 0;
    int left = 0;
    int width = kElementWidth;
    int height = kElementHeight;
    OwnedObject object;
};

// A block: a teal rectangle with the block's text, its shape code as tag, its picture index and its
// parameter record as custom data.
class TSeqPanel {
public:
    TSeqPanel(FlowModel& chart, std::string text, int shapeCode, int picture, std::string record);
    int top = 0;
    int left = 0;
    int width = kElementWidth;
    int height = kElementHeight;
    OwnedObject object;
};

// An insertion point: an invisible frame that holds the slot in the chain, a small selectable
// rectangle centred in it, and two anchors at the middle of the frame's top and bottom edges. Two
// straight connections, anchor to rectangle and rectangle to anchor, draw the chain's line.
class TNormalSpot {
public:
    explicit TNormalSpot(FlowModel& chart);
    // The anchors go first, taking the connections with them, then the frame and the rectangle.
    ~TNormalSpot();
    int top = 0;
    int left = 0;
    int width = kElementWidth;
    int height = kElementHeight;
    // Created in this order, so the rectangle lies above the frame and is hit first.
    OwnedObject frame;
    OwnedObject rectangle;
    OwnedObject upperAnchor;
    OwnedObject lowerAnchor;
};

// Where the rectangle sits inside its frame.
inline constexpr int kSpotRectangleLeft = 25;
inline constexpr int kSpotRectangleTop = 9;

// Visits check the classes in this order: start terminal, end terminal, insertion point, block.
using Element = std::variant<TStartPanel, TEndPanel, TNormalSpot, TSeqPanel>;
using ElementPtr = std::unique_ptr<Element>;

// The object that stands for the element in the chain: an insertion point's frame, the single
// object of the others.
ObjectId MainObject(const Element& element);

template <typename T, typename... Args>
ElementPtr MakeElement(FlowModel& chart, Args&&... args) {
    return std::make_unique<Element>(std::in_place_type<T>, chart, std::forward<Args>(args)...);
}

}  // namespace varnoki::chart
