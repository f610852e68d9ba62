#include "TimeField.h"

#include <QRegularExpression>

#include <optional>

namespace umbrascope {

namespace {

// "m:ss" (seconds below 60) as seconds; nothing for another text.
std::optional<qlonglong> Seconds(const QString& text) {
    const QRegularExpression shape(QStringLiteral("^\\s*(\\d{1,6}):(\\d{1,2})\\s*$"));
    const QRegularExpressionMatch match = shape.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const qlonglong seconds = match.captured(2).toLongLong();
    if (seconds >= 60)
        return std::nullopt;
    return match.captured(1).toLongLong() * 60 + seconds;
}

} // namespace

TimeField::TimeField(int minimum, int maximum, int value, QWidget* parent) : QSpinBox(parent) {
    setRange(minimum, maximum);
    setValue(value);
}

QString TimeField::textFromValue(int seconds) const {
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

int TimeField::valueFromText(const QString& text) const {
    return static_cast<int>(Seconds(text).value_or(minimum()));
}

QValidator::State TimeField::validate(QString& text, int&) const {
    const QRegularExpression typing(QStringLiteral("^\\s*\\d{0,6}:?\\d{0,2}\\s*$"));
    if (!typing.match(text).hasMatch())
        return QValidator::Invalid;
    const auto seconds = Seconds(text);
    return seconds && *seconds >= minimum() && *seconds <= maximum() ? QValidator::Acceptable
                                                                     : QValidator::Intermediate;
}

} // namespace umbrascope
