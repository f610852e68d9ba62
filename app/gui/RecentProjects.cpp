#include "RecentProjects.h"

#include "ui/UserSettings.h"

#include <QFileInfo>

namespace umbrascope {

namespace {

const QString RecentSetting = QStringLiteral("RecentProjects");

} // namespace

QStringList RecentProjects() {
    QStringList projects = UserSettings()->value(RecentSetting).toStringList();
    projects.removeAll(QString());
    return projects.mid(0, MaxRecentProjects);
}

void RememberRecentProject(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList projects = RecentProjects();
    projects.removeAll(absolute);
    projects.prepend(absolute);
    UserSettings()->setValue(RecentSetting, projects.mid(0, MaxRecentProjects));
}

} // namespace umbrascope
