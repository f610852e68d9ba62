#pragma once

// The buffers of one output stream between its track thread and the device that plays them
// (SDL2's audio thread, or a test). The track thread queues buffers and waits for them to be
// played; the device takes bytes in order, with the stream's left and right level applied.
//
// Thread rule: every member is thread safe. Push, WaitUntilPlayed, SetLevel, Drop and Close
// are called by the owning track thread; Consume and ConsumeBuffer by the device side.

#include "TrackSource.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

class PcmQueue {
public:
    // 24-bit samples are handed on widened to 32 bits, since devices take no packed 24 bits.
    explicit PcmQueue(const PcmFormat& format);

    const PcmFormat& DeviceFormat() const { return device_; }

    // Queues a copy of the bytes and returns the ticket that tells when they have been played.
    // Bytes of an incomplete frame wait for the next buffer, so the device only gets whole
    // frames.
    std::uint64_t Push(const std::uint8_t* data, std::size_t bytes);

    // Takes the queue's short lock; never waits for the device.
    bool HasPlayed(std::uint64_t ticket) const;

    // Blocks until the buffer of this ticket has been played, dropped or the stream closed, or
    // the timeout has passed. True when it has been played or dropped.
    bool WaitUntilPlayed(std::uint64_t ticket, std::chrono::milliseconds timeout);

    // Levels from 0 (silent) to 1 (as queued); values outside are clamped. They apply to the
    // bytes the device takes from now on.
    void SetLevel(double left, double right);

    // Drops everything still queued; its tickets count as played.
    void Drop();

    // Drops everything and refuses further device requests.
    void Close();
    bool Closed() const;

    // Device side: fills out with the next bytes, level applied; silence where the queue has
    // run dry. Returns the number of queued bytes taken.
    std::size_t Consume(std::uint8_t* out, std::size_t bytes);

    // Test device: waits (bounded) for the oldest queued buffer and plays it whole, returning
    // its bytes as the device got them. Empty on timeout or when the stream has closed.
    std::optional<std::vector<std::uint8_t>> ConsumeBuffer(std::chrono::milliseconds timeout);

    // Test device: waits (bounded) until the stream has been closed.
    bool WaitClosed(std::chrono::milliseconds timeout);

    // Buffers queued and not yet played or dropped.
    std::size_t QueuedBuffers() const;

    // Buffers queued since the device last ran dry in the middle of the stream.
    std::size_t Underruns() const;

private:
    struct Entry {
        std::vector<std::uint8_t> bytes;
        std::size_t offset = 0;
        std::uint64_t ticket = 0;
    };

    void ApplyLevel(std::uint8_t* data, std::size_t bytes) const;
    void MarkPlayed(std::uint64_t ticket);

    const PcmFormat input_;
    const PcmFormat device_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Entry> entries_;
    std::vector<std::uint8_t> partialFrame_;
    std::uint64_t lastQueued_ = 0;
    std::uint64_t lastPlayed_ = 0;
    double left_ = 1;
    double right_ = 1;
    bool starved_ = false;
    bool closed_ = false;
    std::size_t underruns_ = 0;
};

// Thread safe: the number of underruns of every stream of the program so far.
std::uint64_t AudioUnderrunCount();
