#include "GlFrameView.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLTextureBlitter>

#include <algorithm>
#include <cmath>

namespace umbrascope {

namespace {

// Renderers that draw with the processor: they wait for no display.
bool IsSoftwareRenderer(const QByteArray& renderer) {
    const QByteArray name = renderer.toLower();
    return name.isEmpty() || name.contains("llvmpipe") || name.contains("softpipe") ||
           name.contains("software") || name.contains("swrast");
}

bool HardwareOpenGL() {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal") ||
        platform == QLatin1String("vnc") || platform == QLatin1String("linuxfb"))
        return false;
    QOpenGLContext context;
    QOffscreenSurface surface;
    surface.create();
    if (!context.create() || !context.makeCurrent(&surface))
        return false;
    const auto* renderer = context.functions()->glGetString(GL_RENDERER);
    const bool hardware = !IsSoftwareRenderer(reinterpret_cast<const char*>(renderer));
    context.doneCurrent();
    return hardware;
}

} // namespace

GlFrameView::GlFrameView(FrameExchange& frames, QWidget* parent)
    : QOpenGLWidget(parent), frames_(frames) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QOpenGLWidget::frameSwapped, this, [this] { FrameSwapped(); });
}

GlFrameView::~GlFrameView() {
    if (!blitter_)
        return;
    makeCurrent();
    if (texture_ != 0)
        context()->functions()->glDeleteTextures(1, &texture_);
    blitter_->destroy();
    doneCurrent();
}

void GlFrameView::SetRefreshesPerFrame(int refreshes) {
    refreshesPerFrame_ = std::max(refreshes, 1);
}

void GlFrameView::OnFrameShown(
    std::function<void(std::uint32_t, std::chrono::steady_clock::time_point)> shown) {
    shown_ = std::move(shown);
}

void GlFrameView::initializeGL() {
    blitter_ = std::make_unique<QOpenGLTextureBlitter>();
    blitter_->create();
}

void GlFrameView::Upload(const QImage& frame) {
    QOpenGLFunctions& gl = *context()->functions();
    if (texture_ == 0)
        gl.glGenTextures(1, &texture_);
    gl.glBindTexture(GL_TEXTURE_2D, texture_);
    gl.glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    if (frame.size() != textureSize_) {
        gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        gl.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, frame.width(), frame.height(), 0, GL_RGBA,
                        GL_UNSIGNED_BYTE, nullptr);
        textureSize_ = frame.size();
    }
    // RGB32 pixels are the bytes blue, green, red, 255: uploaded as they are and swapped back
    // when drawn. Frames have no padding at their rows' ends; any other image goes row by row.
    if (frame.bytesPerLine() == qsizetype{frame.width()} * 4) {
        gl.glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, frame.width(), frame.height(), GL_RGBA,
                           GL_UNSIGNED_BYTE, frame.constBits());
    } else {
        for (int y = 0; y < frame.height(); ++y)
            gl.glTexSubImage2D(GL_TEXTURE_2D, 0, 0, y, frame.width(), 1, GL_RGBA, GL_UNSIGNED_BYTE,
                               frame.constScanLine(y));
    }
}

void GlFrameView::paintGL() {
    // Each paint is one refresh: the swap that follows waits for the display.
    if (++refreshesSinceFrame_ >= refreshesPerFrame_) {
        const FrameExchange::Shown shown = frames_.TakeFrame();
        if (shown.fresh && shown.image) {
            Upload(*shown.image);
            uploaded_ = shown.frameTime;
            refreshesSinceFrame_ = 0;
        }
    }
    QOpenGLFunctions& gl = *context()->functions();
    if (texture_ == 0) {
        gl.glClearColor(0, 0, 0, 1);
        gl.glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    gl.glDisable(GL_BLEND);
    const QRect viewport(QPoint(0, 0), size() * devicePixelRatio());
    blitter_->bind();
    blitter_->setRedBlueSwizzle(true);
    blitter_->blit(texture_, QOpenGLTextureBlitter::targetTransform(viewport, viewport),
                   QOpenGLTextureBlitter::OriginTopLeft);
    blitter_->release();
}

void GlFrameView::FrameSwapped() {
    if (uploaded_ && shown_)
        shown_(*uploaded_, std::chrono::steady_clock::now());
    uploaded_.reset();
    update(); // the next refresh
}

bool PresentThroughOpenGL() {
    static const bool throughOpenGL = [] {
        const QByteArray chosen = qgetenv("UMBRASCOPE_PRESENTATION");
        if (chosen == "opengl")
            return true;
        if (chosen == "raster")
            return false;
        return HardwareOpenGL();
    }();
    return throughOpenGL;
}

int RefreshesPerFrame(double refreshRate, std::chrono::milliseconds minimum) {
    const double rate = refreshRate >= 1 ? refreshRate : 60;
    const double refreshes = std::ceil(static_cast<double>(minimum.count()) * rate / 1000 - 1e-9);
    return std::max(static_cast<int>(refreshes), 1);
}

} // namespace umbrascope
