#pragma once

// The projects last opened or saved, newest first, kept in the user's settings so the "Файл"
// menu offers them again in the next run. User-interface thread only.

#include <QString>
#include <QStringList>

namespace umbrascope {

constexpr int MaxRecentProjects = 8;

// Absolute paths (UTF-8 as the file system names them), newest first, at most
// MaxRecentProjects.
QStringList RecentProjects();

// Puts the project first, once, dropping the oldest beyond the limit.
void RememberRecentProject(const QString& path);

} // namespace umbrascope
