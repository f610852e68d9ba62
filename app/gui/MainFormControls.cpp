// The main window's controls, menus and toolbar, as the window is built.

#include "MainForm.h"

#include "ui/MessageBoxes.h"
#include "ui/PaintBox.h"
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
    TextFileBox = new QGroupBox(client);
    TextFileBox->setObjectName(QStringLiteral("TextFileBox"));
    TextFileBox->setGeometry(420, 40, 270, 52);
    TextFileEdit = new QLineEdit(TextFileBox);
    TextFileEdit->setObjectName(QStringLiteral("TextFileEdit"));
    TextFileEdit->setReadOnly(true);
    TextFileEdit->setFocusPolicy(Qt::NoFocus);
    TextFileEdit->setEnabled(false);
    TextFileEdit->setGeometry(10, 20, 250, 22);

    FrameTimeGroupBox = new QGroupBox(client);
    FrameTimeGroupBox->setObjectName(QStringLiteral("FrameTimeGroupBox"));
    FrameTimeGroupBox->setGeometry(420, 97, 270, 64);
    TextFrameLongLabel = NewLabel(FrameTimeGroupBox, "TextFrameLongLabel", 10, 20);
    TextFrameIntervalLabel = NewLabel(FrameTimeGroupBox, "TextFrameIntervalLabel", 10, 40);

    AudioWavesGroupBox = new QGroupBox(client);
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
    ClipIndicator->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
    ClipIndicator->hide();

    TrackBox = new PaintBox(client);
    TrackBox->setObjectName(QStringLiteral("TrackBox"));
    TrackBox->setGeometry(5, 360, 690, TrackBoxHeight);
    TrackBox->OnPaint = [this](QPainter& p) { TrackBoxPaint(p); };
    TrackBox->OnMouseDown = [this](QMouseEvent& e) { TrackBoxMouseDown(e); };
    TrackBox->OnMouseMove = [this](QMouseEvent& e) { TrackBoxMouseMove(e); };
    TrackBox->OnKeyDown = [this](QKeyEvent& e) { Guarded(this, [&] { TrackBoxKeyDown(e); }); };
    TrackBox->setFocusPolicy(Qt::StrongFocus);

    const auto newButton = [client](const char* name, QStyle::StandardPixmap icon, int x) {
        auto* button = new QPushButton(client);
        button->setObjectName(QString::fromLatin1(name));
        button->setIcon(client->style()->standardIcon(icon));
        button->setGeometry(x, 400, ButtonWidth, ButtonHeight);
        return button;
    };
    PlayButton = newButton("PlayButton", QStyle::SP_MediaPlay, 10);
    PlaySoundButton = newButton("PlaySoundButton", QStyle::SP_MediaVolume, 90);
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
    ControlTimer->setTimerType(Qt::PreciseTimer); // events fall due on the first tick after them
}

void TMainForm::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    // The captions are set by RetranslateUi.
    const auto item = [this](QMenu* menu, const char* name) {
        QAction* action = menu->addAction(QString());
        action->setObjectName(QString::fromLatin1(name));
        action->setParent(this);
        return action;
    };
    FileMG = bar->addMenu(QString());
    FileMG->setObjectName(QStringLiteral("FileMG"));
    NewMI = item(FileMG, "NewMI");
    OpenMI = item(FileMG, "OpenMI");
    RecentProjectsMG = FileMG->addMenu(QString());
    RecentProjectsMG->setObjectName(QStringLiteral("RecentProjectsMG"));
    RecentProjectsMG->setToolTipsVisible(true); // each item's tip names its project whole
    // Whether a project is still there is seen when the menu opens.
    connect(RecentProjectsMG, &QMenu::aboutToShow, this, [this] { ShowRecentProjects(); });
    FileMG->addSeparator();
    SaveMI = item(FileMG, "SaveMI");
    SaveAsMI = item(FileMG, "SaveAsMI");
    BuildSessionMI = item(FileMG, "BuildSessionMI");
    ExportSoundMI = item(FileMG, "ExportSoundMI");
    ExportVideoMI = item(FileMG, "ExportVideoMI");
    FileMG->addSeparator();
    ExitMI = item(FileMG, "ExitMI");

    EditMG = bar->addMenu(QString());
    EditMG->setObjectName(QStringLiteral("EditMG"));
    UndoMI = item(EditMG, "UndoMI");
    RedoMI = item(EditMG, "RedoMI");

    SessionSettingsMG = bar->addMenu(QString());
    SessionSettingsMG->setObjectName(QStringLiteral("SessionSettingsMG"));
    SessionParametersMI = item(SessionSettingsMG, "SessionParametersMI");
    SessionStartValuesMI = item(SessionSettingsMG, "SessionStartValuesMI");
    SessionSettingsMG->addSeparator();
    PresentationScreenMG = SessionSettingsMG->addMenu(QString());
    PresentationScreenMG->setObjectName(QStringLiteral("PresentationScreenMG"));
    connect(PresentationScreenMG, &QMenu::aboutToShow, this, [this] { ShowPresentationScreens(); });

    EventsMG = bar->addMenu(QString());
    EventsMG->setObjectName(QStringLiteral("EventsMG"));
    AddEventMI = item(EventsMG, "AddEventMI");
    DeleteEventMI = item(EventsMG, "DeleteEventMI");
    GetEventListMI = item(EventsMG, "GetEventListMI");

    CreateLanguageMenu();

    HelpMG = bar->addMenu(QString());
    HelpMG->setObjectName(QStringLiteral("HelpMG"));
    HelpMI = item(HelpMG, "HelpMI");
    HelpMI->setShortcut(QKeySequence(Qt::Key_F1));
    AboutMI = item(HelpMG, "AboutMI");

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

void TMainForm::BindEditingCommand(QAction* action, TextSource caption,
                                   void (TMainForm::*handler)()) {
    connect(action, &QAction::triggered, this, [this, caption, handler] {
        Guarded(this, [&] { RunEditingCommand(caption, [&] { (this->*handler)(); }); });
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
    if (transport_.IsPlaying())
        StopButtonClick();
    else if (PlayButton->isEnabled())
        PlayButtonClick(PlayButton);
}

void TMainForm::CreateToolBar() {
    struct Button {
        int number;
        QStyle::StandardPixmap icon;
        QAction* command;
    };
    const Button buttons[] = {
        {2, QStyle::SP_FileIcon, NewMI},
        {3, QStyle::SP_DialogOpenButton, OpenMI},
        {4, QStyle::SP_DialogSaveButton, SaveMI},
        {11, QStyle::SP_ComputerIcon, BuildSessionMI},
        {1, QStyle::SP_FileDialogInfoView, SessionParametersMI},
        {5, QStyle::SP_FileDialogDetailedView, SessionStartValuesMI},
        {6, QStyle::SP_FileDialogNewFolder, AddEventMI},
        {7, QStyle::SP_TrashIcon, DeleteEventMI},
        {8, QStyle::SP_FileDialogListView, GetEventListMI},
        {9, QStyle::SP_DialogHelpButton, HelpMI},
        {10, QStyle::SP_MessageBoxInformation, AboutMI},
    };
    int x = 4;
    for (const Button& b : buttons) {
        auto* button = new QToolButton(ToolBarPanel);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(b.number));
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
            button->setEnabled(enabled && !transport_.IsPlaying());
        });
        SpeedButtons[b.number] = button;
    }
}

} // namespace umbrascope
