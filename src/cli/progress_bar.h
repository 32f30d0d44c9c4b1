#pragma once

// Shows the progress lines of a transfer on standard error: redrawn in place on a terminal, a line
// per step and per tenth of the blocks otherwise.

#include <QString>

namespace varnoki::cli {

class ProgressBar {
public:
    explicit ProgressBar(int blocks);

    // Takes a progress line of the transfer: "1" to "4", or "5:k".
    void Show(const QString& line);
    // Ends the bar's line before the outcome is printed.
    void Finish();

private:
    void Draw(const QString& text);

    const int blocks_;
    const bool terminal_;
    bool drawn_ = false;
    int lastTenth_ = -1;
};

}  // namespace varnoki::cli
