#pragma once

// The program image the board is sent: one line record per accepted program text line, then the
// end marker 00 00 00. A line record is
//   00 | running address (16 bits) | line number (low 16 bits) | 93 | the quoted statement
// with multi-byte values low byte first. Only lines like `20 REM "FDX"` are accepted; the rest are
// dropped. Lines are Big5 byte strings and are copied as they are.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnoki::download {

// Results of CheckLine. When several of the last four fail, the highest counts.
enum class LineCheck {
    Accepted = 0,
    TooShort = 1,          // 8 bytes or fewer
    TooFewTokens = 2,      // fewer than 3 tokens
    BadNumber = 3,         // the first token is not a whole number
    NoRem = 4,             // the second token does not begin with REM
    BadStatement = 5,      // the third token is not a well-formed, non-empty double-quoted string
    StatementTooLong = 6,  // the third token is longer than a record can carry (256 bytes)
};

inline constexpr size_t kMaxStatementLength = 256;
inline constexpr std::uint16_t kFirstRecordAddress = 6593;

LineCheck CheckLine(std::string_view line);
// Why a line was dropped, for the person who wrote it.
QString LineCheckReason(LineCheck result);

struct SplitResult {
    std::int32_t number = 0;
    std::string statement;  // the third token exactly as it stands, quotes included
};
// For an accepted line: its number and its quoted statement.
SplitResult SplitLine(std::string_view line);

struct DroppedLine {
    int lineNumber = 0;  // position in the text, counting from 1
    LineCheck reason = LineCheck::Accepted;
    std::string text;
};

struct ProgramImage {
    QByteArray bytes;
    std::vector<DroppedLine> dropped;
};

ProgramImage BuildImage(const std::vector<std::string>& lines);

}  // namespace varnoki::download
