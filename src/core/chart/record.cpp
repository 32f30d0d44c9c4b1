#include "chart/record.h"

#include <array>
#include <charconv>
#include <initializer_list>
#include <limits>

#include "error.h"
#include "xml/reader.h"
#include "xml/writer.h"

namespace varnoki::chart {

namespace {

constexpr std::string_view kRecordRootName = "CtrlNode";

struct DefaultField {
    std::string_view name;
    std::string_view value;
};

// The children of a new block's record, in the order the dialogs write them back.
const RecordFields* DefaultFields(int kind) {
    static const std::array<RecordFields, 27> table = [] {
        std::array<RecordFields, 27> fields;
        auto set = [&fields](int kind, std::initializer_list<DefaultField> children) {
            for (const DefaultField& child : children) fields[kind].emplace_back(child.name, child.value);
        };
        set(1, {{"mode", "0"}, {"wait", "0"}});
        set(2, {{"mode", "0"}, {"wait", "0"}});
        set(3, {{"motorL", "0"}, {"motorR", "0"}});
        set(4, {{"mode", "0"}});
        set(5, {{"wait", "0"}});
        set(6, {{"key", "0"}, {"keycmd", "0"}, {"content", ""}});
        set(9, {{"times", "1"}, {"var", "0"}});
        set(10, {{"var", "0"}});
        set(11, {{"label", ""}});
        set(12, {{"label", ""}});
        set(13, {{"condition", ""}, {"label", ""}});
        set(15, {{"led", "7"}});
        set(16, {{"ddr", "0"}, {"data", "0"}});
        set(17, {{"var", "0"}, {"port", "0"}});
        set(18, {{"port", "0"}, {"data", "0"}});
        set(19, {{"data1", "9"}, {"data2", "9"}, {"data3", "9"}, {"data4", "9"}, {"data5", "9"}, {"speed", "1"}});
        set(20, {{"command", ""}});
        set(21, {{"var", "0"}, {"index", "0"}});
        set(22, {{"var", "0"}, {"index", "0"}});
        set(23, {{"sub", ""}});
        set(25, {{"sub", ""}});
        set(26, {{"index", "0"}});
        return fields;
    }();
    if (kind < 1 || kind > 26 || kind == 7 || kind == 8) return nullptr;
    return &table[static_cast<std::size_t>(kind)];
}

bool IsSpace(char c) { return c == ' '; }

// A valid integer is an optional sign followed by decimal digits, with nothing else but blanks
// around it. `digits` receives the digits alone.
bool SplitInteger(std::string_view text, bool& negative, std::string_view& digits) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    digits = text;
    return true;
}

// The integer value of a record text, -1 when it is not a valid integer or does not fit an int.
int ParseInteger(std::string_view text) {
    bool negative = false;
    std::string_view digits;
    if (!SplitInteger(text, negative, digits)) return -1;
    long long magnitude = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    if (error != std::errc() || end != digits.data() + digits.size()) return -1;
    const long long value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) return -1;
    return static_cast<int>(value);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The byte a reference starting at text[0] == '&' stands for, and its length; 0 when none.
std::size_t MatchReference(std::string_view text, char& byte) {
    static constexpr std::pair<std::string_view, char> kNamed[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&apos;", '\''}, {"&quot;", '"'}};
    for (const auto& [name, value] : kNamed) {
        if (xml::NamesEqual(text.substr(0, name.size()), name)) {
            byte = value;
            return name.size();
        }
    }
    if (!text.starts_with("&#")) return 0;
    const bool hex = text.size() > 2 && (text[2] == 'x' || text[2] == 'X');
    const int base = hex ? 16 : 10;
    std::size_t at = hex ? 3 : 2;
    const std::size_t digitsStart = at;
    // Anything above a byte is left as written, so the value needs no more than a few digits.
    int value = 0;
    for (; at < text.size(); ++at) {
        const int digit = HexDigit(text[at]);
        if (digit < 0 || digit >= base) break;
        value = value > 255 ? value : value * base + digit;
    }
    if (at == digitsStart || at >= text.size() || text[at] != ';') return 0;
    if (value <= 0 || value > 255) return 0;
    byte = static_cast<char>(value);
    return at + 1;
}

}  // namespace

std::string BuildDefaultRecord(int kind) {
    const RecordFields* fields = DefaultFields(kind);
    if (fields == nullptr) throw Error("沒有第 " + std::to_string(kind) + " 種模塊");
    return WriteRecord(kind, *fields);
}

std::string WriteRecord(int kind, const RecordFields& fields) {
    xml::Element root;
    root.name = kRecordRootName;
    root.AddAttribute("type", IntegerText(kind));
    for (const auto& [name, value] : fields) root.AddChild(name, value);
    return WriteRecordElement(root);
}

std::string WriteRecordElement(const xml::Element& root) {
    std::string out(xml::kDefaultDeclaration);
    out += "\r\n";
    xml::WriteElement(root, 0, out);
    return out;
}

Record Record::Parse(std::string_view text) { return Record(xml::ParseDocument(text).root); }

int Record::Type() const {
    const std::string* type = root_.FindAttribute("type");
    return type == nullptr ? -1 : ParseInteger(*type);
}

int Record::ReadInteger(std::string_view name, int fallback) const {
    const xml::Element* child = root_.FindChild(name);
    return child == nullptr ? fallback : ParseInteger(child->text);
}

bool Record::ReadBoolean(std::string_view name, bool fallback) const {
    const xml::Element* child = root_.FindChild(name);
    if (child == nullptr || child->text.empty()) return fallback;
    bool negative = false;
    std::string_view digits;
    if (SplitInteger(child->text, negative, digits)) return digits.find_first_not_of('0') != std::string_view::npos;
    return xml::NamesEqual(child->text, "True");
}

std::string Record::ReadText(std::string_view name, std::string_view fallback) const {
    const xml::Element* child = root_.FindChild(name);
    return child == nullptr ? std::string(fallback) : child->text;
}

std::string IntegerText(int value) { return std::to_string(value); }

std::string EscapeValue(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out += "&quot;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '\'':
                out += "&apos;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                if (byte >= 0x80) {
                    out += "&#x";
                    out += kHex[byte >> 4];
                    out += kHex[byte & 0x0F];
                    out += ';';
                } else {
                    out += c;
                }
        }
    }
    return out;
}

std::string UnescapeValue(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        char byte = 0;
        const std::size_t length = text[at] == '&' ? MatchReference(text.substr(at), byte) : 0;
        if (length == 0) {
            out += text[at++];
        } else {
            out += byte;
            at += length;
        }
    }
    return out;
}

}  // namespace varnoki::chart
