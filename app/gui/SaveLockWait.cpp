#include "SaveLockWait.h"

#include "ui/ShownText.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStringList>

namespace umbrascope {

namespace {

// Shorter waits are other saves of the program taking their turn: nothing to show.
constexpr std::chrono::milliseconds ShowAfter{300};

} // namespace

SaveLockWait::SaveLockWait(QWidget* owner, QString path) : owner_(owner), path_(std::move(path)) {}

SaveLockWait::~SaveLockWait() = default;

WriteOptions SaveLockWait::Options() {
    WriteOptions options;
    options.whileLocked = [this](std::chrono::milliseconds waited) { return StillWaiting(waited); };
    options.notice = [this](const UserText& notice) { notices_.push_back(notice); };
    return options;
}

bool SaveLockWait::StillWaiting(std::chrono::milliseconds waited) {
    if (!dialog_ && waited >= ShowAfter) {
        dialog_ = std::make_unique<QProgressDialog>(
            QCoreApplication::translate(
                "umbrascope::SaveLockWait",
                "Файл %1 занят другой программой. Проект будет записан, как только она его "
                "освободит.")
                .arg(path_),
            QCoreApplication::translate("umbrascope::SaveLockWait", "&Отмена"), 0, 0, owner_);
        dialog_->setObjectName(QStringLiteral("SaveLockWait"));
        dialog_->setWindowTitle(QApplication::applicationName());
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setMinimumDuration(0);
        dialog_->show();
    }
    // Until the dialog blocks the window, the user's input waits: a second save must not start
    // inside this one.
    QCoreApplication::processEvents(
        dialog_ ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents, 40);
    return !dialog_ || !dialog_->wasCanceled();
}

QString SaveLockWait::Notices() const {
    QStringList lines;
    for (const UserText& notice : notices_)
        lines << ShownText(notice);
    return lines.join(QLatin1Char('\n'));
}

} // namespace umbrascope
