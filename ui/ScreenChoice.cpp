#include "ScreenChoice.h"

#include "ui/MessageBoxes.h"
#include "ui/UserSettings.h"
#include "visual/PresentationScreens.h"

#include <QActionGroup>
#include <QMenu>
#include <QScreen>

namespace umbrascope {

namespace {

const QString ScreenSetting = QStringLiteral("PresentationScreen");

} // namespace

QString ChosenScreenName() {
    return UserSettings()->value(ScreenSetting).toString();
}

void RememberChosenScreen(const QString& name) {
    UserSettings()->setValue(ScreenSetting, name);
}

void ListPresentationScreens(QMenu& menu, const std::function<void(const QString&)>& chosen) {
    menu.clear();
    qDeleteAll(menu.findChildren<QActionGroup*>(QString(), Qt::FindDirectChildrenOnly));
    auto* group = new QActionGroup(&menu);
    const QScreen* used = ScreenNamed(ChosenScreenName());
    for (QScreen* screen : PresentationScreens()) {
        QAction* item = menu.addAction(ScreenCaption(*screen).replace(u'&', QStringLiteral("&&")));
        item->setCheckable(true);
        item->setChecked(screen == used);
        group->addAction(item);
        const QString name = screen->name();
        QObject::connect(item, &QAction::triggered, &menu, [&menu, name, chosen] {
            Guarded(menu.parentWidget(), [&] {
                RememberChosenScreen(name);
                chosen(name);
            });
        });
    }
}

} // namespace umbrascope
