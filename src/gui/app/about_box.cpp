#include "app/about_box.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSvgWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "app/app_info.h"
#include "common/fonts.h"

namespace varnoki::gui {
namespace {

QLabel* MakeLink(const QString& objectName, const QString& caption, const QString& address, QWidget* parent) {
    auto* label = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(address, caption), parent);
    label->setObjectName(objectName);
    label->setCursor(Qt::PointingHandCursor);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    QObject::connect(label, &QLabel::linkActivated, label, [](const QString& link) { QDesktopServices::openUrl(QUrl(link)); });
    return label;
}

}  // namespace

TFormAbout::TFormAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(QStringLiteral("關于"));
    setFixedSize(561, 411);
    setFont(MingFont(12));

    auto* picture = new QSvgWidget(QStringLiteral(":/about.svg"), this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setFixedSize(200, 300);

    auto* product = new QLabel(QStringLiteral("VARNOKI流程圖軟件"), this);
    product->setObjectName(QStringLiteral("Label1"));
    product->setFont(MingFont(28, true));
    auto* version = new QLabel(QStringLiteral("版本:2.0"), this);
    version->setObjectName(QStringLiteral("Label2"));
    version->setFont(MingFont(16));
    auto* publisher = new QLabel(kPublisherDetails, this);
    publisher->setObjectName(QStringLiteral("Label3"));
    publisher->setFont(MingFont(14));
    publisher->setWordWrap(true);

    auto* ok = new QPushButton(QStringLiteral("確定"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(product);
    text->addWidget(version);
    text->addSpacing(16);
    text->addWidget(publisher);
    text->addWidget(MakeLink(QStringLiteral("Label4"), QStringLiteral("工坊網站"), kPublisherHomePage, this));
    text->addWidget(MakeLink(QStringLiteral("Label5"), QStringLiteral("教材與範例下載"), kPublisherLessonsPage, this));
    text->addStretch(1);
    text->addWidget(ok, 0, Qt::AlignRight);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(20, 20, 20, 20);
    row->setSpacing(24);
    row->addWidget(picture, 0, Qt::AlignTop);
    row->addLayout(text, 1);
}

void TFormAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* shown = screen()) move(shown->availableGeometry().center() - rect().center());
}

}  // namespace varnoki::gui
