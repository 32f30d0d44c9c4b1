#pragma once

#include <QWidget>

class QToolButton;

namespace varnoki::gui {

// Panel1: the ten flat picture buttons along the top of the main window, each at its fixed place.
class Toolbar : public QWidget {
    Q_OBJECT
public:
    explicit Toolbar(QWidget* parent = nullptr);
    // The button with the given object name ("SpeedButton1" ... "SpeedButton10").
    QToolButton* Button(const QString& name) const;
};

}  // namespace varnoki::gui
