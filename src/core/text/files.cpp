#include "text/files.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "error.h"

namespace varnoki::text {
namespace {

[[noreturn]] void Fail(const char* action, const QString& kind, const QString& path, const QString& reason) {
    throw Error(QStringLiteral("%1%2「%3」：%4")
                    .arg(QString::fromUtf8(action), kind, QDir::toNativeSeparators(path), reason)
                    .toStdString());
}

}  // namespace

void WriteFileAtomically(const QString& path, std::string_view bytes, const QString& kind) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) Fail("無法建立", kind, path, file.errorString());
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        const QString reason = file.errorString();
        file.cancelWriting();
        Fail("無法寫入", kind, path, reason);
    }
    if (!file.commit()) Fail("無法寫入", kind, path, file.errorString());
}

QByteArray ReadWholeFile(const QString& path, const QString& kind) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) Fail("無法開啟", kind, path, file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) Fail("無法讀取", kind, path, file.errorString());
    return bytes;
}

std::vector<std::string> SplitLines(std::string_view bytes) {
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

}  // namespace varnoki::text
