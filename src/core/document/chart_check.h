#pragma once

// What will go wrong on the board with a chart, found before it gets there: jumps and calls that no
// label or subroutine answers (or that a shorter name defined earlier takes over), names defined
// twice, counted loops whose heads and tails do not pair up, and names or texts that a document
// cannot keep.

#include <QString>
#include <vector>

#include "chart/chart.h"

namespace varnoki::document {

struct Finding {
    std::size_t position;  // of the block in the chain, from 1
    int kind;
    QString problem;  // Traditional Chinese
    // "第 3 個模塊「無條件跳轉」：…"
    QString Text() const;
};

// The findings in chain order; none for a chart that will run as drawn.
std::vector<Finding> CheckChart(const chart::Chart& chart);

}  // namespace varnoki::document
