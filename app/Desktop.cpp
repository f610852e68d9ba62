#include "Desktop.h"

#include "MainForm.h"
#include "MessageBoxes.h"
#include "MessageBridge.h"
#include "audio/AudioStream.h"
#include "audio/PlayUtils.h"

int RunDesktopProgram(int argc, char** argv) {
    TApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Umbrascope"));
    MessageBridge messages;
    InstallUserMessages(&messages);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    int status = 0;
    {
        TMainForm mainForm(arguments);
        mainForm.show();
        status = QApplication::exec();
    } // a session still playing stops with the main window
    EndSound(messages);
    return status;
}

void EndSound(MessageBridge& messages) {
    messages.Close();
    StopAndJoinAllTrackThreads();
    InstallUserMessages(nullptr);
    QuitAudioOutput();
}
