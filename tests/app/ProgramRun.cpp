#include "ProgramRun.h"
#include "tests/common/SanitizerBuild.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

namespace {

std::string Program() {
    return std::string(std::getenv("UMBRASCOPE_BUILD_DIR")) + "/app/umbrascope";
}

} // namespace

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

ProgramRun Umbrascope(const std::string& arguments, const ScratchFolder& folder) {
    return RunCommand(Program() + " " + arguments, folder);
}

std::string MakeProject(const ScratchFolder& folder, const std::string& json) {
    folder.Write("p.json", json);
    const auto project = folder.Path() / "p.usp";
    Umbrascope("--import-json " + (folder.Path() / "p.json").string() + " " + project.string(),
               folder);
    return project.string();
}

bool HasTemporaryOf(const std::filesystem::path& folder, const std::string& name) {
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().starts_with("." + name))
            return true;
    return false;
}

int InterruptWhileWriting(const std::vector<std::string>& arguments,
                          const std::filesystem::path& output, int signal) {
    std::vector<std::string> words{Program()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(20) * SanitizerSlowdown;
    while (!HasTemporaryOf(output.parent_path(), output.filename().string()) &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    kill(pid, signal);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
