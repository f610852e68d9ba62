#include "FrameLogReport.h"

#include "model/ProjectFile.h"
#include "visual/FrameLog.h"

#include <exception>
#include <iostream>

namespace umbrascope {

bool ReportFrameLog(const FrameLog& log, const std::filesystem::path& path) noexcept {
    try {
        std::cerr << "umbrascope: " << SummaryText(log.Summary()) << '\n';
        WriteFileReplacing(path, log.Csv());
        return true;
    } catch (const std::exception& error) {
        std::cerr << "umbrascope: the frame log " << path.string()
                  << " could not be written: " << error.what() << '\n';
    } catch (...) {
        std::cerr << "umbrascope: the frame log " << path.string() << " could not be written\n";
    }
    return false;
}

} // namespace umbrascope
