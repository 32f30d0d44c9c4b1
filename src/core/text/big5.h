#pragma once

// Big5 (code page 950) <-> Unicode. The model keeps Big5 bytes; text turns into Unicode only at the
// screen and at the terminal, and back into Big5 when a person has typed it.

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace varnoki::text {

// Decodes Big5 bytes for display. A byte sequence that is not Big5 shows as U+FFFD, so a damaged
// file can still be looked at; the bytes themselves are never changed by this.
QString Big5ToUnicode(std::string_view big5);

// Encodes text as Big5. A character that Big5 cannot hold raises varnoki::Error whose message names
// the character and its code point; nothing is ever replaced silently.
std::string UnicodeToBig5(const QString& text);

// The first character of `text` that Big5 cannot hold, or nothing when all of it can be encoded.
std::optional<char32_t> FirstUnencodable(const QString& text);

// Big5 bytes with the ASCII letters in lower case, for comparing names without regard to letter
// case. The second byte of a Big5 character may look like a letter and is left alone, so two
// different characters never fold together.
std::string FoldAsciiCase(std::string_view big5);

// Convenience for literals in the source, which is UTF-8.
inline std::string Big5(const char* utf8) { return UnicodeToBig5(QString::fromUtf8(utf8)); }

}  // namespace varnoki::text
