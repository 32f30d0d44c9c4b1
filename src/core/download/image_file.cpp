#include "download/image_file.h"

#include <QDir>
#include <QFile>

#include "error.h"
#include "text/files.h"

namespace varnoki::download {
namespace {

[[noreturn]] void ThrowFileError(const QString& what, const QFile& file) {
    throw Error(QStringLiteral("%1 %2：%3").arg(what, file.fileName(), file.errorString()).toStdString());
}

// The content of a file that may be missing: nothing when it does not exist.
std::optional<QByteArray> ReadIfExists(const QString& fileName) {
    if (!QFile::exists(fileName)) return std::nullopt;
    return text::ReadWholeFile(fileName, QStringLiteral("檔案"));
}

}  // namespace

std::optional<std::vector<std::string>> ReadTextLines(const QString& fileName) {
    const std::optional<QByteArray> content = ReadIfExists(fileName);
    if (!content) return std::nullopt;
    return text::SplitLines(text::View(*content));
}

std::vector<DroppedLine> BuildImageFromLines(const std::vector<std::string>& lines, const QString& destination) {
    ProgramImage image = BuildImage(lines);
    // A cut-off image would go to the board as it is: it has no check value of its own.
    text::WriteFileAtomically(destination, text::View(image.bytes), QStringLiteral("映像檔"));
    return std::move(image.dropped);
}

std::optional<std::vector<DroppedLine>> BuildImageFromFile(const QString& source, const QString& destination) {
    const std::optional<std::vector<std::string>> lines = ReadTextLines(source);
    if (!lines) return std::nullopt;
    return BuildImageFromLines(*lines, destination);
}

std::optional<QByteArray> ReadImageFile(const QString& fileName) { return ReadIfExists(fileName); }

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
