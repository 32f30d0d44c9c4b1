#include "codegen/statement_line.h"

namespace varnoki::codegen {

std::string QuoteStatement(std::string_view statement) {
    std::string line;
    line.reserve(statement.size() + 2);
    line += '"';
    for (char c : statement) {
        if (c == '"') line += '"';
        line += c;
    }
    line += '"';
    return line;
}

std::string UnquoteLine(std::string_view line) {
    if (line.empty() || line.front() != '"') return std::string(line);
    std::string content;
    for (std::size_t i = 1; i < line.size(); ++i) {
        if (line[i] != '"') {
            content += line[i];
        } else if (i + 1 < line.size() && line[i + 1] == '"') {
            content += '"';
            ++i;
        } else {
            break;
        }
    }
    return content.empty() ? std::string(line) : content;
}

}  // namespace varnoki::codegen
