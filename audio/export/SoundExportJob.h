#pragma once

// The sound of a session written to a WAV file on a worker thread (see ExportJob).

#include "base/ExportJob.h"
#include "model/Session.h"

#include <filesystem>
#include <string>

namespace umbrascope {

class SoundExportJob : public ExportJob {
public:
    // Starts rendering the whole session (moved media are looked for in projectFolder) at
    // rate frames per second into target.
    SoundExportJob(Session session, std::string projectFolder, std::filesystem::path target,
                   int rate);
};

} // namespace umbrascope
