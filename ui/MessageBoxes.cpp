#include "MessageBoxes.h"

#include "ShownText.h"
#include "base/ExceptionText.h"

#include <QMessageBox>
#include <QPushButton>

#include <exception>
#include <iostream>

namespace umbrascope {

namespace {

// Kept as a child of the window it answers for, so it goes with it.
class AnswererOfWindow : public QObject {
public:
    AnswererOfWindow(QWidget& window, MessageAnswerer answer)
        : QObject(&window), answer_(std::move(answer)) {}
    const MessageAnswerer& Answer() const { return answer_; }

private:
    MessageAnswerer answer_;
};

AnswererOfWindow* DirectAnswerer(const QObject& object) {
    for (QObject* child : object.children())
        if (auto* answerer = dynamic_cast<AnswererOfWindow*>(child))
            return answerer;
    return nullptr;
}

// The answerer of owner or of the nearest window it lies in; empty when a person answers. A
// copy, so that an answer may hand the window another answerer.
MessageAnswerer AnswererFor(const QObject* owner) {
    for (; owner; owner = owner->parent())
        if (const AnswererOfWindow* answerer = DirectAnswerer(*owner))
            return answerer->Answer();
    return {};
}

QMessageBox* NewBox(QWidget* owner, const QString& text) {
    auto* box = new QMessageBox(QMessageBox::NoIcon, QApplication::applicationName(), text,
                                QMessageBox::Ok, owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Never hidden under the full-screen window of a playing session.
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    return box;
}

} // namespace

QString CurrentExceptionText() {
    return ShownText(CurrentExceptionUserText());
}

void AnswerMessagesOf(QWidget& window, MessageAnswerer answer) {
    delete DirectAnswerer(window);
    if (answer)
        new AnswererOfWindow(window, std::move(answer));
}

void ShowMessageBox(QWidget* owner, const QString& text) {
    if (const MessageAnswerer answer = AnswererFor(owner)) {
        answer(text);
        return;
    }
    NewBox(owner, text)->exec();
}

bool AskYesNo(QWidget* owner, const QString& title, const QString& text, bool questionIcon,
              bool defaultNo) {
    QMessageBox box(questionIcon ? QMessageBox::Question : QMessageBox::NoIcon, title, text,
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.button(QMessageBox::Yes)
        ->setText(QCoreApplication::translate("umbrascope::MessageBoxes", "&Да"));
    box.button(QMessageBox::No)
        ->setText(QCoreApplication::translate("umbrascope::MessageBoxes", "&Нет"));
    box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void ShowMessageBoxWithoutWaiting(QWidget* owner, const QString& text) {
    if (const MessageAnswerer answer = AnswererFor(owner)) {
        answer(text);
        return;
    }
    QMessageBox* box = NewBox(owner, text);
    box->setWindowModality(Qt::NonModal);
    box->show();
    box->raise();
}

void ShowCurrentException(QWidget* owner) noexcept {
    try {
        ShowMessageBox(owner, CurrentExceptionText());
    } catch (...) {
        // Nothing is left to show the failure with; standard error is the last resort.
        std::cerr << "umbrascope: a failure could not be shown\n";
    }
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowCurrentException(activeWindow());
        return false;
    }
}

} // namespace umbrascope
