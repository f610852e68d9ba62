#include "DialogTestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace {

// An answer that failed to close its window must not leave the test waiting for ever.
void CloseIfStillOpen(QWidget* modal) {
    QTimer::singleShot(5000, [window = QPointer<QWidget>(modal)] {
        if (auto* dialog = qobject_cast<QDialog*>(window.data()); dialog && dialog->isVisible()) {
            ADD_FAILURE() << "a modal window was left open";
            dialog->reject();
        }
    });
}

} // namespace

void AnswerNextModal(std::function<void(QWidget*)> act) {
    QWidget* before = QApplication::activeModalWidget();
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, before, tries, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool arrived = modal && modal != before && modal->isVisible();
        if (!arrived && ++*tries < 3000)
            return;
        timer->stop();
        timer->deleteLater();
        if (!arrived)
            return;
        act(modal);
        CloseIfStillOpen(modal);
    });
    timer->start(10);
}

void AcceptFileDialog(QWidget* modal, const QString& path) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    // selectFile leaves the name field alone while it has the focus; the name typed decides.
    if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        name->setText(path);
    else
        dialog->selectFile(path);
    QMetaObject::invokeMethod(dialog, "accept");
}
