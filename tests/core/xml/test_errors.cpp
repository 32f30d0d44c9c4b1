#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "fixture.h"
#include "xml/reader.h"
#include "xml/writer.h"

using namespace varnoki::xml;

namespace {

// Parses and expects a ParseError whose message carries its offset; returns that error.
ParseError Refused(std::string_view input) {
    try {
        ParseDocument(input);
    } catch (const ParseError& error) {
        EXPECT_LE(error.offset(), input.size());
        const std::string message = error.what();
        EXPECT_TRUE(message.starts_with("XML 格式錯誤（第 " + std::to_string(error.offset()) + " 位元組）："))
            << message;
        return error;
    }
    ADD_FAILURE() << "accepted: " << input;
    return ParseError("", 0);
}

}  // namespace

TEST(XmlErrors, MalformedInputsNameWhereAndWhat) {
    struct Case {
        const char* input;
        std::size_t offset;
        const char* says;
    };
    const Case cases[] = {
        {"abc<a/>", 0, "根元素之前有無法辨識的文字"},
        {"<a>text", 7, "找不到結束標記 </a>"},
        {"<a><b></B></record>", 10, "結束標記 </record> 與開始標記 <a> 不符"},
        {"<a x='1", 5, "屬性 x 的值缺少結束引號"},
        {"<a x=1/>", 5, "屬性 x 的值必須以引號括起"},
        {"<a x/>", 4, "屬性 x 缺少「=」"},
        {"<a =''/>", 3, "標記 <a 中有無效的字元"},
        {"<a/ >", 2, "「/」之後應為「>」"},
        {"<a><b", 3, "標記 <b 沒有結束"},
        {"<", 0, "標記沒有結束"},
        {"< a/>", 0, "缺少元素名稱"},
        {"<a><!-- x </a>", 3, "註解沒有結束"},
        {"<a><![CDATA[ x </a>", 3, "CDATA 區段沒有結束"},
        {"<a><? x </a>", 3, "處理指令沒有結束"},
        {"<a><!ENTITY x></a>", 3, "元素內容中有無法辨識的標記"},
        {"<a/>junk", 4, "根元素之後有多餘的內容"},
        {"<a/><b/>", 4, "根元素之後有多餘的內容"},
        {"<?xml version=1.0?><a/>", 0, "XML 宣告格式錯誤"},
        {"<?other?><a/>", 0, "根元素之前有無法辨識的處理指令"},
        {"<!ELEMENT a ANY><a/>", 0, "根元素之前有無法辨識的標記"},
        {"<a></a", 3, "結束標記 </a 沒有結束"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        const ParseError error = Refused(c.input);
        EXPECT_EQ(error.offset(), c.offset);
        EXPECT_NE(std::string(error.what()).find(c.says), std::string::npos) << error.what();
    }
}

TEST(XmlErrors, BrokenFixturesAreRefused) {
    int seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(VARNOKI_TEST_DATA) + "/xml/malformed")) {
        SCOPED_TRACE(entry.path().filename().string());
        Refused(ReadFixture("malformed/" + entry.path().filename().string()));
        ++seen;
    }
    EXPECT_GT(seen, 0);
}

TEST(XmlErrors, ValueWithLessThanSignMakesDocumentUnreadable) {
    const std::string document = ReadFixture("malformed/lt_in_value.lcs");
    EXPECT_EQ(Refused(document).offset(), document.find("</label>"));
}

TEST(XmlErrors, DeepNestingIsRefusedNotRecursed) {
    std::string nested;
    for (int i = 0; i < 10000; ++i) nested += "<record>";
    const ParseError error = Refused(nested);
    EXPECT_EQ(error.offset(), static_cast<std::size_t>(kMaxDepth) * 8);
    EXPECT_NE(std::string(error.what()).find("256"), std::string::npos);
}

TEST(XmlErrors, EveryCutInsideMarkupIsRefused) {
    const std::string whole =
        "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<MERVANTO>\r\n  <record>\r\n    <CtrlNode "
        "type=\"11\">\r\n      <label>a b</label>\r\n    </CtrlNode>\r\n  </record>\r\n</MERVANTO>\r\n";
    const std::size_t declarationEnd = whole.find("?>") + 2;
    const std::size_t rootStart = whole.find("<MERVANTO>");
    const std::size_t rootEnd = whole.rfind('>') + 1;
    for (std::size_t length = 0; length < whole.size(); ++length) {
        const std::string_view prefix(whole.data(), length);
        const bool complete = length == 0 || (length >= declarationEnd && length <= rootStart) || length >= rootEnd;
        if (complete) {
            EXPECT_NO_THROW(ParseDocument(prefix)) << length;
        } else {
            SCOPED_TRACE(length);
            Refused(prefix);
        }
    }
}

TEST(XmlErrors, RandomBytesGiveDocumentsOrParseErrors) {
    // Mostly markup characters, so the inputs reach deep into the reader instead of failing at once.
    static constexpr char kAlphabet[] = "<>/?!-[]='\" \r\nabAB&\x80\xFF:";
    std::mt19937 random(20240601);
    for (int round = 0; round < 20000; ++round) {
        std::string input(random() % 64, '\0');
        for (char& c : input) c = kAlphabet[random() % (sizeof kAlphabet - 1)];
        try {
            const std::string written = WriteDocument(ParseDocument(input));
            EXPECT_EQ(WriteDocument(ParseDocument(written)), written) << input;
        } catch (const ParseError&) {
        }
    }
}
