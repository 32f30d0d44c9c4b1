#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <string>

#include "chart/chart.h"
#include "chart/record.h"

namespace varnoki::test_support {

inline QString DocumentFixture(const char* name) {
    return QString::fromUtf8(VARNOKI_TEST_DATA) + QStringLiteral("/documents/") + QString::fromUtf8(name);
}

inline std::string FileBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll().toStdString();
}

inline void WriteBytes(const QString& path, const std::string& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// Appends a block of `kind` carrying the record of `fields` (the default record when there are none).
inline chart::ObjectId AddBlock(chart::Chart& chart, int kind, const chart::RecordFields& fields = {}) {
    const chart::ObjectId block = chart.AppendBlock(kind);
    if (!fields.empty()) chart.SetBlockRecord(block, chart::WriteRecord(kind, fields));
    return block;
}

}  // namespace varnoki::test_support
