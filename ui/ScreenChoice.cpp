#include "ScreenChoice.h"

#include "ui/MessageBoxes.h"
#include "ui/Preferences.h"
#include "visual/PresentationScreens.h"

#include <QActionGroup>
#include <QMenu>
#include <QScreen>

namespace umbrascope {

void ListPresentationScreens(QMenu& menu, Preferences& preferences,
                             const std::function<void(const QString&)>& chosen) {
    menu.clear();
    qDeleteAll(menu.findChildren<QActionGroup*>(QString(), Qt::FindDirectChildrenOnly));
    auto* group = new QActionGroup(&menu);
    const QScreen* used = ScreenNamed(preferences.PresentationScreen());
    for (QScreen* screen : PresentationScreens()) {
        QAction* item = menu.addAction(ScreenCaption(*screen).replace(u'&', QStringLiteral("&&")));
        item->setCheckable(true);
        item->setChecked(screen == used);
        group->addAction(item);
        const QString name = screen->name();
        QObject::connect(item, &QAction::triggered, &menu, [&menu, &preferences, name, chosen] {
            Guarded(menu.parentWidget(), [&] {
                preferences.ChoosePresentationScreen(name);
                chosen(name);
            });
        });
    }
}

} // namespace umbrascope
