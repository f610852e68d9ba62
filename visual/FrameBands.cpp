#include "FrameBands.h"

#include "VideoFunctions.h"

#include <algorithm>
#include <array>
#include <thread>

namespace {

int BandsForThisMachine() {
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u,
                                       static_cast<unsigned>(FrameBands::MaxBands)));
}

} // namespace

// A helper thread and the images it paints through: a painter keeps to one QImage object, so
// each helper has its own on the frame's pixels, one for each of the few buffers that take
// turns as the frame, made once.
struct FrameBands::Helper {
    int index = 0;
    std::array<QImage, 3> surfaces;
    std::size_t nextSurface = 0;
    std::jthread thread; // last: stops before the surfaces go

    QImage& SurfaceFor(const Job& job) {
        for (QImage& surface : surfaces)
            if (surface.constBits() == job.bits && surface.size() == job.size &&
                surface.bytesPerLine() == job.bytesPerLine)
                return surface;
        QImage& surface = surfaces[nextSurface];
        nextSurface = (nextSurface + 1) % surfaces.size();
        surface = QImage(job.bits, job.size.width(), job.size.height(), job.bytesPerLine,
                         QImage::Format_RGB32);
        return surface;
    }
};

FrameBands::FrameBands(int bands)
    : count_(bands > 0 ? std::min(bands, MaxBands) : BandsForThisMachine()) {
    for (int index = 1; index < count_; ++index) {
        helpers_.push_back(std::make_unique<Helper>());
        helpers_.back()->index = index;
    }
    for (auto& helper : helpers_)
        helper->thread =
            std::jthread([this, &helper = *helper](std::stop_token stop) { Run(helper, stop); });
}

FrameBands::~FrameBands() {
    for (auto& helper : helpers_)
        helper->thread.request_stop();
    helpers_.clear();
}

QRect FrameBands::Band(int index, QSize size) const {
    const std::int64_t height = size.height();
    const auto top = static_cast<int>(height * index / count_);
    const auto bottom = static_cast<int>(height * (index + 1) / count_);
    return QRect(0, top, size.width(), bottom - top);
}

bool FrameBands::Draw(QImage& frame, const TCurrentValues& values, const TPhraseLayout& phrase,
                      std::uint32_t frameTime) {
    if (!DrawsPicture(values))
        return false;
    if (helpers_.empty() || frame.format() != QImage::Format_RGB32 || frame.height() < count_)
        return DrawFrame(frame, values, phrase, frameTime);
    {
        std::lock_guard lock(mutex_);
        job_ = Job{frame.bits(), frame.size(), frame.bytesPerLine(), &values, &phrase, frameTime};
        ++number_;
        unfinished_ = static_cast<int>(helpers_.size());
        failed_ = false;
    }
    changed_.notify_all();
    bool drawn = false;
    try {
        drawn = DrawFrame(frame, values, phrase, frameTime, Band(0, frame.size()));
    } catch (...) {
        // The other bands still use the frame: wait for them all the same.
    }
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return unfinished_ == 0; });
    return drawn && !failed_;
}

void FrameBands::Run(Helper& helper, std::stop_token stop) {
    std::uint64_t done = 0;
    std::unique_lock lock(mutex_);
    while (changed_.wait(lock, stop, [&] { return number_ != done; })) {
        done = number_;
        const Job job = job_;
        lock.unlock();
        bool drawn = false;
        try {
            QImage& surface = helper.SurfaceFor(job);
            drawn = DrawFrame(surface, *job.values, *job.phrase, job.frameTime,
                              Band(helper.index, job.size));
        } catch (...) {
            // Reported as a failed frame, which is not shown.
        }
        lock.lock();
        failed_ = failed_ || !drawn;
        if (--unfinished_ == 0)
            changed_.notify_all();
    }
}
