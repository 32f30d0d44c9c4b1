#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>

#include "chart/catalogue.h"
#include "chart/chart.h"
#include "chart/record.h"
#include "codegen/program_text.h"
#include "codegen/statement_line.h"
#include "error.h"
#include "text/big5.h"

using namespace varnoki;
using codegen::BlockSource;
using codegen::GenerateProgramText;
using codegen::NumberProgramText;
using Lines = std::vector<std::string>;

namespace {

BlockSource Block(int kind, const chart::RecordFields& fields = {}) {
    return {chart::kBlockShapeBase + kind, chart::WriteRecord(kind, fields), "block"};
}
BlockSource Drive() { return Block(1, {{"mode", "0"}, {"wait", "0"}}); }
BlockSource Label(const std::string& name) { return Block(11, {{"label", name}}); }
BlockSource Jump(const std::string& name) { return Block(12, {{"label", name}}); }
BlockSource JumpIf(const std::string& condition, const std::string& name) {
    return Block(13, {{"condition", chart::EscapeValue(condition)}, {"label", chart::EscapeValue(name)}});
}
BlockSource Expression(const std::string& command) { return Block(20, {{"command", chart::EscapeValue(command)}}); }
BlockSource SubStart(const std::string& name) { return Block(23, {{"sub", name}}); }
BlockSource SubEnd() { return Block(24); }
BlockSource Call(const std::string& name) { return Block(25, {{"sub", name}}); }
BlockSource End() { return Block(14); }

Lines Generate(const std::vector<BlockSource>& blocks) { return GenerateProgramText(blocks); }

}  // namespace

TEST(GenerateProgramText, WorkedExampleLeavesTheLabelsNumberOut) {
    EXPECT_EQ(Generate({Drive(), Label("a"), JumpIf("A<5", "a"), End()}),
              (Lines{R"(10 REM "VARNOKI")", R"(20 REM "FDX")", R"(40 REM "IF A<5 THEN 30")", R"(50 REM "END")"}));
}

TEST(GenerateProgramText, SubroutineExample) {
    EXPECT_EQ(Generate({Call("s"), End(), SubStart("s"), Block(5, {{"wait", "100"}}), SubEnd()}),
              (Lines{R"(10 REM "VARNOKI")", R"(20 REM "GOSUB 40")", R"(30 REM "END")", R"(50 REM "WAIT 100")",
                     R"(60 REM "RETURN")"}));
}

TEST(GenerateProgramText, ChartWithoutBlocksIsTheHeaderAlone) { EXPECT_EQ(Generate({}), Lines{R"(10 REM "VARNOKI")"}); }

TEST(GenerateProgramText, LabelCases) {
    struct Case {
        const char* what;
        std::vector<BlockSource> blocks;
        Lines program;
    };
    const Case cases[] = {
        {"a label defined twice: both dropped, references get the first",
         {Label("a"), Jump("a"), Label("a"), Jump("a")},
         {R"(10 REM "VARNOKI")", R"(30 REM "GOTO 20")", R"(50 REM "GOTO 20")"}},
        {"names that differ in case share the number of the first definition",
         {Jump("a"), Label("A"), Label("a"), Jump("A")},
         {R"(10 REM "VARNOKI")", R"(20 REM "GOTO 30")", R"(50 REM "GOTO 30")"}},
        {"a label as the last block numbers past the end of the text",
         {Jump("z"), Drive(), Label("z")},
         {R"(10 REM "VARNOKI")", R"(20 REM "GOTO 40")", R"(30 REM "FDX")"}},
        {"two definitions in a row leave a gap of 20",
         {Drive(), Label("a"), SubStart("s"), Jump("a"), Call("s")},
         {R"(10 REM "VARNOKI")", R"(20 REM "FDX")", R"(50 REM "GOTO 30")", R"(60 REM "GOSUB 40")"}},
        {"an expression that begins with the label prefix is a definition",
         {Jump("x"), Expression("label: x"), Expression("sub: y"), Call("y")},
         {R"(10 REM "VARNOKI")", R"(20 REM "GOTO 30")", R"(50 REM "GOSUB 40")"}},
        {"a shorter name rewrites the longer name's reference first and keeps its rest",
         {Label("a"), Label("ab"), Jump("ab"), JumpIf("B>1", "a")},
         {R"(10 REM "VARNOKI")", R"(40 REM "GOTO 20b")", R"(50 REM "IF B>1 THEN 20")"}},
        {"the longer name defined first keeps its own references",
         {Label("ab"), Label("a"), Jump("ab"), Jump("a")},
         {R"(10 REM "VARNOKI")", R"(40 REM "GOTO 20")", R"(50 REM "GOTO 30")"}},
        {"an undefined reference stays as it is",
         {Jump("x"), Call("t"), Label("y")},
         {R"(10 REM "VARNOKI")", R"(20 REM "GOTO label: x")", R"(30 REM "GOSUB sub: t")"}},
        {"labels and subroutines of the same name are different things",
         {Label("s"), SubStart("s"), Jump("s"), Call("s")},
         {R"(10 REM "VARNOKI")", R"(40 REM "GOTO 20")", R"(50 REM "GOSUB 30")"}},
        {"an empty name matches every reference of its kind",
         {Label(""), Jump("x"), Call("y")},
         {R"(10 REM "VARNOKI")", R"(30 REM "GOTO 20x")", R"(40 REM "GOSUB sub: y")"}},
        {"the melody takes two numbers, key before play",
         {Block(6, {{"key", "2"}, {"keycmd", "-1"}, {"content", "C4"}}), Label("a"), Jump("a")},
         {R"(10 REM "VARNOKI")", R"(20 REM "KEY 2")", R"(30 REM "PLAY C4")", R"(50 REM "GOTO 40")"}},
        {"quotes in a condition stay doubled after the replacement",
         {Label("a"), JumpIf(R"(A="x")", "a")},
         {R"(10 REM "VARNOKI")", R"(30 REM "IF A=""x"" THEN 20")"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Generate(c.blocks), c.program);
    }
}

// The label and subroutine tables hold pairs of name and line, so a name may hold "=" like any other
// character.
TEST(GenerateProgramText, NamesWithEqualsSignsResolve) {
    EXPECT_EQ(Generate({Label("a=b"), Jump("a=b"), SubStart("x=1"), SubEnd(), Call("x=1")}),
              (Lines{R"(10 REM "VARNOKI")", R"(30 REM "GOTO 20")", R"(50 REM "RETURN")", R"(60 REM "GOSUB 40")"}));
}

TEST(GenerateProgramText, Big5NamesDoNotFoldTheirSecondByte) {
    // A4 41 and A4 61 are two different characters whose second bytes look like "A" and "a".
    const std::string upper = "\xA4\x41";
    const std::string lower = "\xA4\x61";
    EXPECT_EQ(Generate({Label(upper), Label(lower), Jump(lower), JumpIf("1", upper)}),
              (Lines{R"(10 REM "VARNOKI")", R"(40 REM "GOTO 30")", R"(50 REM "IF 1 THEN 20")"}));
    const std::string name = text::Big5("迴圈");
    EXPECT_EQ(Generate({Label(name), JumpIf("A=1", name)}),
              (Lines{R"(10 REM "VARNOKI")", R"(30 REM "IF A=1 THEN 20")"}));
}

TEST(GenerateProgramText, UnreadableRecordNamesTheBlock) {
    const std::string broken = "<CtrlNode type=\"11\"><label>a</lab";
    std::string readerMessage;
    try {
        chart::Record::Parse(broken);
    } catch (const Error& e) {
        readerMessage = e.what();
    }
    ASSERT_FALSE(readerMessage.empty());

    std::vector<BlockSource> blocks{Drive(), End(), Label("a")};
    blocks[2].record = broken;
    blocks[2].caption = text::Big5("標號");
    try {
        Generate(blocks);
        FAIL() << "no error";
    } catch (const Error& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("第 3 個模塊「標號」"), std::string::npos) << message;
        EXPECT_NE(message.find(readerMessage), std::string::npos) << message;
    }
}

TEST(GenerateProgramText, WalksTheChartsBlocksInChainOrder) {
    chart::Chart chart;
    EXPECT_EQ(GenerateProgramText(chart), Lines{R"(10 REM "VARNOKI")"});

    chart.AppendBlock(1);
    chart.SetBlockRecord(chart.AppendBlock(11), chart::WriteRecord(11, {{"label", "a"}}));
    chart.SetBlockRecord(chart.AppendBlock(13), chart::WriteRecord(13, {{"condition", "A&lt;5"}, {"label", "a"}}));
    const chart::ObjectId end = chart.AppendBlock(14);
    EXPECT_EQ(GenerateProgramText(chart),
              (Lines{R"(10 REM "VARNOKI")", R"(20 REM "FDX")", R"(40 REM "IF A<5 THEN 30")", R"(50 REM "END")"}));

    chart.RemoveBlock(end);
    chart.SetBlockRecord(chart.AppendBlock(5), "<CtrlNode");
    try {
        GenerateProgramText(chart);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("第 4 個模塊「延時」"), std::string::npos) << e.what();
    }
}

// The replacement as plainly described: every definition in turn, every line searched anew in its
// unquoted form. The generator indexes the places a reference can stand instead; both must give the
// same bytes, whatever the names do to each other.
namespace {

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

Lines NumberByFullScan(Lines lines) {
    using Table = std::vector<std::pair<std::string, std::size_t>>;
    auto tableOf = [&](std::string_view prefix) {
        Table table;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string statement = codegen::UnquoteLine(lines[i]);
            if (statement.starts_with(prefix)) table.push_back({statement, i});
        }
        return table;
    };
    auto replace = [&](const Table& table) {
        for (const auto& [name, index] : table) {
            std::size_t first = 0;
            while (!SameIgnoringAsciiCase(table[first].first, name)) ++first;
            const std::string number = std::to_string((table[first].second + 1) * 10);
            for (std::string& line : lines) {
                std::string statement = codegen::UnquoteLine(line);
                const std::size_t at = statement.find(name);
                if (at == std::string::npos || at < 2) continue;
                line = codegen::QuoteStatement(statement.replace(at, name.size(), number));
            }
        }
    };
    const Table labels = tableOf("label: ");
    const Table subroutines = tableOf("sub: ");
    replace(labels);
    replace(subroutines);
    Lines program;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].starts_with("\"label: ") || lines[i].starts_with("\"sub: ")) continue;
        program.push_back(std::to_string((i + 1) * 10) + " REM " + lines[i]);
    }
    return program;
}

}  // namespace

TEST(NumberProgramText, MatchesTheFullScanOnTangledNames) {
    // Pieces chosen so that names are prefixes of each other, hold the other kind's prefix, hold
    // numbers a replacement produces, differ in case, or carry quotes.
    const std::vector<std::string> pieces{"label: ", "sub: ", "label: ", "GOTO ", "a", "A",  "ab", "b",
                                          "=",       " ",     "30",      "\"",    "x", "la", "IF "};
    std::mt19937 random(20240611);
    auto statement = [&] {
        std::string s;
        for (int n = std::uniform_int_distribution<int>(0, 6)(random); n > 0; --n) {
            s += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
        }
        return s;
    };
    for (int round = 0; round < 3000; ++round) {
        Lines lines{R"("VARNOKI")"};
        for (int n = std::uniform_int_distribution<int>(0, 14)(random); n > 0; --n) {
            switch (std::uniform_int_distribution<int>(0, 9)(random)) {
                case 0:
                    lines.push_back(statement());
                    break;  // not quoted
                case 1:
                    lines.push_back(codegen::QuoteStatement(statement()) + "tail");
                    break;  // text after
                default:
                    lines.push_back(codegen::QuoteStatement(statement()));
                    break;
            }
        }
        const Lines expected = NumberByFullScan(lines);
        const Lines actual = NumberProgramText(lines);
        if (actual != expected) {
            std::string shown;
            for (const std::string& line : lines) shown += line + "\n";
            FAIL() << "round " << round << " differs for:\n" << shown;
        }
    }
}
