#pragma once

// Whole files as byte strings: the chart documents, program texts, images and word lists all go
// through here, so they fail with the same kind of message and a save never leaves half a file.

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace varnoki::text {

// Writes `bytes` to a temporary file beside `path` and renames it over `path` only when every byte
// was written, so a crash or a full disk leaves the old file as it was. `kind` names the file for
// the person ("流程圖文件"); raises varnoki::Error with the path and the system's reason.
void WriteFileAtomically(const QString& path, std::string_view bytes, const QString& kind);

// The whole content of the file; raises varnoki::Error naming the kind of file, the path and the
// system's reason when it cannot be opened or read.
QByteArray ReadWholeFile(const QString& path, const QString& kind);

inline std::string_view View(const QByteArray& bytes) {
    return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// Lines ended by CR LF, LF or CR. A last line without an ending counts; an ending at the very end
// starts no further line; empty lines in between are lines.
std::vector<std::string> SplitLines(std::string_view bytes);

}  // namespace varnoki::text
