// umbrascope --play FILE.usp [--from MS] [--sound-only] [--screen N] [--frame-log LOG.csv]:
// plays a session straight away, full screen or as sound only, without the editing window.
// Ends with the session, on a key in the full-screen window, or on SIGINT, SIGTERM or SIGHUP,
// stopping cleanly each time. Messages go to standard error, and a play in which no track could
// open the sound device, or whose frame log could not be written, ends with status 1.

#include "Cli.h"
#include "Interruptions.h"
#include "audio/device/AudioStream.h"
#include "base/ExceptionText.h"
#include "base/FileUtils.h"
#include "base/ReplacingFile.h"
#include "model/Cp1251.h"
#include "model/ProjectFile.h"
#include "model/SessionMedia.h"
#include "model/SessionState.h"
#include "play/DisplayCheck.h"
#include "play/FrameLogReport.h"
#include "play/PlaybackController.h"
#include "ui/Language.h"
#include "ui/MessageBoxes.h"
#include "ui/PhotosensitivityWarning.h"
#include "ui/Preferences.h"
#include "ui/UiText.h"
#include "visual/FullScreenWindow.h"
#include "visual/PresentationScreens.h"

#include <QFileInfo>
#include <QScreen>
#include <QTimer>

#include <iostream>
#include <set>

namespace umbrascope {

namespace {

// The signals ask for a clean stop while this lives (SIGHUP: the terminal was closed). One that
// comes while a built session's media are unpacked ends the command there, the media removed.
class StopOnSignals {
public:
    StopOnSignals() { CatchInterruptions(); }
    ~StopOnSignals() { StopCatchingInterruptions(); }
    StopOnSignals(const StopOnSignals&) = delete;
    StopOnSignals& operator=(const StopOnSignals&) = delete;
};

constexpr const char* PlayUsage = "usage: umbrascope --play FILE.usp [--from MS] [--sound-only] "
                                  "[--screen N] [--frame-log LOG.csv]";

struct PlayOptions {
    std::string project;
    std::int32_t from = 0;
    bool soundOnly = false;
    int screen = 0; // numbered from 1, the primary; 0: the one chosen in the window
    std::string frameLog;
};

std::optional<PlayOptions> ParsePlayOptions(const std::vector<std::string>& arguments) {
    PlayOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool valueFollows = i + 1 < arguments.size();
        if (argument == "--sound-only") {
            options.soundOnly = true;
        } else if (argument == "--from" && valueFollows) {
            const auto from = ParseMilliseconds(arguments[++i]);
            if (!from)
                return std::nullopt;
            options.from = *from;
        } else if (argument == "--screen" && valueFollows) {
            const auto screen = ParseMilliseconds(arguments[++i]); // a whole number
            if (!screen || *screen < 1)
                return std::nullopt;
            options.screen = *screen;
        } else if (argument == "--frame-log" && valueFollows && !arguments[i + 1].empty()) {
            options.frameLog = arguments[++i];
        } else if (options.project.empty() && !argument.starts_with("--")) {
            options.project = argument;
        } else {
            return std::nullopt;
        }
    }
    if (options.project.empty())
        return std::nullopt;
    return options;
}

// Opens the project as the document, the transport at the position; the message when it
// cannot.
std::optional<std::string> LoadProjectAt(const std::string& path, std::int32_t from,
                                         SessionDocument& document, UnpackedMedia& media,
                                         Transport& transport) {
    if (auto failure = OpenProjectArgument(path, document, media))
        return failure;
    transport.SessionPosition = from;
    if (const auto stateError = transport.ComputeStateAt(document.Contents(), from))
        Tell(Cp1251ToUtf8(*stateError));
    return std::nullopt;
}

void Report(const QString& text) {
    Tell(text.toStdString());
}

std::string NoSuchScreen(int number) {
    std::string message = "there is no screen " + std::to_string(number) + "; the screens are";
    int listed = 0;
    for (const QScreen* screen : PresentationScreens()) {
        const QSize size = NativeSize(*screen);
        message += listed == 0 ? " " : ", ";
        message += std::to_string(++listed) + " (" + screen->name().toStdString() + ", " +
                   std::to_string(size.width()) + "x" + std::to_string(size.height()) + ")";
    }
    return message;
}

// Whether the log can be written at path (and would not replace the session played), so that a
// log that could not be written is told before the session plays rather than after it.
std::optional<std::string> FrameLogRefused(const std::string& path, const std::string& project) {
    if (auto refused = RefuseOutputThatIsInput(project, path))
        return refused;
    try {
        const ReplacingFile probe(path);
    } catch (const IoError& error) {
        return path + ": " + error.what();
    }
    return std::nullopt;
}

enum class Warning { Printed, Asked };

int PlaySession(const std::vector<std::string>& arguments, Warning warning) {
    const auto options = ParsePlayOptions(arguments);
    if (!options)
        return Fail(PlayUsage);
    if (options->soundOnly && !options->frameLog.empty())
        return Fail("--frame-log logs the frames of the picture, which --sound-only does not show");
    if (!options->frameLog.empty())
        if (const auto refused = FrameLogRefused(options->frameLog, options->project))
            return Fail(*refused);
    // Sound alone shows no window, so it plays without a display too.
    if (options->soundOnly && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!DisplayAvailable())
        return Fail("there is no display for the full-screen picture (DISPLAY is not set); "
                    "add --sound-only to play the sound alone");
    int argc = 1;
    char name[] = "umbrascope";
    char* argv[] = {name, nullptr};
    Application application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Umbrascope"));
    // A built session asks its warning in a window, which speaks the user's language; the
    // command line's messages stay as they are for scripts.
    Preferences preferences;
    WindowLanguage language;
    if (warning == Warning::Asked)
        language.Apply(PreferredLanguage(preferences));
    const StopOnSignals stopOnSignals;
    QScreen* screen = options->screen > 0 ? ScreenNumbered(options->screen) : nullptr;
    if (options->screen > 0 && !options->soundOnly && !screen)
        return Fail(NoSuchScreen(options->screen));
    UnpackedMedia media;
    SessionDocument document;
    // The track threads' messages go to standard error: boxes would wait unseen.
    Transport transport;
    if (const auto failure =
            LoadProjectAt(options->project, options->from, document, media, transport))
        return warning == Warning::Asked ? FailWhereSeen(*failure) : Fail(*failure);
    if (!options->frameLog.empty())
        if (const auto refusal = RefuseOutputOverSession(
                document.Contents(), document.ProjectFileName, options->frameLog))
            return Fail(*refusal);
    // On a command line nobody may be there to answer, so the picture plays after the warning.
    if (!options->soundOnly && warning == Warning::Printed)
        PrintPhotosensitivityWarning(std::cerr);
    if (!options->soundOnly && warning == Warning::Asked &&
        !ConfirmPicturePlay(nullptr, preferences))
        return 0;

    int status = 0;
    {
        QTimer clock;
        clock.setInterval(50);
        clock.setTimerType(Qt::PreciseTimer);
        std::unique_ptr<TFullScreenForm> fullScreen;
        if (!options->soundOnly) {
            fullScreen = std::make_unique<TFullScreenForm>();
            fullScreen->SetScreenName(screen ? screen->name() : preferences.PresentationScreen());
        }
        if (fullScreen && !options->frameLog.empty())
            fullScreen->OnFrameLog([&status, &path = options->frameLog](const FrameLog& log) {
                if (!ReportFrameLog(log, path))
                    status = 1;
            });
        PlaybackDisplay display;
        display.UpdateDisplay = [] {};
        display.RepaintTimeline = [] {};
        display.ShowPlaying = [](bool playing) {
            if (!playing)
                QCoreApplication::quit();
        };
        display.Report = [](const UserText& text) { Report(QString::fromStdString(text.Text())); };
        // As the export lists them, so a script or a user sees why a track is silent: all of
        // them as play starts, and a track that goes missing later when it is due.
        std::set<std::string> missing;
        const auto leaveOut = [&missing](const std::string& medium) {
            if (missing.insert(medium).second)
                Tell("left out of the play: " + PrintedName(medium) + " (not found)");
        };
        for (const std::string& medium :
             MissingMedia(document.Contents(), document.ProjectFolder()))
            leaveOut(medium);
        display.TrackNotFound = leaveOut;
        PlaybackController controller(document, transport, clock, fullScreen.get(),
                                      std::move(display));
        QObject::connect(&clock, &QTimer::timeout, [&controller] {
            try {
                controller.ControlTimerTimer();
            } catch (...) {
                Report(QString::fromStdString(CurrentExceptionMessage()));
            }
        });
        QTimer signalWatch;
        QObject::connect(&signalWatch, &QTimer::timeout, [&controller] {
            if (Interrupted())
                controller.StopButtonClick();
        });
        signalWatch.start(20);
        QTimer::singleShot(0, [&] {
            try {
                controller.PlayButtonClick(!options->soundOnly);
            } catch (...) {
                Report(QString::fromStdString(CurrentExceptionMessage()));
                status = 1;
                QCoreApplication::quit();
            }
        });
        QApplication::exec();
        controller.StopButtonClick();
    }
    // The program ends without playing out what the tracks have queued.
    transport.Tracks().StopAndJoinAll();
    QuitAudioOutput();
    const TrackStreamCounts streams = transport.Tracks().Reports().Streams();
    if (streams.refused > 0 && streams.opened == 0) {
        Report(QStringLiteral("no track could open the sound device"));
        status = 1;
    }
    return status;
}

} // namespace

int RunPlayCommand(const std::vector<std::string>& arguments) {
    return PlaySession(arguments, Warning::Printed);
}

int RunBuiltSessionPlay(const std::vector<std::string>& arguments) {
    return PlaySession(arguments, Warning::Asked);
}

} // namespace umbrascope
