#include "download/program_image.h"

#include <cassert>
#include <optional>

namespace varnoki::download {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Splits at spaces and tabs; a single or double quote opens a run, up to the same quote or the end
// of the line, in which blanks do not split. Quotes stay part of the token. Only the first three
// tokens matter, so no more are taken.
std::vector<std::string_view> FirstThreeTokens(std::string_view line) {
    std::vector<std::string_view> tokens;
    size_t i = 0;
    while (tokens.size() < 3) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i == line.size()) break;
        const size_t start = i;
        char quote = 0;
        for (; i < line.size(); ++i) {
            const char c = line[i];
            if (quote != 0) {
                if (c == quote) quote = 0;
            } else if (IsBlank(c)) {
                break;
            } else if (c == '"' || c == '\'') {
                quote = c;
            }
        }
        tokens.push_back(line.substr(start, i - start));
    }
    return tokens;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A signed 32-bit whole number: an optional sign, then decimal digits, or hexadecimal digits after
// $, x, X, 0x or 0X. Hexadecimal gives the 32-bit pattern, so $FFFFFFFF is -1.
std::optional<std::int32_t> ReadInteger(std::string_view token) {
    size_t i = 0;
    const bool negative = !token.empty() && token[0] == '-';
    if (!token.empty() && (token[0] == '-' || token[0] == '+')) ++i;
    int base = 10;
    if (token.substr(i, 1) == "$" || token.substr(i, 1) == "x" || token.substr(i, 1) == "X") {
        base = 16;
        i += 1;
    } else if (token.substr(i, 2) == "0x" || token.substr(i, 2) == "0X") {
        base = 16;
        i += 2;
    }
    if (i == token.size()) return std::nullopt;
    const std::int64_t limit = base == 16 ? 0xFFFFFFFFLL : (negative ? 2147483648LL : 2147483647LL);
    std::int64_t magnitude = 0;
    for (; i < token.size(); ++i) {
        const int digit = HexDigit(token[i]);
        if (digit < 0 || digit >= base) return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit) return std::nullopt;
    }
    const auto value = static_cast<std::uint32_t>(magnitude);
    return static_cast<std::int32_t>(negative ? 0u - value : value);
}

// The content of a double-quoted token with doubled quotes made single, up to its closing quote
// (or the end). A token that does not begin with a quote, or whose content is empty, stands for
// itself.
std::string Dequoted(std::string_view token) {
    std::string content;
    if (!token.empty() && token[0] == '"') {
        for (size_t i = 1; i < token.size(); ++i) {
            if (token[i] != '"') {
                content += token[i];
            } else if (i + 1 < token.size() && token[i + 1] == '"') {
                content += '"';
                ++i;
            } else {
                break;
            }
        }
    }
    return content.empty() ? std::string(token) : content;
}

std::string Quoted(std::string_view content) {
    std::string quoted = "\"";
    for (const char c : content) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return quoted + '"';
}

void AppendLittleEndian16(QByteArray& out, std::uint16_t value) {
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>(value >> 8));
}

}  // namespace

LineCheck CheckLine(std::string_view line) {
    if (line.size() <= 8) return LineCheck::TooShort;
    const std::vector<std::string_view> tokens = FirstThreeTokens(line);
    if (tokens.size() < 3) return LineCheck::TooFewTokens;
    // Every test is made; the last one that fails decides.
    LineCheck result = LineCheck::Accepted;
    if (!ReadInteger(tokens[0])) result = LineCheck::BadNumber;
    if (tokens[1].substr(0, 3) != "REM") result = LineCheck::NoRem;
    if (Quoted(Dequoted(tokens[2])) != tokens[2]) result = LineCheck::BadStatement;
    // A record carries at most 256 statement bytes; a longer statement cannot be sent whole.
    if (tokens[2].size() > kMaxStatementLength) result = LineCheck::StatementTooLong;
    return result;
}

QString LineCheckReason(LineCheck result) {
    switch (result) {
        case LineCheck::Accepted:
            return {};
        case LineCheck::TooShort:
            return QStringLiteral("太短，不超過8個字節");
        case LineCheck::TooFewTokens:
            return QStringLiteral("不足三項（行號、REM、語句）");
        case LineCheck::BadNumber:
            return QStringLiteral("行號不是整數");
        case LineCheck::NoRem:
            return QStringLiteral("第二項不是REM");
        case LineCheck::BadStatement:
            return QStringLiteral("語句不是完整的雙引號字串");
        case LineCheck::StatementTooLong:
            return QStringLiteral("語句超過%1個字節").arg(kMaxStatementLength);
    }
    return {};
}

SplitResult SplitLine(std::string_view line) {
    const std::vector<std::string_view> tokens = FirstThreeTokens(line);
    assert(tokens.size() == 3);
    return {ReadInteger(tokens[0]).value_or(0), std::string(tokens[2])};
}

ProgramImage BuildImage(const std::vector<std::string>& lines) {
    ProgramImage image;
    std::uint16_t address = kFirstRecordAddress;
    int lineNumber = 0;
    for (const std::string& line : lines) {
        ++lineNumber;
        const LineCheck check = CheckLine(line);
        if (check != LineCheck::Accepted) {
            image.dropped.push_back({lineNumber, check, line});
            continue;
        }
        const SplitResult split = SplitLine(line);
        // The address steps by the statement length plus two, not by the record length.
        address = static_cast<std::uint16_t>(address + split.statement.size() + 2);
        image.bytes.append('\0');
        AppendLittleEndian16(image.bytes, address);
        AppendLittleEndian16(image.bytes, static_cast<std::uint16_t>(split.number));
        image.bytes.append(static_cast<char>(0x93));
        image.bytes.append(split.statement.data(), static_cast<qsizetype>(split.statement.size()));
    }
    image.bytes.append(3, '\0');
    return image;
}

}  // namespace varnoki::download
