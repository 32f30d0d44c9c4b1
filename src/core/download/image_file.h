#pragma once

// Image files: building an image into a file, reading one back, and the temporary image file the
// download goes through.

#include <QByteArray>
#include <QString>
#include <QTemporaryFile>
#include <optional>
#include <string>
#include <vector>

#include "download/program_image.h"

namespace varnoki::download {

// The lines of a text file, or nothing when it does not exist. Throws varnoki::Error when it
// exists but cannot be read.
std::optional<std::vector<std::string>> ReadTextLines(const QString& fileName);

// Builds the image of `lines` and writes it to `destination`, creating it or replacing its
// content. Returns the lines it dropped. Throws varnoki::Error when the file cannot be written.
std::vector<DroppedLine> BuildImageFromLines(const std::vector<std::string>& lines, const QString& destination);

// The same with the lines of a text file. When the source does not exist nothing is written and
// nothing is returned.
std::optional<std::vector<DroppedLine>> BuildImageFromFile(const QString& source, const QString& destination);

// The whole content of an image file, or nothing when it does not exist. Throws varnoki::Error
// when it exists but cannot be read.
std::optional<QByteArray> ReadImageFile(const QString& fileName);

// A new, empty, uniquely named file "qvr…" in the system's temporary directory, deleted when this
// object goes, however the download that used it ended.
class TempImageFile {
public:
    TempImageFile();  // throws varnoki::Error
    QString FileName() const { return file_.fileName(); }

private:
    QTemporaryFile file_;
};

// What the download command does with the program text: builds the image into a temporary image
// file, reads it back and deletes the file.
ProgramImage PrepareImageForDownload(const std::vector<std::string>& lines);

}  // namespace varnoki::download
