#include "SpinField.h"

#include <QLineEdit>

#include <algorithm>

namespace umbrascope {

SpinField::SpinField(int minimum, int maximum, int value, QWidget* parent) : QSpinBox(parent) {
    setRange(minimum, maximum);
    setValue(value);
    connect(lineEdit(), &QLineEdit::textChanged, this, &SpinField::ShownTextChanged);
}

namespace {

int NumberInRange(const QString& text, int minimum, int maximum) {
    bool number = false;
    const qlonglong typed = text.trimmed().toLongLong(&number);
    if (!number)
        return minimum;
    return static_cast<int>(std::clamp<qlonglong>(typed, minimum, maximum));
}

} // namespace

int SpinField::Value() const {
    return NumberInRange(cleanText(), minimum(), maximum());
}

void SpinField::Clamp() {
    Show(Value());
}

void SpinField::Show(int value) {
    setValue(value);
    // setValue leaves a text alone that already stood for this value.
    lineEdit()->setText(textFromValue(value));
}

QValidator::State SpinField::validate(QString& text, int&) const {
    const QString digits = text.startsWith(QLatin1Char('-')) ? text.mid(1) : text;
    for (const QChar c : digits)
        if (!c.isDigit())
            return QValidator::Invalid;
    bool number = false;
    const qlonglong typed = text.toLongLong(&number);
    return number && typed >= minimum() && typed <= maximum() ? QValidator::Acceptable
                                                              : QValidator::Intermediate;
}

void SpinField::fixup(QString& text) const {
    text = textFromValue(NumberInRange(text, minimum(), maximum()));
}

void SpinField::focusOutEvent(QFocusEvent* event) {
    const int value = Value();
    QSpinBox::focusOutEvent(event);
    Show(value);
}

} // namespace umbrascope
