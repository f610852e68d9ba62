#include "Desktop.h"

#include "EndSignals.h"
#include "MainForm.h"
#include "audio/device/AudioStream.h"
#include "play/DisplayCheck.h"
#include "ui/Language.h"
#include "ui/MessageBoxes.h"
#include "ui/Preferences.h"

#include <QIcon>
#include <QSessionManager>

#include <iostream>

namespace umbrascope {

int RunDesktopProgram(int argc, char** argv) {
    // Without a display Qt would abort; say what is wrong instead.
    if (!DisplayAvailable()) {
        std::cerr << "umbrascope: there is no display to show the window on (DISPLAY is not "
                     "set). Start it on a desktop, or see --help for the commands that need "
                     "no window.\n";
        return 1;
    }
    Application application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Umbrascope"));
    // Lets the desktop match the windows to the program's entry, and shows the installed icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("umbrascope"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("umbrascope")));
    Preferences preferences;
    WindowLanguage language;
    if (!language.Apply(PreferredLanguage(preferences)))
        std::cerr << "umbrascope: Qt's Russian translations (qtbase_ru.qm, Debian package "
                     "qt6-translations-l10n) are not installed; the standard dialogs speak "
                     "English.\n";
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    int status = 0;
    {
        // Caught before the window starts, so that a signal during its start-up ends it cleanly.
        EndSignals endSignals;
        TMainForm mainForm(arguments, {preferences, language, {}});
        QObject::connect(&endSignals, &EndSignals::Received, &mainForm,
                         [&mainForm] { Guarded(&mainForm, [&] { mainForm.EndOnSignal(); }); });
        QObject::connect(&mainForm, &TMainForm::Ended, &application, &QApplication::quit,
                         Qt::QueuedConnection);
        QObject::connect(&application, &QGuiApplication::commitDataRequest, &mainForm,
                         [&mainForm](QSessionManager& session) {
                             if (!mainForm.CommitSessionData(session.allowsInteraction()))
                                 session.cancel();
                             session.release();
                         });
        endSignals.Listen();
        mainForm.show();
        status = QApplication::exec();
    } // a session still playing stops with the main window, and its track threads end
    QuitAudioOutput();
    return status;
}

} // namespace umbrascope
