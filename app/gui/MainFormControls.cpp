// The main window's controls, menus and toolbar, as the window is built.

#include "MainForm.h"

#include "ui/MessageBoxes.h"
#include "ui/PaintBox.h"
#include "ui/UiText.h"
#include "visual/Timeline.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

namespace umbrascope {

namespace {

constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int ToolBarHeight = 30;
constexpr int TrackBoxHeight = 35;

QLabel* NewLabel(QWidget* parent, const char* name, int x, int y) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(x, y);
    label->resize(240, 16);
    return label;
}

} // namespace

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

    ScreenPreviewBox = new PaintBox(client);
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
    // One line per track: the list need not measure each of the thousands a session may hold.
    WavesListBox->setUniformItemSizes(true);
    VolumeLabel = NewLabel(AudioWavesGroupBox, "VolumeLabel", 10, 151);
    ClipIndicator = NewLabel(AudioWavesGroupBox, "ClipIndicator", 180, 151);
    ClipIndicator->resize(80, 16);
    ClipIndicator->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ClipIndicator->setText(QStringLiteral("Перегрузка"));
    ClipIndicator->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
    ClipIndicator->setToolTip(
        QStringLiteral("Звук сеанса превышает предельную громкость и искажается: уменьшите "
                       "громкость дорожек."));
    ClipIndicator->hide();

    TrackBox = new PaintBox(client);
    TrackBox->setObjectName(QStringLiteral("TrackBox"));
    TrackBox->setGeometry(5, 360, 690, TrackBoxHeight);
    TrackBox->OnPaint = [this](QPainter& p) { TrackBoxPaint(p); };
    TrackBox->OnMouseDown = [this](QMouseEvent& e) { TrackBoxMouseDown(e); };
    TrackBox->OnMouseMove = [this](QMouseEvent& e) { TrackBoxMouseMove(e); };
    TrackBox->OnKeyDown = [this](QKeyEvent& e) { Guarded(this, [&] { TrackBoxKeyDown(e); }); };
    TrackBox->setFocusPolicy(Qt::StrongFocus);
    TrackBox->setAccessibleName(QStringLiteral("Позиция в сессии"));

    const auto newButton = [client](const char* name, QStyle::StandardPixmap icon, int x) {
        auto* button = new QPushButton(client);
        button->setObjectName(QString::fromLatin1(name));
        button->setIcon(client->style()->standardIcon(icon));
        button->setGeometry(x, 400, ButtonWidth, ButtonHeight);
        return button;
    };
    PlayButton = newButton("PlayButton", QStyle::SP_MediaPlay, 10);
    PlayButton->setToolTip(QStringLiteral("Начать воспроизведение с текущей позиции"));
    PlayButton->setAccessibleName(PlayButton->toolTip());
    PlaySoundButton = newButton("PlaySoundButton", QStyle::SP_MediaVolume, 90);
    PlaySoundButton->setToolTip(QStringLiteral("Воспроизводить только звук"));
    PlaySoundButton->setAccessibleName(PlaySoundButton->toolTip());
    StopButton = newButton("StopButton", QStyle::SP_MediaStop, 170);
    // Stop has no hint; a screen reader still names it.
    StopButton->setAccessibleName(QStringLiteral("Остановить воспроизведение"));
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
    ControlTimer->setTimerType(Qt::PreciseTimer); // events fall due on the first tick after them
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
    FileMG = bar->addMenu(QStringLiteral("&Файл"));
    FileMG->setObjectName(QStringLiteral("FileMG"));
    NewMI = item(FileMG, "NewMI", QStringLiteral("&Новый"));
    OpenMI = item(FileMG, "OpenMI", QStringLiteral("&Открыть"));
    RecentProjectsMG = FileMG->addMenu(QStringLiteral("Недавние &проекты"));
    RecentProjectsMG->setObjectName(QStringLiteral("RecentProjectsMG"));
    // Whether a project is still there is seen when the menu opens.
    connect(RecentProjectsMG, &QMenu::aboutToShow, this, [this] { ShowRecentProjects(); });
    FileMG->addSeparator();
    SaveMI = item(FileMG, "SaveMI", QStringLiteral("&Сохранить"));
    SaveAsMI = item(FileMG, "SaveAsMI", QStringLiteral("Сохранить &как.."));
    BuildSessionMI = item(FileMG, "BuildSessionMI", QStringLiteral("Ско&мпилировать сессию"));
    ExportSoundMI = item(FileMG, "ExportSoundMI", QStringLiteral("&Экспорт звука в WAV..."));
    ExportVideoMI = item(FileMG, "ExportVideoMI", QStringLiteral("Экспорт &видео..."));
    FileMG->addSeparator();
    ExitMI = item(FileMG, "ExitMI", QStringLiteral("Вы&ход"));

    EditMG = bar->addMenu(QStringLiteral("&Правка"));
    EditMG->setObjectName(QStringLiteral("EditMG"));
    UndoMI = item(EditMG, "UndoMI", QStringLiteral("&Отменить"));
    RedoMI = item(EditMG, "RedoMI", QStringLiteral("&Повторить"));

    SessionSettingsMG = bar->addMenu(QStringLiteral("&Настройки сессии"));
    SessionSettingsMG->setObjectName(QStringLiteral("SessionSettingsMG"));
    SessionParametersMI =
        item(SessionSettingsMG, "SessionParametersMI", QStringLiteral("&Основные параметры"));
    SessionStartValuesMI =
        item(SessionSettingsMG, "SessionStartValuesMI", QStringLiteral("&Начальные значения"));
    SessionSettingsMG->addSeparator();
    PresentationScreenMG = SessionSettingsMG->addMenu(QStringLiteral("&Экран показа"));
    PresentationScreenMG->setObjectName(QStringLiteral("PresentationScreenMG"));
    connect(PresentationScreenMG, &QMenu::aboutToShow, this, [this] { ShowPresentationScreens(); });

    EventsMG = bar->addMenu(QStringLiteral("&Редактирование событий"));
    EventsMG->setObjectName(QStringLiteral("EventsMG"));
    AddEventMI = item(EventsMG, "AddEventMI", QStringLiteral("&Добавить событие"));
    DeleteEventMI = item(EventsMG, "DeleteEventMI", QStringLiteral("&Удалить событие"));
    GetEventListMI = item(EventsMG, "GetEventListMI", QStringLiteral("&Вывести список событий"));

    HelpMG = bar->addMenu(QStringLiteral("&Справка"));
    HelpMG->setObjectName(QStringLiteral("HelpMG"));
    HelpMI = item(HelpMG, "HelpMI", QStringLiteral("&Помощь"));
    HelpMI->setShortcut(QKeySequence(Qt::Key_F1));
    AboutMI = item(HelpMG, "AboutMI", QStringLiteral("&О программе"));

    BindCommand(NewMI, &TMainForm::NewMIClick);
    BindCommand(OpenMI, &TMainForm::OpenMIClick);
    BindCommand(SaveMI, &TMainForm::SaveMIClick);
    BindCommand(SaveAsMI, &TMainForm::SaveAsMIClick);
    BindCommand(BuildSessionMI, &TMainForm::BuildSessionMIClick);
    BindCommand(ExportSoundMI, &TMainForm::ExportSound);
    BindCommand(ExportVideoMI, &TMainForm::ExportVideo);
    BindCommand(ExitMI, &TMainForm::ExitMIClick);
    BindCommand(UndoMI, &TMainForm::UndoLastEdit);
    BindCommand(RedoMI, &TMainForm::RedoUndoneEdit);
    BindCommand(HelpMI, &TMainForm::HelpMIClick);
    // CreateDialogs binds the commands that open dialogs.
}

void TMainForm::BindCommand(QAction* action, void (TMainForm::*handler)()) {
    connect(action, &QAction::triggered, this, GuardedSlot(this, handler));
}

void TMainForm::BindEditingCommand(QAction* action, void (TMainForm::*handler)()) {
    connect(action, &QAction::triggered, this, [this, action, handler] {
        Guarded(this, [&] {
            RunEditingCommand(WithoutAccessKey(action->text()), [&] { (this->*handler)(); });
        });
    });
}

void TMainForm::CreateShortcuts() {
    NewMI->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    OpenMI->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    SaveMI->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveAsMI->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    ExitMI->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    UndoMI->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    RedoMI->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    // Not a menu command: the menus are off while a session plays, and Space stops it then.
    auto* space = new QShortcut(QKeySequence(Qt::Key_Space), this);
    space->setObjectName(QStringLiteral("PlayStopShortcut"));
    connect(space, &QShortcut::activated, this, [this] { SpaceKeyPress(); });
}

void TMainForm::SpaceKeyPress() {
    // A focused button keeps its own Space, so the keyboard still reaches Play sound only.
    if (auto* button = qobject_cast<QAbstractButton*>(focusWidget());
        button && button->isEnabled()) {
        button->click();
        return;
    }
    if (document_.IsPlaying())
        StopButtonClick();
    else if (PlayButton->isEnabled())
        PlayButtonClick(PlayButton);
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
        button->setAccessibleName(QString::fromUtf8(b.hint));
        button->setIcon(style()->standardIcon(b.icon));
        button->setAutoRaise(true);
        button->setGeometry(x, 3, 24, 24);
        x += 25;
        // Groups: project, session settings, events, help.
        if (b.number == 11 || b.number == 5 || b.number == 8)
            x += 8;
        QAction* command = b.command;
        connect(button, &QToolButton::clicked, command, &QAction::trigger);
        buttonCommands_[b.number] = command;
        button->setEnabled(command->isEnabled());
        // A command switched on or off brings its button along.
        connect(command, &QAction::enabledChanged, button, [this, button](bool enabled) {
            button->setEnabled(enabled && !document_.IsPlaying());
        });
        SpeedButtons[b.number] = button;
    }
}

} // namespace umbrascope
