#pragma once

#include <string>

#include "xml/tree.h"

namespace varnoki::xml {

// The prolog (or the default declaration) and the root, CR LF after every line, two blanks per level,
// "/>" for an element without children and text, attributes in double quotes, nothing escaped. An
// element's text is written only when it has no children. A value holding a double quote (possible
// only in a document read from single-quoted attributes) is written in single quotes instead. A root
// without a name (a document read from an empty file) writes the prolog alone.
std::string WriteDocument(const Document& document);

// One element and its descendants at the given nesting level, in the same form.
void WriteElement(const Element& element, int level, std::string& out);

}  // namespace varnoki::xml
