#include "codegen/reference_replacement.h"

#include <algorithm>
#include <compare>
#include <set>
#include <unordered_map>

#include "codegen/statement_line.h"
#include "text/big5.h"

namespace varnoki::codegen {
namespace {

// The line number text of each definition's name: that of its first definition, ignoring case.
std::unordered_map<std::string, std::string> NumbersByName(const std::vector<Definition>& table) {
    std::unordered_map<std::string, std::string> numbers;
    for (const Definition& definition : table) {
        numbers.try_emplace(text::FoldAsciiCase(definition.statement), std::to_string((definition.index + 1) * 10));
    }
    return numbers;
}

// Every reference begins with the prefix, so only the places where the prefix stands can hold one.
// The index keeps, for each such place at byte index 2 or later, the rest of the line from there;
// sorted, the places that begin with one name form a single run. Charts have a few thousand
// references against a thousand names, so this beats searching every line for every name.
class ReferenceIndex {
public:
    explicit ReferenceIndex(std::string_view prefix) : prefix_(prefix) {}

    // `statement` must stay unchanged until it is removed again.
    void Add(std::string_view statement, std::size_t line) {
        ForEachPlace(statement, [&](std::string_view rest) { places_.insert({rest, line}); });
    }
    void Remove(std::string_view statement, std::size_t line) {
        ForEachPlace(statement, [&](std::string_view rest) { places_.erase({rest, line}); });
    }

    // The lines, in order, with `name` at byte index 2 or later.
    std::vector<std::size_t> LinesHolding(std::string_view name) const {
        std::vector<std::size_t> lines;
        for (auto it = places_.lower_bound({name, 0}); it != places_.end() && it->rest.starts_with(name); ++it) {
            lines.push_back(it->line);
        }
        std::sort(lines.begin(), lines.end());
        lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
        return lines;
    }

private:
    struct Place {
        std::string_view rest;
        std::size_t line;
        auto operator<=>(const Place&) const = default;
    };

    template <typename Visit>
    void ForEachPlace(std::string_view statement, Visit visit) const {
        for (std::size_t at = statement.find(prefix_, 2); at != std::string_view::npos;
             at = statement.find(prefix_, at + 1)) {
            visit(statement.substr(at));
        }
    }

    std::string_view prefix_;
    std::set<Place> places_;
};

}  // namespace

std::vector<Definition> FindDefinitions(const std::vector<ProgramLine>& lines, std::string_view prefix) {
    std::vector<Definition> table;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].statement.starts_with(prefix)) table.push_back({lines[i].statement, i});
    }
    return table;
}

void ReplaceReferences(std::vector<ProgramLine>& lines, const std::vector<Definition>& table, std::string_view prefix) {
    if (table.empty()) return;
    const auto numbers = NumbersByName(table);
    ReferenceIndex index(prefix);
    for (std::size_t i = 0; i < lines.size(); ++i) index.Add(lines[i].statement, i);

    for (const Definition& definition : table) {
        const std::string& number = numbers.at(text::FoldAsciiCase(definition.statement));
        for (std::size_t i : index.LinesHolding(definition.statement)) {
            ProgramLine& line = lines[i];
            // Only the first occurrence counts: where it begins the line, the line is left alone even
            // if the name occurs again further on.
            const std::size_t at = line.statement.find(definition.statement);
            if (at == std::string::npos || at < 2) continue;
            index.Remove(line.statement, i);
            line.statement.replace(at, definition.statement.size(), number);
            line.quoted = QuoteStatement(line.statement);
            index.Add(line.statement, i);
        }
    }
}

}  // namespace varnoki::codegen
