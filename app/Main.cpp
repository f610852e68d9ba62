// Program entry: a built session that plays itself, a command-line command, or the desktop
// program.

#include "app/cli/Cli.h"
#include "app/gui/Desktop.h"
#include "base/TerminalText.h"

#include <exception>
#include <iostream>

using namespace umbrascope;

int main(int argc, char** argv) {
    try {
        const std::vector<std::string> arguments(argv + 1, argv + argc);
        if (const auto status = RunBuiltSessionIfBuilt(arguments))
            return *status;
        if (const auto status = RunCommandLine(arguments))
            return *status;
        return RunDesktopProgram(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "umbrascope: " << EscapedMessage(error.what()) << '\n';
    } catch (...) {
        std::cerr << "umbrascope: unexpected failure\n";
    }
    return 1;
}
