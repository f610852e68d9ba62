// Program entry: command-line commands, or the desktop program.

#include "Cli.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    try {
        const std::vector<std::string> arguments(argv + 1, argv + argc);
        if (const auto status = RunCommandLine(arguments))
            return *status;
        std::cout << UsageText();
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "umbrascope: " << error.what() << '\n';
    } catch (...) {
        std::cerr << "umbrascope: unexpected failure\n";
    }
    return 1;
}
