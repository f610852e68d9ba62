#pragma once

// The choices of a video export from the window: the frame size (720p, 1080p, 4K) and the
// frames per second, as the user last chose them (kept in the user's preferences), and the
// stretch of the session, the whole of it at first. Keeps no data of the session.
// User-interface thread only.

#include <QDialog>
#include <QSize>

#include <cstdint>

class QComboBox;
class QDialogButtonBox;
class QLabel;

namespace umbrascope {

class ExportRangeFields;
class Preferences;

class ExportVideoDialog : public QDialog {
    Q_OBJECT

public:
    // preferences must outlive the dialog.
    explicit ExportVideoDialog(Preferences& preferences, QWidget* parent = nullptr,
                               std::int32_t sessionLength = 0);

    QSize FrameSize() const;
    int FramesPerSecond() const;
    std::int32_t From() const; // ms
    std::int32_t To() const;   // ms

    QComboBox* SizeBox = nullptr;
    QComboBox* RateBox = nullptr;
    ExportRangeFields* Range = nullptr;
    QDialogButtonBox* Buttons = nullptr;

    // Keeps the choices for the next export.
    void accept() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void RetranslateUi();

    QLabel* sizeLabel_ = nullptr;
    QLabel* rateLabel_ = nullptr;
    QLabel* note_ = nullptr;
    Preferences& preferences_;
};

} // namespace umbrascope
