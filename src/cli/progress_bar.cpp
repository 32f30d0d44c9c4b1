#include "progress_bar.h"

#include <unistd.h>

#include <cstdio>

namespace varnoki::cli {
namespace {

constexpr int kBarWidth = 30;

QString StepText(const QString& line) {
    if (line == u"1") return QStringLiteral("已發送開始訊息");
    if (line == u"2") return QStringLiteral("控制板已應答");
    if (line == u"3") return QStringLiteral("已發送標頭訊息");
    if (line == u"4") return QStringLiteral("已收到控制板的許可訊息");
    return line;
}

}  // namespace

ProgressBar::ProgressBar(int blocks) : blocks_(blocks), terminal_(isatty(STDERR_FILENO) == 1) {}

void ProgressBar::Show(const QString& line) {
    if (!line.startsWith(u"5:")) {
        Draw(StepText(line));
        return;
    }
    const int block = line.mid(2).toInt();
    const int tenth = block * 10 / blocks_;
    if (!terminal_ && tenth == lastTenth_) return;
    lastTenth_ = tenth;
    const int filled = block * kBarWidth / blocks_;
    Draw(QStringLiteral("[%1%2] %3/%4 塊")
             .arg(QString(filled, u'#'), QString(kBarWidth - filled, u'-'))
             .arg(block)
             .arg(blocks_));
}

void ProgressBar::Finish() {
    if (terminal_ && drawn_) std::fputs("\n", stderr);
    std::fflush(stderr);
}

void ProgressBar::Draw(const QString& text) {
    // On a terminal the line is rewritten in place; "\033[K" clears what a longer text left.
    std::fputs(qUtf8Printable(terminal_ ? QStringLiteral("\r%1\033[K").arg(text) : text + u'\n'), stderr);
    std::fflush(stderr);
    drawn_ = true;
}

}  // namespace varnoki::cli
