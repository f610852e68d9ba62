#pragma once

// One application object for all widget tests of a program, with the user's folders moved into
// a private temporary folder so the tests never touch the real ones.

#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <string>

namespace umbrascope {

QApplication& TestApplication();

// The private folder that stands for the user's home during the test.
QString TestHome();

// Collects the texts of the message boxes of what it is handed to (a window, a dialog, the
// message bridge), which it must outlive.
class MessageRecorder {
public:
    MessageAnswerer Answerer();
    QStringList texts;
};

// Presses the button with this caption in the next modal dialog that shows while it lives.
class DialogAnswer {
public:
    explicit DialogAnswer(QString buttonCaption);
    ~DialogAnswer();
    DialogAnswer(const DialogAnswer&) = delete;
    DialogAnswer& operator=(const DialogAnswer&) = delete;

    // The text of the dialog answered, or "" while none has been.
    QString question;
    bool Answered() const { return answered_; }

private:
    QTimer* timer_;
    bool answered_ = false;
};

// Bytes of a file, or "" when it cannot be read.
std::string ReadBytes(const QString& path);
void WriteBytes(const QString& path, const std::string& bytes);

// Leak-checker suppressions for the libraries that keep memory until the process ends.
extern const char* const LibraryLeaks;

// Processes events until the condition holds; false when timeoutMs passes first.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

} // namespace umbrascope
