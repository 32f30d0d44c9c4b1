#include "common/fonts.h"

#include <QStringList>

namespace varnoki::gui {

QFont MingFont(int pixelSize, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("新細明體"), QStringLiteral("PMingLiU"), QStringLiteral("AR PL UMing TW"),
                      QStringLiteral("AR PL UMing")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

}  // namespace varnoki::gui
