#pragma once

// The warning shown before a session's picture plays: flashing full-screen pictures can cause
// seizures in people with photosensitive epilepsy. The user goes on ("Продолжить") or plays
// nothing ("Отмена"); "Больше не показывать" with Продолжить keeps the warning away from then
// on, in the user's preferences.
//
// Every way of playing a picture asks ConfirmPicturePlay first (a window) or prints
// PrintPhotosensitivityWarning (a command line). User-interface thread only.

#include <QDialog>

#include <ostream>

class QCheckBox;
class QLabel;
class QPushButton;

namespace umbrascope {

class Preferences;

class PhotosensitivityWarning : public QDialog {
    Q_OBJECT

public:
    explicit PhotosensitivityWarning(QWidget* parent = nullptr);

    QLabel* WarningLabel = nullptr;
    QCheckBox* DontShowAgainBox = nullptr;
    QPushButton* ContinueButton = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    void changeEvent(QEvent* event) override;

private:
    void RetranslateUi();
};

// The warning's text (UTF-8), the same in the window and on the command line.
extern const char* const PhotosensitivityWarningText;

// True when the picture may play: the user went on, now or once and for all. Shows the
// warning modally over owner unless the user chose not to see it again (in preferences).
bool ConfirmPicturePlay(QWidget* owner, Preferences& preferences);

// The warning for a play started from the command line, where nobody may be there to answer.
void PrintPhotosensitivityWarning(std::ostream& out);

} // namespace umbrascope
