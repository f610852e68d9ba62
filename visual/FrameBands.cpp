#include "FrameBands.h"

#include "EventQueueHandOver.h"
#include "VideoFunctions.h"

#include <QThreadPool>

#include <algorithm>

namespace umbrascope {

FrameBands::FrameBands(int bands)
    : count_(std::clamp(bands > 0 ? bands : QThreadPool::globalInstance()->maxThreadCount(), 1,
                        MaxBands)),
      bands_(static_cast<std::size_t>(count_)) {
    for (int index = 0; index < count_; ++index)
        tasks_.push_back(std::make_unique<BandTask>(*this, index));
}

void FrameBands::BandTask::run() {
    AcquireThroughQt(this); // what Draw wrote before starting the task
    owner_.DrawBand(index_);
}

QImage& FrameBands::Band::SurfaceFor(const Job& job) {
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

QRect FrameBands::Rows(int index, QSize size) const {
    const std::int64_t height = size.height();
    const auto top = static_cast<int>(height * index / count_);
    const auto bottom = static_cast<int>(height * (index + 1) / count_);
    return QRect(0, top, size.width(), bottom - top);
}

bool FrameBands::Draw(QImage& frame, const SessionValuesInForce& values, const PhraseLayout& phrase,
                      std::uint32_t frameTime) {
    if (!DrawsPicture(values))
        return false;
    if (count_ == 1 || frame.format() != QImage::Format_RGB32 || frame.height() < count_)
        return DrawFrame(frame, values, phrase, frameTime);
    {
        std::lock_guard lock(mutex_);
        job_ = Job{frame.bits(), frame.size(), frame.bytesPerLine(), &values, &phrase, frameTime};
        unfinished_ = count_;
        failed_ = false;
    }
    QThreadPool& pool = *QThreadPool::globalInstance();
    for (int index = 0; index < count_; ++index) {
        try {
            BandTask* task = tasks_[static_cast<std::size_t>(index)].get();
            ReleaseThroughQt(task);
            pool.start(task);
        } catch (...) {
            DrawBand(index); // the pool could not take the task: drawn here instead
        }
    }
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [this] { return unfinished_ == 0; });
    return !failed_;
}

void FrameBands::DrawBand(int index) noexcept {
    std::unique_lock lock(mutex_);
    const Job job = job_;
    Band& band = bands_[static_cast<std::size_t>(index)];
    lock.unlock();
    bool drawn = false;
    try {
        drawn = DrawFrame(band.SurfaceFor(job), *job.values, *job.phrase, job.frameTime,
                          Rows(index, job.size));
    } catch (...) {
        // Reported as a failed frame, which is not shown.
    }
    lock.lock();
    failed_ = failed_ || !drawn;
    if (--unfinished_ == 0)
        finished_.notify_all();
}

} // namespace umbrascope
