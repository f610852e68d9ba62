#pragma once

// The file dialogs of the editing dialogs and the main window. User-interface thread only.

#include <QString>

#include <optional>
#include <string>

class QWidget;

// File-dialog filters written the Windows way ("Description|*.a;*.b|...") as Qt filters with
// the same descriptions ("Description (*.a *.b);;...").
QString QtFileFilter(const QString& windowsFilter);

// Runs an open-file dialog named objectName. The chosen file's full path as model text, or
// empty when the user cancels or when Windows-1251 cannot hold the path (the user is told).
std::optional<std::string> ChooseFileToOpen(QWidget* owner, const QString& objectName,
                                            const QString& windowsFilter);

// Whether a save dialog asks before an existing file is chosen.
enum class OverwriteQuestion { Ask, DontAsk };

// Runs a save-file dialog named objectName with a Qt filter ("Description (*.ext)"). The chosen
// path (UTF-8), or empty when the user cancels. defaultSuffix, when given, is added to a name
// typed without one; suggestedPath, when given, is the folder and name the dialog opens on.
std::optional<QString> ChooseFileToSave(QWidget* owner, const QString& objectName,
                                        const QString& filter, OverwriteQuestion question,
                                        const QString& defaultSuffix = QString(),
                                        const QString& suggestedPath = QString());
