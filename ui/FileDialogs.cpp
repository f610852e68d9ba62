#include "FileDialogs.h"

#include "MessageBoxes.h"
#include "UiText.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

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

std::optional<std::string> ChooseFileToOpen(QWidget* owner, const QString& objectName,
                                            const QString& windowsFilter) {
    QFileDialog dialog(owner, QString(), QString(), QtFileFilter(windowsFilter));
    dialog.setObjectName(objectName);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = dialog.selectedFiles().first();
    auto modelPath = ToModelText(path);
    if (!modelPath)
        ShowMessageBox(owner, UnrepresentablePathMessage(path));
    return modelPath;
}

std::optional<QString> ChooseFileToSave(QWidget* owner, const QString& objectName,
                                        const QString& filter, OverwriteQuestion question,
                                        const QString& defaultSuffix,
                                        const QString& suggestedPath) {
    QFileDialog dialog(owner, QString(), QString(), filter);
    if (!suggestedPath.isEmpty()) {
        const QFileInfo suggested(suggestedPath);
        dialog.setDirectory(suggested.absolutePath());
        dialog.selectFile(suggested.fileName());
    }
    dialog.setObjectName(objectName);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (question == OverwriteQuestion::DontAsk)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}
