#pragma once

// The voice module's word list: qvvoc.txt beside the program, one entry per line (Big5), entry n is
// voice number n. Read once at start-up by whoever needs it (the document reader for block texts,
// the voice dialog for its list).

#include <QString>
#include <string>
#include <vector>

namespace varnoki::document {

inline constexpr char kVoiceWordFileName[] = "qvvoc.txt";

// The entries of a word list file's bytes: lines end at CR LF, CR or LF; a last line without a line
// end counts; a line end at the very end adds no empty entry; empty lines are entries too.
std::vector<std::string> SplitVoiceWords(std::string_view bytes);

// "0" to "127", the list when there is no word file.
std::vector<std::string> NumberedVoiceWords();

// The entries of the file at `path`, or the numbered list when it does not exist or cannot be read
// (the words only label voice numbers; without them the numbers still work).
std::vector<std::string> LoadVoiceWords(const QString& path);

// LoadVoiceWords of qvvoc.txt in the folder of the running program's executable.
std::vector<std::string> LoadVoiceWordsBesideProgram();

}  // namespace varnoki::document
