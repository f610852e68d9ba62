#pragma once

// The sound of a session exported on a worker thread (see ExportJob and ExportSound).

#include "SoundExport.h"
#include "base/ExportJob.h"
#include "model/Session.h"

#include <filesystem>
#include <string>

namespace umbrascope {

class SoundExportJob : public ExportJob {
public:
    // Starts exporting the session (moved media are looked for in projectFolder) into target
    // as settings say; the job's own lock wait takes the place of settings.writing.
    SoundExportJob(Session session, std::string projectFolder, std::filesystem::path target,
                   SoundExportSettings settings);
};

} // namespace umbrascope
