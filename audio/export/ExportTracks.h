#pragma once

// The tracks of an export as the renderer mixes them: generated tracks computed directly at the
// export's rate, and WAV and MP3 tracks read from their files and brought to that rate.
//
// Thread rule: a track belongs to its renderer. The renderer may render parts of one block of
// a splittable track on several threads at once; every other call comes from one thread at a
// time.

#include "audio/device/RateConverter.h"
#include "audio/sources/Tones.h"
#include "audio/sources/TrackSource.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace umbrascope {

class ExportTrack {
public:
    ExportTrack(std::string descriptor, std::uint32_t number)
        : descriptor_(std::move(descriptor)), number_(number) {}
    virtual ~ExportTrack() = default;

    const std::string& Descriptor() const { return descriptor_; }
    std::uint32_t Number() const { return number_; }

    // Parts of a block may be rendered separately and at once.
    virtual bool Splittable() const = 0;

    // Writes frames at .. at + frames of the coming block as float stereo (1.0 = 16-bit full
    // scale). A track that is not splittable is asked for its whole block at once.
    virtual void Render(std::size_t at, std::size_t frames, float* stereo) = 0;

    // The block of this many frames is done.
    virtual void Advance(std::size_t frames) = 0;

    // Writes the whole coming block as 16-bit stereo exactly as the track holds it, when it is
    // 16-bit stereo at the export's rate; false otherwise, and nothing is taken then.
    virtual bool CopyExact16(std::size_t, std::int16_t*) { return false; }

    // The track has ended by itself (a file that could not be read any more).
    virtual bool Failed() const { return false; }

private:
    std::string descriptor_;
    std::uint32_t number_;
};

// A generated track: every sample is a function of its frame, so blocks split freely.
class GeneratedTrack final : public ExportTrack {
public:
    GeneratedTrack(std::string descriptor, std::uint32_t number, const ToneParams& params, int rate)
        : ExportTrack(std::move(descriptor), number),
          generator_(params, rate, NoiseGenerator(number)) {}
    bool Splittable() const override { return true; }
    void Render(std::size_t at, std::size_t frames, float* stereo) override {
        generator_.RenderFloat(position_ + static_cast<std::uint32_t>(at), frames, stereo);
    }
    void Advance(std::size_t frames) override { position_ += static_cast<std::uint32_t>(frames); }

private:
    ToneGenerator generator_;
    std::uint32_t position_ = 0; // frames since the track started
};

// A WAV or MP3 track: its source fills buffers in the file's own format, which the converter
// brings to the export's rate. At the export's rate the bytes wait as they are, so that a
// 16-bit stereo track can also be copied without a detour through float.
class FileTrack final : public ExportTrack {
public:
    FileTrack(std::string descriptor, std::uint32_t number, std::unique_ptr<TrackSource> source,
              std::unique_ptr<RateConverter> converter);
    bool Splittable() const override { return false; }
    void Render(std::size_t at, std::size_t frames, float* stereo) override;
    void Advance(std::size_t) override {}
    bool CopyExact16(std::size_t frames, std::int16_t* stereo) override;
    bool Failed() const override { return failed_; }

private:
    // Fills until frames are ready (as bytes, or converted); false when the source has failed.
    bool Gather(std::size_t frames);

    std::unique_ptr<TrackSource> source_;
    std::unique_ptr<RateConverter> converter_;
    const PcmFormat format_;
    std::vector<std::uint8_t> buffer_;
    std::vector<std::uint8_t> pending_; // at the export's rate: bytes not yet taken
    std::size_t pendingTaken_ = 0;
    bool failed_ = false;
};

} // namespace umbrascope
