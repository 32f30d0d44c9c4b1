#pragma once

#include <string>

#include "xml/tree.h"

namespace varnoki::xml {

// The prolog (or the default declaration) and the root, CR LF after every line, two blanks per level,
// "/>" for an element without children and text, attributes in double quotes, nothing escaped.
std::string WriteDocument(const Document& document);

// One element and its descendants at the given nesting level, in the same form.
void WriteElement(const Element& element, int level, std::string& out);

}  // namespace varnoki::xml
