// The project commands of the main window (New, Open, Save, Save As, Exit) and its help.

#include "MainForm.h"

#include "Help.h"
#include "base/FileUtils.h"
#include "model/Common.h"
#include "model/Cp1251.h"
#include "model/MediaPath.h"
#include "model/ProjectFile.h"
#include "model/ProjectLoader.h"
#include "model/SessionState.h"
#include "ui/MessageBoxes.h"
#include "ui/UiText.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

const QString ProjectFilter = QStringLiteral("Проект Umbrascope (*.usp)");

std::optional<QString> RunFileDialog(QWidget* owner, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner, QString(), QString(), ProjectFilter);
    dialog.setObjectName(mode == QFileDialog::AcceptOpen ? QStringLiteral("OpenSessionDialog")
                                                         : QStringLiteral("SaveSessionDialog"));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    // Save As replaces a file of the chosen name without asking.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

} // namespace

std::optional<QString> TMainForm::ChooseProjectToOpen() {
    return RunFileDialog(this, QFileDialog::AcceptOpen);
}

std::optional<QString> TMainForm::ChooseProjectToSave() {
    return RunFileDialog(this, QFileDialog::AcceptSave);
}

void TMainForm::NewMIClick() {
    ResetProject();
    ShowProjectCaption();
    ShowStateError(ComputeStateAt(0));
    UpdateDisplay();
}

void TMainForm::OpenMIClick() {
    if (const auto path = ChooseProjectToOpen())
        OpenProjectPath(*path);
}

void TMainForm::OpenProjectPath(const QString& chosen) {
    if (!QFileInfo(chosen).exists())
        return;
    // A project that fails to open leaves a new one, and the caption says so.
    const ProjectLoad load = LoadProject(chosen.toStdString());
    switch (load.outcome) {
    case ProjectLoad::Outcome::Opened:
        break;
    case ProjectLoad::Outcome::Unreadable:
        ShowMessageBox(this, QString::fromStdString(load.path.string() + ": " + load.message));
        break;
    default:
        ShowMessageBox(this, QString::fromStdString(load.message));
        break;
    }
    ShowProjectCaption();
    ShowStateError(ComputeStateAt(0));
    UpdateDisplay();
}

void TMainForm::SaveMIClick() {
    if (!MediaFileExists(ProjectFileName)) {
        SaveAsMIClick();
        return;
    }
    try {
        SaveProjectFile(ProjectFileName);
    } catch (const EInOutError& error) {
        ShowMessageBox(this, FromModelText(ProjectFileName) + QStringLiteral(": ") +
                                 QString::fromUtf8(error.what()));
    }
}

void TMainForm::SaveAsMIClick() {
    if (const auto path = ChooseProjectToSave())
        SaveProjectAs(*path);
}

void TMainForm::SaveProjectAs(const QString& chosen) {
    QString path = QFileInfo(chosen).absoluteFilePath();
    auto modelPath = ToModelText(path);
    if (!modelPath) {
        ShowMessageBox(this, UnrepresentablePathMessage(path));
        return;
    }
    if (AnsiUpperCase(ExtractFileExt(*modelPath)) != ".USP") {
        *modelPath += ".usp";
        path += QStringLiteral(".usp");
    }
    try {
        SaveProjectFile(*modelPath);
    } catch (const EInOutError& error) {
        ShowMessageBox(this, path + QStringLiteral(": ") + QString::fromUtf8(error.what()));
        return;
    }
    // The saved file is the project from now on: the next Save writes it, and media files
    // are looked for beside it.
    ProjectFileName = *modelPath;
    ShowProjectCaption();
}

void TMainForm::ExitMIClick() {
    close();
}

void TMainForm::HelpMIClick() {
    ShowHelp(this);
}
