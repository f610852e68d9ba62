#include "MainForm.h"

#include "Association.h"
#include "MessageBoxes.h"
#include "PaintBox.h"
#include "PlaybackController.h"
#include "Preview.h"
#include "Timeline.h"
#include "UiText.h"
#include "audio/TrackDescriptor.h"
#include "model/Arithmetic.h"
#include "model/Common.h"
#include "model/MediaPath.h"
#include "model/ProjectFile.h"
#include "model/SessionState.h"
#include "visual/FullScreenWindow.h"
#include "visual/VideoThread.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

namespace {

constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int ToolBarHeight = 30;
constexpr int TrackBoxHeight = 35;

int RoundToInt(long double x) {
    return ClampToInt32(RoundHalfEven(x).value_or(0));
}

QLabel* NewLabel(QWidget* parent, const char* name, int x, int y) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(x, y);
    label->resize(240, 16);
    return label;
}

} // namespace

TMainForm::TMainForm(const QStringList& arguments, QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral(" Umbrascope - Новый проект"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    CreateControls();
    CreateMenus();
    CreateToolBar();
    resize(700, 500);
    setMinimumSize(700, 500);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate(arguments);
    CreatePlayback();
}

TMainForm::~TMainForm() {
    controller_.reset(); // stops a session before the full-screen window goes
}

void TMainForm::CreatePlayback() {
    FullScreenForm = std::make_unique<TFullScreenForm>();
    FullScreenForm->setObjectName(QStringLiteral("FullScreenForm"));
    PlaybackDisplay display;
    display.UpdateDisplay = [this] { UpdateDisplay(); };
    display.RepaintTimeline = [this] { RepaintTrackBox(); };
    display.ShowPlaying = [this](bool playing) { ShowPlaying(playing); };
    display.Report = [this](const QString& text) { ShowMessageBoxWithoutWaiting(this, text); };
    controller_ = std::make_unique<PlaybackController>(*ControlTimer, FullScreenForm.get(),
                                                       std::move(display));
    connect(PlayButton, &QPushButton::clicked, this, [this] { PlayButtonClick(PlayButton); });
    connect(PlaySoundButton, &QPushButton::clicked, this,
            [this] { PlayButtonClick(PlaySoundButton); });
    connect(StopButton, &QPushButton::clicked, this, [this] { StopButtonClick(); });
    connect(ControlTimer, &QTimer::timeout, this, [this] { ControlTimerTimer(); });
}

void TMainForm::PlayButtonClick(QObject* sender) {
    Guarded(this, [&] { controller_->PlayButtonClick(sender == PlayButton); });
}

void TMainForm::StopButtonClick() {
    Guarded(this, [&] { controller_->StopButtonClick(); });
}

void TMainForm::ControlTimerTimer() {
    Guarded(this, [&] { controller_->ControlTimerTimer(); });
}

void TMainForm::ShowPlaying(bool playing) {
    PlayButton->setEnabled(!playing);
    PlaySoundButton->setEnabled(!playing);
    StopButton->setEnabled(playing);
    if (playing)
        DisableControls();
    else
        EnableControls();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // The program ends with the session.
    StopButtonClick();
    QMainWindow::closeEvent(event);
}

void TMainForm::CreateControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    QPalette cream = client->palette();
    cream.setColor(QPalette::Window, QColor::fromRgb(FormColor));
    client->setPalette(cream);
    client->setAutoFillBackground(true);
    client->installEventFilter(this);
    setCentralWidget(client);

    auto* panel = new QFrame(client);
    panel->setObjectName(QStringLiteral("ToolBarPanel"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(0, 0, 700, ToolBarHeight);
    ToolBarPanel = panel;

    ScreenPreviewBox = new TPaintBox(client);
    ScreenPreviewBox->setObjectName(QStringLiteral("ScreenPreviewBox"));
    ScreenPreviewBox->setMinimumSize(400, 300);
    ScreenPreviewBox->setGeometry(10, 40, 400, 300);
    ScreenPreviewBox->OnPaint = [this](QPainter& p) { ScreenPreviewBoxPaint(p); };

    // The phrase file box takes no input; its edit only shows the name.
    TextFileBox = new QGroupBox(QStringLiteral("Текстовый файл с фразами"), client);
    TextFileBox->setObjectName(QStringLiteral("TextFileBox"));
    TextFileBox->setGeometry(420, 40, 270, 52);
    TextFileEdit = new QLineEdit(TextFileBox);
    TextFileEdit->setObjectName(QStringLiteral("TextFileEdit"));
    TextFileEdit->setReadOnly(true);
    TextFileEdit->setFocusPolicy(Qt::NoFocus);
    TextFileEdit->setEnabled(false);
    TextFileEdit->setGeometry(10, 20, 250, 22);

    FrameTimeGroupBox = new QGroupBox(QStringLiteral("Время показа текстовой фразы"), client);
    FrameTimeGroupBox->setObjectName(QStringLiteral("FrameTimeGroupBox"));
    FrameTimeGroupBox->setGeometry(420, 97, 270, 64);
    TextFrameLongLabel = NewLabel(FrameTimeGroupBox, "TextFrameLongLabel", 10, 20);
    TextFrameIntervalLabel = NewLabel(FrameTimeGroupBox, "TextFrameIntervalLabel", 10, 40);

    AudioWavesGroupBox = new QGroupBox(QStringLiteral("Активные аудиодорожки"), client);
    AudioWavesGroupBox->setObjectName(QStringLiteral("AudioWavesGroupBox"));
    AudioWavesGroupBox->setGeometry(420, 166, 270, 174);
    WavesListBox = new QListWidget(AudioWavesGroupBox);
    WavesListBox->setObjectName(QStringLiteral("WavesListBox"));
    WavesListBox->setGeometry(10, 20, 250, 124);
    VolumeLabel = NewLabel(AudioWavesGroupBox, "VolumeLabel", 10, 151);

    TrackBox = new TPaintBox(client);
    TrackBox->setObjectName(QStringLiteral("TrackBox"));
    TrackBox->setGeometry(5, 360, 690, TrackBoxHeight);
    TrackBox->OnPaint = [this](QPainter& p) { TrackBoxPaint(p); };
    TrackBox->OnMouseDown = [this](QMouseEvent& e) { TrackBoxMouseDown(e); };
    TrackBox->OnMouseMove = [this](QMouseEvent& e) { TrackBoxMouseMove(e); };

    const auto newButton = [client](const char* name, QStyle::StandardPixmap icon, int x) {
        auto* button = new QPushButton(client);
        button->setObjectName(QString::fromLatin1(name));
        button->setIcon(client->style()->standardIcon(icon));
        button->setGeometry(x, 400, ButtonWidth, ButtonHeight);
        return button;
    };
    PlayButton = newButton("PlayButton", QStyle::SP_MediaPlay, 10);
    PlayButton->setToolTip(QStringLiteral("Начать воспроизведение с текущей позиции"));
    PlaySoundButton = newButton("PlaySoundButton", QStyle::SP_MediaVolume, 90);
    PlaySoundButton->setToolTip(QStringLiteral("Воспроизводить только звук"));
    StopButton = newButton("StopButton", QStyle::SP_MediaStop, 170);
    StopButton->setEnabled(false);

    TimeLabel = new QLabel(client);
    TimeLabel->setObjectName(QStringLiteral("TimeLabel"));
    QFont large = TimeLabel->font();
    large.setPixelSize(32);
    TimeLabel->setFont(large);
    TimeLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    TimeLabel->setGeometry(260, 400, 300, 38);

    ControlTimer = new QTimer(this);
    ControlTimer->setObjectName(QStringLiteral("ControlTimer"));
    ControlTimer->setInterval(50);
}

void TMainForm::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    const auto item = [this](QMenu* menu, const char* name, const QString& caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setParent(this);
        return action;
    };
    FileMG = bar->addMenu(QStringLiteral("Файл"));
    FileMG->setObjectName(QStringLiteral("FileMG"));
    NewMI = item(FileMG, "NewMI", QStringLiteral("Новый"));
    OpenMI = item(FileMG, "OpenMI", QStringLiteral("Открыть"));
    FileMG->addSeparator();
    SaveMI = item(FileMG, "SaveMI", QStringLiteral("Сохранить"));
    SaveAsMI = item(FileMG, "SaveAsMI", QStringLiteral("Сохранить как.."));
    BuildSessionMI = item(FileMG, "BuildSessionMI", QStringLiteral("Скомпилировать сессию"));
    FileMG->addSeparator();
    ExitMI = item(FileMG, "ExitMI", QStringLiteral("Выход"));

    SessionSettingsMG = bar->addMenu(QStringLiteral("Настройки сессии"));
    SessionSettingsMG->setObjectName(QStringLiteral("SessionSettingsMG"));
    SessionParametersMI =
        item(SessionSettingsMG, "SessionParametersMI", QStringLiteral("Основные параметры"));
    SessionStartValuesMI =
        item(SessionSettingsMG, "SessionStartValuesMI", QStringLiteral("Начальные значения"));

    EventsMG = bar->addMenu(QStringLiteral("Редактирование событий"));
    EventsMG->setObjectName(QStringLiteral("EventsMG"));
    AddEventMI = item(EventsMG, "AddEventMI", QStringLiteral("Добавить событие"));
    DeleteEventMI = item(EventsMG, "DeleteEventMI", QStringLiteral("Удалить событие"));
    GetEventListMI = item(EventsMG, "GetEventListMI", QStringLiteral("Вывести список событий"));

    HelpMG = bar->addMenu(QStringLiteral("Справка"));
    HelpMG->setObjectName(QStringLiteral("HelpMG"));
    HelpMI = item(HelpMG, "HelpMI", QStringLiteral("Помощь"));
    AboutMI = item(HelpMG, "AboutMI", QStringLiteral("О программе"));

    const auto bind = [this](QAction* action, void (TMainForm::*handler)()) {
        connect(action, &QAction::triggered, this,
                [this, handler] { Guarded(this, [&] { (this->*handler)(); }); });
    };
    bind(NewMI, &TMainForm::NewMIClick);
    bind(OpenMI, &TMainForm::OpenMIClick);
    bind(SaveMI, &TMainForm::SaveMIClick);
    bind(SaveAsMI, &TMainForm::SaveAsMIClick);
    bind(ExitMI, &TMainForm::ExitMIClick);
    // The commands that need the editing dialogs wait for them.
    for (QAction* action : {BuildSessionMI, SessionParametersMI, SessionStartValuesMI, AddEventMI,
                            DeleteEventMI, GetEventListMI, HelpMI, AboutMI})
        action->setEnabled(false);
}

void TMainForm::CreateToolBar() {
    struct Button {
        int number;
        const char* hint;
        QStyle::StandardPixmap icon;
        QAction* command;
    };
    const Button buttons[] = {
        {2, "Создать новый проект", QStyle::SP_FileIcon, NewMI},
        {3, "Открыть существующий проект", QStyle::SP_DialogOpenButton, OpenMI},
        {4, "Сохранить проект", QStyle::SP_DialogSaveButton, SaveMI},
        {11, "Скомпилировать сессию", QStyle::SP_ComputerIcon, BuildSessionMI},
        {1, "Настроить основные параметры сессии", QStyle::SP_FileDialogInfoView,
         SessionParametersMI},
        {5, "Изменить начальные значения", QStyle::SP_FileDialogDetailedView, SessionStartValuesMI},
        {6, "Добавить событие", QStyle::SP_FileDialogNewFolder, AddEventMI},
        {7, "Удалить событие", QStyle::SP_TrashIcon, DeleteEventMI},
        {8, "Редактировать список событий", QStyle::SP_FileDialogListView, GetEventListMI},
        {9, "Справка", QStyle::SP_DialogHelpButton, HelpMI},
        {10, "О программе", QStyle::SP_MessageBoxInformation, AboutMI},
    };
    int x = 4;
    for (const Button& b : buttons) {
        auto* button = new QToolButton(ToolBarPanel);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(b.number));
        button->setToolTip(QString::fromUtf8(b.hint));
        button->setIcon(style()->standardIcon(b.icon));
        button->setAutoRaise(true);
        button->setGeometry(x, 3, 24, 24);
        x += 25;
        // Groups: project, session settings, events, help.
        if (b.number == 11 || b.number == 5 || b.number == 8)
            x += 8;
        QAction* command = b.command;
        connect(button, &QToolButton::clicked, command, &QAction::trigger);
        buttonAvailable_[b.number] = command->isEnabled();
        button->setEnabled(command->isEnabled());
        SpeedButtons[b.number] = button;
    }
}

void TMainForm::FormCreate(const QStringList& arguments) {
    if (const auto failure = RegisterProjectAssociation(QCoreApplication::applicationFilePath()))
        ShowMessageBox(this, *failure);
    ResetProject();
    if (!arguments.isEmpty())
        Guarded(this, [&] { OpenCommandLineProject(arguments.first()); });
    SessionPosition = 0;
    ShowStateError(ComputeStateAt(0));
    UpdateDisplay();
}

void TMainForm::OpenCommandLineProject(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || info.suffix().toUpper() != QStringLiteral("USP"))
        return;
    const QString absolute = QDir::cleanPath(info.absoluteFilePath());
    const auto modelPath = ToModelText(absolute);
    if (!modelPath) {
        ShowMessageBox(this, UnrepresentablePathMessage(absolute));
        return;
    }
    if (OpenProjectFile(*modelPath) == ProjectReadResult::WrongFormat) {
        ShowMessageBox(this, QString::fromUtf8(WrongFormatMessage));
        return;
    }
    ShowProjectCaption();
}

void TMainForm::ShowProjectCaption() {
    if (ProjectFileName.empty())
        setWindowTitle(QStringLiteral(" Umbrascope - Новый проект"));
    else
        setWindowTitle(QStringLiteral(" Umbrascope - ") +
                       FromModelText(ExtractFileName(ProjectFileName)));
}

void TMainForm::ShowStateError(const std::optional<std::string>& error) {
    if (error)
        ShowMessageBox(this, FromModelText(*error));
}

void TMainForm::Refresh() {
    ShowStateError(ComputeStateAt(SessionPosition));
    UpdateDisplay();
}

void TMainForm::UpdateDisplay() {
    RepaintTrackBox();
    ScreenPreviewBox->update();
    const TCurrentValues& v = CurrentValues;
    TextFileEdit->setEnabled(v.TextEnabled);
    TextFrameLongLabel->setEnabled(v.TextEnabled);
    TextFrameIntervalLabel->setEnabled(v.TextEnabled);
    TextFileEdit->setText(FromModelText(TrackDisplayText(v.PhraseFile)));
    TextFrameLongLabel->setText(
        QStringLiteral("Длительность показа фразы: %1 мс").arg(v.PhraseDuration));
    TextFrameIntervalLabel->setText(
        QStringLiteral("Интервал между показами: %1 мс").arg(v.PhraseInterval));
    WavesListBox->setEnabled(v.AudioEnabled);
    VolumeLabel->setEnabled(v.AudioEnabled);
    VolumeLabel->setText(QStringLiteral("Громкость аудио: %1 %").arg(v.AudioVolume));
    WavesListBox->clear();
    for (const TWaveEntry& wave : v.Waves)
        WavesListBox->addItem(FromModelText(TrackDisplayText(wave.Track)));
}

void TMainForm::DisableControls() {
    for (QMenu* group : {FileMG, SessionSettingsMG, EventsMG, HelpMG})
        group->menuAction()->setEnabled(false);
    for (int n = 1; n <= 11; ++n)
        SpeedButtons[n]->setEnabled(false);
}

void TMainForm::EnableControls() {
    for (QMenu* group : {FileMG, SessionSettingsMG, EventsMG, HelpMG})
        group->menuAction()->setEnabled(true);
    for (int n = 1; n <= 11; ++n)
        SpeedButtons[n]->setEnabled(buttonAvailable_[n]);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        FormResize();
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::FormResize() {
    const int cw = centralWidget()->width();
    const int ch = centralWidget()->height();
    ToolBarPanel->setGeometry(0, 0, cw, ToolBarHeight);
    for (QPushButton* button : {PlayButton, PlaySoundButton, StopButton})
        button->move(button->x(), ch - button->height() - 10);
    TimeLabel->move(TimeLabel->x(), PlayButton->y());

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
    const int top = (room - height) / 2 + 40;
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
}

void TMainForm::ScreenPreviewBoxPaint(QPainter& painter) {
    // While the full screen plays, the preview keeps what it showed.
    if (!(IsPlaying && VideoThreadRunning)) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const int screenWidth = screen ? screen->geometry().width() : ScreenPreviewBox->width();
        lastPreview_ = DrawScreenPreview(CurrentValues, ScreenPreviewBox->size(), screenWidth);
    }
    painter.drawImage(0, 0, lastPreview_);
}

void TMainForm::RepaintTrackBox() {
    TimeLabel->setText(TimeLabelText(SessionPosition, SessionLength));
    TrackBox->update();
}

void TMainForm::TrackBoxPaint(QPainter& painter) {
    QImage strip(TrackBox->size(), QImage::Format_RGB32);
    DrawTimeline(strip, Events, SessionPosition, SessionLength);
    painter.drawImage(0, 0, strip);
}

void TMainForm::MoveTimelineCursor(const QMouseEvent& event) {
    if (!(event.buttons() & Qt::LeftButton) || IsPlaying)
        return;
    SessionPosition =
        TimelinePositionAt(event.position().toPoint().x(), TrackBox->width(), SessionLength);
    Refresh();
}

void TMainForm::TrackBoxMouseDown(QMouseEvent& event) {
    Guarded(this, [&] { MoveTimelineCursor(event); });
}

void TMainForm::TrackBoxMouseMove(QMouseEvent& event) {
    Guarded(this, [&] { MoveTimelineCursor(event); });
}
