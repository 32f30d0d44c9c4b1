#include "common/resources_init.h"

#include <QtGlobal>

static void InitResourcesOutsideNamespace() { Q_INIT_RESOURCE(resources); }

namespace varnoki::gui {

void InitResources() { InitResourcesOutsideNamespace(); }

}  // namespace varnoki::gui
