#include "CompatLayers.h"

namespace lark::platform {

QString compatibilityLayers(const QString&)
{
    return {};
}

} // namespace lark::platform
