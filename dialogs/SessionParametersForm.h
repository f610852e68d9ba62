#pragma once

// The session parameters dialog: the session's name, author, short description and length in
// minutes. Confirming a new length moves every event in proportion, so the events keep their
// places in the session. Writes the session header and the event times on "OK" only.
// User-interface thread only.

#include "ui/RetranslatedTexts.h"

#include <QDialog>

#include <cstdint>
#include <string>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace umbrascope {

class SessionDocument;
class SpinField;

class TSessionParametersForm : public QDialog {
    Q_OBJECT

public:
    // Edits document, which must outlive the dialog.
    explicit TSessionParametersForm(SessionDocument& document, QWidget* parent = nullptr);

    // Loads the controls from the session; runs when the dialog is shown.
    void FormShow();

    // Stores the controls into the session, rescaling the event times when the length
    // changed, and closes the dialog. A text that Windows-1251 cannot hold is refused with a
    // message, and nothing is stored.
    void OkButtonClick();

    // Says, as the length is typed, which length "OK" stores (a typed one outside 5..60
    // minutes brought into range) and that the event times will be rescaled from the old
    // length to it.
    void LongEditChange();

    QLineEdit* NameEdit = nullptr;
    QLineEdit* AuthorEdit = nullptr;
    QPlainTextEdit* DescribeMemo = nullptr;
    SpinField* LongEdit = nullptr;
    QLabel* LengthNote = nullptr;
    QPushButton* OkButton = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Tab leaves the description; Ctrl+Tab types a tab into it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RetranslateUi();

    SessionDocument& document_;
    RetranslatedTexts texts_;
    std::int32_t OldSessionLength = 0;
    // The texts as loaded, so that a text left alone is stored byte for byte as it was.
    QString loadedName_, loadedAuthor_, loadedDescription_;
};

} // namespace umbrascope
