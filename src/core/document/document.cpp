#include "document/document.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "chart/catalogue.h"
#include "chart/record.h"
#include "error.h"
#include "text/big5.h"
#include "xml/reader.h"
#include "xml/writer.h"

namespace varnoki::document {
namespace {

// The name an element copied from a record takes when the record's root has none.
constexpr std::string_view kUnnamedRecord = "any";

Error FileError(const char* format, const QString& path, const QString& reason) {
    return Error(QString::fromUtf8(format).arg(QDir::toNativeSeparators(path), reason).toStdString());
}

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
    const std::string bytes = DocumentBytes(tree);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) throw FileError("無法建立流程圖文件「%1」：%2", path, file.errorString());
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw FileError("無法寫入流程圖文件「%1」：%2", path, reason);
    }
    if (!file.commit()) throw FileError("無法寫入流程圖文件「%1」：%2", path, file.errorString());
}

xml::Document ReadDocumentFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw FileError("無法開啟流程圖文件「%1」：%2", path, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw FileError("無法讀取流程圖文件「%1」：%2", path, file.errorString());
    }
    try {
        return xml::ParseDocument(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    } catch (const xml::ParseError& e) {
        throw FileError("流程圖文件「%1」無法讀取：%2", path, QString::fromUtf8(e.what()));
    }
}

}  // namespace varnoki::document
