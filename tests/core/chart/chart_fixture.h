#pragma once

#include <QCoreApplication>
#include <string>

#include "chart/chart.h"

// The queued reselection after a removal needs an event loop to run in.
inline void ProcessEvents() {
    static int argc = 1;
    static char name[] = "test_chart";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    QCoreApplication::processEvents();
}

// The element list as letters: S start, E end, P insertion point, B block.
inline std::string Shape(const varnoki::chart::Chart& chart) {
    using namespace varnoki::chart;
    std::string letters;
    for (const ElementPtr& element : chart.Elements()) {
        letters += std::visit(
            [](const auto& e) {
                using T = std::decay_t<decltype(e)>;
                if constexpr (std::is_same_v<T, TStartPanel>) return 'S';
                if constexpr (std::is_same_v<T, TEndPanel>) return 'E';
                if constexpr (std::is_same_v<T, TNormalSpot>) return 'P';
                return 'B';
            },
            *element);
    }
    return letters;
}

template <typename T>
const T& ElementAt(const varnoki::chart::Chart& chart, int index) {
    return std::get<T>(*chart.Elements().at(static_cast<std::size_t>(index)));
}

inline varnoki::chart::ObjectId SpotRectangle(const varnoki::chart::Chart& chart, int index) {
    return ElementAt<varnoki::chart::TNormalSpot>(chart, index).rectangle.id();
}

inline varnoki::chart::ObjectId BlockObject(const varnoki::chart::Chart& chart, int index) {
    return ElementAt<varnoki::chart::TSeqPanel>(chart, index).object.id();
}

inline QPoint TopLeft(const varnoki::chart::Chart& chart, varnoki::chart::ObjectId id) {
    const varnoki::chart::FlowObject* object = chart.Flow().Find(id);
    return object ? QPoint(object->left, object->top) : QPoint(-9999, -9999);
}
