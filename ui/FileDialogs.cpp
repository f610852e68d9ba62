#include "FileDialogs.h"

#include "MessageBoxes.h"
#include "UiText.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace umbrascope {

namespace {

// The folder last used for kind, or fallback while none has been (or it has gone).
QString StartFolder(const Preferences& preferences, FileKind kind, const QString& fallback) {
    const QString used = preferences.LastFolder(kind);
    return !used.isEmpty() && QFileInfo(used).isDir() ? used : fallback;
}

std::optional<QString> Run(QFileDialog& dialog, Preferences& preferences, FileKind kind) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = dialog.selectedFiles().first();
    preferences.RememberFolder(kind, QFileInfo(path).absolutePath());
    return path;
}

} // namespace

QString QtFileFilter(const QString& windowsFilter) {
    const QStringList parts = windowsFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        // A description that lists its patterns in brackets gets the patterns Qt reads there.
        if (description.endsWith(QLatin1Char(')')) && description.contains(QLatin1Char('(')))
            description = description.left(description.lastIndexOf(QLatin1Char('('))).trimmed();
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            pattern = pattern.trimmed();
        filters << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<QString> ChooseExistingFile(QWidget* owner, Preferences& preferences,
                                          const QString& objectName, const QString& filter,
                                          FileKind kind) {
    QFileDialog dialog(owner, QString(), StartFolder(preferences, kind, QString()), filter);
    dialog.setObjectName(objectName);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Run(dialog, preferences, kind);
}

std::optional<std::string> ChooseFileToOpen(QWidget* owner, Preferences& preferences,
                                            const QString& objectName, const QString& windowsFilter,
                                            FileKind kind) {
    const auto path =
        ChooseExistingFile(owner, preferences, objectName, QtFileFilter(windowsFilter), kind);
    if (!path)
        return std::nullopt;
    auto modelPath = ToModelText(*path);
    if (!modelPath)
        ShowMessageBox(owner, UnrepresentablePathMessage(*path));
    return modelPath;
}

std::optional<QString> ChooseFileToSave(QWidget* owner, Preferences& preferences,
                                        const SaveDialogChoices& choices) {
    QFileDialog dialog(owner, QString(),
                       StartFolder(preferences, choices.kind, choices.fallbackFolder),
                       choices.filter);
    dialog.setObjectName(choices.objectName);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(choices.defaultSuffix);
    if (!choices.proposedName.isEmpty())
        dialog.selectFile(choices.proposedName);
    if (choices.question == OverwriteQuestion::DontAsk)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return Run(dialog, preferences, choices.kind);
}

} // namespace umbrascope
