// How the window ends when it is not closed by the user: on SIGTERM or SIGHUP (a logout, the
// terminal closed) and when the desktop session asks to keep the user's data. An unsaved
// document is never lost: the window asks where it may, and otherwise keeps a recovery copy
// that the next start offers to open.

#include "MainForm.h"

#include "RecoveryCopy.h"
#include "base/FileUtils.h"
#include "base/TerminalText.h"
#include "model/MediaPath.h"
#include "model/ProjectLoader.h"
#include "ui/MessageBoxes.h"
#include "ui/ShownNames.h"
#include "ui/UiText.h"

#include <QDialog>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <iostream>

namespace umbrascope {

namespace {

// How often a deferred end looks again whether the window is back in its own event loop.
constexpr int EndRetryMs = 20;

// Whether the window's thread is inside an event loop of its own (a dialog, an export's wait)
// rather than the program's: ending there would pull the window away from under it.
bool InsideNestedLoop(const QProgressDialog* exportProgress) {
    return exportProgress || QApplication::activeModalWidget() ||
           QApplication::activePopupWidget() || QThread::currentThread()->loopLevel() > 1;
}

} // namespace

void TMainForm::EndOnSignal() {
    if (ending_)
        return;
    if (InsideNestedLoop(ExportProgress)) {
        // Nobody may be there to answer: the export is cancelled (its worker joined when its
        // wait returns), the menus and dialogs close, and a save on this thread finishes
        // before this runs again.
        if (ExportProgress)
            emit ExportProgress->canceled(); // as its Отмена does: the job stops
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog != ExportProgress)
            dialog->reject();
        if (!endPending_) {
            endPending_ = true;
            QTimer::singleShot(EndRetryMs, this, [this] {
                endPending_ = false;
                EndOnSignal();
            });
        }
        return;
    }
    ending_ = true;
    if (document_.History().Modified() && !discardAgreed_)
        KeepUnsavedDocument();
    close(); // stops a session that plays
    emit Ended();
}

bool TMainForm::CommitSessionData(bool mayAsk) {
    if (!document_.History().Modified() || discardAgreed_)
        return true;
    if (!mayAsk) {
        KeepUnsavedDocument();
        return true;
    }
    bool goOn = false;
    Guarded(this, [&] { goOn = MayDiscardSession(); });
    // "Нет": the changes are not wanted, and a signal that ends the program next keeps none.
    discardAgreed_ = goOn && document_.History().Modified();
    return goOn;
}

void TMainForm::KeepUnsavedDocument() {
    try {
        KeepRecoveryCopy(document_.Contents(), document_.ProjectFileName);
    } catch (const IoError& error) {
        std::cerr << "umbrascope: the unsaved changes could not be kept: "
                  << EscapedMessage(error.what()) << '\n';
    }
}

bool TMainForm::OfferRecoveryCopy() {
    auto copy = FindRecoveryCopy();
    if (!copy)
        return false;
    const QString name = copy->projectFileName.empty()
                             ? tr("Новый проект")
                             : ShortenedName(FromModelText(copy->projectFileName));
    const bool open =
        AskYesNo(this, QApplication::applicationName(),
                 tr("Программа была завершена, когда изменения в проекте «%1» не были "
                    "сохранены. Открыть их?\n\n«Нет» — удалить сохранённую копию изменений.")
                     .arg(name),
                 true, false);
    if (!open) {
        RemoveRecoveryCopy();
        return false;
    }
    // The project as its file holds it, then the changes as one step to undo: Save writes them
    // to that file, and media are looked for beside it.
    Session saved;
    if (!copy->projectFileName.empty())
        if (ProjectLoad load = LoadProject(FileSystemPath(copy->projectFileName)); load.Opened())
            saved = std::move(load.session);
    document_.ReplaceSession(std::move(saved), copy->projectFileName);
    const auto stateError = transport_.Rewind(document_.Contents());
    openedDamaged_ = false;
    RunEditingCommand(Translatable("umbrascope::TMainForm", "Несохранённые изменения"), [&] {
        document_.SessionName = copy->session.SessionName;
        document_.SessionAuthor = copy->session.SessionAuthor;
        document_.SessionDescription = copy->session.SessionDescription;
        document_.SessionLength = copy->session.SessionLength;
        document_.StartValues = copy->session.StartValues;
        document_.Events = copy->session.Events;
    });
    RemoveRecoveryCopy(); // opened: the document holds the changes now
    SessionReplaced();
    ShowStateError(stateError);
    Refresh();
    return true;
}

} // namespace umbrascope
