#pragma once

// The open-file dialogs of the editing dialogs. User-interface thread only.

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
