#pragma once

// Statement lines: how a statement is kept in the program text, enclosed in double quotes with every
// inner double quote doubled.

#include <string>
#include <string_view>

namespace varnoki::codegen {

// `FDX` becomes `"FDX"`, `A="x"` becomes `"A=""x"""`, the empty statement becomes `""`.
std::string QuoteStatement(std::string_view statement);

// The statement a line holds: for a line that begins with a double quote, the bytes up to the next
// single double quote with doubled quotes made single (anything after the closing quote is ignored);
// the line itself when it does not begin with a quote or when that content is empty. So
// UnquoteLine(QuoteStatement(s)) == s for every non-empty s.
std::string UnquoteLine(std::string_view line);

}  // namespace varnoki::codegen
