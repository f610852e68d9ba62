#pragma once

// Runs the built program as a separate process, the way scripts use its command line.

#include "tests/model/TestFiles.h"

#include <string>
#include <vector>

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

// Starts the program with these arguments, sends it the signal once its temporary file for
// output has appeared (within 20 s), and gives its exit status (-1 when a signal ended it).
int InterruptWhileWriting(const std::vector<std::string>& arguments,
                          const std::filesystem::path& output, int signal);
