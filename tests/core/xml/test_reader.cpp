#include <gtest/gtest.h>

#include "fixture.h"
#include "text/big5.h"
#include "xml/reader.h"
#include "xml/writer.h"

using namespace varnoki;
using namespace varnoki::xml;

namespace {

std::string TextOf(std::string_view document) { return ParseDocument(document).root.text; }

}  // namespace

TEST(XmlReader, ReadsBackWhatTheWriterWrote) {
    const std::string label = text::Big5("標號 & \"甲\"");
    Document document;
    document.root.name = "MERVANTO";
    Element& record = document.root.AddChild("record").AddChild("CtrlNode");
    record.AddAttribute("type", "13");
    record.AddChild("condition", "A&gt;1");
    record.AddChild("label", label);
    record.AddChild("sub");
    const std::string written = WriteDocument(document);

    const Document read = ParseDocument(written);
    EXPECT_TRUE(read.prolog.size() == 1 && read.prolog[0] == kDefaultDeclaration);
    ASSERT_EQ(read.root.children.size(), 1u);
    const Element& readRecord = read.root.children[0].children.at(0);
    EXPECT_EQ(readRecord.name, "CtrlNode");
    EXPECT_EQ(*readRecord.FindAttribute("type"), "13");
    EXPECT_EQ(readRecord.FindChild("condition")->text, "A&gt;1");
    EXPECT_EQ(readRecord.FindChild("label")->text, label);
    EXPECT_EQ(readRecord.FindChild("sub")->text, "");
    EXPECT_EQ(WriteDocument(read), written);
}

TEST(XmlReader, TextWhiteSpaceRules) {
    struct Case {
        const char* input;
        const char* text;
    };
    const Case cases[] = {
        {"<a>x</a>", "x"},
        {"<a>  two  spaces  </a>", "two spaces "},
        {"<a>\r\n\t  lead</a>", "lead"},
        {"<a>tab\t\tkept</a>", "tab\t\tkept"},
        {"<a>line\r\n  next</a>", "line\r\n next"},
        {"<a>   </a>", ""},
        {"<a/>", ""},
        {"<a>raw & and &amp; &#65;</a>", "raw & and &amp; &#65;"},
        {"<a>\xA5\xD2 \xAA\xBD\xA6\xE6</a>", "\xA5\xD2 \xAA\xBD\xA6\xE6"},
        {"<a>x<!-- skipped -->y</a>", "xy"},
        {"<a>x<?pi skipped?> y</a>", "x y"},
        {"<a>x<![CDATA[<skipped>]]>y</a>", "xy"},
        {"<a>q > \" '</a>", "q > \" '"},
    };
    for (const Case& c : cases) EXPECT_EQ(TextOf(c.input), c.text) << c.input;
}

TEST(XmlReader, AttributesInEitherQuotesWithoutUnescaping) {
    const Element root = ParseDocument("<a x='1' y = \"it's\" z='say \"hi\"' w=\"&amp;\xB1\"/>").root;
    ASSERT_EQ(root.attributes.size(), 4u);
    EXPECT_EQ(root.attributes[0].value, "1");
    EXPECT_EQ(root.attributes[1].value, "it's");
    EXPECT_EQ(root.attributes[2].value, "say \"hi\"");
    EXPECT_EQ(root.attributes[3].value, "&amp;\xB1");
}

TEST(XmlReader, LookupIgnoresCaseAndLastDuplicateWins) {
    const Element root =
        ParseDocument("<CtrlNode TYPE='1' type='2'><Mode>1</Mode><wait>5</wait><MODE>3</MODE></CtrlNode>").root;
    EXPECT_EQ(root.FindChild("mode")->text, "3");
    EXPECT_EQ(root.FindChild("WAIT")->text, "5");
    EXPECT_EQ(root.FindChild("speed"), nullptr);
    EXPECT_EQ(*root.FindAttribute("Type"), "2");
    EXPECT_EQ(root.FindAttribute("kind"), nullptr);
}

TEST(XmlReader, NamespacePrefixStaysPartOfName) {
    const Document document = ParseDocument("<ns:chart xmlns:ns='u'><ns:record/></NS:CHART>");
    EXPECT_EQ(document.root.name, "ns:chart");
    EXPECT_EQ(document.root.children.at(0).name, "ns:record");
    EXPECT_EQ(WriteDocument(document),
              "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<ns:chart xmlns:ns=\"u\">\r\n  <ns:record/>\r\n"
              "</ns:chart>\r\n");
}

TEST(XmlReader, ForeignDocumentReadsLikeOwn) {
    const Document document = ParseDocument(ReadFixture("foreign.lcs"));
    EXPECT_EQ(document.root.name, "Chart");
    // Loose text, comments and the processing instruction between the wrappers leave only the named
    // wrappers behind.
    ASSERT_EQ(document.root.children.size(), 4u);
    const Element& drive = document.root.children[0].children.at(0);
    EXPECT_EQ(*drive.FindAttribute("type"), "1");
    EXPECT_EQ(drive.FindChild("mode")->text, "1");
    EXPECT_EQ(drive.FindChild("wait")->text, "2 ");
    EXPECT_TRUE(document.root.children[1].children.empty());
    const Element& label = document.root.children[2].children.at(0);
    EXPECT_EQ(label.FindChild("label")->text, "last");
    EXPECT_EQ(label.children.at(0).text, "a&b");
    EXPECT_EQ(document.root.children[3].children.at(0).FindChild("command")->text, "A=1");
    EXPECT_EQ(document.prolog, (std::vector<std::string>{R"(<?xml version="1.0" encoding="big5" standalone="yes"?>)",
                                                         "<!-- written by hand -->"}));
}

TEST(XmlReader, PrologItemsAreKeptAndWrittenBack) {
    const std::string original = ReadFixture("prolog.lcs");
    const Document document = ParseDocument(original);
    ASSERT_EQ(document.prolog.size(), 4u);
    EXPECT_EQ(document.prolog[0], "<?xml version=\"1.0\"?>");
    EXPECT_TRUE(document.prolog[2].starts_with("<!DOCTYPE MERVANTO [\r\n"));
    EXPECT_TRUE(document.prolog[2].ends_with("]>"));
    // The fixture is written in the program's own form, so it comes back byte for byte.
    EXPECT_EQ(WriteDocument(document), original);
}

TEST(XmlReader, DeclarationIsRebuiltFromItsValues) {
    struct Case {
        const char* declaration;
        const char* rebuilt;
    };
    const Case cases[] = {
        {"<?xml version='1.0'?>", R"(<?xml version="1.0"?>)"},
        {"<?xml   version=\"1.1\"  encoding = 'Big5'  ?>", R"(<?xml version="1.1" encoding="Big5"?>)"},
        {"<?xml version=\"1.0\" standalone=\"no\"?>", R"(<?xml version="1.0"?>)"},
        {"<?xml version=\"1.0\" encoding=\"iso-8859-1\" standalone=\"yes\"?>",
         R"(<?xml version="1.0" encoding="iso-8859-1" standalone="yes"?>)"},
        {"<?xml encoding=\"x\"?>", R"(<?xml version="1.0" encoding="x"?>)"},
    };
    for (const Case& c : cases) {
        const Document document = ParseDocument(std::string(c.declaration) + "\r\n<MERVANTO/>");
        EXPECT_EQ(WriteDocument(document), std::string(c.rebuilt) + "\r\n<MERVANTO/>\r\n") << c.declaration;
    }
}

TEST(XmlReader, DocumentWithoutElementsHasUnnamedRoot) {
    for (const char* input : {"", " \r\n\t ", "<?xml version=\"1.0\"?>\r\n<!-- nothing else -->"}) {
        const Document document = ParseDocument(input);
        EXPECT_EQ(document.root.name, "") << input;
        EXPECT_TRUE(document.root.children.empty() && document.root.attributes.empty());
    }
    EXPECT_EQ(WriteDocument(ParseDocument("")), "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n");
}

TEST(XmlReader, AcceptsNestingUpToTheLimit) {
    std::string nested;
    for (int i = 0; i < kMaxDepth; ++i) nested += "<e>";
    for (int i = 0; i < kMaxDepth; ++i) nested += "</e>";
    const Document document = ParseDocument(nested);
    const Element* element = &document.root;
    int depth = 1;
    while (!element->children.empty()) {
        element = &element->children[0];
        ++depth;
    }
    EXPECT_EQ(depth, kMaxDepth);
}

TEST(XmlReader, CommentsAndInstructionsAfterRoot) {
    EXPECT_EQ(ParseDocument("<a/>\r\n<!-- end -->\r\n<?done?>\r\n").root.name, "a");
}
