#pragma once

// A field for a time of the session in whole seconds, shown and typed as minutes and seconds
// ("12:05"; minutes beyond 59 stay minutes), with arrows that step a second. User-interface
// thread only.

#include <QSpinBox>

namespace umbrascope {

class TimeField : public QSpinBox {
    Q_OBJECT

public:
    // Seconds from minimum to maximum.
    TimeField(int minimum, int maximum, int value, QWidget* parent = nullptr);

protected:
    QString textFromValue(int seconds) const override;
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& position) const override;
};

} // namespace umbrascope
