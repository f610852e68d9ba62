#include "Cli.h"
#include "Interruptions.h"
#include "SessionJson.h"
#include "model/SessionDocument.h"
#include "model/SessionState.h"

#include <iostream>

namespace umbrascope {

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
    CatchInterruptions(); // a built session's project is unpacked to be read
    UnpackedMedia media;
    SessionDocument document;
    if (const auto failure =
            OpenProjectArgument(arguments[0], document, media, BundledMedia::LeftInside))
        return Fail(*failure);
    const SessionStateAt state = StateAt(document.StartValues, document.Events, at);
    std::cout << SessionToJson(document.Contents(), state.values, state.failure);
    return 0;
}

} // namespace umbrascope
