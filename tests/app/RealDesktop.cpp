#include "RealDesktop.h"

#include "QtTestSupport.h"
#include "audio/device/AudioStream.h"
#include "audio/tracks/PlayUtils.h"

#include <QGuiApplication>
#include <QTest>

namespace umbrascope {

bool StartOnXDisplay() {
    qputenv("QT_QPA_PLATFORM", "xcb");
    TestApplication();
    return QGuiApplication::platformName() == "xcb";
}

std::unique_ptr<TMainForm> ShowMainWindow(const QString& project, const ProgramServices& program) {
    auto form = std::make_unique<TMainForm>(QStringList{project}, program);
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        return nullptr;
    return form;
}

void EndSoundOfTest() {
    QuitAudioOutput();
}

} // namespace umbrascope
