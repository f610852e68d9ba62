#pragma once

// The program's own help: HTML pages carried inside the program, written into a private folder
// of the user's own and shown by the desktop's browser. User-interface thread only.

#include "ui/Language.h"

#include <QString>

class QWidget;

namespace umbrascope {

// Where the help is written: "umbrascope-help" in the user's runtime folder when that is a
// private one, otherwise "help" in the program's cache folder.
QString HelpFolder();

// The outcome of writing the help: the start page, or the message that says why not.
struct HelpPages {
    QString startPage;
    QString error;
};

// The resources that hold the pages in language.
QString HelpResourceFolder(Language language);

// Puts the pages of resourceFolder into folder, created owner-only, unless the pages of this
// version are there already. Files in the folder are replaced, never written through: a link
// planted in it stays as it was, and so does what it points to.
HelpPages WriteHelpPages(const QString& folder, const QString& version,
                         const QString& resourceFolder = QStringLiteral(":/help/"));

// Writes the help in the language in force and asks the desktop to show its start page; a failure
// of either is shown in a message box owned by owner.
void ShowHelp(QWidget* owner, Language language);

} // namespace umbrascope
