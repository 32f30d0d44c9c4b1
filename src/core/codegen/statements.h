#pragma once

// The statement generator: the VARNOKI statement lines one block stands for.

#include <string>
#include <string_view>
#include <vector>

#include "chart/record.h"

namespace varnoki::codegen {

// The statement lines (quoted, see statement_line.h) of a block with this shape code and record, in
// order: one line for most kinds, one or two for the melody block, none for a shape code that is no
// block. Missing fields take their defaults (integers -1, texts empty, the melody's key switch on);
// no value is checked for sense or range.
std::vector<std::string> MakeStatements(int shapeCode, const chart::Record& record);

// The same from the record text, which is parsed only when the block's statement needs a field.
// Raises xml::ParseError when it does and the text is not well formed.
std::vector<std::string> MakeStatements(int shapeCode, std::string_view recordText);

}  // namespace varnoki::codegen
