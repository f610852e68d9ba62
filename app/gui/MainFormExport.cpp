// Exports from the main window: the session's sound as a WAV file at 44100 Hz, or the session
// as an MP4 video of the size and frame rate chosen, each made on a worker thread while a
// progress dialog shows the share done and the time left and offers to cancel (building a
// session waits the same way).

#include "MainForm.h"

#include "audio/export/SoundExportJob.h"
#include "dialogs/ExportVideoDialog.h"
#include "export/VideoExportJob.h"
#include "ui/FileDialogs.h"
#include "ui/Language.h"
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

// The share of the mix cut to full scale, where it begins and what to do about it; "" when
// nothing was cut.
QString ClippingReport(const ExportOutcome& outcome) {
    if (outcome.clippedSamples == 0 || outcome.renderedSamples == 0)
        return QString();
    const double percent = 100.0 * static_cast<double>(outcome.clippedSamples) /
                           static_cast<double>(outcome.renderedSamples);
    return TMainForm::tr("Звук превышал предельную громкость в %1 % отсчётов (%2), впервые около "
                         "%3. Уменьшите громкость дорожек, чтобы звук не искажался.")
        .arg(CurrentNumberLocale().toString(percent, 'f', 1))
        .arg(outcome.clippedSamples)
        .arg(MinutesAndSeconds(std::max<std::int64_t>(outcome.firstClipTime, 0) / 1000));
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
    if (const QString clipping = ClippingReport(outcome); !clipping.isEmpty())
        lines << clipping;
    return lines.join(QLatin1Char('\n'));
}

void ReportExport(QWidget* owner, const ExportOutcome& outcome, const QString& path,
                  const QString& written) {
    if (const QString report = ExportReport(outcome, path, written); !report.isEmpty())
        ShowMessageBox(owner, report);
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

std::optional<QString> TMainForm::ChooseSoundFileToExport() {
    return ChooseFileToSave(this, OutputFileChoices(QStringLiteral("ExportSoundDialog"),
                                                    tr("Звук WAV (*.wav)"), FileKind::SoundExport,
                                                    QStringLiteral("wav")));
}

std::optional<QString> TMainForm::ChooseVideoFileToExport() {
    return ChooseFileToSave(this, OutputFileChoices(QStringLiteral("ExportVideoFileDialog"),
                                                    tr("Видео MP4 (*.mp4)"), FileKind::VideoExport,
                                                    QStringLiteral("mp4")));
}

void TMainForm::ExportSound() {
    if (transport_.IsPlaying())
        return;
    if (const auto path = ChooseSoundFileToExport())
        ExportSoundTo(*path);
}

void TMainForm::ExportSoundTo(const QString& chosen) {
    const QString path = QFileInfo(chosen).absoluteFilePath();
    // The export writes WAV data: under another name it would pass for what it is not.
    if (QFileInfo(path).suffix().compare(QStringLiteral("wav"), Qt::CaseInsensitive) != 0) {
        ShowMessageBox(this, tr("Звук записывается только в файлы WAV: назовите файл с "
                                "расширением .wav вместо «%1». Ничего не записано.")
                                 .arg(QFileInfo(path).fileName()));
        return;
    }
    if (RefusesOutputOverSession(path, false))
        return;
    SoundExportJob job(document_.Contents(), document_.ProjectFolder(), path.toStdString(),
                       ExportRate);
    if (WaitForJob(tr("Экспорт звука"), job))
        ReportExport(this, job.Outcome(), path, tr("Звук записан в файл «%1»."));
}

void TMainForm::ExportVideo() {
    if (transport_.IsPlaying())
        return;
    ExportVideoDialog choices(this);
    if (choices.exec() != QDialog::Accepted)
        return;
    if (const auto path = ChooseVideoFileToExport())
        ExportVideoTo(*path, choices.FrameSize(), choices.FramesPerSecond());
}

void TMainForm::ExportVideoTo(const QString& chosen, QSize size, int fps) {
    const QString path = QFileInfo(chosen).absoluteFilePath();
    if (RefusesOutputOverSession(path, false))
        return;
    VideoExportSettings settings;
    settings.to = document_.SessionLength;
    settings.size = size;
    settings.fps = fps;
    VideoExportJob job(document_.Contents(), document_.ProjectFolder(), path.toStdString(),
                       settings);
    if (WaitForJob(tr("Экспорт видео"), job))
        ReportExport(this, job.Outcome(), path, tr("Видео записано в файл «%1»."));
}

} // namespace umbrascope
