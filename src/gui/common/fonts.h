#pragma once

#include <QFont>

namespace varnoki::gui {

// The Ming face the program is drawn in: 新細明體 where it exists, the free "AR PL UMing TW" otherwise,
// so Traditional Chinese renders the same way on Linux.
QFont MingFont(int pixelSize, bool bold = false);

}  // namespace varnoki::gui
