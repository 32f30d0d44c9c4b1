#include "document/chart_program.h"

#include <QDir>

#include "chart/chart.h"
#include "codegen/program_text.h"
#include "document/session.h"
#include "error.h"

namespace varnoki::document {

std::vector<std::string> ProgramTextOfChartFile(const QString& path) {
    chart::Chart chart;
    // The voice words only label blocks on the screen; the program text does not need them.
    DocumentSession session(chart, {});
    session.Open(path);
    try {
        return codegen::GenerateProgramText(chart);
    } catch (const Error& e) {
        const QString message =
            QString::fromUtf8("流程圖文件「%1」：%2").arg(QDir::toNativeSeparators(path), QString::fromUtf8(e.what()));
        throw Error(message.toStdString());
    }
}

}  // namespace varnoki::document
