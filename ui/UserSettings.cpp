#include "UserSettings.h"

namespace umbrascope {

std::unique_ptr<QSettings> UserSettings() {
    return std::make_unique<QSettings>(QStringLiteral("Umbrascope"), QStringLiteral("Umbrascope"));
}

} // namespace umbrascope
