#include "AudioFileCheck.h"

#include "MP3Utils.h"
#include "WavSource.h"
#include "base/FileUtils.h"
#include "model/Cp1251.h"
#include "model/MediaPath.h"
#include "model/TrackDescriptor.h"

#include <memory>
#include <vector>

namespace umbrascope {

namespace {

std::optional<UserText> WavProblem(TFile& file, const std::string& name) {
    const WavLayout layout = ReadWavLayout(file);
    std::string header;
    file.ReadString(header, 0, 12);
    if (header.compare(0, 4, "RIFF") != 0 || header.compare(8, 4, "WAVE") != 0)
        return UserText(Translatable("umbrascope::AudioFileCheck",
                                     "Файл «%1» не является звуковым файлом WAV."),
                        {name});
    if (!IsPlayablePcm(layout))
        return UserText(Translatable("umbrascope::AudioFileCheck",
                                     "Файл «%1» записан не в формате PCM (код формата %2, "
                                     "например A-law или сжатый звук) или в формате PCM, который "
                                     "нельзя воспроизвести; такие файлы не воспроизводятся."),
                        {name, std::to_string(layout.formatTag)});
    if (layout.dataSize == 0)
        return UserText(
            Translatable("umbrascope::AudioFileCheck", "В файле «%1» нет звуковых данных."),
            {name});
    return std::nullopt;
}

// How much of a file the check decodes from a frame, and from how many frames it tries: the
// track skips what does not decode, so one good place is enough.
constexpr std::uint32_t Mp3ProbeBytes = 16384;
constexpr int Mp3ProbePlaces = 8;

bool DecodesFrom(TFile& file, std::uint32_t start, std::uint32_t end, int channels) {
    // A short file is fed again from the same frame, as the track loops over it, so that the
    // decoder sees the header that follows its last frame.
    const std::uint32_t stretch = std::min(Mp3ProbeBytes, end - start);
    if (stretch == 0)
        return false;
    std::vector<std::uint8_t> input;
    while (input.size() < Mp3ProbeBytes) {
        const std::size_t at = input.size();
        input.resize(at + stretch);
        file.Read(input.data() + at, start, stretch);
    }
    Mp3Decoder decoder(channels);
    decoder.Init();
    std::vector<std::uint8_t> output(4 * 1152 * 2 * 2); // a few frames of stereo sound
    std::size_t produced = 0;
    decoder.Decode(input.data(), input.size(), output.data(), output.size(), produced);
    return produced > 0;
}

std::optional<UserText> Mp3Problem(TFile& file, const std::string& name) {
    const std::uint32_t end = file.Size();
    Mp3FrameHeader frame;
    std::uint32_t start = FindFrame(file, Id3v2TagsEnd(file, end), end, frame);
    if (start >= end)
        return UserText(Translatable("umbrascope::AudioFileCheck",
                                     "В файле «%1» нет ни одного кадра MPEG Layer III: это не "
                                     "файл MP3."),
                        {name});
    for (int place = 0; place < Mp3ProbePlaces && start < end; ++place) {
        if (DecodesFrom(file, start, end, frame.channels))
            return std::nullopt;
        start = FindFrame(file, std::uint64_t{start} + 1, end, frame);
    }
    return UserText(
        Translatable("umbrascope::AudioFileCheck", "Файл «%1» не удаётся раскодировать как MP3."),
        {name});
}

} // namespace

std::optional<UserText> UnplayableAudioFileReason(const std::string& cp1251Path) {
    const std::string name = Cp1251ToUtf8(cp1251Path);
    try {
        TFile file(FileSystemPath(cp1251Path));
        switch (PlaybackKind(cp1251Path)) {
        case TrackKind::Wav:
            return WavProblem(file, name);
        case TrackKind::Mp3:
            return Mp3Problem(file, name);
        default:
            return UserText(Translatable("umbrascope::AudioFileCheck",
                                         "Файл «%1» не назван как WAV или MP3 (.wav, .mp3)."),
                            {name});
        }
    } catch (const IoError& error) {
        return UserText(
            Translatable("umbrascope::AudioFileCheck", "Файл «%1» не удаётся прочитать: %2"),
            {name, error.what()});
    }
}

} // namespace umbrascope
