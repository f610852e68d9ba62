#include "UserSettings.h"

std::unique_ptr<QSettings> UserSettings() {
    return std::make_unique<QSettings>(QStringLiteral("Umbrascope"), QStringLiteral("Umbrascope"));
}
