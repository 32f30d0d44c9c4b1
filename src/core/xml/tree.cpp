#include "xml/tree.h"

#include <algorithm>
#include <utility>

namespace varnoki::xml {

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool NamesEqual(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

const Element* Element::FindChild(std::string_view childName) const {
    // The last of several children with the same name counts, so search from the back.
    auto found = std::find_if(children.rbegin(), children.rend(),
                              [childName](const Element& child) { return NamesEqual(child.name, childName); });
    return found == children.rend() ? nullptr : &*found;
}

const std::string* Element::FindAttribute(std::string_view attributeName) const {
    auto found = std::find_if(attributes.rbegin(), attributes.rend(), [attributeName](const Attribute& attribute) {
        return NamesEqual(attribute.name, attributeName);
    });
    return found == attributes.rend() ? nullptr : &found->value;
}

Element& Element::AddChild(std::string childName, std::string childText) {
    Element& child = children.emplace_back();
    child.name = std::move(childName);
    child.text = std::move(childText);
    return child;
}

void Element::AddAttribute(std::string attributeName, std::string attributeValue) {
    attributes.push_back({std::move(attributeName), std::move(attributeValue)});
}

void Element::Clear() {
    attributes.clear();
    text.clear();
    children.clear();
}

}  // namespace varnoki::xml
