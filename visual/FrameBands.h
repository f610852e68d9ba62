#pragma once

// Whole frames drawn in horizontal bands, one band per processor core, each on a thread of Qt's
// shared pool. Every band lays the pattern and the phrase out on the whole frame and keeps to
// its own rows, so the picture is the one DrawFrame draws alone, pixel for pixel, in about the
// time of one band. Qt itself fills large shapes on the threads of that pool, but not from one
// of them: drawing there keeps it from splitting every fill of a band across the same cores
// again (hundreds of hand-overs a frame).
//
// Thread rule: one calling thread at a time, not itself a thread of Qt's shared pool (it waits
// for the pool). Draw returns only when every band is finished, so nothing runs on after it.

#include "PhraseRenderer.h"
#include "model/Session.h"

#include <QImage>
#include <QRunnable>

#include <array>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace umbrascope {

class FrameBands {
public:
    static constexpr int MaxBands = 4;

    // bands: how many (1..MaxBands); 0 for one per thread of the pool (one per core).
    explicit FrameBands(int bands = 0);

    int Count() const { return count_; }

    // Draws the complete frame into frame (Format_RGB32) as DrawFrame does. False when
    // DrawsPicture is false (frame untouched) or when a band failed (the frame is incomplete and
    // must not be shown).
    bool Draw(QImage& frame, const SessionValuesInForce& values, const PhraseLayout& phrase,
              std::uint32_t frameTime);

private:
    struct Job {
        uchar* bits = nullptr;
        QSize size;
        qsizetype bytesPerLine = 0;
        const SessionValuesInForce* values = nullptr;
        const PhraseLayout* phrase = nullptr;
        std::uint32_t frameTime = 0;
    };
    // A band's task on the pool, made once and started for every frame.
    class BandTask : public QRunnable {
    public:
        BandTask(FrameBands& owner, int index) : owner_(owner), index_(index) {
            setAutoDelete(false);
        }
        void run() override;

    private:
        FrameBands& owner_;
        const int index_;
    };
    // The images a band paints through: a painter keeps to one QImage object, so each band has
    // its own on the frame's pixels, one for each of the few buffers that take turns as the
    // frame, made once.
    struct Band {
        std::array<QImage, 3> surfaces;
        std::size_t nextSurface = 0;
        QImage& SurfaceFor(const Job& job);
    };

    void DrawBand(int index) noexcept;
    QRect Rows(int index, QSize size) const;

    const int count_;
    std::vector<Band> bands_;
    std::vector<std::unique_ptr<BandTask>> tasks_;
    std::mutex mutex_;
    std::condition_variable finished_;
    Job job_;            // the frame being drawn
    int unfinished_ = 0; // bands still being drawn
    bool failed_ = false;
};

} // namespace umbrascope
