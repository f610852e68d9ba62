#pragma once

// Runs the built program as a separate process, the way scripts use its command line.

#include "tests/model/TestFiles.h"

#include <string>
#include <sys/types.h>
#include <vector>

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// arguments are passed to the shell as they stand; standard error goes to a file in folder.
ProgramRun Umbrascope(const std::string& arguments, const ScratchFolder& folder);

// Any command line, run by the shell the same way.
ProgramRun Shell(const std::string& commandLine, const ScratchFolder& folder);

// A project made with --import-json from the JSON text; its path.
std::string MakeProject(const ScratchFolder& folder, const std::string& json);

// Starts the program with these arguments without waiting for it.
pid_t StartUmbrascope(const std::vector<std::string>& arguments);

// Whether folder holds the hidden temporary file of a file being written under name.
bool HasTemporaryOf(const std::filesystem::path& folder, const std::string& name);
