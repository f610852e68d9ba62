#pragma once

// An MP4 file being written: the container around the encoded picture and sound. It is written
// under a temporary name beside its target and appears there only when Finish succeeds; a
// failed or abandoned file leaves nothing behind, and a file that was there keeps what it held.
//
// Thread rule: one thread.

#include "FfmpegCall.h"
#include "base/ReplacingFile.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <filesystem>
#include <vector>

namespace umbrascope {

class Mp4File {
public:
    // Throws IoError with the system's message when the file cannot be made.
    explicit Mp4File(const std::filesystem::path& target, WriteOptions options = {});
    ~Mp4File();
    Mp4File(const Mp4File&) = delete;
    Mp4File& operator=(const Mp4File&) = delete;

    // Adds a stream for what an opened encoder makes; returns its index.
    int AddStream(const AVCodecContext& encoder);

    // Writes the header, once every stream is added.
    void Begin();

    // Writes one packet of a stream, its times in the encoder's time base; takes its contents.
    void Write(AVPacket& packet, int stream);

    // Writes the index and puts the file in place. Throws IoError.
    void Finish();

private:
    ReplacingFile file_;
    AVFormatContext* format_ = nullptr;
    std::vector<AVRational> encoderTimeBases_;
};

} // namespace umbrascope
