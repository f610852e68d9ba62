#pragma once

// The frames a full-screen presentation showed: for each, the session time it was drawn for and
// the moment it was handed to the screen on the monotonic clock. Written as CSV with a summary
// of the intervals, so that a user can check afterwards how evenly the frames came (and so the
// frequency of a flicker).
//
// Thread rule: one thread (the window's).

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace umbrascope {

struct FrameRecord {
    std::uint32_t frameTime = 0;          // session time, ms
    std::chrono::microseconds shownAt{0}; // monotonic clock
};

struct FrameLogSummary {
    std::size_t frames = 0;
    std::chrono::microseconds medianInterval{0}; // nearest rank; 0 without intervals
    std::chrono::microseconds p99Interval{0};    // nearest rank
    std::size_t late = 0;
    std::chrono::microseconds lateAfter{0};
};

class FrameLog {
public:
    // Starts a new log for a display refreshed refreshRate times a second: a frame is late when
    // it comes more than one and a half refresh intervals after the one before (60 Hz when the
    // rate is unknown).
    void Start(double refreshRate);

    void Record(std::uint32_t frameTime, std::chrono::steady_clock::time_point shownAt);

    const std::vector<FrameRecord>& Frames() const { return frames_; }
    FrameLogSummary Summary() const;

    // A header, then one line per frame: session time (ms), time handed to the screen (ms on the
    // monotonic clock), interval to the frame before (ms; empty for the first) and whether it
    // was late (1 or 0).
    std::string Csv() const;

private:
    bool IsLate(std::size_t index) const;

    std::vector<FrameRecord> frames_;
    std::chrono::microseconds lateAfter_{25000};
};

// "N frames shown; interval median X ms, 99th percentile Y ms; Z late (more than W ms)".
std::string SummaryText(const FrameLogSummary& summary);

} // namespace umbrascope
