#include "DialogTestSupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <map>
#include <memory>

namespace umbrascope {

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

// The access keys of captions that show together: those several captions share, and the
// captions that must have one and have none.
class AccessKeys {
public:
    void Add(const QString& caption, bool required) {
        const QKeySequence key = QKeySequence::mnemonic(caption);
        if (!key.isEmpty())
            captions_[key.toString()] << caption;
        else if (required)
            keyless_ << caption;
    }

    std::string Faults() const {
        QStringList faults;
        if (!keyless_.isEmpty())
            faults << "no key: " + keyless_.join(" / ");
        for (const auto& [key, captions] : captions_)
            if (captions.size() > 1)
                faults << key + ": " + captions.join(" / ");
        return faults.join("; ").toStdString();
    }

private:
    std::map<QString, QStringList> captions_;
    QStringList keyless_;
};

} // namespace

void TypeOver(QWidget& field, const QString& text) {
    QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&field, text);
}

std::string AccessKeyFaults(QWidget& window) {
    AccessKeys keys;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (w->window() != &window || !w->isVisibleTo(&window))
            continue;
        if (auto* button = qobject_cast<QAbstractButton*>(w); button && !button->text().isEmpty())
            keys.Add(button->text(), true);
        else if (auto* label = qobject_cast<QLabel*>(w); label && label->buddy())
            keys.Add(label->text(), false);
        else if (auto* group = qobject_cast<QGroupBox*>(w))
            keys.Add(group->title(), false);
        else if (auto* tabs = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                keys.Add(tabs->tabText(i), false);
    }
    return keys.Faults();
}

std::string AccessKeyFaults(const QList<QAction*>& items) {
    AccessKeys keys;
    for (const QAction* item : items)
        if (!item->isSeparator())
            keys.Add(item->text(), true);
    return keys.Faults();
}

void KeepUserSettingsPrivate() {
    static QTemporaryDir folder;
    static const bool kept = qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path()));
    (void)kept;
}

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

} // namespace umbrascope
