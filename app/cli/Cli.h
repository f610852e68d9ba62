#pragma once

// The command line: the desktop program, or one of the commands that work without a window.

#include "model/BuiltSession.h"
#include "model/SessionDocument.h"

#include <QGuiApplication>
#include <QSize>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace umbrascope {

// Runs a command-line command and returns its exit status; empty when the arguments ask for
// the desktop program (none, or a project file name).
std::optional<int> RunCommandLine(const std::vector<std::string>& arguments);

// When the program's own file (self) is a built session, plays it (or runs the command-line
// mode the arguments name) and returns the exit status; empty when it is not a built session.
std::optional<int> RunBuiltSessionIfBuilt(const std::vector<std::string>& arguments,
                                          const std::filesystem::path& self = RunningProgramFile());

// Each command takes the arguments after its own name.
int RunPlayCommand(const std::vector<std::string>& arguments);
// The same play for a built session, which someone started from the desktop: the
// photosensitivity warning is asked in a window instead of printed, and Отмена plays nothing.
int RunBuiltSessionPlay(const std::vector<std::string>& arguments);
int RunDumpCommand(const std::vector<std::string>& arguments);
int RunImportJsonCommand(const std::vector<std::string>& arguments);
int RunSnapshotCommand(const std::vector<std::string>& arguments);
int RunExportAudioCommand(const std::vector<std::string>& arguments);
int RunExportVideoCommand(const std::vector<std::string>& arguments);
int RunBuildSessionCommand(const std::vector<std::string>& arguments);
int RunExtractProjectCommand(const std::vector<std::string>& arguments);

// Shared by the commands: reports a failure on standard error and gives exit status 1.
int Fail(const std::string& message);

// Writes "umbrascope: message" on standard error with every character that would act on a
// terminal written out, line ends kept: the last guard, after names from files have been
// made printable with PrintedName.
void Tell(const std::string& message);

// A name from a file (Windows-1251: a project's media path) as messages print it.
std::string PrintedName(std::string_view cp1251);

// The same for a built session, which may have been started from a file manager: with no
// terminal to read standard error and a display to show a window on, the message is shown in
// a window too.
int FailWhereSeen(const std::string& message);

// How a message names the file a command opened: a built session started as itself by the name
// it was started by rather than /proc/self/exe.
std::string ShownFileName(const std::string& argument);

// The media a command unpacked from a built session, removed as this goes. A command keeps them
// for as long as it works on the document that names them: declared before it, they go after it
// on every way out, an interruption (which unwinds to RunCommandLine) included.
using UnpackedMedia = std::unique_ptr<PrivateFolder>;

// Opens the project a command names as the document; the message for standard error when it
// cannot. A built session's project is opened too, its media (when unpacked) handed to unpacked.
// Unpacking stops at an interruption (CommandInterrupted) once the command catches them.
std::optional<std::string> OpenProjectArgument(const std::string& argument,
                                               SessionDocument& document, UnpackedMedia& unpacked,
                                               BundledMedia media = BundledMedia::Unpacked);

// A message when output leads to the input file itself, also through links or hard links:
// writing it would destroy what is being read.
std::optional<std::string> RefuseOutputThatIsInput(const std::string& input,
                                                   const std::string& output);

// A message when output is the project the session was opened from (projectFileName,
// Windows-1251) or one of the media it names, also through links or hard links: writing it
// would destroy what the session is made of. A command that writes the project itself
// (writesProject) refuses only the media.
std::optional<std::string> RefuseOutputOverSession(const Session& session,
                                                   std::string_view projectFileName,
                                                   const std::string& output,
                                                   bool writesProject = false);

// The file name (Windows-1251; empty when it cannot hold it) of a project to be written at
// output, beside which its media will be looked for.
std::string WrittenProjectFileName(const std::string& output);

// The items as a list is read out: "a", "a or b", "a, b or c".
std::string JoinedWithOr(const std::vector<std::string>& items);

// A message when output's extension is none of extensions (each with its dot; any letter case
// will do); what names what the command writes ("the sound export").
std::optional<std::string> RefuseUnknownExtension(const std::string& output,
                                                  const std::vector<std::string>& extensions,
                                                  const std::string& what);

// A session time in milliseconds from 0 to 2^31 - 1.
std::optional<std::int32_t> ParseMilliseconds(const std::string& text);

// WIDTHxHEIGHT, each side from 1 to largestSide.
std::optional<QSize> ParseSize(const std::string& text, int largestSide);

// The application object that fonts need, on the offscreen platform, which needs no display;
// null when the program already has one.
std::unique_ptr<QGuiApplication> MakeOffscreenApplication();

} // namespace umbrascope
