#include "FrequencyField.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

TFrequencyEdit::TFrequencyEdit(int integerDigits, int minimum, int maximum, QWidget* parent)
    : QLineEdit(parent), integerDigits_(integerDigits), minimum_(minimum), maximum_(maximum) {
    // Unfilled digit positions show as "0", so the text is always digits and the point.
    setInputMask(QString(integerDigits, QLatin1Char('9')) + QStringLiteral(".999;0"));
    connect(this, &QLineEdit::textChanged, this, [this] { KeepInRange(); });
    SetValue(minimum);
}

int TFrequencyEdit::Value() const {
    // The text proper drops the "0" that fills a blank position; the shown text keeps it.
    QString digits = displayText();
    digits.remove(QLatin1Char('.'));
    return digits.toInt();
}

void TFrequencyEdit::SetValue(int n) {
    // A value with more digits than the field, or a sign, would be cut by the mask; it is out
    // of range anyway.
    n = std::clamp(n, minimum_, maximum_);
    QString digits = QString::number(n).rightJustified(integerDigits_ + 3, QLatin1Char('0'));
    digits.insert(integerDigits_, QLatin1Char('.'));
    setText(digits);
}

void TFrequencyEdit::Step(bool up) {
    const int value = Value();
    if (up && value < maximum_)
        SetValue(value + 1);
    else if (!up && value > minimum_)
        SetValue(value - 1);
}

void TFrequencyEdit::KeepInRange() {
    const int value = Value();
    if (value < minimum_)
        SetValue(minimum_);
    else if (value > maximum_)
        SetValue(maximum_);
}

void TFrequencyEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        Step(event->key() == Qt::Key_Up);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

TUpDown::TUpDown(TFrequencyEdit* edit, QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    const auto arrow = [&](Qt::ArrowType type, const QString& name, bool up) {
        auto* button = new QToolButton(this);
        button->setArrowType(type);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAccessibleName(name);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        connect(button, &QToolButton::clicked, this, [this, edit, up] {
            edit->Step(up);
            emit Clicked(up);
        });
        column->addWidget(button);
        return button;
    };
    UpButton = arrow(Qt::UpArrow, QStringLiteral("Увеличить частоту"), true);
    DownButton = arrow(Qt::DownArrow, QStringLiteral("Уменьшить частоту"), false);
}
