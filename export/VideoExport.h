#pragma once

// A session exported as an MP4 video that plays anywhere: H.264 pictures (4:2:0) drawn by the
// presentation's own renderers at each frame's session time, and AAC sound from the sound
// export's renderer at 48000 Hz, both starting at the first frame. Drawing runs on a thread of
// its own and hands frames over a short queue; colour conversion, the sound and the container
// run on the caller's thread, and libx264 encodes on FFmpeg's threads. Memory stays the same
// however long the session: a few frames in the queue and the encoders' own look-ahead.
//
// Thread rule: made, run and destroyed on one thread, which needs a QGuiApplication (fonts).
// The export works on its own copy of the session, so the window may go on meanwhile.

#include "base/UserText.h"
#include "base/WriteOptions.h"
#include "model/Session.h"

#include <QSize>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace umbrascope {

struct VideoExportSettings {
    std::int32_t from = 0; // ms
    std::int32_t to = 0;   // ms, after from
    QSize size{1920, 1080};
    // Flicker up to 30 Hz needs 60 frames a second to show each half of its period.
    int fps = 60;
    // libx264's quality: 18 keeps the edges of a spiral and the letters of a phrase as sharp
    // as on screen.
    int crf = 18;
    // How the file waits for another program's lock on it and whom it tells what it could not
    // keep.
    WriteOptions writing;
};

// Processor seconds the stages spent on the export's own threads, for measuring: drawing on the
// drawing thread, conversion and sound on the caller's. The rest of the process's processor
// time is the encoders' (libx264 on FFmpeg's threads) and the container's.
struct VideoExportTimes {
    double drawing = 0;
    double conversion = 0;
    double sound = 0; // rendering, converting and encoding the sound
};

class VideoExport {
public:
    static constexpr int SoundRate = 48000;

    // Prepares the export of the session from settings.from to settings.to, whose moved media
    // are looked for in projectFolder, into target. Throws IoError, with nothing left
    // behind, when the stretch is empty or the file or an encoder cannot be made.
    VideoExport(Session session, std::string projectFolder, const std::filesystem::path& target,
                const VideoExportSettings& settings);
    ~VideoExport();
    VideoExport(const VideoExport&) = delete;
    VideoExport& operator=(const VideoExport&) = delete;

    std::uint64_t TotalFrames() const { return totalFrames_; }

    // Writes the video; after each frame calls keepGoing with the frames done so far and stops
    // when it says false: then nothing is left under the target and Run returns false. Throws
    // IoError, leaving nothing behind. Call once.
    bool Run(const std::function<bool(std::uint64_t)>& keepGoing);

    // What the user is told (Windows-1251), each once: events whose values could not be
    // applied, tracks beyond the limit of tracks at once.
    std::vector<UserText> Problems() const;
    // Files of tracks the sound had to leave out, with the reason (as SessionRenderer::LeftOut).
    const std::vector<std::string>& LeftOut() const;
    std::uint64_t ClippedSamples() const;
    // The sound's samples made so far (both channels), and where the first clipped one lies
    // (as SessionRenderer::FirstClipTime).
    std::uint64_t SoundSamples() const;
    std::int64_t FirstClipTime() const;

    const VideoExportTimes& Times() const { return times_; }

private:
    struct Engine;

    std::uint64_t totalFrames_ = 0;
    VideoExportTimes times_;
    std::unique_ptr<Engine> engine_;
};

} // namespace umbrascope
