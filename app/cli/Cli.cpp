#include "Cli.h"
#include "Interruptions.h"
#include "Usage.h"

#include "base/TerminalText.h"
#include "base/WritePlace.h"
#include "model/Cp1251.h"
#include "model/ProjectLoader.h"
#include "model/SessionFiles.h"
#include "ui/StartFailure.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <memory>
#include <unistd.h>

namespace umbrascope {

namespace {

// An interruption unwinds the command, and what it holds goes with it: its unpacked media too.
int RunInterruptibly(int (*run)(const std::vector<std::string>&),
                     const std::vector<std::string>& arguments) {
    try {
        return run(arguments);
    } catch (const CommandInterrupted&) {
        return Fail("interrupted; stopped without leaving anything behind");
    }
}

// Whether a person sees windows here: a display is named and Qt was not told to draw off
// screen.
bool DesktopDisplay() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    return (!qEnvironmentVariableIsEmpty("DISPLAY") ||
            !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) &&
           !platform.startsWith("offscreen") && !platform.startsWith("minimal");
}

} // namespace

int Fail(const std::string& message) {
    Tell(message);
    return 1;
}

void Tell(const std::string& message) {
    std::cerr << "umbrascope: " << EscapedMessage(message) << '\n';
}

std::string PrintedName(std::string_view cp1251) {
    return EscapedForTerminal(Cp1251ToUtf8(cp1251));
}

int FailWhereSeen(const std::string& message) {
    Fail(message);
    if (!isatty(STDERR_FILENO) && DesktopDisplay())
        ShowStartFailure(message);
    return 1;
}

std::string ShownFileName(const std::string& argument) {
    return argument == "/proc/self/exe" ? std::string(program_invocation_name) : argument;
}

std::optional<std::string> OpenProjectArgument(const std::string& argument,
                                               SessionDocument& document, UnpackedMedia& unpacked,
                                               BundledMedia media) {
    const BundleIndex bundle = ReadBundleIndex(argument);
    if (bundle.kind == BundleIndex::Kind::Damaged)
        return argument + ": " + bundle.problem;
    ProjectLoad load;
    if (bundle.IsBundle()) {
        BuiltSessionLoad built = LoadBuiltSession(argument, bundle, media, ThrowIfInterrupted);
        unpacked = std::move(built.media);
        load = std::move(built.load);
        if (!built.notice.empty())
            std::cerr << "umbrascope: warning: " << EscapedForTerminal(built.notice) << '\n';
    } else {
        load = LoadProject(argument);
    }
    if (!load.recovery.Empty())
        std::cerr << "umbrascope: " << EscapedMessage(load.recovery.Text()) << '\n';
    if (!load.Opened())
        return ShownFileName(argument) + ": " + load.message.Text();
    // A file that ends too early still opens, as far as it goes; the command says so.
    if (!load.damage.Empty())
        Tell("warning: " + load.damage.Text());
    // Each command computes the state for its own time and reports what stops it there.
    document.ReplaceSession(std::move(load.session), std::move(load.projectFileName));
    return std::nullopt;
}

std::optional<std::string> RefuseOutputThatIsInput(const std::string& input,
                                                   const std::string& output) {
    if (!SameExistingFile(input, output))
        return std::nullopt;
    return output + ": this is the input file " + input +
           " itself; nothing was written, choose another name";
}

std::optional<std::string> RefuseOutputOverSession(const Session& session,
                                                   std::string_view projectFileName,
                                                   const std::string& output, bool writesProject) {
    const auto file = SessionFileAt(session, projectFileName, output);
    if (!file || (writesProject && file->kind == SessionFile::Kind::Project))
        return std::nullopt;
    const std::string name = PrintedName(file->path);
    const std::string what = file->kind == SessionFile::Kind::Project
                                 ? "the project " + name + " itself"
                                 : name + ", which the session plays or shows";
    return output + ": this is " + what + "; nothing was written, choose another name";
}

std::string WrittenProjectFileName(const std::string& output) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(output, error);
    return Utf8ToCp1251(error ? output : absolute.string()).value_or("");
}

std::string JoinedWithOr(const std::vector<std::string>& items) {
    std::string joined;
    for (std::size_t i = 0; i < items.size(); ++i)
        joined += (i == 0 ? "" : i + 1 == items.size() ? " or " : ", ") + items[i];
    return joined;
}

std::optional<std::string> RefuseUnknownExtension(const std::string& output,
                                                  const std::vector<std::string>& extensions,
                                                  const std::string& what) {
    std::string extension = std::filesystem::path(output).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (std::find(extensions.begin(), extensions.end(), extension) != extensions.end())
        return std::nullopt;
    const std::string named = JoinedWithOr(extensions);
    return output + ": " + what + " writes " + named + " files; name the output " + named +
           " (nothing was written)";
}

std::optional<std::int32_t> ParseMilliseconds(const std::string& text) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

std::optional<int> RunCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.empty() || !arguments[0].starts_with("--"))
        return std::nullopt;
    const std::string& name = arguments[0];
    if (name == "--help") {
        std::cout << UsageText();
        return 0;
    }
    if (name == "--version") {
        std::cout << VersionText();
        return 0;
    }
    if (const CommandUsage* command = FindCommand(name))
        return RunInterruptibly(command->run, {arguments.begin() + 1, arguments.end()});
    Tell("unknown option " + EscapedForTerminal(name));
    std::cerr << '\n' << UsageText();
    return 2;
}

std::optional<int> RunBuiltSessionIfBuilt(const std::vector<std::string>& arguments,
                                          const std::filesystem::path& self) {
    const BundleIndex index = ReadBundleIndex(self);
    if (index.kind == BundleIndex::Kind::NotBundle)
        return std::nullopt;
    if (index.kind == BundleIndex::Kind::Damaged)
        return FailWhereSeen(ShownFileName(self.string()) + ": " + index.problem);
    const bool played = arguments.empty() || arguments[0] == "--sound-only" ||
                        arguments[0] == "--from" || arguments[0] == "--screen" ||
                        arguments[0] == "--frame-log";
    if (!played && arguments[0].starts_with("--"))
        return RunCommandLine(arguments);
    if (!played) {
        std::cerr << "usage: " << program_invocation_name
                  << " [--from MS] [--sound-only] [--screen N] [--frame-log LOG.csv]\n"
                  << "This file is a built session: started, it plays the session. See --help "
                     "for the other commands.\n";
        return 2;
    }
    // Plays as --play does, asking the photosensitivity warning before the picture.
    std::vector<std::string> play{self.string()};
    play.insert(play.end(), arguments.begin(), arguments.end());
    return RunInterruptibly(RunBuiltSessionPlay, play);
}

std::optional<QSize> ParseSize(const std::string& text, int largestSide) {
    const auto separator = text.find('x');
    if (separator == std::string::npos)
        return std::nullopt;
    int width = 0, height = 0;
    const char* begin = text.data();
    const char* middle = begin + separator;
    const char* end = begin + text.size();
    const auto w = std::from_chars(begin, middle, width);
    const auto h = std::from_chars(middle + 1, end, height);
    if (w.ec != std::errc() || w.ptr != middle || h.ec != std::errc() || h.ptr != end)
        return std::nullopt;
    if (width < 1 || height < 1 || width > largestSide || height > largestSide)
        return std::nullopt;
    return QSize(width, height);
}

std::unique_ptr<QGuiApplication> MakeOffscreenApplication() {
    if (QGuiApplication::instance())
        return nullptr;
    static int argc = 3;
    static char name[] = "umbrascope", option[] = "-platform", platform[] = "offscreen";
    static char* argv[] = {name, option, platform, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace umbrascope
