#pragma once

// A session exported as a video on a worker thread (see ExportJob). The job is made on the
// user-interface thread, whose QGuiApplication the drawing needs; Cancel stops it after the
// frame in hand.

#include "VideoExport.h"
#include "base/ExportJob.h"
#include "model/Session.h"

#include <filesystem>
#include <string>

namespace umbrascope {

class VideoExportJob : public ExportJob {
public:
    // Starts exporting the session (moved media are looked for in projectFolder) into target.
    VideoExportJob(Session session, std::string projectFolder, std::filesystem::path target,
                   VideoExportSettings settings);
};

} // namespace umbrascope
