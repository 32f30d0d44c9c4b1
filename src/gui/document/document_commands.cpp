#include "document/document_commands.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QWidget>

#include "app/app_info.h"
#include "chart/chart.h"
#include "document/voice_words.h"
#include "codegen/program_text_file.h"
#include "common/prompts.h"
#include "error.h"
#include "text/big5.h"

namespace varnoki::gui {
namespace {

const FileKind kChartFiles{QStringLiteral("流程圖文件(*.lcs)"), QStringLiteral("lcs")};
const FileKind kTextFiles{QStringLiteral("VARNOKI文件文本格式(*.txt)"), QStringLiteral("txt")};

QString Message(const Error& error) { return QString::fromUtf8(error.what()); }

// The pane's lines as the program text file holds them: an empty pane has none, and the line break
// after the last line does not start another.
std::vector<std::string> PaneLines(const QPlainTextEdit& memo) {
    QString text = memo.toPlainText();
    std::vector<std::string> lines;
    if (text.isEmpty()) return lines;
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    for (const QString& line : text.split(QLatin1Char('\n'))) lines.push_back(text::UnicodeToBig5(line));
    return lines;
}

}  // namespace

DocumentCommands::DocumentCommands(QWidget& window, chart::Chart& chart, QPlainTextEdit& memo, Prompts& prompts)
    : window_(window), memo_(memo), prompts_(prompts), session_(chart, document::LoadVoiceWordsBesideProgram()) {}

void DocumentCommands::UpdateCaption() {
    const QString& path = session_.FileName();
    window_.setWindowTitle(path.isEmpty() ? kApplicationTitle
                                          : QStringLiteral("%1 - %2").arg(kApplicationTitle, QFileInfo(path).fileName()));
}

bool DocumentCommands::AskToSave() {
    if (!session_.ShouldAskToSave()) return true;
    switch (prompts_.AskYesNoCancel(&window_, session_.SaveQuestion())) {
        case QMessageBox::Yes: {
            // Go on whatever the save did, unless the file could not be written: then the chart
            // must stay as it is, or the person's work is gone.
            const QString path = session_.FileName().isEmpty() ? AskChartFileName() : session_.FileName();
            return path.isEmpty() || SaveTo(path);
        }
        case QMessageBox::No: return true;
        default: return false;
    }
}

void DocumentCommands::New() {
    if (!AskToSave()) return;
    session_.New();
    UpdateCaption();
    memo_.clear();
}

void DocumentCommands::Open() {
    if (!AskToSave()) return;
    const QString path = prompts_.OpenFileName(&window_, kChartFiles);
    if (path.isEmpty() || !document::HasDocumentExtension(path) || !QFileInfo::exists(path)) return;
    try {
        session_.Open(path);
    } catch (const Error& error) {
        prompts_.ShowError(&window_, Message(error));
        return;
    }
    UpdateCaption();
    memo_.clear();
}

QString DocumentCommands::AskChartFileName() {
    const QString path = prompts_.SaveFileName(&window_, kChartFiles);
    return document::HasDocumentExtension(path) ? path : QString();
}

bool DocumentCommands::SaveTo(const QString& path) {
    try {
        session_.Save(path);
    } catch (const Error& error) {
        prompts_.ShowError(&window_, Message(error));
        return false;
    }
    UpdateCaption();
    return true;
}

void DocumentCommands::Save() {
    const QString path = session_.FileName().isEmpty() ? AskChartFileName() : session_.FileName();
    if (!path.isEmpty()) SaveTo(path);
}

void DocumentCommands::SaveAs() {
    const QString path = AskChartFileName();
    if (!path.isEmpty()) SaveTo(path);
}

void DocumentCommands::LoadText() {
    const QString path = prompts_.OpenFileName(&window_, kTextFiles);
    if (path.isEmpty() || !QFileInfo::exists(path)) return;
    try {
        QStringList shown;
        for (const std::string& line : codegen::ReadProgramTextFile(path)) shown << text::Big5ToUnicode(line);
        memo_.setPlainText(shown.join(QLatin1Char('\n')));
    } catch (const Error& error) {
        prompts_.ShowError(&window_, Message(error));
    }
}

void DocumentCommands::SaveText() {
    const QString path = prompts_.SaveFileName(&window_, kTextFiles);
    if (path.isEmpty()) return;
    try {
        codegen::WriteProgramTextFile(path, PaneLines(memo_));
    } catch (const Error& error) {
        prompts_.ShowError(&window_, Message(error));
    }
}

}  // namespace varnoki::gui
