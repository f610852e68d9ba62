#include "MainForm.h"

#include "Association.h"
#include "base/TerminalText.h"
#include "model/Arithmetic.h"
#include "model/MediaPath.h"
#include "model/ProjectFile.h"
#include "model/SessionState.h"
#include "model/TrackDescriptor.h"
#include "play/PlaybackController.h"
#include "ui/MediaItems.h"
#include "ui/MessageBoxes.h"
#include "ui/PaintBox.h"
#include "ui/ShownNames.h"
#include "ui/ToolWindow.h"
#include "ui/UiText.h"
#include "visual/FullScreenWindow.h"
#include "visual/Preview.h"
#include "visual/Timeline.h"
#include "visual/VideoThread.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QToolButton>

#include <algorithm>
#include <iostream>
#include <optional>

namespace umbrascope {

TMainForm::TMainForm(const QStringList& arguments, const ProgramServices& program, QWidget* parent)
    : QMainWindow(parent), preferences_(program.preferences), language_(program.language),
      messages_(program.answerer) {
    // First, so that it answers what the start-up says too.
    AnswerMessagesOf(*this, program.answerer);
    setObjectName(QStringLiteral("MainForm"));
    setFont(FormFont());
    CreateControls();
    CreateMenus();
    CreateToolBar();
    CreateShortcuts();
    RetranslateUi();
    FitOuterSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate(arguments);
    CreateDialogs();
    CreatePlayback();
    ShowUndoSteps();
    ShowRecentProjects();
}

TMainForm::~TMainForm() {
    controller_.reset(); // stops a session before the full-screen window goes
    // The dialogs work on the document, so they go before it (children would go after).
    for (QDialog* dialog : findChildren<QDialog*>(Qt::FindDirectChildrenOnly))
        delete dialog;
}

void TMainForm::FormCreate(const QStringList& arguments) {
    // Nothing depends on the association, and a home that cannot be written stays so from one
    // start to the next: a line on standard error, not a box at every start.
    if (const auto failure = RegisterProjectAssociation(QCoreApplication::applicationFilePath()))
        std::cerr << "umbrascope: " << EscapedMessage(failure->toStdString()) << '\n';
    // A document a signal ended unsaved comes before a project named at the start.
    bool recovered = false;
    Guarded(this, [&] { recovered = OfferRecoveryCopy(); });
    if (recovered)
        return;
    // Opening the project computes the state and refreshes the window itself.
    if (!arguments.isEmpty() && IsProjectArgument(arguments.first())) {
        Guarded(this, [&] { OpenProjectPath(arguments.first()); });
        return;
    }
    ShowStateError(transport_.ComputeStateAt(document_.Contents(), 0));
    UpdateDisplay();
}

bool TMainForm::IsProjectArgument(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.suffix().toUpper() == QStringLiteral("USP");
}

QString TMainForm::ProjectDisplayName() const {
    const std::string& file = document_.ProjectFileName;
    return file.empty() ? tr("Новый проект") : FromModelText(ExtractFileName(file));
}

SaveDialogChoices TMainForm::OutputFileChoices(const QString& objectName, const QString& filter,
                                               FileKind kind, const QString& extension) const {
    SaveDialogChoices choices;
    choices.objectName = objectName;
    choices.filter = filter;
    choices.kind = kind;
    choices.defaultSuffix = extension;
    choices.proposedName =
        QFileInfo(ProjectDisplayName()).completeBaseName() + QLatin1Char('.') + extension;
    choices.fallbackFolder = FromModelText(document_.ProjectFolder());
    return choices;
}

void TMainForm::ShowProjectCaption() {
    const QString shown = NeutralisedName(ProjectDisplayName());
    const QString name = openedDamaged_ ? tr("%1 (файл повреждён)").arg(shown) : shown;
    setWindowTitle(QStringLiteral(" Umbrascope - ") + name +
                   (document_.History().Modified() ? QStringLiteral("*") : QString()));
}

void TMainForm::ShowStateError(const std::optional<std::string>& error) {
    if (error)
        ShowMessageBox(this, FromModelText(*error));
}

void TMainForm::Refresh() {
    ShowStateError(transport_.ComputeStateAt(document_.Contents(), transport_.SessionPosition));
    UpdateDisplay();
}

void TMainForm::UpdateDisplay() {
    RepaintTrackBox();
    ScreenPreviewBox->update();
    const SessionValuesInForce& v = transport_.CurrentValues;
    TextFileEdit->setEnabled(v.TextEnabled);
    TextFrameLongLabel->setEnabled(v.TextEnabled);
    TextFrameIntervalLabel->setEnabled(v.TextEnabled);
    const std::string folder = document_.ProjectFolder();
    TextFileEdit->setText(MediaDisplayText(v.PhraseFile, folder));
    TextFrameLongLabel->setText(tr("Длительность показа фразы: %1 мс").arg(v.PhraseDuration));
    TextFrameIntervalLabel->setText(tr("Интервал между показами: %1 мс").arg(v.PhraseInterval));
    WavesListBox->setEnabled(v.AudioEnabled);
    VolumeLabel->setEnabled(v.AudioEnabled);
    VolumeLabel->setText(tr("Громкость аудио: %1 %").arg(v.AudioVolume));
    WavesListBox->clear();
    for (const TWaveEntry& wave : v.Waves)
        AddTrackItem(*WavesListBox, wave.Track, folder);
}

void TMainForm::DisableControls() {
    for (QMenu* group : {FileMG, EditMG, SessionSettingsMG, EventsMG, LanguageMG, HelpMG})
        group->menuAction()->setEnabled(false);
    for (int n = 1; n <= 11; ++n)
        SpeedButtons[n]->setEnabled(false);
}

void TMainForm::EnableControls() {
    for (QMenu* group : {FileMG, EditMG, SessionSettingsMG, EventsMG, LanguageMG, HelpMG})
        group->menuAction()->setEnabled(true);
    for (int n = 1; n <= 11; ++n)
        SpeedButtons[n]->setEnabled(buttonCommands_[n]->isEnabled());
}

void TMainForm::FitOuterSize() {
    // The frame is known once the desktop has put one round the window; until then it counts
    // as none.
    const QSize extra = isVisible() ? frameGeometry().size() - size() : QSize(0, 0);
    if (extra == frameExtra_ && minimumWidth() > 0)
        return;
    const QSize outer(700, 500);
    const bool atMinimum = size() == minimumSize() || minimumWidth() == 0;
    frameExtra_ = extra;
    setMinimumSize(outer - extra);
    if (atMinimum)
        resize(outer - extra);
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    FitOuterSize();
}

void TMainForm::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    FitOuterSize(); // the desktop frames a window after showing it
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        FormResize();
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::FormResize() {
    const int cw = centralWidget()->width();
    const int ch = centralWidget()->height();
    ToolBarPanel->setGeometry(0, 0, cw, ToolBarPanel->height());
    for (QPushButton* button : {PlayButton, PlaySoundButton, StopButton})
        button->move(button->x(), ch - button->height() - 10);
    // Centred on the buttons: the large figures are taller than they, and from the buttons' top
    // they would reach below the window's edge.
    const int labelHeight = TimeLabel->fontMetrics().height();
    TimeLabel->setGeometry(TimeLabel->x(),
                           PlayButton->y() + (PlayButton->height() - labelHeight) / 2,
                           TimeLabel->width(), labelHeight);

    const int trackTop = ch - PlayButton->height() - TrackBox->height() - 20;
    TrackBox->setGeometry(TrackBox->x(), trackTop, cw - 10, TrackBox->height());

    const int room = trackTop - 50;
    int width = RoundToInt(cw * 0.57803L);
    int height = RoundToInt(width * 3.0L / 4);
    if (room < height) {
        height = room;
        width = RoundToInt(height * 4.0L / 3);
    }
    width = std::max(width, 400);
    height = std::max(height, 300);
    // Right under the toolbar: room the preview does not fill is left above the timeline
    // rather than as a band under the toolbar.
    const int top = ToolBarPanel->height() + 10;
    ScreenPreviewBox->setGeometry(10, top, width, height);

    const int left = ScreenPreviewBox->x() + width + 10;
    const int columnWidth = cw - 10 - left;
    TextFileBox->setGeometry(left, top, columnWidth, TextFileBox->height());
    const int frameTop = TextFileBox->y() + TextFileBox->height() + 5;
    FrameTimeGroupBox->setGeometry(left, frameTop, columnWidth, FrameTimeGroupBox->height());
    const int wavesTop = frameTop + FrameTimeGroupBox->height() + 5;
    AudioWavesGroupBox->setGeometry(left, wavesTop, columnWidth, top + height - wavesTop);

    TextFileEdit->resize(TextFileBox->width() - TextFileEdit->x() - 10, TextFileEdit->height());
    WavesListBox->resize(AudioWavesGroupBox->width() - WavesListBox->x() - 10,
                         AudioWavesGroupBox->height() - 50);
    VolumeLabel->move(VolumeLabel->x(), WavesListBox->height() + 27);
    ClipIndicator->move(AudioWavesGroupBox->width() - 10 - ClipIndicator->width(),
                        VolumeLabel->y());
}

void TMainForm::ScreenPreviewBoxPaint(QPainter& painter) {
    // While the full screen plays, the preview keeps what it showed.
    if (!(controller_ && controller_->PlayingWithPicture())) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const int screenWidth = screen ? screen->geometry().width() : ScreenPreviewBox->width();
        lastPreview_ =
            DrawScreenPreview(transport_.CurrentValues, ScreenPreviewBox->size(), screenWidth);
    }
    painter.drawImage(0, 0, lastPreview_);
}

void TMainForm::RepaintTrackBox() {
    TimeLabel->setText(TimeLabelText(transport_.SessionPosition, document_.SessionLength));
    TrackBox->update();
}

void TMainForm::TrackBoxPaint(QPainter& painter) {
    QImage strip(TrackBox->size(), QImage::Format_RGB32);
    DrawTimeline(strip, document_.Events, transport_.SessionPosition, document_.SessionLength);
    painter.drawImage(0, 0, strip);
    if (TrackBox->hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(TrackBox);
        TrackBox->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, TrackBox);
    }
}

void TMainForm::MoveTimelineCursor(const QMouseEvent& event) {
    if (!(event.buttons() & Qt::LeftButton) || transport_.IsPlaying())
        return;
    transport_.SessionPosition = TimelinePositionAt(event.position().toPoint().x(),
                                                    TrackBox->width(), document_.SessionLength);
    Refresh();
}

namespace {

// Where a key moves the position on the timeline; nothing for a key the timeline does not take.
std::optional<std::int64_t> PositionAfterKey(int key, std::int64_t position, std::int64_t last) {
    constexpr std::int64_t Second = 1000;
    constexpr std::int64_t Minute = 60000;
    switch (key) {
    case Qt::Key_Left:
        return position - Second;
    case Qt::Key_Right:
        return position + Second;
    case Qt::Key_PageDown:
        return position - Minute;
    case Qt::Key_PageUp:
        return position + Minute;
    case Qt::Key_Home:
        return 0;
    case Qt::Key_End:
        return last;
    default:
        return std::nullopt;
    }
}

} // namespace

void TMainForm::TrackBoxKeyDown(QKeyEvent& event) {
    const std::int64_t last = std::max(0, document_.SessionLength - 1);
    const auto moved = PositionAfterKey(event.key(), transport_.SessionPosition, last);
    if (!moved) {
        event.ignore();
        return;
    }
    if (transport_.IsPlaying())
        return;
    transport_.SessionPosition =
        static_cast<std::int32_t>(std::clamp<std::int64_t>(*moved, 0, last));
    Refresh();
}

void TMainForm::TrackBoxMouseDown(QMouseEvent& event) {
    Guarded(this, [&] { MoveTimelineCursor(event); });
}

void TMainForm::TrackBoxMouseMove(QMouseEvent& event) {
    Guarded(this, [&] { MoveTimelineCursor(event); });
}

} // namespace umbrascope
