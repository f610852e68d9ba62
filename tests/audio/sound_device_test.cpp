// One binaural track played through SDL2 to a real sound server: the private PulseAudio null
// sink that test.sh starts. Its monitor is recorded with parec and the recording is checked
// for the two frequencies, the master volume and the silence after a stop. Skips only when no
// sound server answers.
//
// Timing is checked in the release build only: a checked Debug build (the sanitizer builds) on
// a loaded machine cannot keep a sound server fed on time, so there the recordings show that
// the right sound arrives, and gaps, lengths and the sound after a stop are not judged.

#include "SignalMeasure.h"
#include "audio/device/AudioStream.h"
#include "audio/tracks/PlayUtils.h"
#include "files_test_support.h"
#include "model/SessionState.h"
#include "tests/common/SanitizerBuild.h"
#include "tests/common/SoundServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace umbrascope {

// Under ThreadSanitizer: libpulse's threads (SDL2's device thread and its hot-plug thread)
// hand their connection over with synchronisation the sanitizer cannot see into. Only frames
// inside libpulse are excused; the program's own callback is checked as usual.
extern "C" const char* __tsan_default_suppressions() {
    return "race:libpulsecommon\n"
           "race:libpulse.so\n";
}

// Under LeakSanitizer: SDL2's hot-plug thread leaves a few libpulse requests unfreed when
// SDL2 shuts down.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libpulse.so\n";
}

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int RecordRate = 22050;
// The sanitizer builds play through the real device too, so the sanitizers watch its threads,
// but a checked build on a busy machine cannot keep a stream fed in real time: what was
// recorded is judged in the release build only.
constexpr bool RecordingJudged = SanitizerSlowdown == 1;

std::string CommandOutput(const char* command) {
    std::string text;
    if (FILE* pipe = popen(command, "r")) {
        char chunk[256];
        while (std::fgets(chunk, sizeof chunk, pipe))
            text += chunk;
        pclose(pipe);
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

// parec on the default sink's monitor, raw 16-bit stereo. The time of each sample is
// estimated from the arrival of the chunks: a chunk arrives no earlier than its last sample was
// taken, so the estimate errs late by at most the smallest delivery delay.
class MonitorRecorder {
public:
    explicit MonitorRecorder(const std::string& source) {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        const std::string device = "--device=" + source;
        const std::string rate = "--rate=" + std::to_string(RecordRate);
        const char* argv[] = {"parec",        "--raw",      "--format=s16le",
                              "--channels=2", rate.c_str(), "--latency-msec=10",
                              device.c_str(), nullptr};
        if (posix_spawnp(&pid_, "parec", &actions, nullptr, const_cast<char**>(argv), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        fd_ = fds[0];
        reader_ = std::thread([this] { Read(); });
    }

    ~MonitorRecorder() { Stop(); }

    bool Started() const { return pid_ > 0; }

    bool WaitForData(std::chrono::milliseconds timeout) {
        const auto until = Clock::now() + timeout;
        while (Clock::now() < until) {
            {
                std::lock_guard lock(mutex_);
                if (!bytes_.empty())
                    return true;
            }
            std::this_thread::sleep_for(10ms);
        }
        return false;
    }

    void Stop() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
        if (reader_.joinable())
            reader_.join();
        if (fd_ >= 0)
            close(fd_);
        fd_ = -1;
    }

    // Left and right samples, and the estimated time of sample 0.
    std::vector<std::int16_t> Samples(int channel) const {
        std::lock_guard lock(mutex_);
        std::vector<std::int16_t> samples;
        for (std::size_t at = channel * 2; at + 2 <= bytes_.size(); at += 4)
            samples.push_back(static_cast<std::int16_t>(bytes_[at] | bytes_[at + 1] << 8));
        return samples;
    }
    Clock::time_point FirstSampleTime() const {
        std::lock_guard lock(mutex_);
        return firstSample_;
    }

private:
    void Read() {
        std::uint8_t chunk[4096];
        for (;;) {
            const ssize_t got = read(fd_, chunk, sizeof chunk);
            if (got <= 0)
                return;
            const auto now = Clock::now();
            std::lock_guard lock(mutex_);
            bytes_.insert(bytes_.end(), chunk, chunk + got);
            const auto recorded = std::chrono::duration_cast<Clock::duration>(
                std::chrono::duration<double>(static_cast<double>(bytes_.size() / 4) / RecordRate));
            if (first_ || now - recorded < firstSample_)
                firstSample_ = now - recorded;
            first_ = false;
        }
    }

    pid_t pid_ = -1;
    int fd_ = -1;
    std::thread reader_;
    mutable std::mutex mutex_;
    std::vector<std::uint8_t> bytes_;
    bool first_ = true;
    Clock::time_point firstSample_{};
};

struct Span {
    std::size_t from;
    std::size_t to;
};

double ZeroCrossingFrequency(const std::vector<std::int16_t>& samples, Span span) {
    return CrossingFrequency([&](std::size_t i) { return samples[i]; }, span.from,
                             std::min(span.to, samples.size()), RecordRate);
}

// The median of the frequencies of quarter-second windows: a glitch of the server (a stream
// that ran late under a sanitizer on a loaded machine, and lost a few milliseconds) upsets
// one window, not the measurement.
double MedianFrequency(const std::vector<std::int16_t>& samples, Span span) {
    std::vector<double> estimates;
    constexpr std::size_t window = RecordRate / 4;
    for (std::size_t from = span.from; from + window <= span.to; from += window)
        estimates.push_back(ZeroCrossingFrequency(samples, {from, from + window}));
    if (estimates.empty())
        return 0;
    std::nth_element(estimates.begin(), estimates.begin() + estimates.size() / 2, estimates.end());
    return estimates[estimates.size() / 2];
}

double Rms(const std::vector<std::int16_t>& samples, Span span) {
    double sum = 0;
    std::size_t count = 0;
    for (std::size_t i = span.from; i < span.to && i < samples.size(); ++i, ++count)
        sum += static_cast<double>(samples[i]) * samples[i];
    return count ? std::sqrt(sum / count) : 0;
}

// A stopped track ends within a moment; a checked build on a busy machine gets longer.
bool WaitUntilFinished(const TPlayThread& track) {
    const auto until = Clock::now() + std::chrono::seconds(SanitizerSlowdown * SanitizerSlowdown);
    while (!track.Finished() && Clock::now() < until)
        std::this_thread::sleep_for(10ms);
    return track.Finished();
}

class SoundDeviceTest : public ::testing::Test {
protected:
    static void TearDownTestSuite() { QuitAudioOutput(); }
    void SetVolume(std::uint8_t volume) {
        values.AudioEnabled = true;
        values.AudioVolume = volume;
        published->Publish(values);
    }

    // What the user-interface thread would publish while it plays the session.
    SessionValuesInForce values;
    const std::shared_ptr<PublishedState> published = std::make_shared<PublishedState>();
    TrackThreads threads;
};

TEST_F(SoundDeviceTest, BinauralTrackReachesTheSoundServer) {
    if (!SoundServerAnswers())
        GTEST_SKIP() << "no sound server answers (PULSE_SERVER="
                     << (std::getenv("PULSE_SERVER") ? std::getenv("PULSE_SERVER") : "unset")
                     << "); test.sh starts a private one";
    const std::string sink = CommandOutput("pactl get-default-sink 2>/dev/null");
    ASSERT_FALSE(sink.empty());

    SetVolume(100);
    MonitorRecorder recorder(sink + ".monitor");
    ASSERT_TRUE(recorder.Started()) << "parec could not be started";
    ASSERT_TRUE(recorder.WaitForData(5s));

    const auto started = Clock::now();
    const TrackHandle track = threads.Start(published, ".&01%8@260@100", 0);
    std::this_thread::sleep_for(2500ms);
    const auto halved = Clock::now();
    SetVolume(50);
    std::this_thread::sleep_for(2000ms);
    const auto stopped = Clock::now();
    StopTrackThread(track);
    std::this_thread::sleep_for(1200ms);
    recorder.Stop();
    EXPECT_TRUE(WaitUntilFinished(*track));
    if (!RecordingJudged)
        return;

    const auto left = recorder.Samples(0);
    const auto right = recorder.Samples(1);
    const auto index = [&](Clock::time_point t) {
        const double seconds =
            std::chrono::duration<double>(t - recorder.FirstSampleTime()).count();
        return static_cast<std::size_t>(std::max(0.0, seconds * RecordRate));
    };
    const auto at = [&](Clock::time_point t, std::chrono::milliseconds shift) {
        return index(t + shift);
    };

    const Span full{at(started, 500ms), at(halved, -300ms)};
    const Span half{at(halved, 700ms), at(stopped, -100ms)};
    ASSERT_GT(full.to, full.from + RecordRate);
    const double leftFrequency = MedianFrequency(left, full);
    const double rightFrequency = MedianFrequency(right, full);
    std::printf("left %.3f Hz, right %.3f Hz\n", leftFrequency, rightFrequency);
    EXPECT_NEAR(leftFrequency, 260, 0.5);
    EXPECT_NEAR(rightFrequency, 268, 0.5);

    const double fullLevel = Rms(left, full);
    const double halfLevel = Rms(left, half);
    EXPECT_GT(fullLevel, 10000); // a full-scale sine has an RMS of about 23170
    const double change = 20 * std::log10(halfLevel / fullLevel);
    std::printf("master volume 50: %.2f dB\n", change);
    // A checked build on a busy machine may let the stream run dry for a moment, and silence
    // in a span lowers its level.
    EXPECT_NEAR(change, -6.02, 0.5);

    // The last sound heard lies within 450 ms after the stop, and silence follows.
    std::size_t lastLoud = 0;
    for (std::size_t i = 0; i < left.size(); ++i)
        if (std::abs(left[i]) > 200 || std::abs(right[i]) > 200)
            lastLoud = i;
    const double tail =
        (static_cast<double>(lastLoud) - static_cast<double>(index(stopped))) / RecordRate;
    std::printf("sound after the stop: %.0f ms\n", tail * 1000);
    EXPECT_LT(tail, 0.450);
    EXPECT_GT(left.size(), lastLoud + RecordRate / 2);
}

TEST_F(SoundDeviceTest, TheDeviceLeavesTheProgramsSignalsAlone) {
    if (!SoundServerAnswers())
        GTEST_SKIP() << "no sound server answers; test.sh starts a private one";
    const auto stream = OpenAudioStream(PcmFormat{});
    ASSERT_TRUE(stream);
    for (const int signal : {SIGINT, SIGTERM}) {
        struct sigaction action {};
        ASSERT_EQ(sigaction(signal, nullptr, &action), 0);
        EXPECT_EQ(action.sa_handler, SIG_DFL) << "signal " << signal << " was taken over";
    }
}

TEST_F(SoundDeviceTest, SixteenTracksPlayAtOnce) {
    if (!SoundServerAnswers())
        GTEST_SKIP() << "no sound server answers; test.sh starts a private one";
    SetVolume(10);
    std::vector<TrackHandle> tracks;
    for (int i = 0; i < 16; ++i)
        tracks.push_back(
            threads.Start(published, ".&04%" + std::to_string(300 + 20 * i) + "@0@5", 0));
    std::this_thread::sleep_for(1500ms);
    for (const auto& track : tracks)
        EXPECT_FALSE(track->Finished()) << track->Descriptor;
    const auto stopped = Clock::now();
    threads.StopAll();
    for (const auto& track : tracks) {
        while (!track->Finished() && Clock::now() - stopped < 3s)
            std::this_thread::sleep_for(5ms);
        EXPECT_TRUE(track->Finished()) << track->Descriptor;
    }
}

} // namespace

// WAV and MP3 start-values tracks. Each file holds 1 s of 440 Hz, then 1 s of 880 Hz, both
// starting and ending at phase zero, so that the loop runs on without a step.

namespace {

constexpr std::size_t ToneWindow = RecordRate / 20; // 50 ms

// The tone heard in each 50 ms window of the span: 440, 880, 0 for silence, -1 for anything
// else (a window in which the tone changes).
std::vector<int> ToneWindows(const std::vector<std::int16_t>& samples, Span span) {
    std::vector<int> tones;
    for (std::size_t at = span.from;
         at + ToneWindow <= span.to && at + ToneWindow <= samples.size(); at += ToneWindow) {
        const Span window{at, at + ToneWindow};
        const double frequency = ZeroCrossingFrequency(samples, window);
        if (Rms(samples, window) < 1000)
            tones.push_back(0);
        else if (std::abs(frequency - 440) < 25)
            tones.push_back(440);
        else if (std::abs(frequency - 880) < 25)
            tones.push_back(880);
        else
            tones.push_back(-1);
    }
    return tones;
}

// A server that runs a stream late on a loaded machine (under a sanitizer, say) loses a few
// milliseconds inside a tone: up to two windows that break a tone and go on with the same one
// count as that tone. A break between two different tones stays.
std::vector<int> WithoutGlitches(std::vector<int> windows) {
    const auto isTone = [](int tone) { return tone == 440 || tone == 880; };
    for (std::size_t i = 1; i < windows.size(); ++i) {
        if (!isTone(windows[i - 1]) || isTone(windows[i]))
            continue;
        std::size_t end = i;
        while (end < windows.size() && !isTone(windows[end]) && end - i < 3)
            ++end;
        if (end - i <= 2 && end < windows.size() && windows[end] == windows[i - 1])
            std::fill(windows.begin() + i, windows.begin() + end, windows[i - 1]);
    }
    return windows;
}

// The windows around each place where 880 Hz turns into 440 Hz: the loop seam of the files.
std::vector<Span> SeamWindows(const std::vector<int>& windows) {
    std::vector<Span> seams;
    for (std::size_t i = 1; i < windows.size(); ++i) {
        if (windows[i - 1] != 880 || windows[i] == 880)
            continue;
        std::size_t end = i;
        while (end < windows.size() && windows[end] != 440 && windows[end] != 880)
            ++end;
        if (end < windows.size() && windows[end] == 440)
            seams.push_back({i - 1, end + 1});
    }
    return seams;
}

struct ToneSegment {
    int tone;       // 440, 880, or 0 for a silence between tones
    double seconds; // a window in which the tone changes counts half to each side
};

// The tones from the first one heard on, in order.
std::vector<ToneSegment> ToneSegments(const std::vector<int>& windows) {
    std::vector<ToneSegment> segments;
    double carried = 0; // half of the changing windows before the segment under way
    for (std::size_t i = 0; i < windows.size();) {
        std::size_t end = i;
        while (end < windows.size() && windows[end] == windows[i])
            ++end;
        const double seconds = static_cast<double>(end - i) * 0.05;
        if (windows[i] == -1) {
            if (!segments.empty())
                segments.back().seconds += seconds / 2;
            carried = seconds / 2;
        } else if (windows[i] != 0 || !segments.empty()) {
            segments.push_back({windows[i], seconds + carried});
            carried = 0;
        }
        i = end;
    }
    while (!segments.empty() && segments.back().tone == 0)
        segments.pop_back();
    return segments;
}

Bytes TwoToneWav() {
    Bytes data;
    for (const double frequency : {440.0, 880.0}) {
        for (int n = 0; n < 44100; ++n) {
            const auto value = static_cast<std::int16_t>(
                std::lround(16384 * std::sin(2 * M_PI * frequency * n / 44100)));
            PutU16(data, static_cast<std::uint16_t>(value));
            PutU16(data, static_cast<std::uint16_t>(value));
        }
    }
    return RiffWave({FormatChunk(1, 2, 44100, 4, 16), Chunk("data", data)});
}

class FileTrackDeviceTest : public SoundDeviceTest {
protected:
    // Plays the file as the only start-values track of a session started at `position`, for
    // `seconds`, and returns the left channel recorded from just before the start to just after
    // the stop, with the audible part as sample indexes. The sink is silent before the track
    // starts, so its first audible sample marks the start: the recorder's clock estimate errs by
    // tenths of a second when the machine is busy, the samples themselves do not.
    struct Recording {
        std::vector<std::int16_t> left;
        Span audible;
    };
    Recording PlayStartTrack(const std::string& path, std::int32_t position, double seconds) {
        const std::string sink = CommandOutput("pactl get-default-sink 2>/dev/null");
        EXPECT_FALSE(sink.empty());
        SetVolume(100);
        TSessionValues start;
        start.Waves = {path};
        SessionStateAt state = StateAt(start, {}, position);
        EXPECT_FALSE(state.failure.has_value());
        values = std::move(state.values);
        published->Publish(values);
        EXPECT_EQ(values.Waves.size(), 1u);

        MonitorRecorder recorder(sink + ".monitor");
        EXPECT_TRUE(recorder.Started());
        EXPECT_TRUE(recorder.WaitForData(5s));
        const TWaveEntry& entry = values.Waves.front();
        const TrackHandle track = threads.Start(published, entry.Track, position - entry.AddTime);
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        StopTrackThread(track);
        std::this_thread::sleep_for(800ms);
        recorder.Stop();

        std::vector<std::int16_t> left = recorder.Samples(0);
        const auto audible = [](std::int16_t sample) { return std::abs(sample) > 1000; };
        const auto first = std::find_if(left.begin(), left.end(), audible);
        const auto last = std::find_if(left.rbegin(), left.rend(), audible).base();
        const Span span{static_cast<std::size_t>(first - left.begin()),
                        static_cast<std::size_t>(std::max(first, last) - left.begin())};
        return {std::move(left), span};
    }
};

void ExpectAlternatingSeconds(const std::vector<ToneSegment>& tones, int firstTone,
                              double firstSeconds, double tolerance) {
    ASSERT_GE(tones.size(), 4u);
    EXPECT_EQ(tones[0].tone, firstTone);
    EXPECT_NEAR(tones[0].seconds, firstSeconds, tolerance);
    int expected = firstTone;
    for (std::size_t i = 1; i + 1 < tones.size(); ++i) {
        expected = expected == 440 ? 880 : 440;
        EXPECT_EQ(tones[i].tone, expected) << "segment " << i;
        EXPECT_NEAR(tones[i].seconds, 1.0, tolerance) << "segment " << i;
    }
}

TEST_F(FileTrackDeviceTest, WavStartTrackLoopsSeamlesslyFromItsOffset) {
    if (!SoundServerAnswers())
        GTEST_SKIP() << "no sound server answers; test.sh starts a private one";
    const auto path = ScratchFolder() / "two-tones.wav";
    WriteAll(path, TwoToneWav());

    // 1500 ms into the session: the track starts halfway through its 880 Hz second.
    const Recording heard = PlayStartTrack(path.string(), 1500, 5.2);
    if (!RecordingJudged)
        return;
    const Span sound = heard.audible;
    const auto windows = WithoutGlitches(ToneWindows(heard.left, sound));
    const auto tones = ToneSegments(windows);
    for (const ToneSegment& tone : tones)
        std::printf("WAV: %d Hz for %.2f s\n", tone.tone, tone.seconds);
    ExpectAlternatingSeconds(tones, 880, 0.5, 0.1);
    for (const ToneSegment& tone : tones)
        EXPECT_NE(tone.tone, 0) << "a gap in the sound";

    // No step at the seam: at 880 Hz and half scale one recorded sample moves at most about 4100.
    const auto seams = SeamWindows(windows);
    EXPECT_GE(seams.size(), 2u);
    for (const Span& seam : seams) {
        int largestStep = 0;
        for (std::size_t i = sound.from + seam.from * ToneWindow + 1;
             i < sound.from + seam.to * ToneWindow && i < heard.left.size(); ++i)
            largestStep = std::max(largestStep, std::abs(heard.left[i] - heard.left[i - 1]));
        std::printf("WAV: largest step at the seam %d\n", largestStep);
        EXPECT_LT(largestStep, 5500);
    }
}

TEST_F(FileTrackDeviceTest, Mp3StartTrackLoopsFromItsOffset) {
    if (!SoundServerAnswers())
        GTEST_SKIP() << "no sound server answers; test.sh starts a private one";
    const auto folder = ScratchFolder();
    WriteAll(folder / "two-tones.wav", TwoToneWav());
    const std::string encode = "lame --quiet -b 128 --cbr '" + (folder / "two-tones.wav").string() +
                               "' '" + (folder / "two-tones.mp3").string() + "'";
    ASSERT_EQ(std::system(encode.c_str()), 0);

    // 500 ms in: the search starts at byte 8000 and the track begins with the rest of the
    // 440 Hz second. At the loop the last frame is dropped and the decoder starts afresh: the
    // encoder's delay then shows as a short silence.
    const Recording heard = PlayStartTrack((folder / "two-tones.mp3").string(), 500, 5.2);
    if (!RecordingJudged)
        return;
    const Span sound = heard.audible;
    const auto tones = ToneSegments(WithoutGlitches(ToneWindows(heard.left, sound)));
    std::vector<ToneSegment> withoutGaps;
    for (const ToneSegment& tone : tones) {
        std::printf("MP3: %d Hz for %.2f s\n", tone.tone, tone.seconds);
        if (tone.tone != 0)
            withoutGaps.push_back(tone);
        else
            EXPECT_LE(tone.seconds, 0.1) << "a gap longer than the decoder's start";
    }
    ExpectAlternatingSeconds(withoutGaps, 440, 0.5, 0.15);
}

} // namespace

} // namespace umbrascope
