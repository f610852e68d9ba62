#pragma once

// The buffers between the presentation thread and the full-screen window. The thread draws
// into the back buffer and hands the finished frame over; the window takes the newest frame
// when it paints. The thread does not begin a frame before the previous one was taken, so
// frames follow the display (a limited wait: a window that never paints cannot hold the
// session up; its untaken frame is then replaced and counted as dropped). Buffers change hands
// by swapping: no frame is copied, and none is shown before it is complete.
//
// Buffers exist only while the window is shown (Open to Release); while they are absent the
// thread draws nothing.

#include <QImage>
#include <QSize>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <stop_token>

namespace umbrascope {

// A frame of the presentation (Format_RGB32, rows without padding), in memory of its own that
// goes back to the system with the image; takeMemoryNow has the system supply all of it at once
// rather than at the first drawing. Any thread.
QImage PresentationFrame(QSize size, bool takeMemoryNow = false);

class FrameExchange {
public:
    // Longest wait for the window to take the previous frame.
    static constexpr std::chrono::milliseconds HandOverLimit{100};

    // User-interface thread: the window is shown with this size; frames may be drawn. Makes the
    // buffers.
    void Open(QSize size);
    // User-interface thread: the window changed size while shown. Takes a short lock.
    void Resize(QSize size);
    // User-interface thread: the window is hidden. Waits until a frame being drawn is finished,
    // then frees the buffers.
    void Release();

    // Thread safe: the size frames are drawn at (the last size given to Open or Resize).
    QSize FrameSize() const;

    // Presentation thread: waits until the window has taken the frame handed over last, at
    // most HandOverLimit and not beyond a stop request.
    void WaitUntilTaken(std::stop_token stop);
    // Presentation thread: the buffer for the next frame (Format_RGB32, FrameSize()), or null
    // while the window is not shown. Every non-null result is followed by EndFrame.
    QImage* BeginFrame();
    // Presentation thread: hands the frame, drawn for session time frameTime, over when present
    // is true (false: nothing was drawn). A frame the window has not taken is replaced.
    void EndFrame(bool present, std::uint32_t frameTime = 0);

    // What the window shows: the frame (null before the first), whether it is one it had not
    // taken before, and the session time it was drawn for.
    struct Shown {
        const QImage* image = nullptr;
        bool fresh = false;
        std::uint32_t frameTime = 0;
    };
    // User-interface thread: takes the newest frame handed over, if any, and returns the frame
    // to show. The image stays valid until the next call or Release.
    Shown TakeFrame();

    // Called on the presentation thread after each hand-over, outside the lock, so that the
    // window can ask for a repaint. Set before frames are drawn.
    void SetFrameReadyNotifier(std::function<void()> notifier);

    // Thread safe: frames handed over, taken by the window, and replaced before being taken.
    std::uint64_t FramesHandedOver() const;
    std::uint64_t FramesShown() const;
    std::uint64_t FramesDropped() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable_any changed_;
    bool open_ = false;
    bool drawing_ = false;
    bool readyFull_ = false;
    QSize size_;
    QImage back_;  // drawn by the presentation thread while drawing_ is set
    QImage ready_; // handed over, not yet taken
    QImage front_; // shown by the window (user-interface thread only)
    bool hasFront_ = false;
    std::uint32_t readyTime_ = 0;
    std::uint32_t frontTime_ = 0;
    std::function<void()> notifier_;
    std::uint64_t handedOver_ = 0;
    std::uint64_t shown_ = 0;
    std::uint64_t dropped_ = 0;
};

} // namespace umbrascope
