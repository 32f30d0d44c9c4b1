#include <gtest/gtest.h>

#include "error.h"
#include "text/big5.h"

using namespace varnoki;

TEST(Big5, RoundTripsChineseAndAscii) {
    const QString text = QStringLiteral("直行 mode=1 標號:a 語音模塊");
    std::string bytes = text::UnicodeToBig5(text);
    // 直 is AA BD in Big5.
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xAA\xBD"));
    EXPECT_EQ(text::Big5ToUnicode(bytes), text);
}

TEST(Big5, RefusesUnencodableCharacterByName) {
    for (const char* utf8 : {"ok 😀", "简体字", "é"}) {
        SCOPED_TRACE(utf8);
        const QString text = QString::fromUtf8(utf8);
        ASSERT_TRUE(text::FirstUnencodable(text).has_value());
        try {
            text::UnicodeToBig5(text);
            FAIL() << "no error";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find("U+"), std::string::npos) << e.what();
        }
    }
    EXPECT_FALSE(text::FirstUnencodable(QStringLiteral("繁體 abc")).has_value());
}

TEST(Big5, NamesTheCodePointOfAnEmoji) {
    try {
        text::UnicodeToBig5(QString::fromUtf8("a😀"));
        FAIL();
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("U+1F600"), std::string::npos) << e.what();
    }
}

TEST(Big5, InvalidBytesDecodeToReplacementAndGoOn) {
    // A byte that is no Big5 lead byte, and a lead byte cut off at the end.
    EXPECT_EQ(text::Big5ToUnicode(std::string("a\xFF") + "b"), QString::fromUtf8("a\uFFFDb"));
    EXPECT_EQ(text::Big5ToUnicode(std::string("x\xA9")), QString::fromUtf8("x\uFFFD"));
    EXPECT_EQ(text::Big5ToUnicode(""), QString());
}
