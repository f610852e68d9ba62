#pragma once

// TFullScreenForm: the borderless, stay-on-top window that covers the primary screen while a
// session plays with picture. It shows the frames the presentation thread hands over, hides
// the mouse cursor while shown, and turns any key that produces a character into a request
// to stop the session: a key in any window of the program while it is shown, since a message
// box that pops up during play takes the keyboard from it.
//
// Thread rule: user-interface thread only, except Frames(), which is thread safe.

#include "FrameExchange.h"

#include <QWidget>

class TFullScreenForm : public QWidget {
    Q_OBJECT

public:
    explicit TFullScreenForm(QWidget* parent = nullptr);
    ~TFullScreenForm() override;

    // Places the window over the whole primary screen and shows it.
    void ShowOnPrimaryScreen();

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
    void PlaceOnPrimaryScreen();
    QSize FrameSizeOnScreen() const;

    FrameExchange frames_;
    bool stopRequested_ = false;
    bool cursorShown_ = true;
};
