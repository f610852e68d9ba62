#pragma once

// The full-screen window's picture through OpenGL, where swapping the buffers waits for the
// display's vertical refresh: every refresh repaints, and a frame handed over is taken only at
// every n-th refresh, n chosen so that frames stay at least the presentation's 13 ms, so frames
// come evenly and are never shown half-drawn. The frame is uploaded as it is and drawn texel for
// pixel.
//
// Thread rule: user-interface thread only.

#include "FrameExchange.h"

#include <QOpenGLWidget>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QOpenGLTextureBlitter;

namespace umbrascope {

class GlFrameView final : public QOpenGLWidget {
public:
    // frames must outlive the view.
    GlFrameView(FrameExchange& frames, QWidget* parent);
    ~GlFrameView() override;

    // How many display refreshes each frame stays on the screen (at least 1).
    void SetRefreshesPerFrame(int refreshes);

    // Called after the swap that put a new frame on the screen, with the session time it was
    // drawn for and the moment the swap returned.
    void OnFrameShown(
        std::function<void(std::uint32_t frameTime, std::chrono::steady_clock::time_point)> shown);

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    void Upload(const QImage& frame);
    void FrameSwapped();

    FrameExchange& frames_;
    std::unique_ptr<QOpenGLTextureBlitter> blitter_;
    unsigned texture_ = 0;
    QSize textureSize_;
    int refreshesPerFrame_ = 1;
    int refreshesSinceFrame_ = 0;
    std::optional<std::uint32_t> uploaded_; // the frame time of a frame not yet swapped in
    std::function<void(std::uint32_t, std::chrono::steady_clock::time_point)> shown_;
};

// Whether the full-screen picture goes through OpenGL: UMBRASCOPE_PRESENTATION=opengl or raster
// decides; otherwise OpenGL where the platform has a hardware renderer (a software one neither
// waits for a display nor keeps up with a large screen). Asked once per run.
bool PresentThroughOpenGL();

// Display refreshes per frame so that frames come at least minimum apart on a display of
// refreshRate Hz (60 when unknown).
int RefreshesPerFrame(double refreshRate, std::chrono::milliseconds minimum);

} // namespace umbrascope
