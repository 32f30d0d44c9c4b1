#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "error.h"
#include "text/files.h"

using namespace varnoki;
using Lines = std::vector<std::string>;

TEST(SplitLines, AcceptsEveryLineEnd) {
    struct Case {
        std::string bytes;
        Lines lines;
    };
    const Case cases[] = {
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"a\r\n", {"a"}},
        {"a", {"a"}},
        {"", {}},
        {"\r\n", {""}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\r\r\nb\n\n", {"a", "", "b", ""}},
        {"a\n\nb\r\r\n", {"a", "", "b", ""}},
        {"\xEF\xBB\xBF"
         "x\r\n",
         {"\xEF\xBB\xBF"
          "x"}},  // no test of the content, a mark stays text
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(text::SplitLines(c.bytes), c.lines);
    }
}

TEST(Files, WriteAtomicallyReplacesAndReadsBack) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("chart.lcs");
    text::WriteFileAtomically(path, "old", QStringLiteral("流程圖文件"));
    text::WriteFileAtomically(path, std::string_view("new\0bytes", 9), QStringLiteral("流程圖文件"));
    EXPECT_EQ(text::ReadWholeFile(path, QStringLiteral("流程圖文件")), QByteArray("new\0bytes", 9));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"chart.lcs"});  // no temporary left
}

TEST(Files, ErrorsNameTheKindAndThePath) {
    QTemporaryDir dir;
    const QString missing = dir.filePath("missing/chart.lcs");
    for (const auto& attempt : std::vector<std::function<void()>>{
             [&] { text::WriteFileAtomically(missing, "x", QStringLiteral("流程圖文件")); },
             [&] { text::ReadWholeFile(missing, QStringLiteral("流程圖文件")); }}) {
        try {
            attempt();
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            const QString message = QString::fromUtf8(e.what());
            EXPECT_TRUE(message.contains(QStringLiteral("流程圖文件「"))) << e.what();
            EXPECT_TRUE(message.contains(QDir::toNativeSeparators(missing))) << e.what();
        }
    }
}
