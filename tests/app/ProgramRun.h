#pragma once

// Runs the built program as a separate process, the way scripts use its command line.

#include "tests/model/TestFiles.h"

#include <string>
#include <sys/types.h>
#include <vector>

namespace umbrascope {

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// arguments are passed to the shell as they stand; standard error goes to a file in folder.
ProgramRun Umbrascope(const std::string& arguments, const ScratchFolder& folder);

// The same for any shell command.
ProgramRun RunCommand(const std::string& command, const ScratchFolder& folder);

// A project made with --import-json from the JSON text; its path.
std::string MakeProject(const ScratchFolder& folder, const std::string& json);

// Whether folder holds the hidden temporary file of a file being written under name.
bool HasTemporaryOf(const std::filesystem::path& folder, const std::string& name);

// Starts the program with these arguments and the environment's variables, the extra ones
// "NAME=value" added; its process id, or -1 when it could not start.
pid_t StartProgram(const std::vector<std::string>& arguments,
                   const std::vector<std::string>& extraEnvironment = {});

struct InterruptedRun {
    int status = -1;               // -1 when the signal ended it
    double secondsAfterSignal = 0; // until it ended
};

// Starts the program with these arguments (and the environment's variables, the extra ones
// "NAME=value" added), sends it the signal once it has a file open for writing in folder or
// below it (within 20 s), and tells how it ended.
InterruptedRun InterruptWhileWritingIn(const std::vector<std::string>& arguments,
                                       const std::filesystem::path& folder, int signal,
                                       const std::vector<std::string>& extraEnvironment = {});

// The same, waiting for the temporary file of output; gives the exit status.
int InterruptWhileWriting(const std::vector<std::string>& arguments,
                          const std::filesystem::path& output, int signal);

} // namespace umbrascope
