#pragma once

// Flowchart documents (.lcs): the MERVANTO root with one record wrapper per block, holding a copy of
// the block's parameter record. Positions, sizes and shape texts are not stored; reading rebuilds
// them.

#include <QString>
#include <string>

#include "chart/chart.h"
#include "xml/tree.h"

namespace varnoki::document {

inline constexpr std::string_view kRootName = "MERVANTO";
inline constexpr std::string_view kWrapperName = "record";

// Empties the tree's root (the prolog stays), names it MERVANTO and appends one record wrapper per
// block in chain order, each holding a deep copy of the root element of the block's record. A record
// that cannot be read raises varnoki::Error naming the block by its place in the chain and caption.
void BuildDocument(const chart::Chart& chart, xml::Document& tree);

// The bytes of the document: the prolog (or the default declaration) and the root, CR LF after every
// line, nothing escaped.
std::string DocumentBytes(const xml::Document& tree);

// Writes through a temporary file beside `path` that replaces it only when every byte was written,
// so a failed save leaves the previous file as it was. Raises varnoki::Error with the file name and
// the system's reason.
void WriteDocumentFile(const QString& path, const xml::Document& tree);

// Reads and parses the whole file. Raises varnoki::Error naming the file, with the system's reason or
// the XML reader's message (which carries the byte offset).
xml::Document ReadDocumentFile(const QString& path);

// "第 3 個模塊「標號」": how messages name a block, counted from 1 in chain order.
QString BlockName(std::size_t position, int kind);

}  // namespace varnoki::document
