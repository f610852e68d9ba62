// umbrascope --play FILE.usp [--from MS] [--sound-only]: plays a session straight away, full
// screen or as sound only, without the editing window. Ends with the session, on a key in the
// full-screen window, or on SIGINT, SIGTERM or SIGHUP, stopping cleanly each time. Messages go
// to standard error, and a play in which no track could open the sound device ends with
// status 1.

#include "Cli.h"
#include "Interruptions.h"
#include "audio/tracks/StreamingLoop.h"
#include "base/FileUtils.h"
#include "model/Cp1251.h"
#include "model/ProjectFile.h"
#include "model/SessionMedia.h"
#include "model/SessionState.h"
#include "play/DisplayCheck.h"
#include "play/PlaybackController.h"
#include "ui/MessageBoxes.h"
#include "ui/PhotosensitivityWarning.h"
#include "ui/UiText.h"
#include "visual/FullScreenWindow.h"

#include <QFileInfo>
#include <QTimer>

#include <iostream>
#include <set>

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

struct PlayOptions {
    std::string project;
    std::int32_t from = 0;
    bool soundOnly = false;
};

std::optional<PlayOptions> ParsePlayOptions(const std::vector<std::string>& arguments) {
    PlayOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--sound-only") {
            options.soundOnly = true;
        } else if (argument == "--from" && i + 1 < arguments.size()) {
            const auto from = ParseMilliseconds(arguments[++i]);
            if (!from)
                return std::nullopt;
            options.from = *from;
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

// Opens the project as the document at the position; the message when it cannot.
std::optional<std::string> LoadProjectAt(const std::string& path, std::int32_t from,
                                         SessionDocument& document) {
    if (auto failure = OpenProjectArgument(path, document))
        return failure;
    document.SessionPosition = from;
    if (const auto stateError = document.ComputeStateAt(from))
        std::cerr << "umbrascope: " << FromModelText(*stateError).toStdString() << '\n';
    return std::nullopt;
}

void Report(const QString& text) {
    std::cerr << "umbrascope: " << text.toStdString() << '\n';
}

enum class Warning { Printed, Asked };

int PlaySession(const std::vector<std::string>& arguments, Warning warning) {
    const auto options = ParsePlayOptions(arguments);
    if (!options)
        return Fail("usage: umbrascope --play FILE.usp [--from MS] [--sound-only]");
    // Sound alone shows no window, so it plays without a display too.
    if (options->soundOnly && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!DisplayAvailable())
        return Fail("there is no display for the full-screen picture (DISPLAY is not set); "
                    "add --sound-only to play the sound alone");
    int argc = 1;
    char name[] = "umbrascope";
    char* argv[] = {name, nullptr};
    TApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Umbrascope"));
    const StopOnSignals stopOnSignals;
    SessionDocument document;
    if (const auto failure = LoadProjectAt(options->project, options->from, document))
        return Fail(*failure);
    // On a command line nobody may be there to answer, so the picture plays after the warning.
    if (!options->soundOnly && warning == Warning::Printed)
        PrintPhotosensitivityWarning(std::cerr);
    if (!options->soundOnly && warning == Warning::Asked && !ConfirmPicturePlay(nullptr))
        return 0;

    // The track threads' messages go to standard error: boxes would wait unseen.
    InstallUserMessages(nullptr);
    int status = 0;
    {
        QTimer clock;
        clock.setInterval(50);
        clock.setTimerType(Qt::PreciseTimer);
        std::unique_ptr<TFullScreenForm> fullScreen;
        if (!options->soundOnly)
            fullScreen = std::make_unique<TFullScreenForm>();
        PlaybackDisplay display;
        display.UpdateDisplay = [] {};
        display.RepaintTimeline = [] {};
        display.ShowPlaying = [](bool playing) {
            if (!playing)
                QCoreApplication::quit();
        };
        display.Report = Report;
        // As the export lists them, so a script or a user sees why a track is silent: all of
        // them as play starts, and a track that goes missing later when it is due.
        std::set<std::string> missing;
        const auto leaveOut = [&missing](const std::string& medium) {
            if (missing.insert(medium).second)
                std::cerr << "umbrascope: left out of the play: " << Cp1251ToUtf8(medium)
                          << " (not found)\n";
        };
        for (const std::string& medium :
             MissingMedia(document.Contents(), document.ProjectFolder()))
            leaveOut(medium);
        display.TrackNotFound = leaveOut;
        PlaybackController controller(document, clock, fullScreen.get(), std::move(display));
        QObject::connect(&clock, &QTimer::timeout, [&controller] {
            try {
                controller.ControlTimerTimer();
            } catch (...) {
                Report(CurrentExceptionText());
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
                Report(CurrentExceptionText());
                status = 1;
                QCoreApplication::quit();
            }
        });
        QApplication::exec();
        controller.StopButtonClick();
    }
    EndSound();
    const TrackStreamCounts streams = CountTrackStreams();
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
