// umbrascope --build-session FILE.usp OUT.run: the session as one file that plays itself.
// umbrascope --extract-project BUILT OUT.usp: its project and media back out, beside OUT.

#include "Cli.h"
#include "CommandWriting.h"
#include "Interruptions.h"
#include "base/FileUtils.h"
#include "base/TerminalText.h"
#include "model/Cp1251.h"
#include "model/MediaPath.h"

#include <iostream>

namespace umbrascope {

namespace {

// The extracted project looks for the media left out of the built session beside out, as any
// project does: out may not be one of them.
std::optional<std::string> RefuseOutputOverExtracted(const std::string& bundle,
                                                     const BundleIndex& index,
                                                     const std::string& out) {
    const BuiltSessionLoad built =
        LoadBuiltSession(bundle, index, BundledMedia::LeftInside, ThrowIfInterrupted);
    if (!built.load.Opened())
        return bundle + ": " + built.load.message.Text();
    return RefuseOutputOverSession(built.load.session, WrittenProjectFileName(out), out, true);
}

// A Windows-1251 media path as found, from the root.
std::string FullPath(const std::string& cp1251Path) {
    std::error_code unknown;
    const std::filesystem::path path = FileSystemPath(cp1251Path);
    const std::filesystem::path full = std::filesystem::absolute(path, unknown);
    return (unknown ? path : full.lexically_normal()).string();
}

} // namespace

int RunBuildSessionCommand(const std::vector<std::string>& arguments) {
    if (arguments.size() != 2 || arguments[0].starts_with("--") || arguments[1].starts_with("--"))
        return Fail("usage: umbrascope --build-session FILE.usp OUT.run");
    if (const auto refusal = RefuseOutputThatIsInput(arguments[0], arguments[1]))
        return Fail(*refusal);
    // An interruption abandons the copy within a megabyte and leaves nothing at OUT.run.
    CatchInterruptions();
    UnpackedMedia media;
    SessionDocument document;
    if (const auto failure = OpenProjectArgument(arguments[0], document, media))
        return Fail(*failure);
    if (const auto refusal =
            RefuseOutputOverSession(document.Contents(), document.ProjectFileName, arguments[1]))
        return Fail(*refusal);
    try {
        const BuiltSessionContents built = BuildSessionFile(
            document.Contents(), document.ProjectFolder(), RunningProgramFile(), arguments[1],
            [](std::uint64_t, std::uint64_t) { ThrowIfInterrupted(); },
            CommandWriteOptions(arguments[1]));
        // What goes to others, so that nothing is sent along unnoticed.
        for (const std::string& path : built.bundled)
            std::cout << "bundled: " << EscapedForTerminal(FullPath(path)) << '\n';
        for (const std::string& path : built.leftOut)
            Tell("left out of the built session (not found or not readable): " + PrintedName(path));
        for (const std::string& path : built.systemFiles)
            Tell("left out of the built session (a device or a file of the system, under /proc, "
                 "/sys or /dev, is never bundled): " +
                 PrintedName(path));
    } catch (const IoError& error) {
        return Fail(arguments[1] + ": " + error.what());
    }
    return 0;
}

int RunExtractProjectCommand(const std::vector<std::string>& arguments) {
    if (arguments.size() != 2 || arguments[0].starts_with("--") || arguments[1].starts_with("--"))
        return Fail("usage: umbrascope --extract-project BUILT OUT.usp");
    if (const auto refusal = RefuseOutputThatIsInput(arguments[0], arguments[1]))
        return Fail(*refusal);
    const BundleIndex index = ReadBundleIndex(arguments[0]);
    if (index.kind == BundleIndex::Kind::NotBundle)
        return Fail(arguments[0] + ": not a built session");
    if (index.kind == BundleIndex::Kind::Damaged)
        return Fail(arguments[0] + ": " + index.problem);
    CatchInterruptions();
    if (const auto refusal = RefuseOutputOverExtracted(arguments[0], index, arguments[1]))
        return Fail(*refusal);
    try {
        if (const auto refusal =
                ExtractBuiltProject(arguments[0], index, arguments[1], ThrowIfInterrupted))
            return Fail(*refusal);
    } catch (const IoError& error) {
        return Fail(arguments[1] + ": " + error.what());
    }
    return 0;
}

} // namespace umbrascope
