#include "chart/palette.h"

#include <QIcon>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include "chart/catalogue.h"
#include "common/fonts.h"
#include "text/big5.h"

namespace varnoki::gui {
namespace {

constexpr int kPictureSize = 38;

QString PalettePicture(int index) { return QStringLiteral(":/palette/p%1.svg").arg(index, 2, 10, QLatin1Char('0')); }

QToolButton* MakeItem(const chart::BlockKind& kind, QWidget* parent) {
    auto* item = new QToolButton(parent);
    item->setObjectName(QStringLiteral("dxNavBar1Item%1").arg(kind.kind));
    item->setText(text::Big5ToUnicode(kind.caption));
    item->setIcon(QIcon(PalettePicture(kind.palettePicture)));
    item->setIconSize(QSize(kPictureSize, kPictureSize));
    item->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    item->setAutoRaise(true);
    item->setFont(MingFont(16));
    item->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return item;
}

}  // namespace

Palette::Palette(QWidget* parent) : QToolBox(parent) {
    setObjectName(QStringLiteral("dxNavBar1"));
    setFont(MingFont(16));
    for (const chart::PaletteGroup& group : chart::PaletteGroups()) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("dxNavBar1Group%1").arg(group.index + 1));
        page->setAutoFillBackground(true);
        page->setBackgroundRole(QPalette::Base);
        auto* column = new QVBoxLayout(page);
        column->setContentsMargins(2, 4, 2, 4);
        column->setSpacing(2);
        for (const chart::BlockKind* kind : chart::KindsOfGroup(group.index)) {
            QToolButton* item = MakeItem(*kind, page);
            const int number = kind->kind;
            connect(item, &QToolButton::clicked, this, [this, number] { emit kindClicked(number); });
            column->addWidget(item);
        }
        column->addStretch(1);
        // A group taller than the window scrolls instead of squeezing its items.
        auto* scroller = new QScrollArea;
        scroller->setWidget(page);
        scroller->setWidgetResizable(true);
        scroller->setFrameShape(QFrame::NoFrame);
        scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        addItem(scroller, text::Big5ToUnicode(group.caption));
    }
    setCurrentIndex(0);
}

}  // namespace varnoki::gui
