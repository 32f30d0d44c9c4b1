#include "codegen/program_text_file.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "error.h"

namespace varnoki::codegen {
namespace {

Error FileError(const char* what, const QString& path, const QString& reason) {
    return Error(QString::fromUtf8(what).arg(QDir::toNativeSeparators(path), reason).toStdString());
}

}  // namespace

std::string ProgramTextFileBytes(std::span<const std::string> lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::vector<std::string> SplitProgramTextLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        lines.emplace_back(bytes.substr(start, end - start));
        start = end + (bytes.substr(end).starts_with("\r\n") ? 2 : 1);
    }
    return lines;
}

void WriteProgramTextFile(const QString& path, std::span<const std::string> lines) {
    const std::string bytes = ProgramTextFileBytes(lines);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) throw FileError("無法寫入程式文字檔「%1」：%2", path, file.errorString());
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw FileError("無法寫入程式文字檔「%1」：%2", path, reason);
    }
    if (!file.commit()) throw FileError("無法寫入程式文字檔「%1」：%2", path, file.errorString());
}

std::vector<std::string> ReadProgramTextFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw FileError("無法開啟程式文字檔「%1」：%2", path, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw FileError("無法讀取程式文字檔「%1」：%2", path, file.errorString());
    }
    return SplitProgramTextLines(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace varnoki::codegen
