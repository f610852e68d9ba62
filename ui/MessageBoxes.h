#pragma once

// The program's message boxes and its error handler. User-interface thread only.

#include <QApplication>
#include <QString>

#include <functional>

class QWidget;

namespace umbrascope {

// What stands in for the person before a window's message boxes: it receives their texts
// instead. Tests hand one to the window or dialog they drive.
using MessageAnswerer = std::function<void(const QString&)>;

// The boxes owned by window or by anything inside it go to answer from now on; an empty one
// brings the boxes back.
void AnswerMessagesOf(QWidget& window, MessageAnswerer answer);

// A modal box owned by owner (which may be null) with the application title and an OK button,
// or the text handed to the answerer of owner's window.
void ShowMessageBox(QWidget* owner, const QString& text);

// A box that stays above every window, the full-screen one included, and does not wait for
// the user, so a running clock is never held up by it.
void ShowMessageBoxWithoutWaiting(QWidget* owner, const QString& text);

// A modal question owned by owner with the buttons "Да" and "Нет"; true for "Да". The title
// and icon are the caller's; "Нет" is the default when defaultNo.
bool AskYesNo(QWidget* owner, const QString& title, const QString& text, bool questionIcon,
              bool defaultNo);

// What the exception in flight says. Call it only from a catch block.
QString CurrentExceptionText();

// The application's error handler: shows what the exception in flight says. Call it only
// from a catch block.
void ShowCurrentException(QWidget* owner) noexcept;

// Runs a handler so that no exception leaves it: a failure is shown in a message box.
template <typename Handler> void Guarded(QWidget* owner, Handler&& handler) noexcept {
    try {
        handler();
    } catch (...) {
        ShowCurrentException(owner);
    }
}

// A slot that runs owner's handler through Guarded, for connecting a signal to a member.
template <typename Owner> auto GuardedSlot(Owner* owner, void (Owner::*handler)()) {
    return [owner, handler] { Guarded(owner, [&] { (owner->*handler)(); }); };
}

// The application object: any exception that an event handler lets through is shown instead
// of ending the program.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace umbrascope
