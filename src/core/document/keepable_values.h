#pragma once

// Names and texts are stored in records as typed, so a "<" in one of them would turn into markup: the
// record no longer says what was typed, and a document holding it may not read back. Saving refuses
// such a chart instead of writing it.

#include <string_view>

#include "chart/chart.h"

namespace varnoki::document {

// True when some value of the record text holds markup: a "<" where the record layout allows only a
// value up to its end tag (a label, jump target, subroutine name, melody content or wait text typed
// with "<"). Records as this program writes them, escaped values included, are clean.
bool HoldsMarkupInValue(std::string_view recordText);

// Raises varnoki::Error naming the first block (place in the chain and caption) whose record holds
// markup in a value.
void RequireKeepableValues(const chart::Chart& chart);

}  // namespace varnoki::document
