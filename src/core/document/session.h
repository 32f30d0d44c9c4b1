#pragma once

// The document commands without their windows: New, Open and Save of a chart, the snapshot and the
// change check. The main window asks the questions and shows the dialogs; this class does the work
// and keeps the state between commands.

#include <QString>
#include <string>
#include <vector>

#include "chart/chart.h"

namespace varnoki::document {

// True when the file name's extension (from its last dot) is ".lcs", in any letter case.
bool HasDocumentExtension(const QString& path);

class DocumentSession {
public:
    // Takes no snapshot: until the first New, Open or Save every chart counts as changed.
    DocumentSession(chart::Chart& chart, std::vector<std::string> voiceWords);

    const QString& FileName() const { return chart_.FileName; }
    const std::vector<std::string>& VoiceWords() const { return voiceWords_; }
    // The items before the root of the document opened last, repeated by every later save.
    const std::vector<std::string>& Prolog() const { return prolog_; }

    // Whether the chart's document differs from the snapshot. A chart whose document cannot be built
    // (a record that cannot be read) counts as changed.
    bool IsModified() const;
    // Start terminal, one insertion point, end terminal: nothing to lose.
    bool IsEmptyChart() const;
    // The first step of New and Open: stores IsModified in the chart's Modified field and tells
    // whether to ask about saving (never for an empty chart; always for an untitled one; for a named
    // one when it was modified).
    bool ShouldAskToSave();
    // "流程圖文件…的內容已經被更改,\r\n是否保存更改?" for the current file name (or none).
    QString SaveQuestion() const;

    // Empties the chart and builds a new one; untitled, not modified, snapshot taken.
    void New();
    // Reads the whole document first; only when it could be read is the chart replaced, the file name
    // set, Modified cleared and the snapshot taken. Raises varnoki::Error naming the file otherwise,
    // and then chart, file name, prolog and snapshot are as they were.
    void Open(const QString& path);
    // Writes the chart to `path` through a temporary file; on success the file name is set, Modified
    // cleared and the snapshot taken. Raises varnoki::Error (a block whose name or text holds "<",
    // a file that cannot be written) with nothing written and nothing changed.
    void Save(const QString& path);
    void TakeSnapshot();

private:
    std::string CurrentSnapshot() const;

    chart::Chart& chart_;
    std::vector<std::string> voiceWords_;
    std::vector<std::string> prolog_;
    std::string snapshot_;
};

}  // namespace varnoki::document
