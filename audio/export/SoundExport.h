#pragma once

// A session's sound written to a file, the one way the command line and the window both do
// it: the renderer's blocks go to the writer of the format the file's name says (see
// SoundFileFormats.h), with the progress told after every block and a cancel seen there.
// What the export met on the way comes back as the outcome.
//
// Thread rule: any one thread; the export works on its own copy of the session.

#include "SessionExport.h"
#include "base/ExportOutcome.h"
#include "base/WriteOptions.h"
#include "model/Session.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace umbrascope {

struct SoundExportSettings {
    std::int32_t from = 0; // ms
    std::int32_t to = 0;   // ms, after from
    int rate = 44100;
    ExportFormat format; // bits and dither
    // How the file waits for another program's lock on it and whom it tells what it could not
    // keep.
    WriteOptions writing;
};

// Told the frames done and the frames in all, before the first block and after each; false
// cancels the export.
using SoundExportProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

// Writes the session's sound from settings.from to settings.to (moved media are looked for in
// projectFolder) into target. The outcome says whether the file was written or the export
// cancelled (then nothing is left under target), how much the mix clipped and where, and the
// problems and media left out. Throws UserTextError, writing nothing, when the name has no
// format's extension, the format does not take the bits or cannot hold that much sound, or the
// stretch is empty; IoError when the file cannot be written, leaving nothing behind.
ExportOutcome ExportSound(Session session, std::string projectFolder,
                          const std::filesystem::path& target, const SoundExportSettings& settings,
                          const SoundExportProgress& progress);

// Why a file of this name cannot hold the exported sound: no format has its extension.
UserText UnknownSoundFileName(const std::filesystem::path& target);

} // namespace umbrascope
