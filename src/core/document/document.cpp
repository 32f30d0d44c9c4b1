#include "document/document.h"

#include <QDir>

#include "chart/catalogue.h"
#include "chart/record.h"
#include "error.h"
#include "text/big5.h"
#include "text/files.h"
#include "xml/reader.h"
#include "xml/writer.h"

namespace varnoki::document {
namespace {

// The name an element copied from a record takes when the record's root has none.
constexpr std::string_view kUnnamedRecord = "any";

const QString kDocumentFile = QStringLiteral("流程圖文件");

}  // namespace

QString BlockName(std::size_t position, int kind) {
    const chart::BlockKind* entry = chart::FindKind(kind);
    const QString caption = entry ? text::Big5ToUnicode(entry->caption) : QString::number(kind);
    return QString::fromUtf8("第 %1 個模塊「%2」").arg(position).arg(caption);
}

void BuildDocument(const chart::Chart& chart, xml::Document& tree) {
    xml::Element& root = tree.root;
    root.Clear();
    root.name = kRootName;
    const std::vector<chart::BlockEntry> blocks = chart.Blocks();
    root.children.reserve(blocks.size());
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        xml::Element record;
        try {
            record = xml::ParseDocument(blocks[i].record).root;
        } catch (const Error& e) {
            const QString message = QString::fromUtf8("%1的參數記錄無法讀取：%2")
                                        .arg(BlockName(i + 1, blocks[i].Kind()), QString::fromUtf8(e.what()));
            throw Error(message.toStdString());
        }
        if (record.name.empty()) record.name = kUnnamedRecord;
        xml::Element& wrapper = root.AddChild(std::string(kWrapperName));
        wrapper.children.push_back(std::move(record));
    }
}

std::string DocumentBytes(const xml::Document& tree) { return xml::WriteDocument(tree); }

void WriteDocumentFile(const QString& path, const xml::Document& tree) {
    text::WriteFileAtomically(path, DocumentBytes(tree), kDocumentFile);
}

xml::Document ReadDocumentFile(const QString& path) {
    const QByteArray bytes = text::ReadWholeFile(path, kDocumentFile);
    try {
        return xml::ParseDocument(text::View(bytes));
    } catch (const xml::ParseError& e) {
        throw Error(QStringLiteral("流程圖文件「%1」無法讀取：%2")
                        .arg(QDir::toNativeSeparators(path), QString::fromUtf8(e.what()))
                        .toStdString());
    }
}

}  // namespace varnoki::document
