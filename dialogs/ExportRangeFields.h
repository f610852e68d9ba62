#pragma once

// The stretch of the session an export covers, as the export dialogs ask for it: from «С» to
// «По» in minutes and seconds, the whole session at first. The end at its largest stands for
// the session's end to the millisecond. User-interface thread only.

#include <QObject>

#include <cstdint>

class QFormLayout;
class QLabel;
class QWidget;

namespace umbrascope {

class TimeField;

class ExportRangeFields : public QObject {
    Q_OBJECT

public:
    // Adds its rows to form, in a dialog that is their parent.
    ExportRangeFields(QWidget* dialog, QFormLayout* form, std::int32_t sessionLength);

    std::int32_t From() const; // ms
    std::int32_t To() const;   // ms
    // The end lies after the start.
    bool Valid() const { return From() < To(); }

    void Retranslate();

    TimeField* FromField = nullptr;
    TimeField* ToField = nullptr;

signals:
    void Changed();

private:
    void ShowWhetherValid();

    std::int32_t sessionLength_;
    QLabel* fromLabel_ = nullptr;
    QLabel* toLabel_ = nullptr;
    QLabel* fault_ = nullptr;
};

} // namespace umbrascope
