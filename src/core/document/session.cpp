#include "document/session.h"

#include <QDir>
#include <QFileInfo>

#include "document/document.h"
#include "document/document_reader.h"
#include "document/keepable_values.h"
#include "error.h"
#include "xml/writer.h"

namespace varnoki::document {
namespace {

// The snapshot and the change check never read a file, so their documents always start with the
// default declaration, whatever document was opened.
std::string SnapshotOf(const xml::Element& root) { return xml::WriteDocument(xml::Document{{}, root}); }

}  // namespace

bool HasDocumentExtension(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 && name.mid(dot).compare(QLatin1String(".lcs"), Qt::CaseInsensitive) == 0;
}

DocumentSession::DocumentSession(chart::Chart& chart, std::vector<std::string> voiceWords)
    : chart_(chart), voiceWords_(std::move(voiceWords)), snapshot_(SnapshotOf(xml::Element{})) {}

std::string DocumentSession::CurrentSnapshot() const {
    xml::Document tree;
    BuildDocument(chart_, tree);
    return SnapshotOf(tree.root);
}

bool DocumentSession::IsModified() const {
    try {
        return CurrentSnapshot() != snapshot_;
    } catch (const Error&) {
        return true;
    }
}

bool DocumentSession::IsEmptyChart() const { return chart_.Elements().size() == 3; }

bool DocumentSession::ShouldAskToSave() {
    chart_.Modified = IsModified();
    if (IsEmptyChart()) return false;
    return chart_.FileName.isEmpty() || chart_.Modified;
}

QString DocumentSession::SaveQuestion() const {
    const QString changed = chart_.FileName.isEmpty()
                                ? QString::fromUtf8("流程圖文件的內容已經被更改,")
                                : QString::fromUtf8("流程圖文件%1的內容已經被更改,").arg(chart_.FileName);
    return changed + QString::fromUtf8("\r\n是否保存更改?");
}

void DocumentSession::TakeSnapshot() { snapshot_ = CurrentSnapshot(); }

void DocumentSession::New() {
    {
        chart::SuspendedNotifications quiet(chart_.Flow());
        chart_.ClearChart();
        chart_.NewChart();
    }
    chart_.FileName.clear();
    chart_.Modified = false;
    TakeSnapshot();
}

void DocumentSession::Open(const QString& path) {
    xml::Document document = ReadDocumentFile(path);
    const std::vector<BlockToAppend> blocks = BlocksOfDocument(document, voiceWords_);
    std::string snapshot = SnapshotOf(DocumentRootOf(blocks));
    // Nothing below can fail: the chart changes only now that the whole document has been read.
    ReplaceChain(chart_, blocks);
    prolog_ = std::move(document.prolog);
    chart_.FileName = path;
    chart_.Modified = false;
    snapshot_ = std::move(snapshot);
}

void DocumentSession::Save(const QString& path) {
    RequireKeepableValues(chart_);
    xml::Document tree{prolog_, {}};
    BuildDocument(chart_, tree);
    WriteDocumentFile(path, tree);
    chart_.FileName = path;
    chart_.Modified = false;
    snapshot_ = SnapshotOf(tree.root);
}

}  // namespace varnoki::document
