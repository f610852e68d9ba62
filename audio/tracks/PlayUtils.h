#pragma once

// Track threads: every audio track of a playing session plays in a thread of its own, which
// opens its own output stream and streams its source until it is told to stop.
//
// How the playback controller uses them (all on the user-interface thread):
//   - StartTrackThread(state, descriptor, offset) starts a track and returns its handle;
//   - StopTrackThread(handle) (or handle->Running = false) stops it without waiting: the
//     thread plays out what it has queued, closes its stream and ends by itself;
//   - finished threads are joined by the next StartTrackThread or ReclaimFinishedTrackThreads;
//   - at program exit EndSound().

#include "audio/sources/TrackSource.h"
#include "model/PublishedState.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

namespace umbrascope {

class TPlayThread {
public:
    // The thread is created stopped; Start begins it. It plays at the volume state publishes.
    // trackNumber counts the tracks started in one play (it seeds the noise generator, so two
    // noise tracks never sound alike).
    TPlayThread(std::shared_ptr<const PublishedState> state, std::string descriptor,
                std::int32_t startOffset, std::uint32_t trackNumber = 0);
    // Stops the thread and joins it if nobody has.
    ~TPlayThread();
    TPlayThread(const TPlayThread&) = delete;
    TPlayThread& operator=(const TPlayThread&) = delete;

    // Call once, from the thread that created the object.
    void Start();

    // Thread safe, non-blocking: the thread body has returned (or never started).
    bool Finished() const { return finished_.load(); }

    // Blocks until the thread has ended. Call from one thread only, never the track thread.
    void Join();

    // The track descriptor; for file tracks the resolved path.
    const std::string Descriptor;
    // Milliseconds into the track at which playing begins (file tracks only).
    const std::int32_t StartOffset;
    const std::uint32_t TrackNumber;
    // Thread safe: true while the track is to keep playing; whoever stops it sets it false.
    std::atomic<bool> Running{true};

private:
    void Execute() noexcept;

    const std::shared_ptr<const PublishedState> state_;
    std::atomic<bool> finished_{false};
    std::thread thread_;
};

using TrackHandle = std::shared_ptr<TPlayThread>;

// User-interface thread; does not wait for sound: starts a track thread, which plays at the
// volume state publishes. A descriptor that plays nothing (no known kind, malformed, a file that
// cannot be played) ends its thread at once, silently.
TrackHandle StartTrackThread(std::shared_ptr<const PublishedState> state,
                             const std::string& descriptor, std::int32_t startOffset,
                             std::uint32_t trackNumber = 0);

// Thread safe, non-blocking: tells the track to stop. A null handle is ignored.
void StopTrackThread(const TrackHandle& track);

// Thread safe; takes a short lock, waits for no track: tells every track to stop.
void StopAllTrackThreads();

// User-interface thread; returns at once: joins the threads that have already ended.
void ReclaimFinishedTrackThreads();

// Program exit (and tests): stops every track and blocks until each thread has ended. The sound
// still queued is dropped rather than played out, so the program ends without waiting for it.
void StopAndJoinAllTrackThreads();

// Program exit: every track thread stopped and joined, the tracks' messages back on standard
// error, then the sound output shut down.
void EndSound();

// Thread safe: track threads started and not yet reclaimed.
std::size_t TrackThreadCount();

// Call from the thread that will use it. The source that plays a descriptor, or none when it
// plays nothing. trackNumber: see TPlayThread. Opening gives up when running (if given) goes
// false meanwhile.
std::unique_ptr<TrackSource> MakeTrackSource(const std::string& descriptor,
                                             std::int32_t startOffset,
                                             std::uint32_t trackNumber = 0,
                                             const std::atomic<bool>* running = nullptr);

// Call from a track thread. The source of a WAV or MP3 track, opened at startOffset
// milliseconds into the track; none when the file cannot be played (after telling the user
// where the file player does) or running went false while it was being opened.
std::unique_ptr<TrackSource> OpenFileSource(const std::string& descriptor, std::int32_t startOffset,
                                            const std::atomic<bool>* running = nullptr);

} // namespace umbrascope
