#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "error.h"
#include "xml/tree.h"

namespace varnoki::xml {

// A document that cannot be read. what() is a Traditional Chinese message that includes the byte
// offset; offset() gives it alone.
class ParseError : public Error {
public:
    ParseError(const std::string& message, std::size_t offset);
    std::size_t offset() const { return offset_; }

private:
    std::size_t offset_;
};

// Elements nested deeper than this are refused instead of exhausting the stack.
inline constexpr int kMaxDepth = 256;

// Reads a whole document. An empty input (or white space only) gives a document whose root has no
// name and no children. Lenient as the program's own files need: raw "&" and Big5 bytes in texts
// and values, single- or double-quoted attributes, end tags compared without regard to case.
// Linear in the input size; raises ParseError on malformed input.
//
// Before the root: white space, XML declarations (kept rebuilt from version, encoding and
// standalone), comments, a document type declaration and <?xml-stylesheet?> (kept as read); any
// other text or instruction is an error. A file with no element at all reads as a root without a
// name, keeping its prolog. Element names run up to white space, "/" or ">"; a namespace prefix
// stays part of the name ("ns:a" is read, looked up and written as "ns:a"). Inside elements,
// comments, CDATA sections and processing instructions are passed over. Text: white space (space,
// tab, CR, LF) at its start is dropped, every run of spaces becomes one space, other white space
// inside it is kept. After the root only white space, comments and processing instructions.
Document ParseDocument(std::string_view bytes);

}  // namespace varnoki::xml
