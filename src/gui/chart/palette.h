#pragma once

#include <QToolBox>

namespace varnoki::gui {

// The block palette: four groups of items, each a large picture over its caption. Clicking an item
// asks for a block of that kind; which kinds exist and where they sit comes from the catalogue.
class Palette : public QToolBox {
    Q_OBJECT
public:
    explicit Palette(QWidget* parent = nullptr);

signals:
    void kindClicked(int kind);
};

}  // namespace varnoki::gui
