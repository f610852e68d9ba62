#include "ProgramRun.h"
#include "tests/common/SanitizerBuild.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

namespace umbrascope {

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

namespace {

// Whether the process has a file in folder, or below it, open for writing (which an unnamed
// temporary file is too, with no name of its own in the folder).
bool WritesIn(pid_t pid, const std::filesystem::path& folder) {
    const std::string prefix = folder.string() + "/";
    const std::filesystem::path fds = "/proc/" + std::to_string(pid) + "/fd";
    std::error_code gone;
    for (const auto& entry : std::filesystem::directory_iterator(fds, gone)) {
        const auto target = std::filesystem::read_symlink(entry.path(), gone).string();
        if (gone || !target.starts_with(prefix))
            continue;
        std::ifstream info("/proc/" + std::to_string(pid) + "/fdinfo/" +
                           entry.path().filename().string());
        std::string key;
        std::string flags;
        while (info >> key >> flags)
            if (key == "flags:" && (std::stoul(flags, nullptr, 8) & O_ACCMODE) != O_RDONLY)
                return true;
    }
    return false;
}

} // namespace

pid_t StartProgram(const std::vector<std::string>& arguments,
                   const std::vector<std::string>& extraEnvironment) {
    std::vector<std::string> words{Program()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    std::vector<std::string> variables(extraEnvironment);
    std::vector<char*> envp;
    for (auto& variable : variables)
        envp.push_back(variable.data());
    for (char** variable = environ; *variable; ++variable)
        envp.push_back(*variable);
    envp.push_back(nullptr);
    pid_t pid = 0;
    // posix_spawn rather than a fork: the thread sanitizer's runtime cannot follow a fork of
    // a process with threads.
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0)
        return -1;
    return pid;
}

InterruptedRun InterruptWhileWritingIn(const std::vector<std::string>& arguments,
                                       const std::filesystem::path& folder, int signal,
                                       const std::vector<std::string>& extraEnvironment) {
    InterruptedRun run;
    const pid_t pid = StartProgram(arguments, extraEnvironment);
    if (pid < 0)
        return run;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(20) * SanitizerSlowdown;
    while (!WritesIn(pid, folder) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    kill(pid, signal);
    const auto signalled = std::chrono::steady_clock::now();
    int status = 0;
    waitpid(pid, &status, 0);
    run.secondsAfterSignal =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - signalled).count();
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

int InterruptWhileWriting(const std::vector<std::string>& arguments,
                          const std::filesystem::path& output, int signal) {
    return InterruptWhileWritingIn(arguments, output.parent_path(), signal).status;
}

} // namespace umbrascope
