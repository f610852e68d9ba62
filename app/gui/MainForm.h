#pragma once

// The main window: the preview of the screen, the phrase and sound settings in force, the
// timeline strip, the playback buttons, the menus and the toolbar.
// User-interface thread only.

#include "MessageBridge.h"
#include "model/SessionDocument.h"
#include "play/Transport.h"
#include "ui/FileDialogs.h"
#include "ui/Language.h"
#include "ui/MessageBoxes.h"
#include "ui/Preferences.h"

#include <QImage>
#include <QMainWindow>
#include <QSize>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QFileDialog;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMouseEvent;
class QPainter;
class QProgressDialog;
class QPushButton;
class QTimer;
class QToolButton;

namespace umbrascope {

class ExportJob;
struct SoundExportSettings;
struct SoundFileFormat;
struct VideoExportSettings;
class PlaybackController;
class TAboutForm;
class TAddWaveForm;
class TEditEventForm;
class TEventsListForm;
class TFontSettingsForm;
class TFullScreenForm;
class PaintBox;
class TSessionParametersForm;
class TSessionStartValuesForm;

// What the program lends the main window for as long as the window lives.
struct ProgramServices {
    Preferences& preferences;
    WindowLanguage& language;
    // Stands in for the person before the message boxes of the window and its dialogs (tests);
    // empty: the boxes show.
    MessageAnswerer answerer;
};

class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    // Builds the window and runs its start-up with the program's arguments (the first one
    // may name a project to open).
    TMainForm(const QStringList& arguments, const ProgramServices& program,
              QWidget* parent = nullptr);
    ~TMainForm() override;

    // Rewrites the labels, the track list, the timeline and the preview from the state in
    // force.
    void UpdateDisplay();

    // The state at the current position, then UpdateDisplay.
    void Refresh();

    // Project commands. New, Open, Exit and closing the window ask first whether to save a
    // changed session.
    void NewMIClick();
    void OpenMIClick();
    void SaveMIClick();
    void SaveAsMIClick();
    void ExitMIClick();

    // Every command that edits the session runs through here, named by its menu caption: the
    // session before and after the command make one step of the history when they differ, and
    // the caption then shows the session as changed. The command refreshes the window itself.
    // The name is kept untranslated, so the Edit menu names the step in the language in force.
    void RunEditingCommand(const UserText& stepName, const std::function<void()>& command);

    // Undo and redo of the last step, refreshing the state and the window as the command did.
    void UndoLastEdit();
    void RedoUndoneEdit();

    // The open document, which the window owns, its dialogs edit and its controller plays.
    SessionDocument& Document() { return document_; }
    // Where play stands: the position, the state in force, whether the session plays.
    Transport& PlayTransport() { return transport_; }

    // Asks whether to save a changed session before it is discarded: true when the caller may
    // go on (saved, not wanted, or nothing changed), false when the user cancelled or the save
    // failed.
    bool MayDiscardSession();

    // The session's sound as a WAV or FLAC file: first its format, bits and stretch, then the
    // file, whose name's extension decides the format; rendered on a worker thread behind a
    // progress dialog with a Cancel button. Without settings, the whole session at 16 bits.
    void ExportSound();
    void ExportSoundTo(const QString& path);
    void ExportSoundTo(const QString& path, SoundExportSettings settings);

    // The session as an MP4 video: first its frame size, rate and stretch, then the file; made
    // on a worker thread behind the same progress dialog. Without a stretch, the whole session.
    void ExportVideo();
    void ExportVideoTo(const QString& path, QSize size, int fps);
    void ExportVideoTo(const QString& path, const VideoExportSettings& settings);

    // Build session: the session with its media as one file that plays itself.
    void BuildSessionMIClick();
    // The part that follows the file dialog (path in UTF-8): built on a worker thread behind
    // the exports' progress dialog.
    void BuildSessionAs(const QString& path);

    // Shows the progress of a job on a worker thread ("what: готово N %", the time left,
    // Отмена) until it ends. False when the user cancelled it.
    bool WaitForJob(const QString& what, ExportJob& job);
    // Session settings and help commands: each runs its dialog, then brings the state and the
    // window up to date.
    void SessionParametersMIClick();
    void SessionStartValuesMIClick();
    void AboutMIClick();

    // The language the windows speak, applied at once and remembered for the next start.
    void ChooseLanguage(Language language);

    // Event commands: a new event at the cursor, the event nearest to the cursor deleted after
    // a question, and the event list; each brings the state and the window up to date.
    void AddEventMIClick();
    void DeleteEventMIClick();
    void GetEventListMIClick();

    // The program's help in the desktop's browser.
    void HelpMIClick();

    // The parts of Open and Save As that follow the file dialog (paths in UTF-8). Open asks
    // nothing; SaveProjectAs is false when nothing was saved.
    void OpenProjectPath(const QString& path);
    bool SaveProjectAs(const QString& path);

    // The file dialogs; tests replace them. Empty when the user cancels.
    virtual std::optional<QString> ChooseProjectToOpen();
    virtual std::optional<QString> ChooseProjectToSave();
    // The sound file, offering the format chosen first.
    virtual std::optional<QString> ChooseSoundFileToExport(const SoundFileFormat& format);
    virtual std::optional<QString> ChooseVideoFileToExport();
    virtual std::optional<QString> ChooseBuiltSessionFile();
    // Asks before an existing file is replaced.
    virtual bool ConfirmReplace(const QString& path);
    // Asks before Save writes over the damaged file the project was opened from: true to write
    // over it, false to save it under another name.
    virtual bool ConfirmOverwriteDamaged(const QString& path);

    // The end that SIGTERM or SIGHUP asks for: as closing the window, without a question. While
    // a dialog or an export waits in an event loop of its own, the export is cancelled and the
    // dialogs are closed, and the end waits until that loop has returned (a save on this thread
    // finishes first). An unsaved document is kept as a recovery copy (RecoveryCopy.h). Emits
    // Ended when the window has closed.
    void EndOnSignal();
    // The desktop session is about to end: asks Save/Discard/Cancel as closing does where the
    // session lets the program ask (mayAsk), else keeps the unsaved document as a recovery
    // copy. False when the user cancelled.
    bool CommitSessionData(bool mayAsk);

    // Playback: picture and sound when sender is PlayButton, sound only otherwise.
    void PlayButtonClick(QObject* sender);
    void StopButtonClick();
    void ControlTimerTimer();
    PlaybackController& Controller() { return *controller_; }

    // Menus and toolbar off while a session plays, and on again.
    void DisableControls();
    void EnableControls();

    // Handlers of the paint boxes.
    void ScreenPreviewBoxPaint(QPainter& painter);
    void TrackBoxPaint(QPainter& painter);
    // The arrow keys move the position by a second, Page Up and Page Down by a minute, Home and
    // End to the ends, while no session plays.
    void TrackBoxKeyDown(QKeyEvent& event);
    void TrackBoxMouseDown(QMouseEvent& event);
    void TrackBoxMouseMove(QMouseEvent& event);

    // The preview as last painted.
    const QImage& LastPreview() const { return lastPreview_; }

    // The timeline strip and the time label, redrawn from the position.
    void RepaintTrackBox();

    QWidget* ToolBarPanel = nullptr;
    PaintBox* ScreenPreviewBox = nullptr;
    QGroupBox* TextFileBox = nullptr;
    QLineEdit* TextFileEdit = nullptr;
    QGroupBox* FrameTimeGroupBox = nullptr;
    QLabel* TextFrameLongLabel = nullptr;
    QLabel* TextFrameIntervalLabel = nullptr;
    QGroupBox* AudioWavesGroupBox = nullptr;
    QListWidget* WavesListBox = nullptr;
    QLabel* VolumeLabel = nullptr;
    QLabel* ClipIndicator = nullptr; // lit while the live mix goes past full scale
    PaintBox* TrackBox = nullptr;
    QPushButton* PlayButton = nullptr;
    QPushButton* PlaySoundButton = nullptr;
    QPushButton* StopButton = nullptr;
    QLabel* TimeLabel = nullptr;
    QTimer* ControlTimer = nullptr;

    QMenu* FileMG = nullptr;
    QMenu* RecentProjectsMG = nullptr;
    QMenu* EditMG = nullptr;
    QMenu* SessionSettingsMG = nullptr;
    QMenu* PresentationScreenMG = nullptr; // the screen a session is shown on
    QMenu* EventsMG = nullptr;
    QMenu* LanguageMG = nullptr;
    QMenu* HelpMG = nullptr;
    QAction* NewMI = nullptr;
    QAction* OpenMI = nullptr;
    QAction* SaveMI = nullptr;
    QAction* SaveAsMI = nullptr;
    QAction* BuildSessionMI = nullptr;
    QAction* ExportSoundMI = nullptr;
    QAction* ExportVideoMI = nullptr;
    QAction* ExitMI = nullptr;
    QAction* UndoMI = nullptr;
    QAction* RedoMI = nullptr;
    QAction* SessionParametersMI = nullptr;
    QAction* SessionStartValuesMI = nullptr;
    QAction* AddEventMI = nullptr;
    QAction* DeleteEventMI = nullptr;
    QAction* GetEventListMI = nullptr;
    QAction* RussianLanguageMI = nullptr;
    QAction* EnglishLanguageMI = nullptr;
    QAction* HelpMI = nullptr;
    QAction* AboutMI = nullptr;

    // The dialogs, created once at start and kept for the whole run (children of the window).
    TSessionParametersForm* SessionParametersForm = nullptr;
    TSessionStartValuesForm* SessionStartValuesForm = nullptr;
    TEventsListForm* EventsListForm = nullptr;
    TEditEventForm* EditEventForm = nullptr;
    TAboutForm* AboutForm = nullptr;
    TAddWaveForm* AddWaveForm = nullptr;
    TFontSettingsForm* FontSettingsForm = nullptr;

    std::unique_ptr<TFullScreenForm> FullScreenForm;

    // SpeedButton1 to SpeedButton11 at their numbers; entry 0 is unused.
    std::array<QToolButton*, 12> SpeedButtons{};

    // The progress of an export or a build while one runs, else null.
    QProgressDialog* ExportProgress = nullptr;

signals:
    void Ended();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void CreateControls();
    void CreateMenus();
    void CreateLanguageMenu();
    // Sets every text of the window in the language in force, those made from the session
    // included.
    void RetranslateUi();
    void CreateToolBar();
    void CreateDialogs();
    void CreateShortcuts();
    void BindCommand(QAction* action, void (TMainForm::*handler)());
    // The same for a command that edits the session: one step of the history, named by the
    // menu item's caption (its source text, as RetranslateUi gives it).
    void BindEditingCommand(QAction* action, TextSource caption, void (TMainForm::*handler)());
    void SpaceKeyPress();
    void FitOuterSize();
    void FormCreate(const QStringList& arguments);
    void FormResize();
    void CreatePlayback();
    void ShowPlaying(bool playing);
    void ShowMixClipping();
    void ShowPresentationScreens();
    static bool IsProjectArgument(const QString& path);
    void ShowProjectCaption();
    QString ProjectDisplayName() const;
    // A save dialog for a file the session is made into: it proposes the project's name with
    // extension and opens, until a folder of its kind has been used, in the project's folder.
    SaveDialogChoices OutputFileChoices(const QString& objectName, const QString& filter,
                                        FileKind kind, const QString& extension) const;
    // True, after telling the user which file it is, when path is one of the files the session
    // is made of: one of its media, or the project file unless projectMayBeReplaced (Save As
    // over the project is a save). Nothing is to be written then.
    bool RefusesOutputOverSession(const QString& path, bool projectMayBeReplaced);
    void SessionReplaced();
    void SessionEdited();
    void ShowUndoSteps();
    bool SaveCommand();
    bool SaveAsCommand();
    // Writes the document to the file (modelPath: Windows-1251; path: as shown), waiting for
    // another program's lock with Cancel; false, after saying why, when nothing was written.
    bool WriteProject(const std::string& modelPath, const QString& path);
    void ProjectSaved(const QString& path);
    void ShowRecentProjects();
    void OpenRecentProject(const QString& path);
    void ShowStateError(const std::optional<std::string>& error);
    // One message listing the phrase files and tracks that are not found, if any.
    void ShowMissingMedia();
    void MoveTimelineCursor(const QMouseEvent& event);
    // The recovery copy a signal left, offered at start; true when it was opened.
    bool OfferRecoveryCopy();
    void KeepUnsavedDocument();

    Preferences& preferences_;
    WindowLanguage& language_;
    // Before everything that works on it, so it goes after them.
    SessionDocument document_;
    // Shows what the track threads post; goes after the transport, whose threads post to it.
    MessageBridge messages_;
    Transport transport_{std::make_unique<MonotonicClock>(), messages_.Messages()};
    std::unique_ptr<PlaybackController> controller_;
    // The last preview painted; shown unchanged while the full screen plays.
    QImage lastPreview_;
    // The menu command behind each toolbar button: a button is usable when its command is.
    std::array<QAction*, 12> buttonCommands_{};
    // The window's frame as last seen: the window's outer size, frame included, is 700 x 500.
    QSize frameExtra_;
    // The project came from a file that ended too early: the caption says so, and Save asks
    // before it writes over that file.
    bool openedDamaged_ = false;
    // Clock ticks the clip indicator stays lit after the mix last clipped.
    int clipLitTicks_ = 0;
    // A signal ends the window: it closes without a question.
    bool ending_ = false;
    // A deferred end is waiting for the window's own event loop.
    bool endPending_ = false;
    // The user chose not to save the changes as the desktop session ended.
    bool discardAgreed_ = false;
};

} // namespace umbrascope
