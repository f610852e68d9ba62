#pragma once

// The choices of a sound export from the window: the file format and the bits per sample, as
// the user last chose them (kept in the user's preferences), and the stretch of the session, the
// whole of it at first. Keeps no data of the session. User-interface thread only.

#include <QDialog>

#include <cstdint>

class QComboBox;
class QDialogButtonBox;
class QLabel;

namespace umbrascope {

class ExportRangeFields;
class Preferences;
struct SoundFileFormat;

class ExportSoundDialog : public QDialog {
    Q_OBJECT

public:
    // preferences must outlive the dialog.
    explicit ExportSoundDialog(Preferences& preferences, QWidget* parent = nullptr,
                               std::int32_t sessionLength = 0);

    const SoundFileFormat& Format() const;
    int Bits() const;
    std::int32_t From() const; // ms
    std::int32_t To() const;   // ms

    QComboBox* FormatBox = nullptr;
    QComboBox* BitsBox = nullptr;
    ExportRangeFields* Range = nullptr;
    QDialogButtonBox* Buttons = nullptr;

    // Keeps the format and the bits for the next export.
    void accept() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void RetranslateUi();

    QLabel* formatLabel_ = nullptr;
    QLabel* bitsLabel_ = nullptr;
    Preferences& preferences_;
};

} // namespace umbrascope
