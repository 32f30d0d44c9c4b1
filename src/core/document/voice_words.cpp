#include "document/voice_words.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "text/files.h"

namespace varnoki::document {

std::vector<std::string> SplitVoiceWords(std::string_view bytes) {
    // The same line rules as a program text file.
    return text::SplitLines(bytes);
}

std::vector<std::string> NumberedVoiceWords() {
    std::vector<std::string> words;
    words.reserve(128);
    for (int i = 0; i < 128; ++i) words.push_back(std::to_string(i));
    return words;
}

std::vector<std::string> LoadVoiceWords(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return NumberedVoiceWords();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return NumberedVoiceWords();
    return SplitVoiceWords(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

std::vector<std::string> LoadVoiceWordsBesideProgram() {
    return LoadVoiceWords(
        QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(kVoiceWordFileName)));
}

}  // namespace varnoki::document
