#pragma once

#include <QDialog>

namespace varnoki::gui {

// "關于": the product, its version and the publisher, with two links that open in the browser.
class TFormAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFormAbout(QWidget* parent = nullptr);

protected:
    // Centred on the screen, not on the window that opened it.
    void showEvent(QShowEvent* event) override;
};

}  // namespace varnoki::gui
