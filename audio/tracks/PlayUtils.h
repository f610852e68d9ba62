#pragma once

// Track threads: every audio track of a playing session plays in a thread of its own, which
// opens its own output stream and streams its source until it is told to stop.
//
// Whoever plays owns a TrackThreads (the window's and --play's transport; a test its own), so
// two players in one process share no thread list. How the playback controller uses it (all on
// the user-interface thread):
//   - Start(state, descriptor, offset) starts a track and returns its handle;
//   - StopTrackThread(handle) (or handle->Running = false) stops it without waiting: the
//     thread plays out what it has queued, closes its stream and ends by itself;
//   - finished threads are joined by the next Start or ReclaimFinished;
//   - when the player goes, StopAndJoinAll (also the destructor).

#include "audio/device/PlayReports.h"
#include "audio/sources/TrackSource.h"
#include "model/PublishedState.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace umbrascope {

class TPlayThread {
public:
    // The thread is created stopped; Start begins it. It plays at the volume state publishes
    // and tells reports what it meets. trackNumber counts the tracks started in one play (it
    // seeds the noise generator, so two noise tracks never sound alike).
    TPlayThread(std::shared_ptr<const PublishedState> state, std::shared_ptr<PlayReports> reports,
                std::string descriptor, std::int32_t startOffset, std::uint32_t trackNumber = 0);
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
    // Thread safe: false when a stop is to drop the queued sound rather than play it out.
    std::atomic<bool> PlayOut{true};

private:
    void Execute() noexcept;

    const std::shared_ptr<const PublishedState> state_;
    const std::shared_ptr<PlayReports> reports_;
    std::atomic<bool> finished_{false};
    std::thread thread_;
};

using TrackHandle = std::shared_ptr<TPlayThread>;

// Thread safe, non-blocking: tells the track to stop. A null handle is ignored.
void StopTrackThread(const TrackHandle& track);

// The track threads of one player.
class TrackThreads {
public:
    // reports: what the tracks tell their player; none makes reports of their own that print
    // on standard error.
    explicit TrackThreads(std::shared_ptr<PlayReports> reports = nullptr);
    // Stops and joins every track, dropping their queued sound.
    ~TrackThreads();
    TrackThreads(const TrackThreads&) = delete;
    TrackThreads& operator=(const TrackThreads&) = delete;

    // User-interface thread; does not wait for sound: starts a track thread, which plays at the
    // volume state publishes. A descriptor that plays nothing (no known kind, malformed, a file
    // that cannot be played) ends its thread at once, after posting its problem if it has one.
    TrackHandle Start(std::shared_ptr<const PublishedState> state, const std::string& descriptor,
                      std::int32_t startOffset, std::uint32_t trackNumber = 0);

    // Thread safe; takes a short lock, waits for no track: tells every track to stop.
    void StopAll();

    // User-interface thread; returns at once: joins the threads that have already ended.
    void ReclaimFinished();

    // When the player goes (and tests): stops every track and blocks until each thread has
    // ended. The sound still queued is dropped rather than played out, so nothing waits for it.
    void StopAndJoinAll();

    // Thread safe: track threads started and not yet reclaimed.
    std::size_t Count() const;

    PlayReports& Reports() { return *reports_; }
    const std::shared_ptr<PlayReports>& SharedReports() const { return reports_; }

private:
    std::vector<TrackHandle> Take(bool finishedOnly);

    const std::shared_ptr<PlayReports> reports_;
    mutable std::mutex mutex_;
    std::vector<TrackHandle> started_; // started and not yet joined
};

// Call from the thread that will use it. The source that plays a descriptor, or none when it
// plays nothing. trackNumber: see TPlayThread. Opening gives up when running (if given) goes
// false meanwhile.
OpenedSource MakeTrackSource(const std::string& descriptor, std::int32_t startOffset,
                             std::uint32_t trackNumber = 0,
                             const std::atomic<bool>* running = nullptr);

// Call from a track thread. The source of a WAV or MP3 track, opened at startOffset
// milliseconds into the track; none when the file cannot be played (with the problem the user
// is told, where the file player tells one) or running went false while it was being opened.
OpenedSource OpenFileSource(const std::string& descriptor, std::int32_t startOffset,
                            const std::atomic<bool>* running = nullptr);

} // namespace umbrascope
