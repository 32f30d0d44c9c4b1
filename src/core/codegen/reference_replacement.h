#pragma once

// Label and subroutine references: every "label: name" a jump names, every "sub: name" a call names,
// becomes the line number of the definition that carries the same statement.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace varnoki::codegen {

// One line of the unnumbered program in both forms: as it is stored (quoted) and the statement it
// holds (see UnquoteLine).
struct ProgramLine {
    std::string quoted;
    std::string statement;
};

// A definition line: its whole statement ("label: loop"), which is also what references to it say,
// and its index in the unnumbered line list.
struct Definition {
    std::string statement;
    std::size_t index;
};

inline constexpr std::string_view kLabelPrefix = "label: ";
inline constexpr std::string_view kSubroutinePrefix = "sub: ";

// The lines whose statement begins with `prefix`, in line order.
std::vector<Definition> FindDefinitions(const std::vector<ProgramLine>& lines, std::string_view prefix);

// For each definition of `table` in turn, and in every line: when the first occurrence of the
// definition's statement begins at byte index 2 or later, that occurrence alone is replaced by the
// number of the first definition in `table` with the same statement regardless of letter case, and
// the line is quoted again. Definition lines themselves begin with their statement and so stay as
// they are; a line rewritten by one definition is what the next definition sees.
// `prefix` is the one that all statements of `table` begin with.
void ReplaceReferences(std::vector<ProgramLine>& lines, const std::vector<Definition>& table, std::string_view prefix);

}  // namespace varnoki::codegen
