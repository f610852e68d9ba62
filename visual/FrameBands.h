#pragma once

// Whole frames drawn in horizontal bands, one band per processor core, each on a thread of its
// own: the calling thread draws the top band, helper threads the others. Every band lays the
// pattern and the phrase out on the whole frame and keeps to its own rows, so the picture is
// the one DrawFrame draws alone, pixel for pixel, in about the time of one band.
//
// Thread rule: one calling thread at a time. The helper threads live as long as the object and
// are joined by its destructor.

#include "PhraseRenderer.h"
#include "model/Common.h"

#include <QImage>

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <stop_token>
#include <vector>

class FrameBands {
public:
    static constexpr int MaxBands = 4;

    // bands: how many (1..MaxBands); 0 for one per processor core.
    explicit FrameBands(int bands = 0);
    ~FrameBands();
    FrameBands(const FrameBands&) = delete;
    FrameBands& operator=(const FrameBands&) = delete;

    int Count() const { return count_; }

    // Draws the complete frame into frame (Format_RGB32) as DrawFrame does. False when
    // DrawsPicture is false (frame untouched) or when a band failed (the frame is incomplete and
    // must not be shown).
    bool Draw(QImage& frame, const TCurrentValues& values, const TPhraseLayout& phrase,
              std::uint32_t frameTime);

private:
    struct Helper;
    struct Job {
        uchar* bits = nullptr;
        QSize size;
        qsizetype bytesPerLine = 0;
        const TCurrentValues* values = nullptr;
        const TPhraseLayout* phrase = nullptr;
        std::uint32_t frameTime = 0;
    };

    void Run(Helper& helper, std::stop_token stop);
    QRect Band(int index, QSize size) const;

    const int count_;
    std::mutex mutex_;
    std::condition_variable_any changed_;
    Job job_;                  // the frame being drawn
    std::uint64_t number_ = 0; // of the frame being drawn
    int unfinished_ = 0;       // helpers still drawing it
    bool failed_ = false;
    std::vector<std::unique_ptr<Helper>> helpers_; // last: joined before the rest goes
};
