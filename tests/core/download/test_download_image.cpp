#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "download/image_file.h"
#include "download/program_image.h"
#include "error.h"

using namespace varnoki::download;

namespace {

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int value : values) bytes.append(static_cast<char>(value));
    return bytes;
}

void WriteFile(const QString& name, const QByteArray& content) {
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

}  // namespace

TEST(CheckLine, ResultCodes) {
    const struct {
        const char* line;
        LineCheck expected;
    } cases[] = {
        {R"(20 REM "FDX")", LineCheck::Accepted},
        {R"(10 REM """")", LineCheck::Accepted},  // the content is one double quote
        {R"(10 REM "say ""hi""")", LineCheck::Accepted},
        {R"(10 REMARK "A")", LineCheck::Accepted},
        {R"(10 REM "A" more)", LineCheck::Accepted},
        {"10  REM \t \"A B\"", LineCheck::Accepted},
        {R"(x10 REM "A")", LineCheck::Accepted},
        {R"(-$10 REM "A")", LineCheck::Accepted},
        {R"(0X1f REM "A")", LineCheck::Accepted},
        {R"(-2147483648 REM "A")", LineCheck::Accepted},
        {"10 REM A", LineCheck::TooShort},  // exactly 8 bytes
        {"A B C", LineCheck::TooShort},
        {"", LineCheck::TooShort},
        {R"("VARNOKI")", LineCheck::TooFewTokens},
        {"   10    REM   ", LineCheck::TooFewTokens},
        {R"(10 REM' "A")", LineCheck::TooFewTokens},  // the quote runs to the end of the line
        {R"(2147483648 REM "A")", LineCheck::BadNumber},
        {R"($100000000 REM "A")", LineCheck::BadNumber},
        {R"(1e3 REM "A")", LineCheck::BadNumber},
        {R"(0x REM "ABC")", LineCheck::BadNumber},
        {R"(10 rem "A")", LineCheck::NoRem},
        {R"(10 RE "AB")", LineCheck::NoRem},
        {"AA BBB CCC", LineCheck::BadStatement},  // all three fail: the highest wins
        {R"(X1 rem "A")", LineCheck::NoRem},
        {R"(10 REM "")", LineCheck::BadStatement},
        {"10 REM AB", LineCheck::BadStatement},
        {R"(10 REM "A"B)", LineCheck::BadStatement},
        {R"(10 REM "AB)", LineCheck::BadStatement},
        {R"(10 REM 'A')", LineCheck::BadStatement},
        {R"(10 REM "A"")", LineCheck::BadStatement},
        {R"(10 REM "a"b")", LineCheck::BadStatement},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckLine(c.line), c.expected) << c.line;
    }
}

TEST(CheckLine, StatementOf256BytesFitsAndLongerIsRefused) {
    const std::string fits = "10 REM \"" + std::string(254, 'a') + "\"";
    const std::string tooLong = "10 REM \"" + std::string(255, 'a') + "\"";
    EXPECT_EQ(CheckLine(fits), LineCheck::Accepted);
    EXPECT_EQ(CheckLine(tooLong), LineCheck::StatementTooLong);
    EXPECT_FALSE(LineCheckReason(LineCheck::StatementTooLong).isEmpty());
}

TEST(SplitLine, ReturnsNumberAndQuotedStatementUnchanged) {
    const SplitResult doubled = SplitLine(R"(10 REM "say ""hi""")");
    EXPECT_EQ(doubled.number, 10);
    EXPECT_EQ(doubled.statement, R"("say ""hi""")");
    EXPECT_EQ(doubled.statement.size(), 12u);
    EXPECT_EQ(SplitLine(R"(10  REM   "A B")").statement, R"("A B")");
    EXPECT_EQ(SplitLine(R"(10 REM "A" more)").statement, R"("A")");
    EXPECT_EQ(SplitLine(R"($10 REM "A")").number, 16);
    EXPECT_EQ(SplitLine(R"($FFFFFFFF REM "A")").number, -1);
}

TEST(BuildImage, TwoLinesGiveTheKnown22Bytes) {
    const ProgramImage image = BuildImage({R"(10 REM "A")", R"(20 REM "BC")"});
    EXPECT_EQ(image.bytes, Bytes({0x00, 0xC6, 0x19, 0x0A, 0x00, 0x93, 0x22, 0x41, 0x22, 0x00, 0xCC,
                                  0x19, 0x14, 0x00, 0x93, 0x22, 0x42, 0x43, 0x22, 0x00, 0x00, 0x00}));
    EXPECT_TRUE(image.dropped.empty());
}

TEST(BuildImage, HeaderLineRecordAndTheExampleProgram) {
    const ProgramImage image = BuildImage({R"(10 REM "VARNOKI")", R"(20 REM "BKX")"});
    ASSERT_EQ(image.bytes.size(), 15 + 11 + 3);
    EXPECT_EQ(image.bytes.left(6), Bytes({0x00, 0xCC, 0x19, 0x0A, 0x00, 0x93}));
    EXPECT_EQ(image.bytes.mid(6, 9), QByteArray(R"("VARNOKI")"));
}

TEST(BuildImage, DroppedLinesAreReportedWithTheirPositionAndSkipped) {
    const ProgramImage image = BuildImage({"AA BBB CCC", R"(10 REM "A")", "", R"(10 rem "A")"});
    EXPECT_EQ(image.bytes, Bytes({0x00, 0xC6, 0x19, 0x0A, 0x00, 0x93, 0x22, 0x41, 0x22, 0x00, 0x00, 0x00}));
    ASSERT_EQ(image.dropped.size(), 3u);
    EXPECT_EQ(image.dropped[0].lineNumber, 1);
    EXPECT_EQ(image.dropped[0].reason, LineCheck::BadStatement);
    EXPECT_EQ(image.dropped[0].text, "AA BBB CCC");
    EXPECT_EQ(image.dropped[1].lineNumber, 3);
    EXPECT_EQ(image.dropped[2].lineNumber, 4);
    EXPECT_EQ(image.dropped[2].reason, LineCheck::NoRem);

    EXPECT_EQ(BuildImage({}).bytes, Bytes({0, 0, 0}));
    EXPECT_EQ(BuildImage({"garbage", "\"VARNOKI\""}).bytes, Bytes({0, 0, 0}));
}

TEST(BuildImage, LineNumbersKeepTheirLow16BitsAndTheAddressWraps) {
    const ProgramImage numbers = BuildImage({R"(65546 REM "A")", R"(-1 REM "A")", R"(x10 REM "A")"});
    EXPECT_EQ(numbers.bytes.mid(3, 2), Bytes({0x0A, 0x00}));
    EXPECT_EQ(numbers.bytes.mid(9 + 3, 2), Bytes({0xFF, 0xFF}));
    EXPECT_EQ(numbers.bytes.mid(18 + 3, 2), Bytes({0x10, 0x00}));

    // Each 256-byte statement moves the address by 258; the 229th record passes 65535.
    const std::vector<std::string> lines(230, "1 REM \"" + std::string(254, 'x') + "\"");
    const ProgramImage wrapped = BuildImage(lines);
    const auto address = [&](int record) {
        const qsizetype at = qsizetype(record) * 262 + 1;
        return std::uint8_t(wrapped.bytes[at]) | std::uint8_t(wrapped.bytes[at + 1]) << 8;
    };
    EXPECT_EQ(address(0), 6593 + 258);
    EXPECT_EQ(address(228), (6593 + 229 * 258) % 65536);
    EXPECT_EQ(address(229), (6593 + 230 * 258) % 65536);
}

TEST(ImageFiles, BuildFromFileReadBackAndMissingFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString text = dir.filePath("program.txt");
    const QString image = dir.filePath("program.bas");
    WriteFile(text, "10 REM \"A\"\r20 REM \"BC\"\r\nnothing\n");

    const auto dropped = BuildImageFromFile(text, image);
    ASSERT_TRUE(dropped.has_value());
    ASSERT_EQ(dropped->size(), 1u);
    EXPECT_EQ(dropped->front().lineNumber, 3);
    const auto bytes = ReadImageFile(image);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->size(), 22);

    // A missing source writes nothing and leaves the destination as it was.
    WriteFile(image, "kept");
    EXPECT_FALSE(BuildImageFromFile(dir.filePath("missing.txt"), image).has_value());
    EXPECT_EQ(ReadImageFile(image), QByteArray("kept"));
    EXPECT_FALSE(ReadImageFile(dir.filePath("missing.bas")).has_value());
    EXPECT_EQ(ReadImageFile(dir.filePath("program.bas"))->size(), 4);
}

TEST(ImageFiles, WritingIntoAMissingFolderRaisesTheError) {
    QTemporaryDir dir;
    const std::vector<std::string> lines = {R"(10 REM "A")"};
    EXPECT_THROW(BuildImageFromLines(lines, dir.filePath("no/such/folder/x.bas")), varnoki::Error);
}

TEST(TempImageFile, IsANewEmptyQvrFileInTheTempFolderRemovedAfterwards) {
    QString name;
    {
        const TempImageFile first;
        const TempImageFile second;
        name = first.FileName();
        const QFileInfo info(name);
        EXPECT_TRUE(info.fileName().startsWith("qvr")) << name.toStdString();
        EXPECT_EQ(info.absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
        EXPECT_TRUE(info.exists());
        EXPECT_EQ(info.size(), 0);
        EXPECT_NE(first.FileName(), second.FileName());
    }
    EXPECT_FALSE(QFileInfo::exists(name));
}

TEST(PrepareImageForDownload, GivesTheImageAndTheDroppedLines) {
    const ProgramImage image = PrepareImageForDownload({R"(10 REM "A")", "junk", R"(20 REM "BC")"});
    EXPECT_EQ(image.bytes, BuildImage({R"(10 REM "A")", R"(20 REM "BC")"}).bytes);
    ASSERT_EQ(image.dropped.size(), 1u);
    EXPECT_EQ(image.dropped.front().lineNumber, 2);
}
