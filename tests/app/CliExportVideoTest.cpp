// umbrascope --export-video, run as the built program and checked with FFmpeg's own tools: what
// the file holds, its pictures against --snapshot, its sound against --export-audio, an event's
// frame and sample, identical repeats, and the refusals.

#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <cstring>
#include <vector>

namespace umbrascope {

namespace {

constexpr int Width = 320, Height = 240;

std::string Quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

// The frames chosen, decoded as the 4:2:0 planes the stream holds.
std::string DecodedFrames(const std::filesystem::path& video, const std::vector<int>& frames,
                          const ScratchFolder& folder) {
    std::string select;
    for (const int n : frames)
        select += (select.empty() ? "" : "+") + std::string("eq(n\\,") + std::to_string(n) + ")";
    const auto raw = folder.Path() / "frames.yuv";
    RunCommand("ffmpeg -v error -y -i " + Quoted(video) + " -vf \"select=" + select +
                   "\" -vsync 0 -f rawvideo -pix_fmt yuv420p " + Quoted(raw),
               folder);
    return ReadWholeFile(raw);
}

// A snapshot at the frame's time, converted to the stream's colours (BT.709, studio range).
std::string SnapshotPlanes(const std::string& project, std::int32_t at,
                           const ScratchFolder& folder) {
    const auto png = folder.Path() / "snapshot.png", raw = folder.Path() / "snapshot.yuv";
    Umbrascope("--snapshot " + project + " --at " + std::to_string(at) + " --size 320x240 " +
                   Quoted(png),
               folder);
    RunCommand("ffmpeg -v error -y -i " + Quoted(png) +
                   " -vf scale=out_color_matrix=bt709:out_range=tv,format=yuv420p -f rawvideo " +
                   Quoted(raw),
               folder);
    return ReadWholeFile(raw);
}

double Psnr(std::string_view a, std::string_view b) {
    double squares = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const double d = static_cast<unsigned char>(a[i]) - static_cast<unsigned char>(b[i]);
        squares += d * d;
    }
    return squares == 0 ? 99 : 10 * std::log10(255.0 * 255.0 * a.size() / squares);
}

std::vector<std::int16_t> Samples(const std::string& bytes, std::size_t from = 0) {
    std::vector<std::int16_t> samples((bytes.size() - from) / 2);
    std::memcpy(samples.data(), bytes.data() + from, samples.size() * 2);
    return samples;
}

std::vector<std::int16_t> DecodedSound(const std::filesystem::path& video,
                                       const ScratchFolder& folder) {
    const auto raw = folder.Path() / "sound.raw";
    RunCommand("ffmpeg -v error -y -i " + Quoted(video) + " -f s16le -ar 48000 -ac 2 " +
                   Quoted(raw),
               folder);
    return Samples(ReadWholeFile(raw));
}

double Correlation(const std::vector<std::int16_t>& a, const std::vector<std::int16_t>& b,
                   std::ptrdiff_t lag, std::size_t count) {
    double ab = 0, aa = 0, bb = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double x = a[i + 4096], y = b[static_cast<std::size_t>(4096 + lag) + i];
        ab += x * y;
        aa += x * x;
        bb += y * y;
    }
    return ab / std::sqrt(aa * bb);
}

const char* const ShortSession = R"({
  "SessionLength": 60000,
  "StartValues": {"PhraseFile": "PHRASES", "Transparency": 30,
                  "Waves": [".&01%8@200@40", ".&04%440@0@40"]}
})";

std::string ShortProject(const ScratchFolder& folder) {
    const auto phrases = folder.Write("phrases.txt", "Umbrascope\n");
    std::string json = ShortSession;
    json.replace(json.find("PHRASES"), 7, phrases.string());
    return MakeProject(folder, json);
}

ProgramRun ExportVideo(const std::string& project, const std::filesystem::path& video,
                       const std::string& options, const ScratchFolder& folder) {
    return Umbrascope("--export-video " + project + " " + Quoted(video) + " " + options, folder);
}

} // namespace

TEST(ExportVideo, ShortExportShowsTheScreenAndPlaysTheSound) {
    ScratchFolder folder;
    const auto project = ShortProject(folder);
    const auto video = folder.Path() / "out.mp4";
    const ProgramRun run = ExportVideo(project, video, "--to 3000 --size 320x240", folder);
    ASSERT_EQ(run.status, 0) << run.err;

    const ProgramRun probe =
        RunCommand("ffprobe -v error -of compact=p=0 -show_entries "
                   "stream=codec_name,pix_fmt,width,height,r_frame_rate,sample_rate,channels "
                   "-show_entries format=duration " +
                       Quoted(video),
                   folder);
    EXPECT_NE(probe.out.find("codec_name=h264|width=320|height=240|pix_fmt=yuv420p|"
                             "r_frame_rate=60/1"),
              std::string::npos)
        << probe.out;
    EXPECT_NE(probe.out.find("codec_name=aac|sample_rate=48000|channels=2"), std::string::npos)
        << probe.out;
    const auto duration = probe.out.find("duration=");
    ASSERT_NE(duration, std::string::npos) << probe.out;
    EXPECT_NEAR(std::stod(probe.out.substr(duration + 9)), 3.0, 1.0 / 60);

    // A 4:2:0 video holds colour at half the resolution, so frames are compared in the stream's
    // own planes: a comparison in RGB would measure the halved colour of red-blue edges, which
    // no such video can keep, rather than the export. Frames 2, 63 and 125 show a phrase
    // (taken at 0, 1016 and 2033 ms), as a snapshot always does.
    const std::vector<int> frames{2, 63, 125};
    const std::string decoded = DecodedFrames(video, frames, folder);
    constexpr std::size_t Luma = Width * Height, Chroma = Luma / 4, Frame = Luma + 2 * Chroma;
    ASSERT_EQ(decoded.size(), frames.size() * Frame);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const std::string snapshot = SnapshotPlanes(project, frames[i] * 1000 / 60, folder);
        ASSERT_EQ(snapshot.size(), Frame);
        const std::string_view frame = std::string_view(decoded).substr(i * Frame, Frame);
        for (const auto& [from, size] :
             {std::pair{0ul, Luma}, {Luma, Chroma}, {Luma + Chroma, Chroma}})
            EXPECT_GE(Psnr(frame.substr(from, size), std::string_view(snapshot).substr(from, size)),
                      35)
                << "frame " << frames[i] << ", plane from " << from;
    }

    const auto wav = folder.Path() / "out.wav";
    ASSERT_EQ(
        Umbrascope("--export-audio " + project + " " + Quoted(wav) + " --to 3000 --rate 48000",
                   folder)
            .status,
        0);
    const std::vector<std::int16_t> exported = Samples(ReadWholeFile(wav), 44);
    const std::vector<std::int16_t> sound = DecodedSound(video, folder);
    ASSERT_GE(sound.size(), exported.size());
    // The best match lies within one AAC frame, and the whole span matches there.
    std::ptrdiff_t bestLag = 0;
    for (std::ptrdiff_t lag = -2048; lag <= 2048; lag += 2)
        if (Correlation(exported, sound, lag, 24000) > Correlation(exported, sound, bestLag, 24000))
            bestLag = lag;
    EXPECT_LE(std::abs(bestLag), 1024);
    EXPECT_GT(Correlation(exported, sound, bestLag, exported.size() - 12288), 0.99);

    const auto again = folder.Path() / "again.mp4";
    ASSERT_EQ(ExportVideo(project, again, "--to 3000 --size 320x240", folder).status, 0);
    EXPECT_TRUE(ReadWholeFile(again) == ReadWholeFile(video)) << "two exports are identical";
}

TEST(ExportVideo, AnEventShowsOnItsFrameAndSoundsAtItsSample) {
    ScratchFolder folder;
    const auto project = MakeProject(folder, R"({
      "SessionLength": 60000,
      "StartValues": {"VideoType": 0, "FlickerFreq": 0, "TextEnabled": false},
      "Events": [
        {"EventType": "Видеосопровождение -> Тип", "EventTime": 10000, "EventValue": "3"},
        {"EventType": "Аудиосопровождение -> Добавить аудиотрек", "EventTime": 10000,
         "EventValue": ".&04%440@0@50"}]})");
    const auto video = folder.Path() / "event.mp4";
    ASSERT_EQ(ExportVideo(project, video, "--to 10500 --size 320x240", folder).status, 0);
    // Frame 599 is the steady flicker colour; frame 600 (10 s exactly) shows the circles.
    const std::string frames = DecodedFrames(video, {599, 600}, folder);
    constexpr std::size_t Luma = Width * Height, Frame = Luma * 3 / 2;
    ASSERT_EQ(frames.size(), 2 * Frame);
    const auto bytes = reinterpret_cast<const unsigned char*>(frames.data());
    const auto [dim, bright] = std::minmax_element(bytes + Frame, bytes + Frame + Luma);
    EXPECT_EQ(std::count(frames.begin(), frames.begin() + Luma, frames[0]), Luma);
    EXPECT_GT(*bright - *dim, 100);

    const std::vector<std::int16_t> sound = DecodedSound(video, folder);
    std::size_t first = 0;
    while (first < sound.size() / 2 && std::abs(sound[first * 2]) < 100)
        ++first;
    EXPECT_NEAR(static_cast<double>(first), 480000.0, 1024.0);
}

TEST(ExportVideo, FailuresSayWhyAndLeaveNoFileBehind) {
    ScratchFolder folder;
    const auto project = MakeProject(folder, R"({"SessionLength": 1000})");
    const auto video = folder.Path() / "out.mp4";
    const std::string out = " " + Quoted(video);
    const std::string cases[] = {
        Quoted(folder.Path() / "missing.usp") + out,
        project + " " + Quoted(folder.Path() / "no" / "out.mp4"),
        project + out + " --size 0x0",
        project + out + " --size 321x240",
        project + out + " --fps 0",
        project + out + " --from 1000",
        project + out + " --to 1500",
    };
    for (const auto& arguments : cases) {
        const ProgramRun run = Umbrascope("--export-video " + arguments, folder);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_NE(run.err.find("umbrascope: "), std::string::npos) << arguments;
        EXPECT_FALSE(std::filesystem::exists(video)) << arguments;
        EXPECT_FALSE(HasTemporaryOf(folder.Path(), "out.mp4")) << arguments;
    }
    EXPECT_NE(
        Umbrascope("--export-video " + project + out + " --size 321x240", folder).err.find("even"),
        std::string::npos);
}

TEST(ExportVideo, ASignalEndsTheExportWithoutLeavingAFile) {
    ScratchFolder folder;
    const auto project = MakeProject(folder, R"({"SessionLength": 3600000})");
    const auto video = folder.Path() / "out.mp4";
    EXPECT_EQ(InterruptWhileWriting({"--export-video", project, video.string(), "--size", "64x64"},
                                    video, SIGTERM),
              1);
    EXPECT_FALSE(HasTemporaryOf(folder.Path(), "out.mp4"));
    EXPECT_FALSE(std::filesystem::exists(video));
}

} // namespace umbrascope
