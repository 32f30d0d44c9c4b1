#pragma once

#include <QDialog>

namespace varnoki::gui {

// "關于": the product, its version and the publisher, with two links that open in the browser.
class TFormAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFormAbout(QWidget* parent = nullptr);
};

}  // namespace varnoki::gui
