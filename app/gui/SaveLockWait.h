#pragma once

// A save from the window while another program holds a lock on its file: after a moment a
// small modal dialog says so and offers Cancel, and the window keeps drawing while the lock is
// asked for again; what the file was written without is kept to be shown after the save.
//
// Thread rule: user-interface thread.

#include "base/WriteOptions.h"

#include <QProgressDialog>
#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

namespace umbrascope {

class SaveLockWait {
public:
    SaveLockWait(QWidget* owner, QString path);
    ~SaveLockWait();
    SaveLockWait(const SaveLockWait&) = delete;
    SaveLockWait& operator=(const SaveLockWait&) = delete;

    // For the save; valid while this lives.
    WriteOptions Options();

    // What the saved file was written without, as the window says it; empty mostly.
    QString Notices() const;

private:
    bool StillWaiting(std::chrono::milliseconds waited);

    QWidget* owner_;
    QString path_;
    std::unique_ptr<QProgressDialog> dialog_;
    std::vector<UserText> notices_;
};

} // namespace umbrascope
