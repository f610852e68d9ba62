#pragma once

// Renders everything the sound card would play for a stretch of the open session into 16-bit
// stereo PCM, offline: the same track sources as live play, started, stopped and silenced by
// the same rules, with each event taking effect at its exact sample.
//
// Thread rule: the renderer plays the part of the user-interface thread: it writes
// CurrentValues and publishes it. Use it where nothing else plays the session.

#include "RateConverter.h"
#include "TrackSource.h"
#include "WorkerPool.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class SessionRenderer {
public:
    // The session of the model from `from` to `to` milliseconds at `rate` frames per second.
    // The state at `from` is computed as for Play; the phrase file plays no part.
    SessionRenderer(std::int32_t from, std::int32_t to, int rate);
    ~SessionRenderer();
    SessionRenderer(const SessionRenderer&) = delete;
    SessionRenderer& operator=(const SessionRenderer&) = delete;

    std::uint64_t TotalFrames() const { return totalFrames_; }
    std::uint64_t RenderedFrames() const { return renderedFrames_; }

    // Writes up to `frames` stereo frames (left, right interleaved); returns how many it wrote,
    // 0 at the end.
    std::size_t Render(std::int16_t* stereo, std::size_t frames);

    // Samples that the mix had to cut to full scale.
    std::uint64_t ClippedSamples() const { return clipped_; }

    // Messages of events whose values could not be applied (Windows-1251), each once.
    const std::vector<std::string>& Problems() const { return problems_; }

    // Tracks playing now, in start order (descriptors as resolved).
    std::vector<std::string> PlayingTracks() const;

private:
    struct Track;

    std::uint64_t FrameAt(std::int32_t time) const;
    void ApplyDueEvents();
    void ApplyEvent(std::size_t index);
    void StartTrack(const std::string& descriptor, std::int32_t startOffset);
    void StopTrack(const std::string& value);
    void MixBlock(std::int16_t* stereo, std::size_t frames);

    std::int32_t from_;
    int rate_;
    std::uint64_t totalFrames_ = 0;
    std::uint64_t renderedFrames_ = 0;
    std::size_t nextEvent_ = 0;
    std::uint64_t clipped_ = 0;
    std::vector<std::unique_ptr<Track>> tracks_;
    std::vector<std::string> problems_;
    std::vector<float> mix_;
    std::vector<float> trackFrames_; // one block per track, side by side
    WorkerPool pool_;
};
