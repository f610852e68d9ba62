#pragma once

// TFullScreenForm: the borderless, stay-on-top window that covers the primary screen while a
// session plays with picture. It shows the frames the presentation thread hands over, hides
// the mouse cursor while shown, and turns any key that produces a character into a request
// to stop the session (Tag 0).
//
// Thread rule: user-interface thread only, except Tag() and Frames(), which are thread safe.

#include "FrameExchange.h"

#include <QWidget>

#include <atomic>

class TFullScreenForm : public QWidget {
    Q_OBJECT

public:
    explicit TFullScreenForm(QWidget* parent = nullptr);
    ~TFullScreenForm() override;

    // Places the window over the whole primary screen and shows it.
    void ShowOnPrimaryScreen();

    // The stop request: the controller sets 1 when a session starts; a key press sets 0.
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    // The buffers the presentation thread draws into while the window is shown.
    FrameExchange& Frames() { return frames_; }

    // False while this window keeps the cursor hidden.
    bool CursorShown() const { return cursorShown_; }

    // Whether this key press asks to stop: any key that produces a character (letters,
    // digits, space, Enter, Escape, Backspace and the like), not Shift or an arrow alone.
    static bool IsCharacterKey(const QKeyEvent& event);

protected:
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
    std::atomic<int> tag_{0};
    bool cursorShown_ = true;
};
