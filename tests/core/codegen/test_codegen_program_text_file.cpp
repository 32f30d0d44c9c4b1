#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "codegen/program_text_file.h"
#include "error.h"
#include "text/big5.h"

using namespace varnoki;
using Lines = std::vector<std::string>;

namespace {

std::string FileBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll().toStdString();
}

void ExpectErrorNaming(const std::function<void()>& action, const QString& path) {
    try {
        action();
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find(QDir::toNativeSeparators(path).toStdString()), std::string::npos)
            << e.what();
    }
}

}  // namespace

TEST(ProgramTextFile, WritesBig5LinesEachEndedByCrLf) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("program.txt");
    const std::string label = text::Big5("標號");
    const Lines lines{R"(10 REM "VARNOKI")", "20 REM \"GOTO " + label + "\"", ""};

    codegen::WriteProgramTextFile(path, lines);
    EXPECT_EQ(FileBytes(path), "10 REM \"VARNOKI\"\r\n20 REM \"GOTO " + label + "\"\r\n\r\n");
    EXPECT_EQ(codegen::ReadProgramTextFile(path), lines);

    // Saving again replaces the whole file; no lines make an empty file.
    codegen::WriteProgramTextFile(path, Lines{});
    EXPECT_EQ(FileBytes(path), "");
    EXPECT_TRUE(codegen::ReadProgramTextFile(path).empty());
}

TEST(ProgramTextFile, ErrorsNameTheFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString missingFolder = dir.filePath("missing/program.txt");
    ExpectErrorNaming([&] { codegen::WriteProgramTextFile(missingFolder, Lines{"10 REM \"VARNOKI\""}); },
                      missingFolder);
    const QString missingFile = dir.filePath("absent.txt");
    ExpectErrorNaming([&] { codegen::ReadProgramTextFile(missingFile); }, missingFile);
    EXPECT_FALSE(QFile::exists(missingFile));
}
