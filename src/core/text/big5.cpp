#include "text/big5.h"

#include <iconv.h>

#include <cerrno>

#include "error.h"

namespace varnoki::text {
namespace {

// One converter per direction and thread: iconv descriptors carry state and are not thread-safe,
// and opening one costs far more than a short conversion.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw Error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as possible; returns false with `in` pointing at the offending input when
    // an input sequence cannot be converted.
    bool Run(const char*& in, size_t& inLeft, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char buffer[4096];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            size_t rc = iconv(cd_, const_cast<char**>(&in), &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<size_t>(outPtr - buffer));
            if (rc == static_cast<size_t>(-1) && errno != E2BIG) return false;
        }
        return true;
    }

private:
    iconv_t cd_;
};

Converter& FromBig5() {
    thread_local Converter converter("UTF-16LE", "CP950");
    return converter;
}

Converter& ToBig5() {
    thread_local Converter converter("CP950", "UTF-16LE");
    return converter;
}

}  // namespace

QString Big5ToUnicode(std::string_view big5) {
    std::string utf16;
    utf16.reserve(big5.size() * 2);
    const char* in = big5.data();
    size_t inLeft = big5.size();
    while (!FromBig5().Run(in, inLeft, utf16)) {
        // Not Big5 here: show a replacement character and go on after the offending byte.
        utf16.append("\xFD\xFF", 2);
        ++in;
        --inLeft;
    }
    return QString(reinterpret_cast<const QChar*>(utf16.data()), static_cast<qsizetype>(utf16.size() / 2));
}

std::optional<char32_t> FirstUnencodable(const QString& text) {
    std::string out;
    const char* in = reinterpret_cast<const char*>(text.utf16());
    size_t inLeft = static_cast<size_t>(text.size()) * 2;
    if (ToBig5().Run(in, inLeft, out)) return std::nullopt;
    qsizetype index = static_cast<qsizetype>((in - reinterpret_cast<const char*>(text.utf16())) / 2);
    char32_t code = text.at(index).unicode();
    if (text.at(index).isHighSurrogate() && index + 1 < text.size())
        code = QChar::surrogateToUcs4(text.at(index), text.at(index + 1));
    return code;
}

std::string FoldAsciiCase(std::string_view big5) {
    std::string folded(big5);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        const auto byte = static_cast<unsigned char>(folded[i]);
        if (byte >= 0x81 && byte <= 0xFE && i + 1 < folded.size()) {
            ++i;
        } else if (byte >= 'A' && byte <= 'Z') {
            folded[i] = static_cast<char>(byte - 'A' + 'a');
        }
    }
    return folded;
}

std::string UnicodeToBig5(const QString& text) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()) * 2);
    const char* in = reinterpret_cast<const char*>(text.utf16());
    size_t inLeft = static_cast<size_t>(text.size()) * 2;
    if (ToBig5().Run(in, inLeft, out)) return out;
    char32_t code = *FirstUnencodable(text);
    QString shown = QString::fromUcs4(&code, 1);
    QString hex = QString::number(static_cast<uint>(code), 16).toUpper().rightJustified(4, QLatin1Char('0'));
    throw Error(QStringLiteral("字元「%1」(U+%2) 無法以 Big5 表示").arg(shown, hex).toStdString());
}

}  // namespace varnoki::text
