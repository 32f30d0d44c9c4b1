#pragma once

#include <QString>

#include "document/session.h"

class QPlainTextEdit;
class QWidget;

namespace varnoki::chart {
class Chart;
}

namespace varnoki::gui {

class Prompts;

// The toolbar's document commands: New, Open, Save, Save As for charts, load and save for the
// program text, and the save-changes question that New, Open and closing the window ask.
class DocumentCommands {
public:
    DocumentCommands(QWidget& window, chart::Chart& chart, QPlainTextEdit& memo, Prompts& prompts);

    void New();
    void Open();
    void Save();
    void SaveAs();
    void LoadText();
    void SaveText();

    // Asks whether to save a changed chart first. False when the person cancelled: the command
    // that asked must then change nothing. Never asks for an empty chart.
    bool AskToSave();

    const document::DocumentSession& Session() const { return session_; }

private:
    // Saves to `path`, or says why it could not; true when the file was written.
    bool SaveTo(const QString& path);
    // The chosen name for Save and Save As, or empty when cancelled or not a chart file.
    QString AskChartFileName();
    // The window caption names the open document: "title - file name", or the title alone.
    void UpdateCaption();

    QWidget& window_;
    QPlainTextEdit& memo_;
    Prompts& prompts_;
    document::DocumentSession session_;
};

}  // namespace varnoki::gui
