#include "VideoExport.h"

#include "AacEncoder.h"
#include "FfmpegCall.h"
#include "H264Encoder.h"
#include "HandOverQueue.h"
#include "Mp4File.h"
#include "audio/export/SessionExport.h"
#include "base/FileUtils.h"
#include "base/ThreadClock.h"
#include "visual/SessionPicture.h"

#include <QImage>

#include <algorithm>
#include <ctime>
#include <exception>
#include <thread>

namespace umbrascope {

namespace {

// libx264's fastest preset that still keeps a spiral's edges clean at the default quality.
constexpr const char* EncoderPreset = "veryfast";

// Frames drawn ahead of the encoder: enough to even out the drawing time of frames with and
// without a phrase, few enough to keep memory small at 4K.
std::size_t QueueDepth(QSize size) {
    constexpr std::size_t Budget = 128u << 20;
    const std::size_t frameBytes = std::size_t(size.width()) * std::size_t(size.height()) * 4;
    return std::clamp<std::size_t>(Budget / std::max<std::size_t>(frameBytes, 1), 2, 8);
}

// Adds the processor time this thread spends on a piece of work to a total, in seconds.
class StageClock {
public:
    explicit StageClock(double& total) : total_(total), started_(ThreadCpuSeconds()) {}
    ~StageClock() { total_ += ThreadCpuSeconds() - started_; }
    StageClock(const StageClock&) = delete;
    StageClock& operator=(const StageClock&) = delete;

private:
    double& total_;
    double started_;
};

struct DrawnFrame {
    QImage image;
    bool drawn = false; // false: the pattern drew nothing and the frame before stays
};

} // namespace

struct VideoExport::Engine {
    Engine(Session session, std::string projectFolder, const std::filesystem::path& target,
           const VideoExportSettings& settings)
        : settings(settings), sound(session, projectFolder, settings.from, settings.to, SoundRate),
          picture(std::move(session), std::move(projectFolder), settings.from, settings.size),
          file(target, settings.writing),
          video(settings.size, settings.fps, {settings.crf, EncoderPreset}), audio(SoundRate),
          packet(MakePacket()), free(QueueDepth(settings.size)), drawn(QueueDepth(settings.size)) {
        videoStream = file.AddStream(video.Context());
        audioStream = file.AddStream(audio.Context());
        file.Begin();
        for (std::size_t i = 0; i < QueueDepth(settings.size); ++i) {
            QImage frame(settings.size, QImage::Format_RGB32);
            if (frame.isNull())
                throw IoError("no memory for frames of this size");
            free.Push(std::move(frame));
        }
        soundBlock.resize(std::size_t(audio.BlockFrames()) * 2);
    }

    // Frame n's session time: its exact time cut to whole milliseconds, as the clock reads.
    std::uint32_t FrameTime(std::uint64_t n) const {
        return static_cast<std::uint32_t>(settings.from + n * 1000 / std::uint64_t(settings.fps));
    }

    // Sound frames that lie before video frame n.
    std::uint64_t SoundFramesBefore(std::uint64_t n) const {
        return n * SoundRate / std::uint64_t(settings.fps);
    }

    // The drawing thread.
    void DrawFrames(std::uint64_t total, double& drawingTime) {
        try {
            for (std::uint64_t n = 0; n < total; ++n) {
                auto image = free.Pop();
                if (!image)
                    return;
                DrawnFrame frame{std::move(*image), false};
                {
                    StageClock clock(drawingTime);
                    frame.drawn = picture.Draw(FrameTime(n), frame.image);
                }
                if (!drawn.Push(std::move(frame)))
                    return;
            }
        } catch (...) {
            drawingFailure = std::current_exception();
            drawn.Close();
        }
    }

    void WriteVideoPackets() {
        while (video.Receive(*packet))
            file.Write(*packet, videoStream);
    }

    void WriteSoundPackets() {
        while (audio.Receive(*packet))
            file.Write(*packet, audioStream);
    }

    // Encodes sound up to at least `until` frames (or its end), in the encoder's blocks.
    void EncodeSoundUntil(std::uint64_t until) {
        while (soundSent < until) {
            const std::size_t frames =
                sound.Render(soundBlock.data(), std::size_t(audio.BlockFrames()));
            if (frames == 0)
                return;
            audio.Send(soundBlock.data(), static_cast<int>(frames));
            soundSent += frames;
            WriteSoundPackets();
        }
    }

    VideoExportSettings settings;
    SessionRenderer sound;
    SessionPicture picture;
    Mp4File file;
    H264Encoder video;
    AacEncoder audio;
    PacketPtr packet;
    int videoStream = 0;
    int audioStream = 0;
    HandOverQueue<QImage> free;
    HandOverQueue<DrawnFrame> drawn;
    std::exception_ptr drawingFailure; // read after the drawing thread has ended
    std::vector<std::int16_t> soundBlock;
    std::uint64_t soundSent = 0;
};

VideoExport::VideoExport(Session session, std::string projectFolder,
                         const std::filesystem::path& target, const VideoExportSettings& settings) {
    SilenceFfmpegLog();
    const std::int64_t span = std::int64_t{settings.to} - settings.from;
    if (span <= 0)
        throw IoError("nothing to export: the session has no length");
    totalFrames_ = static_cast<std::uint64_t>((span * settings.fps + 999) / 1000);
    engine_ =
        std::make_unique<Engine>(std::move(session), std::move(projectFolder), target, settings);
}

VideoExport::~VideoExport() = default;

bool VideoExport::Run(const std::function<bool(std::uint64_t)>& keepGoing) {
    Engine& e = *engine_;
    std::jthread drawer([&] { e.DrawFrames(totalFrames_, times_.drawing); });
    // However Run ends, the drawing thread ends first.
    struct StopDrawing {
        Engine& e;
        std::jthread& drawer;
        ~StopDrawing() {
            e.free.Close();
            e.drawn.Close();
            if (drawer.joinable())
                drawer.join();
        }
    } stopDrawing{e, drawer};

    for (std::uint64_t n = 0; n < totalFrames_; ++n) {
        auto frame = e.drawn.Pop();
        if (!frame) {
            drawer.join();
            std::rethrow_exception(e.drawingFailure);
        }
        if (frame->drawn) {
            StageClock clock(times_.conversion);
            e.video.Convert(frame->image);
        }
        e.free.Push(std::move(frame->image));
        e.video.Send();
        e.WriteVideoPackets();
        {
            StageClock clock(times_.sound);
            e.EncodeSoundUntil(e.SoundFramesBefore(n + 1));
        }
        if (!keepGoing(n + 1))
            return false;
    }
    e.video.Finish();
    e.WriteVideoPackets();
    {
        StageClock clock(times_.sound);
        e.EncodeSoundUntil(e.sound.TotalFrames());
        e.audio.Finish();
        e.WriteSoundPackets();
    }
    e.file.Finish();
    return true;
}

std::vector<UserText> VideoExport::Problems() const {
    std::vector<UserText> problems = engine_->sound.Problems();
    for (const auto& problem : engine_->picture.Problems())
        if (std::find(problems.begin(), problems.end(), problem) == problems.end())
            problems.push_back(problem);
    return problems;
}

const std::vector<std::string>& VideoExport::LeftOut() const {
    return engine_->sound.LeftOut();
}

std::uint64_t VideoExport::ClippedSamples() const {
    return engine_->sound.ClippedSamples();
}

std::uint64_t VideoExport::SoundSamples() const {
    return engine_->sound.RenderedFrames() * 2;
}

std::int64_t VideoExport::FirstClipTime() const {
    return engine_->sound.FirstClipTime();
}

} // namespace umbrascope
