#include <gtest/gtest.h>

#include "chart/catalogue.h"
#include "chart/record.h"
#include "codegen/statement_line.h"
#include "codegen/statements.h"
#include "text/big5.h"
#include "xml/reader.h"

using namespace varnoki;
using codegen::MakeStatements;
using Lines = std::vector<std::string>;

namespace {

int ShapeOf(int kind) { return chart::kBlockShapeBase + kind; }

Lines StatementsOf(int kind, const chart::RecordFields& fields) {
    return MakeStatements(ShapeOf(kind), chart::WriteRecord(kind, fields));
}

}  // namespace

TEST(StatementLine, QuotesAndUnquotes) {
    struct Case {
        std::string statement;
        std::string line;
    };
    const Case cases[] = {
        {"FDX", R"("FDX")"},
        {R"(IF A="x" THEN label: a)", R"("IF A=""x"" THEN label: a")"},
        {R"(")", R"("""")"},
        {"", R"("")"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        EXPECT_EQ(codegen::QuoteStatement(c.statement), c.line);
        // The empty statement is the one that does not come back: its line stands for itself.
        EXPECT_EQ(codegen::UnquoteLine(c.line), c.statement.empty() ? c.line : c.statement);
    }
    EXPECT_EQ(codegen::UnquoteLine(R"("ab"cd)"), "ab") << "text after the closing quote is ignored";
    EXPECT_EQ(codegen::UnquoteLine(R"("ab)"), "ab") << "an unclosed quote runs to the end";
    EXPECT_EQ(codegen::UnquoteLine("label: a"), "label: a") << "an unquoted line is its own statement";
}

TEST(MakeStatements, DefaultRecordOfEveryKind) {
    struct Case {
        int kind;
        Lines lines;
    };
    const Case cases[] = {
        {1, {R"("FDX")"}},
        {2, {R"("LTX")"}},
        {3, {R"("MOTOR 0,0")"}},
        {4, {R"("STX")"}},
        {5, {R"("WAIT 0")"}},
        {6, {R"("PLAY ")"}},  // keycmd 0 reads as false: no KEY line
        {9, {R"("FOR A=1 TO 1")"}},
        {10, {R"("NEXT A")"}},
        {11, {R"("label: ")"}},
        {12, {R"("GOTO label: ")"}},
        {13, {R"("IF  THEN label: ")"}},
        {14, {R"("END")"}},
        {15, {R"("LED 7")"}},
        {16, {R"("DDRA 0")"}},
        {17, {R"("A=PINA")"}},
        {18, {R"("PORTA 0")"}},
        {19, {R"("SERVOE 9,9,9,9,9,1")"}},
        {20, {R"("")"}},
        {21, {R"("A=PC0")"}},
        {22, {R"("A=ADC0")"}},
        {23, {R"("sub: ")"}},
        {24, {R"("RETURN")"}},
        {25, {R"("GOSUB sub: ")"}},
        {26, {R"("VOICEX 0")"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        EXPECT_EQ(MakeStatements(ShapeOf(c.kind), chart::BuildDefaultRecord(c.kind)), c.lines);
    }
}

TEST(MakeStatements, FieldValuesAndMissingFields) {
    struct Case {
        int kind;
        chart::RecordFields fields;
        Lines lines;
    };
    const Case cases[] = {
        // Melody: the key line comes first and only when keycmd is on; missing or empty means on.
        {6, {{"key", "3"}, {"keycmd", "-1"}, {"content", "A402"}}, {R"("KEY 3")", R"("PLAY A402")"}},
        {6, {{"key", "3"}, {"content", "A402"}}, {R"("KEY 3")", R"("PLAY A402")"}},
        {6, {{"key", "3"}, {"keycmd", ""}, {"content", "A402"}}, {R"("KEY 3")", R"("PLAY A402")"}},
        {6, {{"key", "3"}, {"keycmd", "False"}, {"content", "A402"}}, {R"("PLAY A402")"}},
        {6, {{"keycmd", "-1"}}, {R"("KEY -1")", R"("PLAY ")"}},
        // Drive and turn copy the wait as text; a mode outside 0..3 gives one empty line.
        {1, {{"mode", "1"}, {"wait", "0"}}, {R"("BKX")"}},
        {1, {{"mode", "2"}, {"wait", "150"}}, {R"("FD 150")"}},
        {1, {{"mode", "2"}}, {R"("FD ")"}},
        {1, {{"mode", "3"}, {"wait", "abc"}}, {R"("BK abc")"}},
        {1, {{"wait", "5"}}, {R"("")"}},
        {1, {{"mode", "4"}, {"wait", "5"}}, {R"("")"}},
        {2, {{"mode", "1"}, {"wait", "0"}}, {R"("RTX")"}},
        {2, {{"mode", "2"}, {"wait", "7"}}, {R"("LT 7")"}},
        {2, {{"mode", "3"}, {"wait", "20"}}, {R"("RT 20")"}},
        {2, {{"mode", "x"}}, {R"("")"}},
        {4, {{"mode", "1"}}, {R"("MOTOR 0,0")"}},
        {4, {}, {R"("")"}},
        {4, {{"mode", "4"}}, {R"("")"}},
        // The delay is read as an integer and printed again.
        {5, {{"wait", "abc"}}, {R"("WAIT -1")"}},
        {5, {}, {R"("WAIT -1")"}},
        {5, {{"wait", "-20"}}, {R"("WAIT -20")"}},
        {3, {{"motorL", "-255"}, {"motorR", "255"}}, {R"("MOTOR -255,255")"}},
        {9, {{"times", "3"}}, {R"("FOR @=1 TO 3")"}},
        {10, {{"var", "25"}}, {R"("NEXT Z")"}},
        {11, {{"label", "loop"}}, {R"("label: loop")"}},
        {12, {{"label", "loop"}}, {R"("GOTO label: loop")"}},
        {13, {{"condition", "A&lt;5"}, {"label", "a"}}, {R"("IF A<5 THEN label: a")"}},
        {13, {{"condition", "A=&quot;x&quot;"}, {"label", "a"}}, {R"("IF A=""x"" THEN label: a")"}},
        {15, {{"led", "5"}}, {R"("LED 5")"}},
        {16, {{"ddr", "3"}, {"data", "255"}}, {R"("DDRD 255")"}},
        {17, {{"var", "2"}, {"port", "1"}}, {R"("C=PINB")"}},
        {18, {{"port", "2"}, {"data", "7"}}, {R"("PORTC 7")"}},
        {19,
         {{"data1", "1"}, {"data2", "2"}, {"data3", "3"}, {"data4", "4"}, {"data5", "5"}},
         {R"("SERVOE 1,2,3,4,5,-1")"}},
        {20, {{"command", "A=B&lt;&gt;1"}}, {R"("A=B<>1")"}},
        {21, {{"var", "1"}, {"index", "4"}}, {R"("B=PC4")"}},
        {21, {{"var", "1"}, {"index", "5"}}, {R"("B=MIC")"}},
        {21, {{"var", "1"}, {"index", "6"}}, {R"("B=PCX")"}},
        {21, {{"var", "1"}, {"index", "-1"}}, {R"("B=PCX")"}},
        {22, {{"var", "25"}, {"index", "3"}}, {R"("Z=ADC3")"}},
        {23, {{"sub", "s"}}, {R"("sub: s")"}},
        {25, {{"sub", "s"}}, {R"("GOSUB sub: s")"}},
        {26, {{"index", "12"}}, {R"("VOICEX 12")"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(chart::WriteRecord(c.kind, c.fields));
        EXPECT_EQ(StatementsOf(c.kind, c.fields), c.lines);
    }
}

TEST(MakeStatements, OnlyTheEscapedFieldsAreDecoded) {
    // A label stored as typed keeps a literal "&amp;"; the conditional jump and the expression decode.
    EXPECT_EQ(StatementsOf(11, {{"label", "a&amp;b"}}), Lines{R"("label: a&amp;b")"});
    EXPECT_EQ(StatementsOf(13, {{"condition", "1"}, {"label", "a&amp;b"}}), Lines{R"("IF 1 THEN label: a&b")"});
    EXPECT_EQ(StatementsOf(20, {{"command", "PLAY &#65;"}}), Lines{R"("PLAY A")"});
}

TEST(MakeStatements, Big5LabelMatchesBetweenDefinitionAndConditionalJump) {
    const std::string name = text::Big5("迴圈");
    const Lines definition = StatementsOf(11, {{"label", name}});
    const Lines jump = StatementsOf(13, {{"condition", "A=1"}, {"label", chart::EscapeValue(name)}});
    ASSERT_EQ(definition.size(), 1u);
    ASSERT_EQ(jump.size(), 1u);
    EXPECT_EQ(definition[0], "\"label: " + name + "\"");
    EXPECT_EQ(jump[0], "\"IF A=1 THEN label: " + name + "\"");
}

TEST(MakeStatements, ShapeCodeChoosesTheStatementNotTheTypeAttribute) {
    EXPECT_EQ(MakeStatements(ShapeOf(1), chart::WriteRecord(5, {{"mode", "1"}, {"wait", "3"}})), Lines{R"("BKX")"});
}

TEST(MakeStatements, ShapesWithoutStatementYieldNothingAndReadNoRecord) {
    const std::string broken = "<CtrlNode type=";
    for (int shape : {chart::kStartShapeCode, chart::kEndShapeCode, chart::kSpotShapeCode, ShapeOf(7), ShapeOf(8),
                      ShapeOf(0), ShapeOf(27), 0, -1}) {
        SCOPED_TRACE(shape);
        EXPECT_TRUE(MakeStatements(shape, broken).empty());
    }
    // End of program and end of subroutine read no field, so their record is never parsed.
    EXPECT_EQ(MakeStatements(ShapeOf(14), broken), Lines{R"("END")"});
    EXPECT_EQ(MakeStatements(ShapeOf(24), broken), Lines{R"("RETURN")"});
    EXPECT_THROW(MakeStatements(ShapeOf(1), broken), xml::ParseError);
}
