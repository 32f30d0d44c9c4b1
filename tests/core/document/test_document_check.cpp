#include <gtest/gtest.h>

#include "chart/record.h"
#include "document/chart_check.h"
#include "document_test_support.h"
#include "text/big5.h"

using namespace varnoki;
using test_support::AddBlock;

namespace {

// A block as the test writes it: kind and its fields.
struct Step {
    int kind;
    chart::RecordFields fields;
};

Step Label(const char* name) { return {11, {{"label", name}}}; }
Step Jump(const char* name) { return {12, {{"label", name}}}; }
Step JumpIf(const char* name) {
    return {13, {{"condition", chart::EscapeValue("A<1")}, {"label", chart::EscapeValue(name)}}};
}
Step Sub(const char* name) { return {23, {{"sub", name}}}; }
Step Call(const char* name) { return {25, {{"sub", name}}}; }
Step For(int var) { return {9, {{"times", "3"}, {"var", std::to_string(var)}}}; }
Step Next(int var) { return {10, {{"var", std::to_string(var)}}}; }
Step Drive() { return {1, {}}; }

// Each finding as "position: problem" in UTF-8.
std::vector<std::string> Check(const std::vector<Step>& steps) {
    chart::Chart chart;
    for (const Step& step : steps) AddBlock(chart, step.kind, step.fields);
    std::vector<std::string> found;
    for (const document::Finding& finding : document::CheckChart(chart)) {
        found.push_back(std::to_string(finding.position) + ": " + finding.problem.toStdString());
    }
    return found;
}

void ExpectFindings(const std::vector<Step>& steps, const std::vector<std::string>& expectedStarts) {
    const std::vector<std::string> found = Check(steps);
    ASSERT_EQ(found.size(), expectedStarts.size()) << ::testing::PrintToString(found);
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_TRUE(found[i].starts_with(expectedStarts[i])) << found[i] << "\nexpected: " << expectedStarts[i];
    }
}

}  // namespace

TEST(ChartCheck, ChartThatRunsAsDrawnHasNoFindings) {
    EXPECT_TRUE(Check({}).empty());
    EXPECT_TRUE(Check({Label("top"),
                       For(0),
                       For(1),
                       Drive(),
                       Next(1),
                       For(1),
                       Next(1),
                       Next(0),
                       Call("beep"),
                       JumpIf("top"),
                       Jump("end"),
                       Sub("beep"),
                       {24, {}},
                       Label("end"),
                       {14, {}}})
                    .empty());
}

TEST(ChartCheck, AnExpressionThatReadsLikeADefinitionDefines) {
    const auto expression = [](const char* command) { return Step{20, {{"command", chart::EscapeValue(command)}}}; };
    EXPECT_TRUE(Check({expression("label: x"), Jump("x"), expression("sub: s"), Call("s")}).empty());
    ExpectFindings({expression("label: x"), Label("x")}, {"2: 標號「x」已在"});
}

TEST(ChartCheck, ReferencesWithoutTheirDefinition) {
    ExpectFindings(
        {Label("loop"), Jump("lop"), JumpIf("LOOP"), Call("beep"), Sub("Beep")},
        {"2: 跳轉到的標號「lop」沒有定義", "3: 跳轉到的標號「LOOP」沒有定義", "4: 調用的子程序「beep」沒有定義"});
}

TEST(ChartCheck, NamesDefinedTwiceRegardlessOfLetterCase) {
    const std::string big5 = text::Big5("迴圈");
    ExpectFindings(
        {Label("loop"), Sub("loop"), Label("Loop"), Label(big5.c_str()), Sub("LOOP"), Label(big5.c_str())},
        {"3: 標號「Loop」已在第 1 個模塊「標號」定義過", "5: 子程序「LOOP」已在第 2 個模塊「子程序開始」定義過",
         "6: 標號「迴圈」已在第 4 個模塊「標號」定義過"});
}

TEST(ChartCheck, ShorterNameDefinedFirstTakesOverTheLongerOnesReferences) {
    // The generator gives "GOTO label: ab" the number of "label: a" when that comes first.
    ExpectFindings({Label("a"), Label("ab"), Jump("ab"), Jump("a"), Sub(""), Sub("x"), Call("x")},
                   {"3: 標號「ab」會被當成先定義的標號「a」（第 1 個模塊「標號」）",
                    "7: 子程序「x」會被當成先定義的子程序「」（第 5 個模塊「子程序開始」）"});
    EXPECT_TRUE(Check({Label("ab"), Label("a"), Jump("ab"), Jump("a")}).empty()) << "the longer name is found first";
}

TEST(ChartCheck, LoopHeadsAndTailsPairByVariableAndNesting) {
    struct Case {
        const char* what;
        std::vector<Step> steps;
        std::vector<std::string> findings;
    };
    const Case cases[] = {
        {"tail alone", {Drive(), Next(2)}, {"2: 循環尾 NEXT C 前面沒有未結束的循環頭"}},
        {"head alone", {For(0), Drive()}, {"1: 循環頭 FOR A 沒有循環尾"}},
        {"other variable", {For(0), Next(1)}, {"1: 循環頭 FOR A 沒有循環尾", "2: 循環尾 NEXT B 前面沒有"}},
        {"crossed",
         {For(0), For(1), Next(0), Next(1)},
         {"3: 循環尾 NEXT A 與最近的循環頭 FOR B（第 2 個模塊）不配對", "4: 循環尾 NEXT B 前面沒有"}},
        {"same variable nested", {For(0), For(0), Next(0), Next(0)}, {"2: 循環變量 A 已被外層第 1 個模塊的循環頭使用"}},
        {"same variable one after another", {For(25), Next(25), For(25), Next(25)}, {}},
        {"missing variable reads as @",
         {{9, {{"times", "2"}}}, Next(0)},
         {"1: 循環頭 FOR @ 沒有循環尾", "2: 循環尾 NEXT A 前面沒有"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectFindings(c.steps, c.findings);
    }
}

TEST(ChartCheck, ValuesADocumentCannotKeep) {
    ExpectFindings({Label("a<b"), {6, {{"key", "0"}, {"keycmd", "0"}, {"content", "<x/>"}}}},
                   {"1: 名稱或內容含有「<」", "2: 名稱或內容含有「<」"});
}
