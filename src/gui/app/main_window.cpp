#include "app/main_window.h"

#include <QCloseEvent>
#include <QDir>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/about_box.h"
#include "app/app_info.h"
#include "app/toolbar.h"
#include "chart/chart_view.h"
#include "chart/palette.h"
#include "codegen/program_text.h"
#include "common/fonts.h"
#include "document/document_commands.h"
#include "error.h"
#include "text/big5.h"

namespace varnoki::gui {
namespace {

constexpr int kPaletteWidth = 123;
constexpr int kChartWidth = 238;
constexpr int kSplitterWidth = 5;

}  // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kApplicationTitle);
    setWindowIcon(QIcon(QStringLiteral(":/logo.svg")));
    setGeometry(106, 80, 618, 463);
    setFont(MingFont(11));
    // A failed change of folder is of no consequence: nothing reads files relative to it.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    toolbar_ = new Toolbar(this);
    palette_ = new Palette(this);
    palette_->setFixedWidth(kPaletteWidth);
    view_ = new ChartView(chart_, this);
    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(QStringLiteral("Memo1"));
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setFont(MingFont(12));
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("Splitter1"));
    splitter_->setHandleWidth(kSplitterWidth);
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(view_);
    splitter_->addWidget(memo_);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({kChartWidth, 618 - kPaletteWidth - kChartWidth - kSplitterWidth});

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(palette_);
    body->addWidget(splitter_, 1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(toolbar_);
    column->addLayout(body, 1);

    about_ = new TFormAbout(this);
    documents_ = std::make_unique<DocumentCommands>(*this, chart_, *memo_, prompts_);

    connect(palette_, &Palette::kindClicked, this, [this](int kind) { chart_.InsertBlock(kind); });
    const auto on = [this](const char* button, auto handler) {
        connect(toolbar_->Button(QLatin1String(button)), &QToolButton::clicked, this, handler);
    };
    on("SpeedButton1", [this] { documents_->New(); });
    on("SpeedButton2", [this] { documents_->Open(); });
    on("SpeedButton3", [this] { documents_->Save(); });
    on("SpeedButton4", [this] { documents_->SaveAs(); });
    on("SpeedButton5", [this] { close(); });
    on("SpeedButton8", [this] { about_->exec(); });
    on("SpeedButton7", [this] { SpeedButton7Click(); });
    on("SpeedButton10", [this] { documents_->LoadText(); });
    on("SpeedButton9", [this] { documents_->SaveText(); });
    // The download window is not part of this program yet; its button stays inactive until it is.
    toolbar_->Button(QStringLiteral("SpeedButton6"))->setEnabled(false);
    BuildShortcuts();
    view_->setFocus();
}

TForm1::~TForm1() = default;

void TForm1::BuildShortcuts() {
    const auto bind = [this](QKeySequence keys, const char* button) {
        auto* shortcut = new QShortcut(keys, this);
        QToolButton* target = toolbar_->Button(QLatin1String(button));
        connect(shortcut, &QShortcut::activated, target, &QToolButton::click);
    };
    bind(QKeySequence::New, "SpeedButton1");
    bind(QKeySequence::Open, "SpeedButton2");
    bind(QKeySequence::Save, "SpeedButton3");
    bind(QKeySequence::SaveAs, "SpeedButton4");
    bind(QKeySequence(Qt::Key_F5), "SpeedButton7");
}

void TForm1::SpeedButton7Click() {
    try {
        const std::vector<std::string> lines = codegen::GenerateProgramText(chart_);
        QStringList shown;
        shown.reserve(static_cast<qsizetype>(lines.size()));
        for (const std::string& line : lines) shown << text::Big5ToUnicode(line);
        memo_->setPlainText(shown.join(QLatin1Char('\n')));
    } catch (const Error& error) {
        prompts_.ShowError(this, QString::fromUtf8(error.what()));
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (documents_->AskToSave())
        event->accept();
    else
        event->ignore();
}

}  // namespace varnoki::gui
