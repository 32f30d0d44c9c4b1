#include "xml/writer.h"

namespace varnoki::xml {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

void WriteAttribute(const Attribute& attribute, std::string& out) {
    // Values are never escaped. A value read from a single-quoted attribute may hold a double quote;
    // it goes back in single quotes so the document still reads as it was.
    const char quote = attribute.value.find('"') != std::string::npos ? '\'' : '"';
    out += ' ';
    out += attribute.name;
    out += '=';
    out += quote;
    out += attribute.value;
    out += quote;
}

}  // namespace

void WriteElement(const Element& element, int level, std::string& out) {
    const std::string indent(static_cast<std::size_t>(level) * 2, ' ');
    out += indent;
    out += '<';
    out += element.name;
    for (const Attribute& attribute : element.attributes) WriteAttribute(attribute, out);

    if (!element.children.empty()) {
        out += '>';
        out += kLineEnd;
        for (const Element& child : element.children) WriteElement(child, level + 1, out);
        out += indent;
        out += "</";
        out += element.name;
        out += '>';
    } else if (!element.text.empty()) {
        out += '>';
        out += element.text;
        out += "</";
        out += element.name;
        out += '>';
    } else {
        out += "/>";
    }
    out += kLineEnd;
}

std::string WriteDocument(const Document& document) {
    std::string out;
    if (document.prolog.empty()) {
        out += kDefaultDeclaration;
        out += kLineEnd;
    }
    for (const std::string& item : document.prolog) {
        out += item;
        out += kLineEnd;
    }
    // A document read from an empty file has a root without a name; there is no element to write.
    if (!document.root.name.empty()) WriteElement(document.root, 0, out);
    return out;
}

}  // namespace varnoki::xml
