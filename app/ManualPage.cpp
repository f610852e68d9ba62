// Writes the manual page from the command line's own description, so that it says what
// --help says. The build runs it: umbrascope_manual YYYY-MM-DD OUT.1

#include "app/cli/Usage.h"
#include "model/ProjectFile.h"

#include <exception>
#include <iostream>

using namespace umbrascope;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: umbrascope_manual YYYY-MM-DD OUT.1\n";
        return 2;
    }
    try {
        WriteFileReplacing(argv[2], ManualPage(argv[1]));
    } catch (const std::exception& error) {
        std::cerr << "umbrascope_manual: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
