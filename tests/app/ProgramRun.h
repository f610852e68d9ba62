#pragma once

// Runs the built program as a separate process, the way scripts use its command line.

#include "tests/model/TestFiles.h"

#include <string>

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// arguments are passed to the shell as they stand; standard error goes to a file in folder.
ProgramRun Umbrascope(const std::string& arguments, const ScratchFolder& folder);

// The same for any shell command.
ProgramRun RunCommand(const std::string& command, const ScratchFolder& folder);
