#include "FullScreenWindow.h"

#include "EventQueueHandOver.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

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
    PlaceOnPrimaryScreen();
    cursorShown_ = true;
    // The presentation thread asks for a repaint through the event queue; the window itself
    // is never touched off its own thread. A repaint still queued when the window goes is
    // dropped with it.
    frames_.SetFrameReadyNotifier([this] { PostHandOver(this, new QEvent(FrameReadyEvent)); });
}

void TFullScreenForm::PlaceOnPrimaryScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());
}

QSize TFullScreenForm::FrameSizeOnScreen() const {
    return size() * devicePixelRatio(); // frames are drawn in device pixels
}

void TFullScreenForm::ShowOnPrimaryScreen() {
    PlaceOnPrimaryScreen();
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
}

void TFullScreenForm::FormHide() {
    qApp->removeEventFilter(this);
    frames_.Release();
    if (!cursorShown_) {
        QGuiApplication::restoreOverrideCursor();
        cursorShown_ = true;
    }
}

void TFullScreenForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    frames_.Resize(FrameSizeOnScreen());
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
    update();
    return true;
}

void TFullScreenForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (const QImage* frame = frames_.TakeFrame())
        painter.drawImage(rect(), *frame);
    else
        painter.fillRect(rect(), palette().window());
}
