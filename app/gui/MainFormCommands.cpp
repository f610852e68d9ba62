// The project commands of the main window (New, Open, Save, Save As, Exit), the question
// before a changed session is discarded, undo and redo, and the help.

#include "MainForm.h"

#include "Help.h"
#include "SaveLockWait.h"
#include "base/FileUtils.h"
#include "model/Cp1251.h"
#include "model/MediaPath.h"
#include "model/ProjectFile.h"
#include "model/ProjectLoader.h"
#include "model/SessionFiles.h"
#include "model/SessionMedia.h"
#include "model/SessionState.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBoxes.h"
#include "ui/ShownNames.h"
#include "ui/ShownText.h"
#include "ui/UiText.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

namespace umbrascope {

namespace {

QString ProjectFilter() {
    return TMainForm::tr("Проект Umbrascope (*.usp)");
}

} // namespace

std::optional<QString> TMainForm::ChooseProjectToOpen() {
    return ChooseExistingFile(this, preferences_, QStringLiteral("OpenSessionDialog"),
                              ProjectFilter(), FileKind::Project);
}

std::optional<QString> TMainForm::ChooseProjectToSave() {
    // Save As replaces a file of the chosen name without asking.
    return ChooseFileToSave(this, preferences_,
                            {QStringLiteral("SaveSessionDialog"), ProjectFilter(),
                             FileKind::Project, OverwriteQuestion::DontAsk, QString(),
                             ProjectDisplayName(), QString()});
}

bool TMainForm::MayDiscardSession() {
    if (!document_.History().Modified())
        return true;
    QMessageBox question(
        QMessageBox::Question, QApplication::applicationName(),
        tr("Сохранить изменения в проекте «%1»?").arg(ShortenedName(ProjectDisplayName())),
        QMessageBox::NoButton, this);
    question.setObjectName(QStringLiteral("SaveChangesQuestion"));
    QPushButton* yes = question.addButton(tr("&Да"), QMessageBox::YesRole);
    QPushButton* no = question.addButton(tr("&Нет"), QMessageBox::NoRole);
    QPushButton* cancel = question.addButton(tr("&Отмена"), QMessageBox::RejectRole);
    question.setDefaultButton(yes);
    question.setEscapeButton(cancel);
    question.exec();
    if (question.clickedButton() == yes)
        return SaveCommand();
    return question.clickedButton() == no;
}

void TMainForm::NewMIClick() {
    if (!MayDiscardSession())
        return;
    document_.ResetProject();
    // A new project's state computes without failure.
    (void)transport_.Rewind(document_.Contents());
    openedDamaged_ = false;
    SessionReplaced();
    UpdateDisplay();
}

void TMainForm::OpenMIClick() {
    if (!MayDiscardSession())
        return;
    if (const auto path = ChooseProjectToOpen())
        OpenProjectPath(*path);
}

void TMainForm::OpenRecentProject(const QString& path) {
    if (MayDiscardSession())
        OpenProjectPath(path);
}

void TMainForm::ShowRecentProjects() {
    RecentProjectsMG->clear();
    const QStringList projects = preferences_.RecentProjects();
    for (const QString& path : projects) {
        // Numbered, so that each has an access key of its own.
        // A name from the settings file neither acts nor spans the screen; the tip holds it
        // whole.
        QAction* item = RecentProjectsMG->addAction(
            QStringLiteral("&%1 %2").arg(QString::number(RecentProjectsMG->actions().size() + 1),
                                         ShortenedName(path).replace(u'&', QStringLiteral("&&"))));
        item->setToolTip(NeutralisedName(path));
        item->setStatusTip(item->toolTip());
        // A project that has gone stays listed, greyed, in case its disk comes back.
        item->setEnabled(QFileInfo(path).isFile());
        connect(item, &QAction::triggered, this,
                [this, path] { Guarded(this, [&] { OpenRecentProject(path); }); });
    }
    RecentProjectsMG->menuAction()->setEnabled(!projects.isEmpty());
}

void TMainForm::OpenProjectPath(const QString& chosen) {
    if (!QFileInfo(chosen).exists())
        return;
    // A project that fails to open leaves a new one, and the caption says so.
    ProjectLoad load = LoadProject(chosen.toStdString());
    document_.ReplaceSession(std::move(load.session), std::move(load.projectFileName));
    const auto stateError = transport_.Rewind(document_.Contents());
    openedDamaged_ = !load.damage.Empty();
    SessionReplaced();
    if (!load.recovery.Empty())
        ShowMessageBox(this, ShownText(load.recovery));
    switch (load.outcome) {
    case ProjectLoad::Outcome::Opened:
        preferences_.RememberRecentProject(QString::fromStdString(load.path.string()));
        ShowRecentProjects();
        if (openedDamaged_)
            ShowMessageBox(
                this, tr("%1\n\nОткрыто то, что удалось прочитать; недостающие значения равны "
                         "нулю или пусты. Чтобы не затереть исходный файл, сохраните проект под "
                         "другим именем.")
                          .arg(ShownText(load.damage)));
        ShowMissingMedia();
        break;
    case ProjectLoad::Outcome::Unreadable:
        ShowMessageBox(this, QString::fromStdString(load.path.string()) + QStringLiteral(": ") +
                                 ShownText(load.message));
        break;
    case ProjectLoad::Outcome::WrongFormat:
        ShowMessageBox(this, ShownText(WrongFormatMessageFor(load.path.string())));
        break;
    default:
        ShowMessageBox(this, ShownText(load.message));
        break;
    }
    ShowStateError(stateError);
    UpdateDisplay();
}

void TMainForm::ShowMissingMedia() {
    const auto missing = MissingMedia(document_.Contents(), document_.ProjectFolder());
    if (!missing.empty())
        ShowMessageBox(this, ShownText(MissingMediaMessage(missing)));
}

void TMainForm::SaveMIClick() {
    SaveCommand();
}

bool TMainForm::SaveCommand() {
    const std::string file = document_.ProjectFileName;
    if (!MediaFileExists(file))
        return SaveAsCommand();
    const QString path = FromModelText(file);
    if (openedDamaged_ && !ConfirmOverwriteDamaged(path))
        return SaveAsCommand();
    if (!WriteProject(file, path))
        return false;
    document_.Saved(file);
    openedDamaged_ = false;
    ProjectSaved(path);
    return true;
}

bool TMainForm::ConfirmOverwriteDamaged(const QString& path) {
    return AskYesNo(this, QApplication::applicationName(),
                    tr("Проект был открыт из повреждённого файла %1.\nЗаписать его поверх "
                       "этого файла?\n\n«Нет» — сохранить проект в другой файл.")
                        .arg(path),
                    true, true);
}

void TMainForm::SaveAsMIClick() {
    SaveAsCommand();
}

bool TMainForm::SaveAsCommand() {
    const auto path = ChooseProjectToSave();
    return path && SaveProjectAs(*path);
}

bool TMainForm::SaveProjectAs(const QString& chosen) {
    QString path = QFileInfo(chosen).absoluteFilePath();
    auto modelPath = ToModelText(path);
    if (!modelPath) {
        ShowMessageBox(this, UnrepresentablePathMessage(path));
        return false;
    }
    if (AnsiUpperCase(ExtractFileExt(*modelPath)) != ".USP") {
        *modelPath += ".usp";
        path += QStringLiteral(".usp");
    }
    if (RefusesOutputOverSession(path, true) || !WriteProject(*modelPath, path))
        return false;
    // The saved file is the project from now on: the next Save writes it, and media files
    // are looked for beside it.
    document_.Saved(*modelPath);
    openedDamaged_ = false;
    ProjectSaved(path);
    return true;
}

bool TMainForm::WriteProject(const std::string& modelPath, const QString& path) {
    SaveLockWait waiting(this, path);
    try {
        SaveProjectFile(modelPath, document_.Contents(), waiting.Options());
    } catch (const IoError& error) {
        ShowMessageBox(this, path + QStringLiteral(": ") + QString::fromUtf8(error.what()));
        return false;
    }
    if (const QString notices = waiting.Notices(); !notices.isEmpty())
        ShowMessageBox(this, notices);
    return true;
}

bool TMainForm::RefusesOutputOverSession(const QString& path, bool projectMayBeReplaced) {
    const auto file =
        SessionFileAt(document_.Contents(), document_.ProjectFileName, path.toStdString());
    if (!file || (projectMayBeReplaced && file->kind == SessionFile::Kind::Project))
        return false;
    const QString name = NeutralisedName(FromModelText(file->path));
    ShowMessageBox(this, file->kind == SessionFile::Kind::Project
                             ? tr("%1 — это файл самого проекта. Ничего не записано: выберите "
                                  "другое имя.")
                                   .arg(name)
                             : tr("%1 — это файл, который сеанс воспроизводит или показывает. "
                                  "Ничего не записано: выберите другое имя.")
                                   .arg(name));
    return true;
}

void TMainForm::ProjectSaved(const QString& path) {
    ShowProjectCaption();
    preferences_.RememberRecentProject(path);
    ShowRecentProjects();
}

void TMainForm::SessionReplaced() {
    discardAgreed_ = false;
    ShowProjectCaption();
    ShowUndoSteps();
}

void TMainForm::RunEditingCommand(const UserText& stepName, const std::function<void()>& command) {
    if (transport_.IsPlaying())
        return;
    const Session before = document_.Contents();
    const auto record = [&] {
        document_.RecordEdit(stepName, before);
        SessionEdited();
    };
    try {
        command();
    } catch (...) {
        record(); // whatever a failing command changed can still be taken back
        throw;
    }
    record();
}

void TMainForm::UndoLastEdit() {
    if (transport_.IsPlaying() || !document_.History().CanUndo())
        return;
    document_.Undo();
    SessionEdited();
    Refresh();
}

void TMainForm::RedoUndoneEdit() {
    if (transport_.IsPlaying() || !document_.History().CanRedo())
        return;
    document_.Redo();
    SessionEdited();
    Refresh();
}

void TMainForm::SessionEdited() {
    // A shorter session keeps the position inside it, as the session parameters command does.
    transport_.KeepPositionInSession(document_.SessionLength);
    discardAgreed_ = false;
    ShowProjectCaption();
    ShowUndoSteps();
}

void TMainForm::ShowUndoSteps() {
    const EditHistory& history = document_.History();
    // A menu caption names the step without its access key and without the dots that say a
    // dialog follows.
    const auto stepName = [](const UserText& name) {
        QString caption = WithoutAccessKey(ShownText(name));
        if (caption.endsWith(QStringLiteral("...")))
            caption.chop(3);
        return caption;
    };
    const UserText undo = history.UndoName();
    UndoMI->setText(undo.Empty() ? tr("&Отменить") : tr("&Отменить «%1»").arg(stepName(undo)));
    UndoMI->setEnabled(history.CanUndo());
    const UserText redo = history.RedoName();
    RedoMI->setText(redo.Empty() ? tr("&Повторить") : tr("&Повторить «%1»").arg(stepName(redo)));
    RedoMI->setEnabled(history.CanRedo());
}

void TMainForm::ExitMIClick() {
    close();
}

void TMainForm::HelpMIClick() {
    ShowHelp(this, language_.Current());
}

} // namespace umbrascope
