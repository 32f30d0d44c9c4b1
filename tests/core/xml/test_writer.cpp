#include <gtest/gtest.h>

#include "xml/writer.h"

using namespace varnoki::xml;

namespace {

Element Block(std::string_view type, std::initializer_list<std::pair<const char*, const char*>> fields) {
    Element record;
    record.name = "CtrlNode";
    record.AddAttribute("type", std::string(type));
    for (const auto& [name, value] : fields) record.AddChild(name, value);
    return record;
}

}  // namespace

TEST(XmlWriter, WritesChartDocumentLineByLine) {
    Document document;
    document.root.name = "MERVANTO";
    document.root.AddChild("record").children.push_back(Block("1", {{"mode", "0"}, {"wait", "0"}}));
    document.root.AddChild("record").children.push_back(Block("11", {{"label", "a"}}));

    EXPECT_EQ(WriteDocument(document),
              "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n"
              "<MERVANTO>\r\n"
              "  <record>\r\n"
              "    <CtrlNode type=\"1\">\r\n"
              "      <mode>0</mode>\r\n"
              "      <wait>0</wait>\r\n"
              "    </CtrlNode>\r\n"
              "  </record>\r\n"
              "  <record>\r\n"
              "    <CtrlNode type=\"11\">\r\n"
              "      <label>a</label>\r\n"
              "    </CtrlNode>\r\n"
              "  </record>\r\n"
              "</MERVANTO>\r\n");
}

TEST(XmlWriter, EmptyChartIsDeclarationAndSelfClosingRoot) {
    Document document;
    document.root.name = "MERVANTO";
    EXPECT_EQ(WriteDocument(document), "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<MERVANTO/>\r\n");
}

TEST(XmlWriter, WritesValuesByteForByteWithoutEscaping) {
    Element element = Block("13", {{"condition", "A&lt;3 & \"q\" 'a' >"}, {"label", "\xBC\xD0\xB8\xB9"}, {"sub", ""}});
    element.AddAttribute("note", "x'y");
    std::string out;
    WriteElement(element, 1, out);
    EXPECT_EQ(out,
              "  <CtrlNode type=\"13\" note=\"x'y\">\r\n"
              "    <condition>A&lt;3 & \"q\" 'a' ></condition>\r\n"
              "    <label>\xBC\xD0\xB8\xB9</label>\r\n"
              "    <sub/>\r\n"
              "  </CtrlNode>\r\n");
}

TEST(XmlWriter, ChildrenTakePrecedenceOverText) {
    Element element;
    element.name = "a";
    element.text = "loose";
    element.AddChild("b", "1");
    std::string out;
    WriteElement(element, 0, out);
    EXPECT_EQ(out, "<a>\r\n  <b>1</b>\r\n</a>\r\n");
}

TEST(XmlWriter, DoubleQuoteInValueIsWrittenInSingleQuotes) {
    Element element;
    element.name = "a";
    element.AddAttribute("v", "say \"hi\"");
    std::string out;
    WriteElement(element, 0, out);
    EXPECT_EQ(out, "<a v='say \"hi\"'/>\r\n");
}

TEST(XmlWriter, PrologReplacesDefaultDeclaration) {
    Document document;
    document.prolog = {"<?xml version=\"1.0\"?>", "<!-- note -->"};
    document.root.name = "MERVANTO";
    EXPECT_EQ(WriteDocument(document), "<?xml version=\"1.0\"?>\r\n<!-- note -->\r\n<MERVANTO/>\r\n");

    document.root.name.clear();
    EXPECT_EQ(WriteDocument(document), "<?xml version=\"1.0\"?>\r\n<!-- note -->\r\n");
}
