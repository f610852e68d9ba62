#include "PresentationScreens.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace umbrascope {

QList<QScreen*> PresentationScreens() {
    QList<QScreen*> screens = QGuiApplication::screens();
    if (QScreen* primary = QGuiApplication::primaryScreen()) {
        screens.removeAll(primary);
        screens.prepend(primary);
    }
    return screens;
}

QSize NativeSize(const QScreen& screen) {
    const qreal ratio = screen.devicePixelRatio();
    const QSize size = screen.geometry().size();
    return {static_cast<int>(std::lround(size.width() * ratio)),
            static_cast<int>(std::lround(size.height() * ratio))};
}

QString ScreenCaption(const QScreen& screen) {
    const QSize size = NativeSize(screen);
    return QCoreApplication::translate("umbrascope::PresentationScreens", "%1: %2 × %3, %4 Гц")
        .arg(screen.name(), QString::number(size.width()), QString::number(size.height()),
             QString::number(std::lround(screen.refreshRate())));
}

QScreen* ScreenNamed(const QString& name) {
    for (QScreen* screen : QGuiApplication::screens())
        if (!name.isEmpty() && screen->name() == name)
            return screen;
    return QGuiApplication::primaryScreen();
}

QScreen* ScreenNumbered(int number) {
    const QList<QScreen*> screens = PresentationScreens();
    return number >= 1 && number <= screens.size() ? screens[number - 1] : nullptr;
}

} // namespace umbrascope
