#include "DialogTestSupport.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <memory>

void AnswerNextModal(std::function<void(QWidget*)> act) {
    QWidget* before = QApplication::activeModalWidget();
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, before, tries, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool arrived = modal && modal != before && modal->isVisible();
        if (!arrived && ++*tries < 500)
            return;
        timer->stop();
        timer->deleteLater();
        if (arrived)
            act(modal);
    });
    timer->start(10);
}
