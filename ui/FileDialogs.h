#pragma once

// The file dialogs of the editing dialogs and the main window. Each kind of file has its own
// folder, the one last used for it, kept in the user's preferences (not in the project); a
// dialog opens there. User-interface thread only.

#include "Preferences.h"

#include <QString>

#include <optional>
#include <string>

class QWidget;

namespace umbrascope {

// File-dialog filters written the Windows way ("Description|*.a;*.b|...") as Qt filters with
// the same descriptions ("Description (*.a *.b);;...").
QString QtFileFilter(const QString& windowsFilter);

// Runs an open-file dialog named objectName with a Qt filter. The chosen path (UTF-8), or empty
// when the user cancels.
std::optional<QString> ChooseExistingFile(QWidget* owner, Preferences& preferences,
                                          const QString& objectName, const QString& filter,
                                          FileKind kind);

// The same with a Windows filter, giving the chosen file's full path as model text; empty also
// when Windows-1251 cannot hold the path (the user is told).
std::optional<std::string> ChooseFileToOpen(QWidget* owner, Preferences& preferences,
                                            const QString& objectName, const QString& windowsFilter,
                                            FileKind kind);

// Whether a save dialog asks before an existing file is chosen.
enum class OverwriteQuestion { Ask, DontAsk };

struct SaveDialogChoices {
    QString objectName;
    QString filter; // a Qt filter: "Description (*.ext)"
    FileKind kind = FileKind::Project;
    OverwriteQuestion question = OverwriteQuestion::Ask;
    QString defaultSuffix;  // added to a name typed without one
    QString proposedName;   // the file name the dialog offers
    QString fallbackFolder; // where it opens while no folder of its kind has been used
};

// Runs a save-file dialog. The chosen path (UTF-8), or empty when the user cancels.
std::optional<QString> ChooseFileToSave(QWidget* owner, Preferences& preferences,
                                        const SaveDialogChoices& choices);

} // namespace umbrascope
