#pragma once

// The screen the full-screen picture shows on, as the user chose it under «Экран показа»: kept
// in the user's preferences, not in the project (whose file stays as earlier versions wrote it).
// User-interface thread only.

#include <QString>

#include <functional>

class QMenu;

namespace umbrascope {

class Preferences;

// Lists the connected screens in menu, the primary first, with the one a play would use checked
// (the primary when the chosen one is gone). Choosing one remembers it in preferences (which
// must outlive the menu) and calls chosen with its name.
void ListPresentationScreens(QMenu& menu, Preferences& preferences,
                             const std::function<void(const QString&)>& chosen);

} // namespace umbrascope
