#pragma once

#include <QWidget>
#include <memory>

#include "chart/chart.h"
#include "common/prompts.h"

class QPlainTextEdit;
class QSplitter;

namespace varnoki::gui {

class ChartView;
class DocumentCommands;
class Palette;
class TFormAbout;
class Toolbar;

// TForm1: the toolbar, the block palette, the flowchart and the program text pane.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    chart::Chart& Chart() { return chart_; }
    Prompts& Prompter() { return prompts_; }
    DocumentCommands& Documents() { return *documents_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void SpeedButton7Click();  // Generate
    void BuildShortcuts();

    chart::Chart chart_;
    Prompts prompts_;
    Toolbar* toolbar_;
    Palette* palette_;
    ChartView* view_;
    QSplitter* splitter_;
    QPlainTextEdit* memo_;
    TFormAbout* about_;
    std::unique_ptr<DocumentCommands> documents_;
};

}  // namespace varnoki::gui
