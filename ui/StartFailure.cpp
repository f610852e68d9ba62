#include "StartFailure.h"

#include "Language.h"
#include "MessageBoxes.h"
#include "Preferences.h"

#include <QCoreApplication>

#include <memory>

namespace umbrascope {

void ShowStartFailure(const std::string& message) {
    std::unique_ptr<Application> application;
    // Declared after the application, so that they go before it.
    std::unique_ptr<WindowLanguage> language;
    int argc = 1;
    char name[] = "umbrascope";
    char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        application = std::make_unique<Application>(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Umbrascope"));
        language = std::make_unique<WindowLanguage>();
        language->Apply(PreferredLanguage(Preferences()));
    }
    ShowMessageBox(nullptr, QCoreApplication::translate("umbrascope::StartFailure",
                                                        "Сессию не удалось показать:") +
                                QStringLiteral("\n\n") + QString::fromStdString(message));
}

} // namespace umbrascope
