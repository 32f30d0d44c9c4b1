#include "app/toolbar.h"

#include <QIcon>
#include <QToolButton>

namespace varnoki::gui {
namespace {

struct ButtonPlace {
    const char* name;
    int left;
    const char* picture;
    const char* tip;  // for the keyboard and the curious: the buttons carry no caption
};

constexpr ButtonPlace kButtons[] = {
    {"SpeedButton1", 2, "new", "新建流程圖"},
    {"SpeedButton2", 29, "open", "打開流程圖"},
    {"SpeedButton3", 56, "save", "保存流程圖"},
    {"SpeedButton4", 83, "save_as", "流程圖另存為"},
    {"SpeedButton5", 117, "close", "關閉"},
    {"SpeedButton8", 144, "about", "關于"},
    {"SpeedButton7", 306, "generate", "生成程序"},
    {"SpeedButton6", 333, "download", "下載到控制板"},
    {"SpeedButton10", 401, "load_text", "讀入程序文本"},
    {"SpeedButton9", 428, "save_text", "保存程序文本"},
};

constexpr int kButtonSize = 27;
constexpr int kButtonTop = 2;
constexpr int kPanelHeight = 31;

}  // namespace

Toolbar::Toolbar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Panel1"));
    setFixedHeight(kPanelHeight);
    for (const ButtonPlace& place : kButtons) {
        auto* button = new QToolButton(this);
        button->setObjectName(QLatin1String(place.name));
        button->setAutoRaise(true);
        button->setIcon(QIcon(QStringLiteral(":/toolbar/%1.svg").arg(QLatin1String(place.picture))));
        button->setIconSize(QSize(kButtonSize - 4, kButtonSize - 4));
        button->setGeometry(place.left, kButtonTop, kButtonSize, kButtonSize);
        button->setToolTip(QString::fromUtf8(place.tip));
        button->setAccessibleName(QString::fromUtf8(place.tip));
    }
}

QToolButton* Toolbar::Button(const QString& name) const { return findChild<QToolButton*>(name); }

}  // namespace varnoki::gui
