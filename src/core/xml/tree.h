#pragma once

// A small XML tree for parameter records and flowchart documents. Everything is a Big5 byte string
// and nothing is ever escaped or unescaped: what is read is kept byte for byte, what is held is
// written byte for byte.

#include <string>
#include <string_view>
#include <vector>

namespace varnoki::xml {

struct Attribute {
    std::string name;
    std::string value;
};

struct Element {
    std::string name;
    std::vector<Attribute> attributes;  // in document order
    std::string text;                   // leading white space dropped, runs of blanks collapsed
    std::vector<Element> children;      // named child elements only, in document order

    // Lookups compare names without regard to ASCII letter case; among children (or attributes) of
    // the same name the last one counts. Both return nullptr when there is none.
    const Element* FindChild(std::string_view childName) const;
    const std::string* FindAttribute(std::string_view attributeName) const;

    Element& AddChild(std::string childName, std::string childText = {});
    void AddAttribute(std::string attributeName, std::string attributeValue);
    // Empties the element: attributes, text and children (the name stays).
    void Clear();
};

// The declaration written when a document has no prolog of its own.
inline constexpr std::string_view kDefaultDeclaration = R"(<?xml version="1.0" encoding="iso-8859-1"?>)";

struct Document {
    // The items that stood before the root, each as it is written back (declaration rebuilt from its
    // version, encoding and standalone values; comments, document type and style-sheet instruction as
    // read). Empty means the default declaration is written.
    std::vector<std::string> prolog;
    Element root;
};

bool NamesEqual(std::string_view a, std::string_view b);  // ASCII case-insensitive

}  // namespace varnoki::xml
