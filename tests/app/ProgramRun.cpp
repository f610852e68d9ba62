#include "ProgramRun.h"

#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>

ProgramRun Umbrascope(const std::string& arguments, const ScratchFolder& folder) {
    const std::string program =
        std::string(std::getenv("UMBRASCOPE_BUILD_DIR")) + "/app/umbrascope";
    return RunCommand(program + " " + arguments, folder);
}

ProgramRun RunCommand(const std::string& commandLine, const ScratchFolder& folder) {
    const auto errPath = folder.Path() / "stderr.txt";
    const std::string command = commandLine + " 2>" + errPath.string();
    ProgramRun run;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    std::size_t got = 0;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, got);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = ReadWholeFile(errPath);
    return run;
}
