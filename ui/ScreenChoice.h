#pragma once

// The screen the full-screen picture shows on, as the user chose it under «Экран показа»: kept
// in the user's settings, not in the project (whose file stays as earlier versions wrote it).
// User-interface thread only.

#include <QString>

#include <functional>

class QMenu;

namespace umbrascope {

// The chosen screen's name; empty when none was chosen (the primary screen).
QString ChosenScreenName();
void RememberChosenScreen(const QString& name);

// Lists the connected screens in menu, the primary first, with the one a play would use checked
// (the primary when the chosen one is gone). Choosing one remembers it and calls chosen with its
// name.
void ListPresentationScreens(QMenu& menu, const std::function<void(const QString&)>& chosen);

} // namespace umbrascope
