#pragma once

// Preferences of a test's own, in a scratch folder that goes with them, so that no test reads
// or writes the user's.

#include "ui/Preferences.h"

#include <QTemporaryDir>

namespace umbrascope {

struct ScratchPreferences {
    QTemporaryDir folder;
    Preferences preferences{folder.filePath(QStringLiteral("Umbrascope.conf"))};
};

} // namespace umbrascope
