#pragma once

// The user's own settings of the program (recent projects, the warnings the user has seen),
// kept in the user's configuration folder. User-interface thread only.

#include <QSettings>

#include <memory>

namespace umbrascope {

std::unique_ptr<QSettings> UserSettings();

} // namespace umbrascope
