#pragma once

// Reading a document into a chart, in two steps so that nothing is lost when a document turns out to
// be unreadable: first everything that can fail (copying records, reading the display texts), then
// the chart is replaced, which cannot fail.

#include <optional>
#include <string>
#include <vector>

#include "chart/catalogue.h"
#include "chart/chart.h"
#include "xml/tree.h"

namespace varnoki::document {

// One block as it will be appended.
struct BlockToAppend {
    int kind;
    xml::Element element;                       // the record's root as read
    std::string record;                         // the record text the block will carry
    std::optional<chart::DisplayText> display;  // for kinds 11, 20, 23, 25 and 26
};

// The blocks a document holds, in document order. Every child of the root counts, whatever its name
// and the root's: its first child element becomes the record; a child without one, and a record whose
// type is not one of the 24 kinds (0, 7, 8, negative, above 26, missing, not a number), is skipped.
// Raises varnoki::Error naming the block when a record's display text cannot be read.
std::vector<BlockToAppend> BlocksOfDocument(const xml::Document& document, const std::vector<std::string>& voiceWords);

// The root that BuildDocument makes of the chart once it holds the blocks.
xml::Element DocumentRootOf(const std::vector<BlockToAppend>& blocks);

// Replaces the chart by a new chain holding the blocks, with their records, display texts and
// heights, laid out once; views are told once, at the end.
void ReplaceChain(chart::Chart& chart, const std::vector<BlockToAppend>& blocks);

}  // namespace varnoki::document
