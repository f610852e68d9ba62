#include "SoundFileFormats.h"

#include "FlacFileWriter.h"
#include "WavFileWriter.h"

#include <algorithm>
#include <cctype>

namespace umbrascope {

namespace {

std::unique_ptr<SoundFileWriter> OpenWav(const std::filesystem::path& target, int rate, int bits,
                                         std::uint64_t, WriteOptions options) {
    return std::make_unique<WavFileWriter>(target, rate, bits, std::move(options));
}

std::unique_ptr<SoundFileWriter> OpenFlac(const std::filesystem::path& target, int rate, int bits,
                                          std::uint64_t expectedFrames, WriteOptions options) {
    return std::make_unique<FlacFileWriter>(target, rate, bits, expectedFrames, std::move(options));
}

constexpr SoundFileFormat Formats[] = {
    {"WAV", ".wav", {16, 24}, true, WavFileWriter::MaxDataBytes, OpenWav},
    {"FLAC", ".flac", {16, 24}, true, 0, OpenFlac},
};

std::string LowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

bool SoundFileFormat::Takes(int sampleBits) const {
    return std::find(bits.begin(), bits.end(), sampleBits) != bits.end();
}

std::span<const SoundFileFormat> SoundFileFormats() {
    return Formats;
}

const SoundFileFormat* SoundFileFormatOf(const std::filesystem::path& target) {
    const std::string extension = LowerCase(target.extension().string());
    for (const SoundFileFormat& format : Formats)
        if (format.extension == extension)
            return &format;
    return nullptr;
}

std::vector<std::string> SoundFileExtensions() {
    std::vector<std::string> extensions;
    for (const SoundFileFormat& format : Formats)
        extensions.emplace_back(format.extension);
    return extensions;
}

std::vector<int> SoundFileBits() {
    std::vector<int> all;
    for (const SoundFileFormat& format : Formats)
        all.insert(all.end(), format.bits.begin(), format.bits.end());
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    return all;
}

} // namespace umbrascope
