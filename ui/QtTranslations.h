#pragma once

#include <memory>

class QTranslator;

namespace umbrascope {

// Qt's own windows and texts (the file, colour and font dialogs, the buttons of message boxes,
// the menus of edit fields) in Russian when the program speaks Russian: Qt's translations of
// them, found where this Qt keeps its translations. User-interface thread only.

// Installs the translations into the application and returns them (they leave the application
// as they go), or null when they are not installed on this machine.
std::unique_ptr<QTranslator> InstallQtTranslations();

} // namespace umbrascope
