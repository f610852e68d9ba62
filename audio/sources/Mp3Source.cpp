#include "Mp3Source.h"

#include "base/FileUtils.h"
#include "model/MediaPath.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace umbrascope {

namespace {

constexpr std::size_t InputAreaBytes = 16384;
constexpr std::size_t OutputAreaBytes = 262144;

// How much searching and feeding one buffer may cost without any sound coming out, in bytes
// searched; a decoder restart counts as much as a search of RestartCost bytes. When it is spent
// the buffer is finished with silence, so that the track thread looks at its stop flag again;
// the next buffer goes on from where the search stopped.
constexpr std::uint64_t FruitlessWorkLimit = 2u << 20;
constexpr std::uint64_t RestartCost = 1024;

class Mp3Source final : public TrackSource {
public:
    Mp3Source(std::unique_ptr<TFile> file, const Mp3FrameHeader& first, std::uint32_t firstFrame,
              std::uint64_t start)
        : file_(std::move(file)), end_(file_->Size()), firstFrame_(firstFrame),
          readPosition_(start), chunkLength_(first.frameLength), decoder_(first.channels),
          input_(new std::uint8_t[InputAreaBytes]), output_(new std::uint8_t[OutputAreaBytes]) {
        format_.sampleRate = first.sampleRate;
        format_.channels = first.channels;
        format_.bitsPerSample = 16;
        format_.blockAlign = first.channels * 2;
        bufferBytes_ = BufferBytesFor(format_);
    }

    PcmFormat Format() const override { return format_; }
    std::size_t BufferBytes() const override { return bufferBytes_; }
    bool ReportsDeviceFailure() const override { return true; }
    UserText DeviceFailureMessage() const override {
        return DeviceRefusedFileMessage(FilePath, format_);
    }
    std::string FilePath; // Windows-1251, for the messages

    void Fill(std::uint8_t* buffer) override {
        if (!searchInterrupted_)
            searchCursor_ = readPosition_;
        searchInterrupted_ = false;
        fruitlessWork_ = 0;
        std::size_t filled = 0;
        try {
            while (filled < bufferBytes_) {
                while (readIndex_ < 0 || static_cast<std::size_t>(readIndex_) >= decodedLength_ ||
                       status_ != Mp3DecodeResult::Output) {
                    if (!ObtainMoreOutput())
                        break;
                }
                if (readIndex_ < 0 || static_cast<std::size_t>(readIndex_) >= decodedLength_ ||
                    status_ != Mp3DecodeResult::Output)
                    break;
                const std::size_t count = std::min(
                    bufferBytes_ - filled, decodedLength_ - static_cast<std::size_t>(readIndex_));
                std::memcpy(buffer + filled, output_.get() + readIndex_, count);
                filled += count;
                readIndex_ += static_cast<std::int64_t>(count);
                // Only sound that reaches the buffer counts: output decoded just before the
                // end of the file is dropped by the loop and must not keep the search going.
                outputInPass_ = true;
                fruitlessWork_ = 0;
            }
        } catch (const std::exception&) {
            // A read failed under us: this buffer stays silent, the next one tries again.
        }
        std::memset(buffer + filled, 0, bufferBytes_ - filled);
    }

private:
    // Decodes the next piece of output into output_. False when this buffer must give up:
    // a whole pass over the file decoded nothing, or the work limit is spent.
    bool ObtainMoreOutput() {
        std::size_t produced = 0;
        if (status_ == Mp3DecodeResult::Output) {
            status_ = decoder_.Decode(nullptr, 0, output_.get(), OutputAreaBytes, produced);
        } else {
            do {
                if (status_ == Mp3DecodeResult::Error) {
                    // The search too stops when the work limit is spent, and goes on from there
                    // with the next buffer: no header lies before that point, so the search
                    // then finds what it would have found.
                    const std::uint64_t allowance =
                        FruitlessWorkLimit - std::min(fruitlessWork_, FruitlessWorkLimit) + 1;
                    const std::uint64_t stop =
                        std::min<std::uint64_t>(end_, searchCursor_ + allowance);
                    Mp3FrameHeader header;
                    const auto found = FindFrameBefore(*file_, searchCursor_, stop, header);
                    if (!found && stop < end_) {
                        searchCursor_ = stop;
                        searchInterrupted_ = true;
                        decodedLength_ = 0;
                        readIndex_ = 0;
                        return false;
                    }
                    readPosition_ = found ? *found : end_;
                    if (found)
                        chunkLength_ = header.frameLength;
                    fruitlessWork_ += readPosition_ - std::min(readPosition_, searchCursor_);
                    ++searchCursor_;
                    decoder_.Init();
                    fruitlessWork_ += RestartCost;
                }
                const auto position =
                    static_cast<std::uint32_t>(std::min<std::uint64_t>(readPosition_, 0xFFFFFFFFu));
                file_->Read(input_.get(), position, chunkLength_);
                readPosition_ += chunkLength_;
                fruitlessWork_ += chunkLength_;
                status_ = decoder_.Decode(input_.get(), chunkLength_, output_.get(),
                                          OutputAreaBytes, produced);
                if (status_ == Mp3DecodeResult::Error && fruitlessWork_ > FruitlessWorkLimit &&
                    readPosition_ < end_) {
                    // Stop here and resume this very search with the next buffer.
                    searchInterrupted_ = true;
                    decodedLength_ = 0;
                    readIndex_ = 0;
                    return false;
                }
            } while (status_ == Mp3DecodeResult::Error && readPosition_ < end_);
            searchCursor_ = readPosition_;
        }
        decodedLength_ = produced;
        readIndex_ = 0;
        if (readPosition_ >= end_) {
            // The loop starts over at the first frame: the tags before it hold no sound.
            readPosition_ = firstFrame_;
            searchCursor_ = firstFrame_;
            status_ = Mp3DecodeResult::Error;
            const bool fruitlessPass = passFromStart_ && !outputInPass_;
            passFromStart_ = true;
            outputInPass_ = false;
            if (fruitlessPass)
                return false;
        }
        return fruitlessWork_ <= FruitlessWorkLimit;
    }

    std::unique_ptr<TFile> file_;
    std::uint32_t end_;
    std::uint32_t firstFrame_;
    std::uint64_t readPosition_;
    std::uint64_t searchCursor_ = 0;
    std::uint32_t chunkLength_;
    Mp3DecodeResult status_ = Mp3DecodeResult::Error;
    std::size_t decodedLength_ = 0;
    std::int64_t readIndex_ = -1;
    Mp3Decoder decoder_;
    std::unique_ptr<std::uint8_t[]> input_;  // one frame's length of the file at a time
    std::unique_ptr<std::uint8_t[]> output_; // what the decoder made of it
    PcmFormat format_;
    std::size_t bufferBytes_ = 0;

    bool searchInterrupted_ = false;
    std::uint64_t fruitlessWork_ = 0;
    bool passFromStart_ = false; // the pass under way began at the start of the file
    bool outputInPass_ = false;
};

} // namespace

std::uint64_t Mp3StartPosition(std::uint32_t firstFrame, std::uint32_t fileSize, int bitrateKbps,
                               std::int32_t startOffset) {
    // 64 bits: the file size times 8 exceeds 32 bits from 512 MB on.
    const auto bitrate = static_cast<std::uint64_t>(std::max(bitrateKbps, 1));
    const std::uint64_t soundBytes = fileSize - std::min(firstFrame, fileSize);
    const std::uint64_t durationMs = soundBytes * 8 / bitrate;
    if (durationMs == 0)
        return firstFrame; // too short to place an offset
    const auto offset = static_cast<std::uint64_t>(std::max(startOffset, 0));
    return firstFrame + offset % durationMs * bitrate / 8;
}

namespace {

// FindFrame over the whole file, a slice at a time, giving up when running goes false: a large
// file without a frame takes a while to search, and a stop must not wait for it.
std::optional<std::uint32_t> FindFirstFrame(TFile& file, std::uint32_t from, std::uint32_t end,
                                            Mp3FrameHeader& found,
                                            const std::atomic<bool>* running) {
    constexpr std::uint64_t Slice = 1u << 20;
    for (std::uint64_t position = from; position < end; position += Slice) {
        if (running && !running->load())
            return std::nullopt;
        if (const auto frame = FindFrameBefore(
                file, position, std::min<std::uint64_t>(end, position + Slice), found))
            return frame;
    }
    return end;
}

} // namespace

OpenedSource OpenMp3Source(const std::string& descriptor, std::int32_t startOffset,
                           const std::atomic<bool>* running) {
    std::unique_ptr<TFile> file;
    try {
        file = std::make_unique<TFile>(FileSystemPath(descriptor));
        const std::uint32_t end = file->Size();
        Mp3FrameHeader first;
        const auto firstFrame =
            FindFirstFrame(*file, Id3v2TagsEnd(*file, end), end, first, running);
        if (!firstFrame)
            return {}; // stopped while searching
        if (*firstFrame >= end)
            return {nullptr, UserText(Translatable("umbrascope::Mp3Source", "Неверный MP3 файл"))};
        std::uint64_t start = Mp3StartPosition(*firstFrame, end, first.bitrateKbps, startOffset);
        if (start >= end)
            start = *firstFrame;
        auto source = std::make_unique<Mp3Source>(std::move(file), first, *firstFrame, start);
        source->FilePath = descriptor;
        return {std::move(source), std::nullopt};
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace umbrascope
