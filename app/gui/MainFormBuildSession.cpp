// Build session: the document's session as one file that plays itself on another machine.

#include "MainForm.h"

#include "base/ExportJob.h"
#include "model/BuiltSession.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBoxes.h"
#include "ui/ShownText.h"
#include "ui/UiText.h"

#include <QFileInfo>

namespace umbrascope {

namespace {

// Thrown from the copy's progress to abandon the build.
struct BuildCancelled {};

// The name the session is built under: ".run" is added unless the chosen name has it, in any
// letter case.
QString BuiltSessionName(const QString& chosen) {
    const QString name = QFileInfo(chosen).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0 && name.mid(dot).toUpper() == QLatin1String(".RUN"))
        return chosen;
    return chosen + QStringLiteral(".run");
}

// A list of files under its heading, each on a line; a long one is cut, so that the box stays
// on the screen.
void AppendFileList(QString& text, const QString& heading, const std::vector<std::string>& files) {
    constexpr std::size_t Shown = 20;
    if (files.empty())
        return;
    text += QStringLiteral("\n\n") + heading;
    for (std::size_t i = 0; i < std::min(files.size(), Shown); ++i)
        text += QStringLiteral("\n") + FromModelText(files[i]);
    if (files.size() > Shown)
        text += QStringLiteral("\n") +
                TMainForm::tr("… и ещё %n", nullptr, static_cast<int>(files.size() - Shown));
}

} // namespace

std::optional<QString> TMainForm::ChooseBuiltSessionFile() {
    SaveDialogChoices choices =
        OutputFileChoices(QStringLiteral("SaveBuildDialog"), tr("Сессия Umbrascope (*.run)"),
                          FileKind::BuiltSession, QStringLiteral("run"));
    // The question comes after the naming rule, about the file that is really replaced.
    choices.question = OverwriteQuestion::DontAsk;
    choices.defaultSuffix.clear();
    return ChooseFileToSave(this, preferences_, choices);
}

bool TMainForm::ConfirmReplace(const QString& path) {
    return AskYesNo(this, QApplication::applicationName(),
                    tr("Файл %1 уже существует.\nЗаменить его?").arg(path), true, true);
}

void TMainForm::BuildSessionMIClick() {
    if (const auto path = ChooseBuiltSessionFile())
        BuildSessionAs(*path);
}

void TMainForm::BuildSessionAs(const QString& chosen) {
    const QString path = BuiltSessionName(QFileInfo(chosen).absoluteFilePath());
    if (RefusesOutputOverSession(path, false))
        return;
    if (QFileInfo::exists(path) && !ConfirmReplace(path))
        return;
    BuiltSessionContents built; // written by the job, read once it has finished
    ExportJob job([&built, session = document_.Contents(), folder = document_.ProjectFolder(),
                   program = RunningProgramFile(),
                   target = path.toStdString()](ExportJob::Steps& steps, ExportOutcome& outcome) {
        try {
            built = BuildSessionFile(
                session, folder, program, target,
                [&steps](std::uint64_t done, std::uint64_t total) {
                    steps.total = total;
                    steps.done = done;
                    if (steps.cancelled)
                        throw BuildCancelled{};
                },
                ExportJob::WritingOptions(steps));
            outcome.written = true;
        } catch (const BuildCancelled&) {
            outcome.cancelled = true;
        }
    });
    if (!WaitForJob(tr("Сборка сессии"), job))
        return;
    if (!job.Outcome().error.Empty()) {
        ShowMessageBox(this, path + QStringLiteral(": ") + ShownText(job.Outcome().error));
        return;
    }
    // Every file that goes to others is named, and every one that was left out.
    QString text = tr("Сессия собрана в файл «%1».").arg(path);
    AppendFileList(text, tr("В неё вошли файлы:"), built.bundled);
    AppendFileList(text, tr("Не вошли файлы, которых нет на месте или которые нельзя прочитать:"),
                   built.leftOut);
    AppendFileList(text,
                   tr("Не вошли устройства и системные файлы (из /proc, /sys или /dev): они "
                      "в собранную сессию не включаются:"),
                   built.systemFiles);
    // What the file was written without (an access control list the file system refused).
    for (const UserText& notice : job.Outcome().problems)
        text += QStringLiteral("\n\n") + ShownText(notice);
    ShowMessageBox(this, text);
}

} // namespace umbrascope
