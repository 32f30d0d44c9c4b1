#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "document/voice_words.h"
#include "document_test_support.h"

using namespace varnoki;
using Words = std::vector<std::string>;

TEST(VoiceWords, EveryLineIsAnEntryAndAFinalLineEndAddsNone) {
    const std::pair<std::string, Words> cases[] = {
        {"one\r\ntwo\r\nthree", {"one", "two", "three"}},
        {"one\r\ntwo\r\nthree\r\n", {"one", "two", "three"}},
        {"one\ntwo\nthree\n\n", {"one", "two", "three", ""}},
        {"one\rtwo\n\r\nthree", {"one", "two", "", "three"}},
        {"\xA4\x40(*)\r\n", {"\xA4\x40(*)"}},
        {"\r\n", {""}},
        {"", {}},
    };
    for (const auto& [bytes, words] : cases) EXPECT_EQ(document::SplitVoiceWords(bytes), words) << bytes;
}

TEST(VoiceWords, MissingFileGivesTheNumbersAndAnEmptyFileNothing) {
    QTemporaryDir dir;
    const Words numbers = document::LoadVoiceWords(dir.filePath("qvvoc.txt"));
    ASSERT_EQ(numbers.size(), 128u);
    EXPECT_EQ(numbers.front(), "0");
    EXPECT_EQ(numbers[12], "12");
    EXPECT_EQ(numbers.back(), "127");

    test_support::WriteBytes(dir.filePath("qvvoc.txt"), "");
    EXPECT_TRUE(document::LoadVoiceWords(dir.filePath("qvvoc.txt")).empty());
    test_support::WriteBytes(dir.filePath("qvvoc.txt"), "hello\r\n\r\nbye");
    EXPECT_EQ(document::LoadVoiceWords(dir.filePath("qvvoc.txt")), (Words{"hello", "", "bye"}));
}
