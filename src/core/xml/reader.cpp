#include "xml/reader.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "text/big5.h"

namespace varnoki::xml {

ParseError::ParseError(const std::string& message, std::size_t offset)
    : Error("XML 格式錯誤（第 " + std::to_string(offset) + " 位元組）：" + message), offset_(offset) {}

namespace {

constexpr std::size_t kShownNameBytes = 40;

bool IsWhitespace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool EndsElementName(char c) { return IsWhitespace(c) || c == '/' || c == '>' || c == '<'; }

bool IsAttributeNameChar(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
           c == ':' || c == '.' || byte >= 0x80;
}

// Names go into messages the user reads; they are Big5 and may be anything a damaged file holds.
std::string Shown(std::string_view name) {
    if (name.size() > kShownNameBytes) name = name.substr(0, kShownNameBytes);
    return text::Big5ToUnicode(name).toStdString();
}

// One forward pass over the bytes. Elements are opened and closed on an explicit stack, so the
// nesting of the input never turns into nesting of calls.
class Parser {
public:
    explicit Parser(std::string_view input) : in_(input) {}

    Document Run() {
        if (ReadProlog()) {
            ReadRootElement();
            ReadEpilogue();
        }
        return std::move(document_);
    }

private:
    [[noreturn]] void Fail(std::size_t offset, const std::string& message) const { throw ParseError(message, offset); }

    bool AtEnd() const { return pos_ >= in_.size(); }
    bool LooksAt(std::string_view what) const { return in_.substr(pos_).starts_with(what); }
    bool LooksAtIgnoringCase(std::string_view what) const { return NamesEqual(in_.substr(pos_, what.size()), what); }

    void SkipWhitespace() {
        while (!AtEnd() && IsWhitespace(in_[pos_])) ++pos_;
    }

    // Moves past the next `terminator`; the construct that began at `start` is reported otherwise.
    std::string_view ReadThrough(std::size_t start, std::string_view terminator, const std::string& unterminated) {
        const std::size_t found = in_.find(terminator, pos_);
        if (found == std::string_view::npos) Fail(start, unterminated);
        pos_ = found + terminator.size();
        return in_.substr(start, pos_ - start);
    }

    std::string_view ReadComment() {
        const std::size_t start = pos_;
        pos_ += 4;
        return ReadThrough(start, "-->", "註解沒有結束（缺少 -->）");
    }

    std::string_view ReadProcessingInstruction() {
        const std::size_t start = pos_;
        pos_ += 2;
        return ReadThrough(start, "?>", "處理指令沒有結束（缺少 ?>）");
    }

    // True when the root element starts at pos_, false when the input ends before any element.
    bool ReadProlog() {
        for (;;) {
            SkipWhitespace();
            if (AtEnd()) return false;
            if (in_[pos_] != '<') Fail(pos_, "根元素之前有無法辨識的文字");
            if (LooksAt("<!--")) {
                document_.prolog.emplace_back(ReadComment());
            } else if (LooksAt("<?")) {
                ReadPrologInstruction();
            } else if (LooksAtIgnoringCase("<!DOCTYPE")) {
                document_.prolog.emplace_back(ReadDocumentType());
            } else if (LooksAt("<!")) {
                Fail(pos_, "根元素之前有無法辨識的標記");
            } else {
                return true;
            }
        }
    }

    void ReadPrologInstruction() {
        const std::size_t start = pos_;
        std::size_t targetEnd = start + 2;
        while (targetEnd < in_.size() && !IsWhitespace(in_[targetEnd]) && in_[targetEnd] != '?') ++targetEnd;
        const std::string_view target = in_.substr(start + 2, targetEnd - start - 2);
        const std::string_view whole = ReadProcessingInstruction();
        if (NamesEqual(target, "xml")) {
            const std::size_t bodyStart = targetEnd - start;
            document_.prolog.push_back(
                RebuildDeclaration(whole.substr(bodyStart, whole.size() - 2 - bodyStart), start));
        } else if (NamesEqual(target, "xml-stylesheet")) {
            document_.prolog.emplace_back(whole);
        } else {
            Fail(start, "根元素之前有無法辨識的處理指令");
        }
    }

    // The declaration is written back from its values alone: version, then the encoding when it had
    // one, then standalone="yes" when it said yes.
    std::string RebuildDeclaration(std::string_view body, std::size_t start) const {
        std::optional<std::string> version, encoding;
        bool standalone = false;
        std::size_t at = 0;
        auto skip = [&] {
            while (at < body.size() && IsWhitespace(body[at])) ++at;
        };
        for (skip(); at < body.size(); skip()) {
            const std::size_t nameStart = at;
            while (at < body.size() && IsAttributeNameChar(body[at])) ++at;
            const std::string_view name = body.substr(nameStart, at - nameStart);
            skip();
            if (name.empty() || at >= body.size() || body[at] != '=') Fail(start, "XML 宣告格式錯誤");
            ++at;
            skip();
            if (at >= body.size() || (body[at] != '"' && body[at] != '\'')) Fail(start, "XML 宣告格式錯誤");
            const std::size_t close = body.find(body[at], at + 1);
            if (close == std::string_view::npos) Fail(start, "XML 宣告格式錯誤");
            const std::string value(body.substr(at + 1, close - at - 1));
            at = close + 1;
            if (NamesEqual(name, "version")) version = value;
            if (NamesEqual(name, "encoding")) encoding = value;
            if (NamesEqual(name, "standalone")) standalone = NamesEqual(value, "yes");
        }
        std::string declaration = "<?xml";
        auto add = [&declaration](std::string_view name, const std::string& value) {
            const char quote = value.find('"') != std::string::npos ? '\'' : '"';
            declaration.append(" ").append(name).append("=").append(1, quote).append(value).append(1, quote);
        };
        add("version", version.value_or("1.0"));
        if (encoding) add("encoding", *encoding);
        if (standalone) add("standalone", "yes");
        return declaration + "?>";
    }

    // Kept as read, internal subset in brackets included; quoted literals and comments inside the
    // subset may hold brackets and ">".
    std::string_view ReadDocumentType() {
        const std::size_t start = pos_;
        pos_ += 9;
        int depth = 0;
        while (!AtEnd()) {
            const char c = in_[pos_];
            if (c == '"' || c == '\'') {
                const std::size_t close = in_.find(c, pos_ + 1);
                if (close == std::string_view::npos) break;
                pos_ = close + 1;
            } else if (depth > 0 && LooksAt("<!--")) {
                ReadComment();
            } else {
                ++pos_;
                if (c == '[') ++depth;
                if (c == ']' && depth > 0) --depth;
                if (c == '>' && depth == 0) return in_.substr(start, pos_ - start);
            }
        }
        Fail(start, "文件類型宣告沒有結束");
    }

    // Reads "<name attributes" up to and including ">" or "/>"; true for "/>".
    bool ReadStartTag(Element& element) {
        const std::size_t start = pos_++;
        const std::size_t nameStart = pos_;
        while (!AtEnd() && !EndsElementName(in_[pos_])) ++pos_;
        if (pos_ == nameStart) Fail(start, AtEnd() ? "標記沒有結束" : "缺少元素名稱");
        element.name = in_.substr(nameStart, pos_ - nameStart);
        for (;;) {
            SkipWhitespace();
            if (AtEnd()) Fail(start, "標記 <" + Shown(element.name) + " 沒有結束");
            if (in_[pos_] == '>') {
                ++pos_;
                return false;
            }
            if (in_[pos_] == '/') {
                if (!LooksAt("/>")) Fail(pos_, "標記 <" + Shown(element.name) + " 中的「/」之後應為「>」");
                pos_ += 2;
                return true;
            }
            ReadAttribute(element);
        }
    }

    void ReadAttribute(Element& element) {
        const std::size_t nameStart = pos_;
        while (!AtEnd() && IsAttributeNameChar(in_[pos_])) ++pos_;
        if (pos_ == nameStart) Fail(pos_, "標記 <" + Shown(element.name) + " 中有無效的字元");
        const std::string_view name = in_.substr(nameStart, pos_ - nameStart);
        SkipWhitespace();
        if (AtEnd() || in_[pos_] != '=') Fail(pos_, "屬性 " + Shown(name) + " 缺少「=」");
        ++pos_;
        SkipWhitespace();
        if (AtEnd() || (in_[pos_] != '"' && in_[pos_] != '\''))
            Fail(pos_, "屬性 " + Shown(name) + " 的值必須以引號括起");
        const std::size_t close = in_.find(in_[pos_], pos_ + 1);
        if (close == std::string_view::npos) Fail(pos_, "屬性 " + Shown(name) + " 的值缺少結束引號");
        element.AddAttribute(std::string(name), std::string(in_.substr(pos_ + 1, close - pos_ - 1)));
        pos_ = close + 1;
    }

    // Text up to the next "<": white space at the start of the element's text is dropped and a run of
    // blanks is kept as one blank. Nothing is unescaped.
    void ReadText(Element& element) {
        const std::size_t end = std::min(in_.find('<', pos_), in_.size());
        std::string_view span = in_.substr(pos_, end - pos_);
        pos_ = end;
        std::string& text = element.text;
        auto dropLeading = [&span](std::string_view what) {
            span.remove_prefix(std::min(span.find_first_not_of(what), span.size()));
        };
        if (text.empty()) dropLeading(" \t\r\n");
        if (!text.empty() && text.back() == ' ') dropLeading(" ");
        while (!span.empty()) {
            const std::size_t run = span.find("  ");
            if (run == std::string_view::npos) {
                text.append(span);
                return;
            }
            text.append(span.substr(0, run + 1));
            span.remove_prefix(run + 1);
            dropLeading(" ");
        }
    }

    void ReadEndTag(const Element& element) {
        const std::size_t start = pos_;
        pos_ += 2;
        const std::size_t nameStart = pos_;
        while (!AtEnd() && !EndsElementName(in_[pos_])) ++pos_;
        const std::string_view name = in_.substr(nameStart, pos_ - nameStart);
        SkipWhitespace();
        if (AtEnd() || in_[pos_] != '>') Fail(start, "結束標記 </" + Shown(name) + " 沒有結束");
        ++pos_;
        if (!NamesEqual(name, element.name))
            Fail(start, "結束標記 </" + Shown(name) + "> 與開始標記 <" + Shown(element.name) + "> 不符");
    }

    void ReadRootElement() {
        if (ReadStartTag(document_.root)) return;
        // Children are appended only to the innermost open element, so the pointers to its
        // ancestors stay valid while it grows.
        std::vector<Element*> open{&document_.root};
        while (!open.empty()) {
            Element& current = *open.back();
            ReadText(current);
            if (AtEnd()) Fail(in_.size(), "找不到結束標記 </" + Shown(current.name) + ">");
            if (LooksAt("</")) {
                ReadEndTag(current);
                open.pop_back();
            } else if (LooksAt("<!--")) {
                ReadComment();
            } else if (LooksAt("<![CDATA[")) {
                // The program never writes CDATA; a section in a foreign file is passed over like a
                // comment, since its content could not be written back without escaping.
                const std::size_t start = pos_;
                ReadThrough(start, "]]>", "CDATA 區段沒有結束（缺少 ]]>）");
            } else if (LooksAt("<?")) {
                ReadProcessingInstruction();
            } else if (LooksAt("<!")) {
                Fail(pos_, "元素內容中有無法辨識的標記");
            } else {
                if (open.size() >= static_cast<std::size_t>(kMaxDepth))
                    Fail(pos_, "元素的巢狀層次超過 " + std::to_string(kMaxDepth) + " 層");
                Element& child = current.children.emplace_back();
                if (!ReadStartTag(child)) open.push_back(&child);
            }
        }
    }

    // After the root only white space, comments and processing instructions may follow.
    void ReadEpilogue() {
        for (SkipWhitespace(); !AtEnd(); SkipWhitespace()) {
            if (LooksAt("<!--")) {
                ReadComment();
            } else if (LooksAt("<?")) {
                ReadProcessingInstruction();
            } else {
                Fail(pos_, "根元素之後有多餘的內容");
            }
        }
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    Document document_;
};

}  // namespace

Document ParseDocument(std::string_view bytes) { return Parser(bytes).Run(); }

}  // namespace varnoki::xml
