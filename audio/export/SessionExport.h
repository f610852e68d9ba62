#pragma once

// Renders everything the sound card would play for a stretch of a session into 16- or 24-bit
// stereo PCM, offline: the same tracks as live play, started, stopped and silenced through the
// same event playhead, with each event taking effect at its exact sample. Generated tracks are
// computed at the export's rate, files converted to it; the mix is rounded once, with dither
// unless switched off. Blocks are shared out between the processor's cores.
//
// Thread rule: the renderer works on its own copy of the session and keeps its own state; it
// never touches the open document or the state published for the players, so it may run on
// any one thread at a time while the window goes on.

#include "WorkerPool.h"
#include "model/EventPlayhead.h"
#include "model/Session.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace umbrascope {

class ExportTrack;

// What the samples of an export are: 16 or 24 bits, and whether the rounding is dithered
// (triangular, one least significant bit; never over digital silence).
struct ExportFormat {
    int bits = 16;
    bool dither = true;
};

class SessionRenderer final : private PlaybackActions {
public:
    // The session from `from` to `to` milliseconds at `rate` frames per second; moved media
    // are looked for in projectFolder. The state at `from` is computed as for Play; the phrase
    // file plays no part.
    SessionRenderer(Session session, std::string projectFolder, std::int32_t from, std::int32_t to,
                    int rate, ExportFormat format = {});
    ~SessionRenderer() override;
    SessionRenderer(const SessionRenderer&) = delete;
    SessionRenderer& operator=(const SessionRenderer&) = delete;

    std::uint64_t TotalFrames() const { return totalFrames_; }
    std::uint64_t RenderedFrames() const { return renderedFrames_; }

    // Writes up to `frames` stereo frames (left, right interleaved); returns how many it wrote,
    // 0 at the end. The 16-bit form is for a 16-bit format only; the 32-bit one holds samples
    // of the format's bits.
    std::size_t Render(std::int16_t* stereo, std::size_t frames);
    std::size_t Render(std::int32_t* stereo, std::size_t frames);

    // Samples that the mix had to cut to full scale, and the session time (ms) of the stretch
    // where the first of them lies (-1 while there is none).
    std::uint64_t ClippedSamples() const { return clipped_; }
    std::int64_t FirstClipTime() const { return firstClipTime_; }

    // What the user is told about the export (Windows-1251), each once: events whose values
    // could not be applied, tracks beyond the limit of tracks at once.
    const std::vector<UserText>& Problems() const { return problems_; }

    // Files of tracks that the export had to leave out, each once, with the reason
    // (Windows-1251 path, then the reason in English).
    const std::vector<std::string>& LeftOut() const { return leftOut_; }

    // Tracks playing now, in start order (descriptors as resolved).
    std::vector<std::string> PlayingTracks() const;

private:
    void StartTrack(const std::string& descriptor, std::int32_t offset,
                    std::uint32_t number) override;
    void StopTrack(std::uint32_t number) override;
    void SwitchPhraseFile(const std::optional<std::string>&) override {}
    void Report(const UserText& message) override;
    void TrackNotFound(const std::string& descriptor) override;
    // A problem of a track's file, told with the export's outcome (each text once) rather than
    // in a box the worker would wait for.
    void TellOnce(const UserText& message);
    void LeaveOut(const std::string& descriptor, const char* reason);

    std::uint64_t FrameAt(std::int32_t time) const;
    // The last session time whose events fall due by the frame.
    std::int64_t LastTimeAtFrame(std::uint64_t frame) const;
    template <typename Out> std::size_t RenderInto(Out* stereo, std::size_t frames);
    void RenderTracks(std::size_t frames);
    template <typename Out> void MixBlock(Out* stereo, std::size_t frames);

    Session session_;
    SessionValuesInForce state_;
    EventPlayhead playhead_;
    std::int32_t from_;
    int rate_;
    ExportFormat format_;
    unsigned parts_; // threads that share a block
    std::uint64_t totalFrames_ = 0;
    std::uint64_t renderedFrames_ = 0;
    std::uint64_t clipped_ = 0;
    std::int64_t firstClipTime_ = -1;
    std::vector<std::unique_ptr<ExportTrack>> tracks_;
    std::vector<UserText> problems_;
    std::vector<std::string> leftOut_;
    std::vector<float> mix_;
    std::vector<float> trackFrames_; // one block per track, side by side
    std::vector<std::uint64_t> clippedByPart_;
    WorkerPool pool_;
};

} // namespace umbrascope
