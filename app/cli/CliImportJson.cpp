#include "Cli.h"
#include "SessionJson.h"
#include "base/FileUtils.h"
#include "model/ProjectFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

int RunImportJsonCommand(const std::vector<std::string>& arguments) {
    if (arguments.size() != 2)
        return Fail("usage: umbrascope --import-json IN.json OUT.usp");
    std::ifstream in(arguments[0], std::ios::binary);
    if (!in)
        return Fail(arguments[0] + ": " + std::strerror(errno));
    std::ostringstream text;
    text << in.rdbuf();
    Session contents;
    if (const auto problem = ProjectFromJson(text.str(), contents))
        return Fail(arguments[0] + ": " + *problem + "; nothing was written");
    try {
        WriteFileReplacing(arguments[1], ProjectBytes(contents));
    } catch (const EInOutError& error) {
        return Fail(arguments[1] + ": " + error.what());
    }
    return 0;
}
