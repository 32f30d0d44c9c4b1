#pragma once

// Block parameter records: the small CtrlNode XML text that each block carries.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "xml/tree.h"

namespace varnoki::chart {

// The default record text of one of the 24 block kinds (declaration line, then CtrlNode with its
// type attribute and the kind's children in their fixed order). Raises varnoki::Error for 7, 8 and
// numbers outside 1..26.
std::string BuildDefaultRecord(int kind);

// The record text of `kind` with the given fields, in the given order (the dialogs' rewrite).
using RecordFields = std::vector<std::pair<std::string, std::string>>;
std::string WriteRecord(int kind, const RecordFields& fields);

// The record text of an arbitrary root element (declaration line, then the element at level 0).
std::string WriteRecordElement(const xml::Element& root);

// A record read back. Parsing raises xml::ParseError for text that is not well formed.
class Record {
public:
    static Record Parse(std::string_view text);
    explicit Record(xml::Element root) : root_(std::move(root)) {}

    const xml::Element& Root() const { return root_; }

    // The type attribute as an integer, -1 when missing or not an integer.
    int Type() const;
    // Integer child: `fallback` when missing, -1 when present but not an integer. An integer is an
    // optional sign and decimal digits, blanks around allowed, within the range of int.
    int ReadInteger(std::string_view name, int fallback) const;
    // Boolean child: true for any non-zero number and "True", false for "0", "False" and any other
    // text (case-insensitive); `fallback` when missing or empty.
    bool ReadBoolean(std::string_view name, bool fallback) const;
    // Text child as the reader keeps it; `fallback` when missing.
    std::string ReadText(std::string_view name, std::string_view fallback = {}) const;

private:
    xml::Element root_;
};

// Integer text as the records hold it: decimal, "-" when negative. Booleans are "0" and "-1".
std::string IntegerText(int value);
inline std::string BooleanText(bool value) { return value ? "-1" : "0"; }

// The character-reference escape of the free-text fields (condition and label of a conditional jump,
// the expression's command). Unescaping leaves any "&" that does not start a known reference as it
// is, and so a numeric reference to 0 or to a value above 255.
std::string EscapeValue(std::string_view text);
std::string UnescapeValue(std::string_view text);

}  // namespace varnoki::chart
