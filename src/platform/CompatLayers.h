#pragma once
// The compatibility-mode setting of the program file. Linux has no compatibility layers, so
// the value is always empty; the start-up check stays in place for the shape of the program.
#include <QString>

namespace lark::platform {

QString compatibilityLayers(const QString& programFilePath);

} // namespace lark::platform
