#include "document/chart_check.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "chart/record.h"
#include "document/document.h"
#include "document/keepable_values.h"
#include "error.h"
#include "text/big5.h"

namespace varnoki::document {
namespace {

struct Name {
    std::string name;
    std::size_t position;
};

struct Reference {
    std::string name;
    std::size_t position;
    int kind;
};

QString Shown(std::string_view big5) { return text::Big5ToUnicode(big5); }

// The loop variable as the generator writes it: the letter 65 + var, wrapping within the byte.
char LoopLetter(const chart::Record& record) {
    return static_cast<char>(static_cast<unsigned char>(65 + static_cast<std::int64_t>(record.ReadInteger("var", -1))));
}

class Checker {
public:
    void Block(std::size_t position, int kind, std::string_view recordText) {
        if (HoldsMarkupInValue(recordText)) {
            // Its values are not what was typed, so nothing more can be said about the block.
            Report(position, kind, "名稱或內容含有「<」，流程圖文件不能保存這個字元");
            return;
        }
        std::optional<chart::Record> record;
        try {
            record = chart::Record::Parse(recordText);
        } catch (const Error& e) {
            Report(position, kind, QString::fromUtf8("參數記錄無法讀取：%1").arg(QString::fromUtf8(e.what())));
            return;
        }
        switch (kind) {
            case 9:
                LoopHead(position, LoopLetter(*record));
                break;
            case 10:
                LoopTail(position, LoopLetter(*record));
                break;
            case 11:
                labels_.push_back({record->ReadText("label"), position});
                break;
            case 12:
                jumps_.push_back({record->ReadText("label"), position, kind});
                break;
            case 13:
                jumps_.push_back({chart::UnescapeValue(record->ReadText("label")), position, kind});
                break;
            case 20: {
                // An expression that begins like a label or a subroutine is numbered as one.
                const std::string command = chart::UnescapeValue(record->ReadText("command"));
                if (command.starts_with("label: ")) labels_.push_back({command.substr(7), position});
                if (command.starts_with("sub: ")) subroutines_.push_back({command.substr(5), position});
                break;
            }
            case 23:
                subroutines_.push_back({record->ReadText("sub"), position});
                break;
            case 25:
                calls_.push_back({record->ReadText("sub"), position, kind});
                break;
            default:
                break;
        }
    }

    std::vector<Finding> Finish(const std::vector<chart::BlockEntry>& blocks) {
        for (const auto& [letter, position] : openLoops_) {
            Report(position, 9, QString::fromUtf8("循環頭 FOR %1 沒有循環尾").arg(QLatin1Char(letter)));
        }
        Definitions(labels_, blocks, "標號「%1」已在%2定義過，跳轉都會到那裡");
        Definitions(subroutines_, blocks, "子程序「%1」已在%2定義過，調用都會到那裡");
        References(jumps_, labels_, blocks, "跳轉到的標號「%1」沒有定義",
                   "標號「%1」會被當成先定義的標號「%2」（%3），跳轉到錯誤的地方");
        References(calls_, subroutines_, blocks, "調用的子程序「%1」沒有定義",
                   "子程序「%1」會被當成先定義的子程序「%2」（%3），調用到錯誤的地方");
        std::stable_sort(findings_.begin(), findings_.end(),
                         [](const Finding& a, const Finding& b) { return a.position < b.position; });
        return std::move(findings_);
    }

private:
    void Report(std::size_t position, int kind, const QString& problem) {
        findings_.push_back({position, kind, problem});
    }
    void Report(std::size_t position, int kind, const char* problem) {
        Report(position, kind, QString::fromUtf8(problem));
    }

    void LoopHead(std::size_t position, char letter) {
        const auto outer =
            std::find_if(openLoops_.begin(), openLoops_.end(), [&](const auto& open) { return open.first == letter; });
        if (outer != openLoops_.end()) {
            Report(position, 9,
                   QString::fromUtf8("循環變量 %1 已被外層第 %2 個模塊的循環頭使用，內層循環會改掉外層的計數")
                       .arg(QLatin1Char(letter))
                       .arg(outer->second));
        }
        openLoops_.push_back({letter, position});
    }

    void LoopTail(std::size_t position, char letter) {
        const auto match = std::find_if(openLoops_.rbegin(), openLoops_.rend(),
                                        [&](const auto& open) { return open.first == letter; });
        if (match == openLoops_.rend()) {
            Report(position, 10,
                   QString::fromUtf8("循環尾 NEXT %1 前面沒有未結束的循環頭 FOR %1").arg(QLatin1Char(letter)));
            return;
        }
        if (match != openLoops_.rbegin()) {
            const auto& innermost = openLoops_.back();
            Report(position, 10,
                   QString::fromUtf8("循環尾 NEXT %1 與最近的循環頭 FOR %2（第 %3 個模塊）不配對，循環交錯了")
                       .arg(QLatin1Char(letter))
                       .arg(QLatin1Char(innermost.first))
                       .arg(innermost.second));
        }
        // The loops opened inside the one this tail closes are done with as well.
        openLoops_.erase(std::prev(match.base()), openLoops_.end());
    }

    void Definitions(const std::vector<Name>& names, const std::vector<chart::BlockEntry>& blocks, const char* twice) {
        std::unordered_map<std::string, std::size_t> first;
        for (const Name& name : names) {
            const auto [at, inserted] = first.try_emplace(text::FoldAsciiCase(name.name), name.position);
            if (inserted) continue;
            const std::size_t earlier = at->second;
            Report(name.position, blocks[name.position - 1].Kind(),
                   QString::fromUtf8(twice).arg(Shown(name.name), BlockName(earlier, blocks[earlier - 1].Kind())));
        }
    }

    // A reference is taken by the first definition, in chain order, whose name begins it.
    void References(const std::vector<Reference>& references, const std::vector<Name>& names,
                    const std::vector<chart::BlockEntry>& blocks, const char* undefined, const char* taken) {
        for (const Reference& reference : references) {
            const auto definition = std::find_if(names.begin(), names.end(), [&](const Name& name) {
                return std::string_view(reference.name).starts_with(name.name);
            });
            if (definition == names.end()) {
                Report(reference.position, reference.kind, QString::fromUtf8(undefined).arg(Shown(reference.name)));
            } else if (definition->name != reference.name) {
                Report(reference.position, reference.kind,
                       QString::fromUtf8(taken).arg(
                           Shown(reference.name), Shown(definition->name),
                           BlockName(definition->position, blocks[definition->position - 1].Kind())));
            }
        }
    }

    std::vector<Finding> findings_;
    std::vector<std::pair<char, std::size_t>> openLoops_;
    std::vector<Name> labels_;
    std::vector<Name> subroutines_;
    std::vector<Reference> jumps_;
    std::vector<Reference> calls_;
};

}  // namespace

QString Finding::Text() const { return QString::fromUtf8("%1：%2").arg(BlockName(position, kind), problem); }

std::vector<Finding> CheckChart(const chart::Chart& chart) {
    const std::vector<chart::BlockEntry> blocks = chart.Blocks();
    Checker checker;
    for (std::size_t i = 0; i < blocks.size(); ++i) checker.Block(i + 1, blocks[i].Kind(), blocks[i].record);
    return checker.Finish(blocks);
}

}  // namespace varnoki::document
