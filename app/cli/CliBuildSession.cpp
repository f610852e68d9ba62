// umbrascope --build-session FILE.usp OUT.run: the session as one file that plays itself.
// umbrascope --extract-project BUILT OUT.usp: its project and media back out, beside OUT.

#include "Cli.h"
#include "base/FileUtils.h"
#include "model/Cp1251.h"

#include <csignal>
#include <iostream>

namespace {

// Holds interruptions back while files are written, so that none can leave a temporary file
// behind; one that came meanwhile takes effect when this goes.
class InterruptionsHeldBack {
public:
    InterruptionsHeldBack() {
        sigset_t held;
        sigemptyset(&held);
        for (const int signal : {SIGINT, SIGTERM, SIGHUP})
            sigaddset(&held, signal);
        pthread_sigmask(SIG_BLOCK, &held, &previous_);
    }
    ~InterruptionsHeldBack() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    InterruptionsHeldBack(const InterruptionsHeldBack&) = delete;
    InterruptionsHeldBack& operator=(const InterruptionsHeldBack&) = delete;

private:
    sigset_t previous_;
};

} // namespace

int RunBuildSessionCommand(const std::vector<std::string>& arguments) {
    if (arguments.size() != 2 || arguments[0].starts_with("--") || arguments[1].starts_with("--"))
        return Fail("usage: umbrascope --build-session FILE.usp OUT.run");
    SessionDocument document;
    if (const auto failure = OpenProjectArgument(arguments[0], document))
        return Fail(*failure);
    const InterruptionsHeldBack held;
    try {
        const auto leftOut = BuildSessionFile(document.Contents(), document.ProjectFolder(),
                                              RunningProgramFile(), arguments[1]);
        for (const std::string& path : leftOut)
            std::cerr << "umbrascope: left out of the built session (not found or not readable): "
                      << Cp1251ToUtf8(path) << '\n';
    } catch (const EInOutError& error) {
        return Fail(arguments[1] + ": " + error.what());
    }
    return 0;
}

int RunExtractProjectCommand(const std::vector<std::string>& arguments) {
    if (arguments.size() != 2 || arguments[0].starts_with("--") || arguments[1].starts_with("--"))
        return Fail("usage: umbrascope --extract-project BUILT OUT.usp");
    const BundleIndex index = ReadBundleIndex(arguments[0]);
    if (index.kind == BundleIndex::Kind::NotBundle)
        return Fail(arguments[0] + ": not a built session");
    if (index.kind == BundleIndex::Kind::Damaged)
        return Fail(arguments[0] + ": " + index.problem);
    const InterruptionsHeldBack held;
    try {
        if (const auto refusal = ExtractBuiltProject(arguments[0], index, arguments[1]))
            return Fail(*refusal);
    } catch (const EInOutError& error) {
        return Fail(arguments[1] + ": " + error.what());
    }
    return 0;
}
