#include "Cli.h"
#include "SessionJson.h"
#include "base/FileUtils.h"
#include "model/Common.h"
#include "model/Cp1251.h"
#include "model/ProjectFile.h"
#include "model/SessionState.h"

#include <filesystem>
#include <iostream>

int RunDumpCommand(const std::vector<std::string>& arguments) {
    std::int32_t at = 0;
    if (arguments.size() == 3 && arguments[1] == "--at") {
        const auto parsed = ParseMilliseconds(arguments[2]);
        if (!parsed)
            return Fail("--at takes a time in milliseconds from 0 to 2147483647");
        at = *parsed;
    } else if (arguments.size() != 1) {
        return Fail("usage: umbrascope --dump FILE.usp [--at MS]");
    }
    const std::filesystem::path path(arguments[0]);
    ProjectContents contents;
    try {
        TFile file(path);
        if (ReadProject(file, contents) == ProjectReadResult::WrongFormat)
            return Fail(arguments[0] + ": " + WrongFormatMessage);
    } catch (const EInOutError& error) {
        return Fail(arguments[0] + ": " + error.what());
    }
    ResetProject();
    AdoptProject(std::move(contents));
    ProjectFileName = Utf8ToCp1251(std::filesystem::absolute(path).string()).value_or("");
    const auto stateError = ComputeStateAt(at);
    std::cout << SessionToJson(stateError);
    return 0;
}
