#pragma once

// TFullScreenForm: the borderless, stay-on-top window that covers the chosen screen (the
// primary one unless another is chosen) while a session plays with picture. It shows the frames
// the presentation thread hands over, in the screen's own pixels, hides the mouse cursor while
// shown, and turns any key that produces a character into a request to stop the session: a key
// in any window of the program while it is shown, since a message box that pops up during play
// takes the keyboard from it.
//
// Thread rule: user-interface thread only, except Frames(), which is thread safe.

#include "FrameExchange.h"
#include "FrameLog.h"

#include <QString>
#include <QWidget>

#include <chrono>
#include <cstdint>
#include <functional>

namespace umbrascope {

class GlFrameView;

class TFullScreenForm : public QWidget {
    Q_OBJECT

public:
    explicit TFullScreenForm(QWidget* parent = nullptr);
    ~TFullScreenForm() override;

    // The screen to show on, by name; the primary one when empty or when no screen has it.
    void SetScreenName(const QString& name) { screenName_ = name; }
    const QString& ScreenName() const { return screenName_; }

    // Places the window over the whole chosen screen and shows it. The first show settles how
    // frames reach the screen: through OpenGL, paced by the display's refresh, where the
    // platform has it (PresentThroughOpenGL), else painted as they come.
    void ShowOnChosenScreen();

    // The OpenGL picture, when frames go that way (after the first show); else null.
    GlFrameView* OpenGlView() const { return glView_; }

    // From now on every show keeps a log of the frames shown, and every hide hands it to
    // finished (which must not throw).
    void OnFrameLog(std::function<void(const FrameLog&)> finished);

    // A key asked to stop the session; the controller clears the request when a session
    // starts and looks at it on every tick.
    bool StopRequested() const { return stopRequested_; }
    void ClearStopRequest() { stopRequested_ = false; }

    // The buffers the presentation thread draws into while the window is shown.
    FrameExchange& Frames() { return frames_; }

    // False while this window keeps the cursor hidden.
    bool CursorShown() const { return cursorShown_; }

    // Whether this key press asks to stop: any key that produces a character (letters,
    // digits, space, Enter, Escape, Backspace and the like), not Shift or an arrow alone.
    static bool IsCharacterKey(const QKeyEvent& event);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormHide();
    void PlaceOnChosenScreen();
    void ChoosePresentation();
    QSize FrameSizeOnScreen() const;
    void FrameShown(std::uint32_t frameTime, std::chrono::steady_clock::time_point at);

    FrameExchange frames_;
    QString screenName_;
    std::function<void(const FrameLog&)> frameLogFinished_;
    bool loggingFrames_ = false;
    FrameLog frameLog_;
    bool presentationChosen_ = false;
    GlFrameView* glView_ = nullptr; // a child
    bool stopRequested_ = false;
    bool cursorShown_ = true;
};

} // namespace umbrascope
