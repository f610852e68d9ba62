#include "WavSource.h"

#include "AudioFileCheck.h"
#include "audio/device/AudioStream.h"
#include "base/FileUtils.h"
#include "model/Arithmetic.h"
#include "model/MediaPath.h"

#include <algorithm>
#include <cstring>

namespace umbrascope {

namespace {

constexpr std::uint64_t PositionLimit = 0x100000000; // TFile positions are 32-bit
constexpr std::uint16_t FormatTagPcm = 1;
constexpr std::uint16_t FormatTagExtensible = 0xFFFE;

// Little-endian values at a 64-bit position; zero past what 32-bit positions reach.
std::uint32_t ReadValue(TFile& file, std::uint64_t position, std::uint32_t bytes) {
    if (position + bytes > PositionLimit)
        return 0;
    std::uint8_t raw[4] = {};
    file.Read(raw, static_cast<std::uint32_t>(position), bytes);
    std::uint32_t value = 0;
    for (std::uint32_t i = bytes; i-- > 0;)
        value = value << 8 | raw[i];
    return value;
}

bool IsDataIdentifier(TFile& file, std::uint64_t position) {
    if (position + 4 > PositionLimit)
        return false;
    char id[4] = {};
    file.Read(id, static_cast<std::uint32_t>(position), 4);
    return std::memcmp(id, "data", 4) == 0;
}

class WavSource final : public TrackSource {
public:
    WavSource(std::unique_ptr<TFile> file, const WavLayout& layout, std::uint32_t start)
        : file_(std::move(file)), format_(layout.format), bufferBytes_(BufferBytesFor(format_)),
          dataStart_(layout.dataStart), end_(layout.dataStart + layout.dataSize),
          readPosition_(start) {}

    PcmFormat Format() const override { return format_; }
    std::size_t BufferBytes() const override { return bufferBytes_; }
    bool ReportsDeviceFailure() const override { return true; }
    UserText DeviceFailureMessage() const override {
        return DeviceRefusedFileMessage(FilePath, format_);
    }
    std::string FilePath; // Windows-1251, for the messages

    // Copies up to the end of the data, then goes on from its start: the buffer runs seamlessly
    // over the loop seam, repeating data shorter than a buffer as often as it takes.
    void Fill(std::uint8_t* buffer) override {
        std::size_t filled = 0;
        try {
            while (filled < bufferBytes_) {
                if (readPosition_ >= end_)
                    readPosition_ = dataStart_;
                const auto count = static_cast<std::uint32_t>(
                    std::min<std::uint64_t>(bufferBytes_ - filled, end_ - readPosition_));
                file_->Read(buffer + filled, readPosition_, count);
                readPosition_ += count;
                filled += count;
            }
        } catch (const std::exception&) {
            // A read failed under us: this buffer stays silent, the next one tries again.
            std::memset(buffer, 0, bufferBytes_);
        }
    }

    void AfterSwitch() override {
        if (readPosition_ >= end_)
            readPosition_ = dataStart_;
    }

private:
    std::unique_ptr<TFile> file_;
    PcmFormat format_;
    std::size_t bufferBytes_;
    std::uint32_t dataStart_;
    std::uint32_t end_;
    std::uint32_t readPosition_;
};

} // namespace

WavLayout ReadWavLayout(TFile& file) {
    WavLayout layout;
    const std::uint32_t formatSize = ReadValue(file, 16, 4);
    layout.formatTag = static_cast<std::uint16_t>(ReadValue(file, 20, 2));
    layout.format.channels = static_cast<int>(ReadValue(file, 22, 2));
    layout.format.sampleRate =
        static_cast<int>(std::min<std::uint32_t>(ReadValue(file, 24, 4), 0x7FFFFFFF));
    layout.format.blockAlign = static_cast<int>(ReadValue(file, 32, 2));
    layout.format.bitsPerSample = static_cast<int>(ReadValue(file, 34, 2));
    // An extensible format chunk names its real encoding in the first two bytes of its GUID.
    layout.pcmSubFormat = formatSize >= 40 && ReadValue(file, 44, 2) == FormatTagPcm;

    // After the format chunk: the data chunk, or one other chunk and then the data chunk,
    // whose identifier is taken as read.
    std::uint64_t chunk = 20 + std::uint64_t{formatSize};
    if (!IsDataIdentifier(file, chunk))
        chunk += 8 + std::uint64_t{ReadValue(file, chunk + 4, 4)};
    layout.declaredSize = ReadValue(file, chunk + 4, 4);
    const std::uint64_t dataStart = chunk + 8;
    const std::uint32_t fileSize = file.Size();
    if (dataStart >= fileSize)
        return layout;
    layout.dataStart = static_cast<std::uint32_t>(dataStart);

    // The loop covers the data chunk only, never a chunk stored after it. Truncated files and
    // the placeholder size of streamed recordings declare more than there is: only the whole
    // frames present count.
    std::uint32_t size = std::min(layout.declaredSize, fileSize - layout.dataStart);
    if (layout.format.blockAlign > 0)
        size -= size % static_cast<std::uint32_t>(layout.format.blockAlign);
    else
        size = 0;
    layout.dataSize = size;
    return layout;
}

bool IsPlayablePcm(const WavLayout& layout) {
    const bool pcm = layout.formatTag == FormatTagPcm ||
                     (layout.formatTag == FormatTagExtensible && layout.pcmSubFormat);
    return pcm && IsPlayableFormat(layout.format);
}

std::uint32_t WavStartPosition(const WavLayout& layout, std::int32_t startOffset) {
    const auto blockAlign = static_cast<std::uint64_t>(std::max(layout.format.blockAlign, 0));
    if (blockAlign == 0 || layout.dataSize < blockAlign)
        return layout.dataStart;
    const std::uint64_t frames = layout.dataSize / blockAlign;
    const long double seconds = static_cast<long double>(std::max(startOffset, 0)) / 1000.0L;
    const std::int64_t frame =
        RoundHalfEven(seconds * static_cast<long double>(layout.format.sampleRate)).value_or(0);
    return layout.dataStart +
           static_cast<std::uint32_t>(static_cast<std::uint64_t>(frame) % frames * blockAlign);
}

OpenedSource OpenWavSource(const std::string& descriptor, std::int32_t startOffset) {
    std::unique_ptr<TFile> file;
    WavLayout layout;
    try {
        file = std::make_unique<TFile>(FileSystemPath(descriptor));
        layout = ReadWavLayout(*file);
    } catch (const std::exception&) {
        return {};
    }
    if (!IsPlayablePcm(layout)) {
        file.reset();
        const auto reason = UnplayableAudioFileReason(descriptor);
        UserText message = DeviceErrorMessage;
        if (reason)
            message.lines.push_back(*reason);
        return {nullptr, std::move(message)};
    }
    if (layout.dataSize == 0)
        return {};
    const std::uint32_t start = WavStartPosition(layout, startOffset);
    auto source = std::make_unique<WavSource>(std::move(file), layout, start);
    source->FilePath = descriptor;
    return {std::move(source), std::nullopt};
}

} // namespace umbrascope
