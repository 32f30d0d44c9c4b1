#pragma once

namespace varnoki::gui {

// The pictures are compiled into the GUI library; a static library has to register them by hand.
void InitResources();

}  // namespace varnoki::gui
