// Exports from the main window: the session's sound as a WAV or FLAC file at 44100 Hz, or the
// session as an MP4 video of the size and frame rate chosen, each of the stretch chosen and made
// on a worker thread while a progress dialog shows the share done and the time left and offers
// to cancel (building a session waits the same way). The sound goes through the same export as
// the command line's.

#include "MainForm.h"

#include "audio/export/SoundExportJob.h"
#include "audio/export/SoundFileFormats.h"
#include "base/ExportOutcome.h"
#include "dialogs/ExportSoundDialog.h"
#include "dialogs/ExportVideoDialog.h"
#include "export/VideoExportJob.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBoxes.h"
#include "ui/ShownText.h"
#include "ui/UiText.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace umbrascope {

namespace {

constexpr int ExportRate = 44100;

// The whole per cent done, as both the text and the bar show it.
int PercentDone(double share) {
    return static_cast<int>(std::floor(std::clamp(share, 0.0, 1.0) * 100));
}

QString MinutesAndSeconds(double seconds) {
    const auto whole = static_cast<long long>(std::ceil(seconds));
    return QStringLiteral("%1:%2").arg(whole / 60).arg(whole % 60, 2, 10, QLatin1Char('0'));
}

// what: "Экспорт звука", "Экспорт видео".
QString ProgressText(const QString& what, double share, double elapsedSeconds) {
    // The first moments say too little about the pace to promise a time.
    if (share <= 0 || elapsedSeconds < 2)
        return TMainForm::tr("%1: готово %2 %").arg(what, QString::number(PercentDone(share)));
    const double left = elapsedSeconds / share - elapsedSeconds;
    return TMainForm::tr("%1: готово %2 %, осталось %3")
        .arg(what, QString::number(PercentDone(share)), MinutesAndSeconds(left));
}

// While another program holds the file the job is to write.
QString LockWaitText(const QString& what) {
    return TMainForm::tr("%1: файл занят другой программой; запись подождёт, пока она его "
                         "освободит. «Отмена» прекращает ожидание, и ничего не записывается.")
        .arg(what);
}

// What the user is told at the end: what was written where, or why nothing was.
// written: "Звук записан в файл «%1».", "Видео записано в файл «%1»."
QString ExportReport(const ExportOutcome& outcome, const QString& path, const QString& written) {
    if (!outcome.error.Empty())
        return path + QStringLiteral(": ") + ShownText(outcome.error);
    QStringList lines;
    if (outcome.written)
        lines << written.arg(QDir::toNativeSeparators(path));
    for (const auto& problem : outcome.problems)
        lines << ShownText(problem);
    for (const auto& track : outcome.leftOut)
        lines << TMainForm::tr("Не вошло в экспорт: %1").arg(FromModelText(track));
    if (const UserText clipping = ClippingSentence(outcome.clippedSamples, outcome.renderedSamples,
                                                   outcome.firstClipTime);
        !clipping.Empty())
        lines << ShownText(clipping);
    return lines.join(QLatin1Char('\n'));
}

void ReportExport(QWidget* owner, const ExportOutcome& outcome, const QString& path,
                  const QString& written) {
    if (const QString report = ExportReport(outcome, path, written); !report.isEmpty())
        ShowMessageBox(owner, report);
}

// The file dialog shows files of the format chosen, and a name typed without an extension gets
// its extension; a name with another format's extension is written in that format.
QString SoundFileFilter(const SoundFileFormat& format) {
    return TMainForm::tr("Звук %1 (*%2)").arg(FromUtf8(format.name), FromUtf8(format.extension));
}

} // namespace

bool TMainForm::WaitForJob(const QString& what, ExportJob& job) {
    QProgressDialog progress(ProgressText(what, 0, 0), tr("&Отмена"), 0, 100, this);
    progress.setObjectName(QStringLiteral("ExportProgress"));
    progress.setWindowTitle(QApplication::applicationName());
    progress.setWindowModality(Qt::WindowModal); // the session may not change meanwhile
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    ExportProgress = &progress;

    QElapsedTimer clock;
    clock.start();
    QEventLoop waiting;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &waiting, [&] {
        progress.setValue(PercentDone(job.Progress()));
        progress.setLabelText(job.WaitingForLock()
                                  ? LockWaitText(what)
                                  : ProgressText(what, job.Progress(), clock.elapsed() / 1000.0));
        if (job.Finished())
            waiting.quit();
    });
    QObject::connect(&progress, &QProgressDialog::canceled, &waiting, [&] { job.Cancel(); });
    poll.start(100);
    progress.show();
    waiting.exec();
    poll.stop();
    ExportProgress = nullptr;
    progress.hide();
    return !job.Outcome().cancelled;
}

std::optional<QString> TMainForm::ChooseSoundFileToExport(const SoundFileFormat& format) {
    return ChooseFileToSave(this, preferences_,
                            OutputFileChoices(QStringLiteral("ExportSoundFileDialog"),
                                              SoundFileFilter(format), FileKind::SoundExport,
                                              FromUtf8(format.extension.substr(1))));
}

std::optional<QString> TMainForm::ChooseVideoFileToExport() {
    return ChooseFileToSave(this, preferences_,
                            OutputFileChoices(QStringLiteral("ExportVideoFileDialog"),
                                              tr("Видео MP4 (*.mp4)"), FileKind::VideoExport,
                                              QStringLiteral("mp4")));
}

void TMainForm::ExportSound() {
    if (transport_.IsPlaying())
        return;
    ExportSoundDialog choices(preferences_, this, document_.SessionLength);
    if (choices.exec() != QDialog::Accepted)
        return;
    const auto path = ChooseSoundFileToExport(choices.Format());
    if (!path)
        return;
    SoundExportSettings settings;
    settings.from = choices.From();
    settings.to = choices.To();
    settings.rate = ExportRate;
    settings.format.bits = choices.Bits();
    ExportSoundTo(*path, std::move(settings));
}

void TMainForm::ExportSoundTo(const QString& path) {
    SoundExportSettings settings;
    settings.to = document_.SessionLength;
    settings.rate = ExportRate;
    ExportSoundTo(path, std::move(settings));
}

void TMainForm::ExportSoundTo(const QString& chosen, SoundExportSettings settings) {
    const QString path = QFileInfo(chosen).absoluteFilePath();
    // Under another name the file would pass for what it is not.
    if (!SoundFileFormatOf(path.toStdString())) {
        ShowMessageBox(this, ShownText(UnknownSoundFileName(path.toStdString())));
        return;
    }
    if (RefusesOutputOverSession(path, false))
        return;
    SoundExportJob job(document_.Contents(), document_.ProjectFolder(), path.toStdString(),
                       std::move(settings));
    if (WaitForJob(tr("Экспорт звука"), job))
        ReportExport(this, job.Outcome(), path, tr("Звук записан в файл «%1»."));
}

void TMainForm::ExportVideo() {
    if (transport_.IsPlaying())
        return;
    ExportVideoDialog choices(preferences_, this, document_.SessionLength);
    if (choices.exec() != QDialog::Accepted)
        return;
    const auto path = ChooseVideoFileToExport();
    if (!path)
        return;
    VideoExportSettings settings;
    settings.from = choices.From();
    settings.to = choices.To();
    settings.size = choices.FrameSize();
    settings.fps = choices.FramesPerSecond();
    ExportVideoTo(*path, settings);
}

void TMainForm::ExportVideoTo(const QString& path, QSize size, int fps) {
    VideoExportSettings settings;
    settings.to = document_.SessionLength;
    settings.size = size;
    settings.fps = fps;
    ExportVideoTo(path, settings);
}

void TMainForm::ExportVideoTo(const QString& chosen, const VideoExportSettings& settings) {
    const QString path = QFileInfo(chosen).absoluteFilePath();
    if (RefusesOutputOverSession(path, false))
        return;
    VideoExportJob job(document_.Contents(), document_.ProjectFolder(), path.toStdString(),
                       settings);
    if (WaitForJob(tr("Экспорт видео"), job))
        ReportExport(this, job.Outcome(), path, tr("Видео записано в файл «%1»."));
}

} // namespace umbrascope
