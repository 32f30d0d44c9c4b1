#include "chart/flow_object.h"

namespace varnoki::chart {

FontSpec DefaultFont() { return FontSpec{QString::fromUtf8("新細明體"), 11, false, Rgb{}}; }

QPoint ConnectionPoint(const FlowObject& object, int point) {
    const int index = ((point % kConnectionPointCount) + kConnectionPointCount) % kConnectionPointCount;
    const int side = index / 4;
    const int step = index % 4;
    const int w = object.width;
    const int h = object.height;
    switch (side) {
        case 0:  // top, left to right
            return {object.left + w * step / 4, object.top};
        case 1:  // right, top to bottom
            return {object.left + w, object.top + h * step / 4};
        case 2:  // bottom, right to left
            return {object.left + w - w * step / 4, object.top + h};
        default:  // left, bottom to top
            return {object.left, object.top + h - h * step / 4};
    }
}

}  // namespace varnoki::chart
