#include "MessageBoxes.h"

#include "ShownText.h"
#include "base/ExceptionText.h"

#include <QMessageBox>
#include <QPushButton>

#include <exception>
#include <iostream>

namespace umbrascope {

namespace {

MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
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

void SetMessageBoxHook(MessageBoxHook hook) {
    Hook() = std::move(hook);
}

void ShowMessageBox(QWidget* owner, const QString& text) {
    if (Hook()) {
        Hook()(text);
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
    if (Hook()) {
        Hook()(text);
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
