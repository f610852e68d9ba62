#include "FullScreenWindow.h"

#include "EventQueueHandOver.h"
#include "GlFrameView.h"
#include "PresentationScreens.h"
#include "VideoThread.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

namespace umbrascope {

namespace {

// The presentation thread has handed a frame over.
const QEvent::Type FrameReadyEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

TFullScreenForm::TFullScreenForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    FormCreate();
}

TFullScreenForm::~TFullScreenForm() {
    FormHide();
}

void TFullScreenForm::FormCreate() {
    setWindowTitle(QStringLiteral("FullScreenForm"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    PlaceOnChosenScreen();
    cursorShown_ = true;
    // The presentation thread asks for a repaint through the event queue; the window itself
    // is never touched off its own thread. A repaint still queued when the window goes is
    // dropped with it.
    frames_.SetFrameReadyNotifier([this] { PostHandOver(this, new QEvent(FrameReadyEvent)); });
}

void TFullScreenForm::PlaceOnChosenScreen() {
    if (QScreen* screen = ScreenNamed(screenName_)) {
        setScreen(screen);
        setGeometry(screen->geometry());
    }
}

QSize TFullScreenForm::FrameSizeOnScreen() const {
    // Frames are drawn in device pixels: on a scaled desktop, the screen's own resolution.
    const QScreen* shownOn = screen();
    if (shownOn && geometry() == shownOn->geometry())
        return NativeSize(*shownOn);
    return size() * devicePixelRatio();
}

void TFullScreenForm::ChoosePresentation() {
    if (presentationChosen_)
        return;
    presentationChosen_ = true;
    if (!PresentThroughOpenGL())
        return;
    glView_ = new GlFrameView(frames_, this);
    glView_->setGeometry(rect());
    glView_->OnFrameShown(
        [this](std::uint32_t frameTime, std::chrono::steady_clock::time_point at) {
            FrameShown(frameTime, at);
        });
}

void TFullScreenForm::FrameShown(std::uint32_t frameTime,
                                 std::chrono::steady_clock::time_point at) {
    if (loggingFrames_)
        frameLog_.Record(frameTime, at);
}

void TFullScreenForm::ShowOnChosenScreen() {
    PlaceOnChosenScreen();
    ChoosePresentation();
    showFullScreen();
    raise();
    activateWindow();
}

void TFullScreenForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TFullScreenForm::hideEvent(QHideEvent* event) {
    FormHide();
    QWidget::hideEvent(event);
}

void TFullScreenForm::FormShow() {
    qApp->installEventFilter(this);
    if (cursorShown_) {
        QGuiApplication::setOverrideCursor(Qt::BlankCursor);
        cursorShown_ = false;
    }
    frames_.Open(FrameSizeOnScreen());
    const double refreshRate = screen() ? screen()->refreshRate() : 0;
    if (glView_)
        glView_->SetRefreshesPerFrame(RefreshesPerFrame(refreshRate, TVideoThread::PassPause));
    loggingFrames_ = static_cast<bool>(frameLogFinished_);
    if (loggingFrames_)
        frameLog_.Start(refreshRate);
}

void TFullScreenForm::FormHide() {
    qApp->removeEventFilter(this);
    frames_.Release();
    if (!cursorShown_) {
        QGuiApplication::restoreOverrideCursor();
        cursorShown_ = true;
    }
    if (loggingFrames_) {
        loggingFrames_ = false;
        frameLogFinished_(frameLog_);
    }
}

void TFullScreenForm::OnFrameLog(std::function<void(const FrameLog&)> finished) {
    frameLogFinished_ = std::move(finished);
}

void TFullScreenForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    frames_.Resize(FrameSizeOnScreen());
    if (glView_)
        glView_->setGeometry(rect());
}

bool TFullScreenForm::IsCharacterKey(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Escape:
    case Qt::Key_Backspace:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Space:
        return true;
    default:
        return !event.text().isEmpty();
    }
}

void TFullScreenForm::keyPressEvent(QKeyEvent* event) {
    if (IsCharacterKey(*event))
        stopRequested_ = true;
    event->accept();
}

bool TFullScreenForm::eventFilter(QObject* watched, QEvent* event) {
    AcceptHandOver(event); // the application's filters see a handed-over frame event first
    // A key taken by a shortcut arrives only as its override request.
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (key && IsCharacterKey(*static_cast<QKeyEvent*>(event)))
        stopRequested_ = true;
    return QWidget::eventFilter(watched, event);
}

bool TFullScreenForm::event(QEvent* event) {
    AcceptHandOver(event); // before anything of the event is read
    if (event->type() != FrameReadyEvent)
        return QWidget::event(event);
    if (!glView_)
        update(); // the OpenGL picture takes frames at the display's refresh by itself
    return true;
}

void TFullScreenForm::paintEvent(QPaintEvent*) {
    if (glView_)
        return; // covered by the OpenGL picture, which takes the frames
    QPainter painter(this);
    const FrameExchange::Shown shown = frames_.TakeFrame();
    if (!shown.image) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    painter.drawImage(rect(), *shown.image);
    if (shown.fresh)
        FrameShown(shown.frameTime, std::chrono::steady_clock::now());
}

} // namespace umbrascope
