#pragma once

// What the track threads' shared streaming loop needs of a track: a source that fills the
// next buffer in the track's own format. Generators, WAV files and MP3 files are sources.
//
// Thread rule: a source is created, used and destroyed by its own track thread only.

#include "base/UserText.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace umbrascope {

struct PcmFormat {
    int sampleRate = 22050;
    int channels = 2;
    int bitsPerSample = 16;
    int blockAlign = 4; // bytes per frame

    bool operator==(const PcmFormat&) const = default;
};

// The bytes of one buffer of a file track in this format: as long as a generated track's
// buffer (4096 frames at 22050 Hz, about 186 ms) and at least one frame, so that a stop is as
// quick for every format. Thread safe.
std::size_t BufferBytesFor(const PcmFormat& format);

class TrackSource {
public:
    virtual ~TrackSource() = default;

    virtual PcmFormat Format() const = 0;

    // Size of each of the two buffers the loop keeps in flight.
    virtual std::size_t BufferBytes() const = 0;

    // Writes the next BufferBytes() bytes of the track.
    virtual void Fill(std::uint8_t* buffer) = 0;

    // Called after the loop has switched to the other buffer (the WAV end-of-data wrap).
    virtual void AfterSwitch() {}

    // File tracks tell the user when the device refuses their format; generators stay silent.
    virtual bool ReportsDeviceFailure() const { return false; }

    // What the user is told then: a file track names its file and format.
    virtual UserText DeviceFailureMessage() const;
};

// Where the problems of a player's tracks go: the window queues them and shows them on its own
// thread, the command line prints them. Each player has its own (PlayReports); none is
// installed for the whole program.
class UserMessages {
public:
    virtual ~UserMessages() = default;

    // Thread safe; returns at once, never waiting for the user: the text is shown (with an
    // empty caption and an OK button) or printed in turn.
    virtual void PostMessage(const UserText& text) = 0;
};

// Messages printed on standard error as they come, each on a line of its own.
std::shared_ptr<UserMessages> StandardErrorMessages();

// A source opened for a track, or why it cannot play: the problem the user is told about, or
// none when the track is left out silently (a file that cannot be read, a stop meanwhile).
struct OpenedSource {
    std::unique_ptr<TrackSource> source;
    std::optional<UserText> problem;
};

// The message of a sound device that refuses a stream or stops playing.
inline constexpr TextSource DeviceErrorMessage =
    Translatable("umbrascope::UserMessages", "Ошибка аудиоустройства");

// "Ошибка аудиоустройства" with the file (Windows-1251 path) and the format the device refused.
UserText DeviceRefusedFileMessage(const std::string& cp1251Path, const PcmFormat& format);

} // namespace umbrascope
