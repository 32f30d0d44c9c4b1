#include "download/image_file.h"

#include <QDir>
#include <QFile>

#include "error.h"

namespace varnoki::download {
namespace {

[[noreturn]] void ThrowFileError(const QString& what, const QFile& file) {
    throw Error(QStringLiteral("%1 %2：%3").arg(what, file.fileName(), file.errorString()).toStdString());
}

std::optional<QByteArray> ReadWholeFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.exists()) return std::nullopt;
    if (!file.open(QIODevice::ReadOnly)) ThrowFileError(QStringLiteral("無法讀取檔案"), file);
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) ThrowFileError(QStringLiteral("無法讀取檔案"), file);
    return content;
}

}  // namespace

std::vector<std::string> SplitTextLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::optional<std::vector<std::string>> ReadTextLines(const QString& fileName) {
    const std::optional<QByteArray> content = ReadWholeFile(fileName);
    if (!content) return std::nullopt;
    return SplitTextLines(std::string_view(content->constData(), static_cast<size_t>(content->size())));
}

std::vector<DroppedLine> BuildImageFromLines(const std::vector<std::string>& lines, const QString& destination) {
    ProgramImage image = BuildImage(lines);
    QFile file(destination);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(image.bytes) != image.bytes.size() ||
        !file.flush()) {
        ThrowFileError(QStringLiteral("無法寫入映像檔"), file);
    }
    return std::move(image.dropped);
}

std::optional<std::vector<DroppedLine>> BuildImageFromFile(const QString& source, const QString& destination) {
    const std::optional<std::vector<std::string>> lines = ReadTextLines(source);
    if (!lines) return std::nullopt;
    return BuildImageFromLines(*lines, destination);
}

std::optional<QByteArray> ReadImageFile(const QString& fileName) { return ReadWholeFile(fileName); }

TempImageFile::TempImageFile() : file_(QDir::tempPath() + QStringLiteral("/qvrXXXXXX.tmp")) {
    if (!file_.open()) ThrowFileError(QStringLiteral("無法建立暫存檔"), file_);
    file_.close();
}

ProgramImage PrepareImageForDownload(const std::vector<std::string>& lines) {
    const TempImageFile temp;
    std::vector<DroppedLine> dropped = BuildImageFromLines(lines, temp.FileName());
    std::optional<QByteArray> bytes = ReadImageFile(temp.FileName());
    if (!bytes) throw Error(QStringLiteral("暫存檔 %1 不見了").arg(temp.FileName()).toStdString());
    return {std::move(*bytes), std::move(dropped)};
}

}  // namespace varnoki::download
