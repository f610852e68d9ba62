#pragma once

// Makes ".usp" project files open with this program, the freedesktop way: a MIME type for the
// extension and a desktop entry for the program, both written into the user's data folder at
// every start, and the maker's settings folder created empty. An installed program writes no
// such files: its installation brought them for every user. User-interface thread only.

#include <QString>

#include <optional>

namespace umbrascope {

// The texts of the two files for a program at programPath.
QString ProjectMimePackage();
QString ProgramDesktopEntry(const QString& programPath);

// Whether programPath is PREFIX/bin/umbrascope of an installation whose desktop entry
// PREFIX/share/applications/umbrascope.desktop lies where the desktop looks for entries (one
// of the XDG data folders). A program run from its build folder is not.
bool InstalledWithDesktopEntry(const QString& programPath);

// Writes both files, unless the program is installed with its desktop entry, and asks the
// desktop to re-read them. Returns the message (one line, naming the file or folder and the
// system's reason) when a file cannot be written, or when the program's path holds a control
// character (which would break the desktop entry's lines); nothing else depends on it.
std::optional<QString> RegisterProjectAssociation(const QString& programPath);

} // namespace umbrascope
