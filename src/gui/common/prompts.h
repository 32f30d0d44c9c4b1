#pragma once

// Every modal question the main window asks goes through here: file dialogs and message boxes.
// A test switches it to scripted mode and queues the answers a person would give; an unexpected
// question in scripted mode is answered with Cancel and recorded, so a test never hangs on a dialog.

#include <QMessageBox>
#include <QQueue>
#include <QString>
#include <QStringList>

class QWidget;

namespace varnoki::gui {

struct FileKind {
    QString filter;         // e.g. "流程圖文件(*.lcs)"
    QString defaultSuffix;  // appended to a name typed without extension (save dialogs only)
};

class Prompts {
public:
    // Empty when the person cancelled.
    QString OpenFileName(QWidget* parent, const FileKind& kind);
    QString SaveFileName(QWidget* parent, const FileKind& kind);
    // A warning with Yes, No and Cancel; returns the button pressed.
    QMessageBox::StandardButton AskYesNoCancel(QWidget* parent, const QString& text);
    void ShowError(QWidget* parent, const QString& text);

    // Scripted mode for tests.
    void SetScripted(bool scripted) { scripted_ = scripted; }
    void QueueFileName(const QString& name) { fileNames_.enqueue(name); }
    void QueueAnswer(QMessageBox::StandardButton answer) { answers_.enqueue(answer); }
    // Texts of the questions and errors shown since the last call, in order.
    QStringList TakeShown();

private:
    QString NextFileName();
    bool scripted_ = false;
    QQueue<QString> fileNames_;
    QQueue<QMessageBox::StandardButton> answers_;
    QStringList shown_;
};

}  // namespace varnoki::gui
