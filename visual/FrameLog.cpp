#include "FrameLog.h"

#include <algorithm>
#include <cmath>

namespace umbrascope {

namespace {

using std::chrono::microseconds;

// Milliseconds with three decimals, independent of the locale (a Qt program takes the user's,
// whose decimal comma would break the CSV).
std::string Milliseconds(microseconds time) {
    const std::int64_t us = time.count();
    const std::int64_t whole = us / 1000, part = std::abs(us % 1000);
    std::string text = (us < 0 && whole == 0 ? "-" : "") + std::to_string(whole) + ".";
    text += static_cast<char>('0' + part / 100);
    text += static_cast<char>('0' + part / 10 % 10);
    text += static_cast<char>('0' + part % 10);
    return text;
}

microseconds NearestRank(const std::vector<microseconds>& sorted, int percent) {
    if (sorted.empty())
        return microseconds(0);
    const std::size_t rank = (sorted.size() * static_cast<std::size_t>(percent) + 99) / 100;
    return sorted[std::max<std::size_t>(rank, 1) - 1];
}

} // namespace

void FrameLog::Start(double refreshRate) {
    frames_.clear();
    const double rate = refreshRate >= 1 ? refreshRate : 60;
    lateAfter_ = microseconds(std::llround(1.5e6 / rate));
}

void FrameLog::Record(std::uint32_t frameTime, std::chrono::steady_clock::time_point shownAt) {
    frames_.push_back(
        {frameTime, std::chrono::duration_cast<microseconds>(shownAt.time_since_epoch())});
}

bool FrameLog::IsLate(std::size_t index) const {
    return index > 0 && frames_[index].shownAt - frames_[index - 1].shownAt > lateAfter_;
}

FrameLogSummary FrameLog::Summary() const {
    FrameLogSummary summary;
    summary.frames = frames_.size();
    summary.lateAfter = lateAfter_;
    std::vector<microseconds> intervals;
    intervals.reserve(frames_.size());
    for (std::size_t i = 1; i < frames_.size(); ++i) {
        intervals.push_back(frames_[i].shownAt - frames_[i - 1].shownAt);
        summary.late += IsLate(i) ? 1 : 0;
    }
    std::sort(intervals.begin(), intervals.end());
    summary.medianInterval = NearestRank(intervals, 50);
    summary.p99Interval = NearestRank(intervals, 99);
    return summary;
}

std::string FrameLog::Csv() const {
    std::string csv = "session_time_ms,shown_at_ms,interval_ms,late\n";
    for (std::size_t i = 0; i < frames_.size(); ++i) {
        csv += std::to_string(frames_[i].frameTime) + ',' + Milliseconds(frames_[i].shownAt) + ',';
        if (i > 0)
            csv += Milliseconds(frames_[i].shownAt - frames_[i - 1].shownAt);
        csv += IsLate(i) ? ",1\n" : ",0\n";
    }
    return csv;
}

std::string SummaryText(const FrameLogSummary& summary) {
    return std::to_string(summary.frames) + " frames shown; interval median " +
           Milliseconds(summary.medianInterval) + " ms, 99th percentile " +
           Milliseconds(summary.p99Interval) + " ms; " + std::to_string(summary.late) +
           " late (more than " + Milliseconds(summary.lateAfter) + " ms)";
}

} // namespace umbrascope
