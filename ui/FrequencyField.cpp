#include "FrequencyField.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace umbrascope {

namespace {

constexpr int Decimals = 3;

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QString WithoutLeadingZeros(QString digits) {
    while (digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    return digits;
}

} // namespace

FrequencyEdit::FrequencyEdit(int integerDigits, int minimum, int maximum, QWidget* parent)
    : QLineEdit(parent), integerDigits_(integerDigits), minimum_(minimum), maximum_(maximum) {
    // Keys are read by keyPressEvent; what other edits leave (a paste from the context menu, a
    // drop) is read as a number.
    connect(this, &QLineEdit::textEdited, this, [this] { TakeEditedText(); });
    SetValue(minimum);
}

std::optional<std::int64_t> FrequencyEdit::ParseHertz(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^\\s*([0-9]*)(?:[.,]([0-9]*))?\\s*$"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch() || (match.captured(1).isEmpty() && match.captured(2).isEmpty()))
        return std::nullopt;
    const QString whole = WithoutLeadingZeros(match.captured(1));
    // Any more whole hertz lie beyond every field's range.
    if (whole.size() > 9)
        return std::numeric_limits<std::int32_t>::max();
    const QString decimals = match.captured(2);
    std::int64_t value = whole.toLongLong() * 1000 +
                         decimals.left(Decimals).leftJustified(Decimals, QLatin1Char('0')).toInt();
    if (decimals.size() > Decimals && decimals[Decimals] >= QLatin1Char('5'))
        ++value;
    return value;
}

int FrequencyEdit::Value() const {
    QString digits = text();
    digits.remove(QLatin1Char('.'));
    return digits.toInt();
}

QString FrequencyEdit::Format(std::int64_t value) const {
    value = std::clamp<std::int64_t>(value, minimum_, maximum_);
    QString digits =
        QString::number(value).rightJustified(integerDigits_ + Decimals, QLatin1Char('0'));
    digits.insert(integerDigits_, QLatin1Char('.'));
    return digits;
}

void FrequencyEdit::SetValue(int n) {
    entry_.reset();
    Show(Format(n));
}

void FrequencyEdit::Show(const QString& text) {
    shown_ = text;
    if (this->text() != text)
        setText(text);
}

void FrequencyEdit::Step(bool up) {
    const int value = Value();
    if (up && value < maximum_)
        SetValue(value + 1);
    else if (!up && value > minimum_)
        SetValue(value - 1);
}

FrequencyEdit::Entry FrequencyEdit::EntryFromText() const {
    Entry entry;
    entry.whole = WithoutLeadingZeros(text().left(integerDigits_));
    entry.decimals = text().mid(integerDigits_ + 1, Decimals);
    return entry;
}

FrequencyEdit::Entry& FrequencyEdit::EntryForKey(bool digit) {
    if (entry_)
        return *entry_;
    const int point = integerDigits_;
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    Entry entry = EntryFromText();
    if (hasSelectedText()) {
        // What is selected is replaced: selected whole hertz start anew, selected decimals are 0.
        if (start < point)
            entry.whole.clear();
        const int end = start + static_cast<int>(selectedText().size());
        for (int i = std::max(start, point + 1); i < end; ++i)
            entry.decimals[i - point - 1] = QLatin1Char('0');
    } else if (digit && start <= point) {
        entry.whole.clear(); // a digit before the point starts the whole hertz anew
    }
    if (start > point)
        entry.decimal = std::min(start - point - 1, Decimals);
    entry_ = entry;
    return *entry_;
}

void FrequencyEdit::TypeDigit(QChar digit) {
    Entry& entry = EntryForKey(true);
    if (!entry.decimal) {
        if (entry.whole.size() < integerDigits_)
            entry.whole = WithoutLeadingZeros(entry.whole + digit);
    } else if (*entry.decimal < Decimals) {
        entry.decimals[*entry.decimal] = digit;
        if (entry.clearsRest)
            for (int i = *entry.decimal + 1; i < Decimals; ++i)
                entry.decimals[i] = QLatin1Char('0');
        ++*entry.decimal;
    }
    ShowEntry();
}

void FrequencyEdit::TypePoint() {
    Entry& entry = EntryForKey(false);
    entry.decimal = 0;
    entry.clearsRest = true;
    ShowEntry();
}

void FrequencyEdit::Erase() {
    const bool selection = hasSelectedText();
    Entry& entry = EntryForKey(false);
    if (selection) {
        // The selection alone goes.
    } else if (entry.decimal && *entry.decimal > 0) {
        --*entry.decimal;
        entry.decimals[*entry.decimal] = QLatin1Char('0');
    } else if (entry.decimal) {
        entry.decimal.reset(); // back over the point to the whole hertz
    } else {
        entry.whole.chop(1);
    }
    ShowEntry();
}

void FrequencyEdit::ShowEntry() {
    const Entry& entry = *entry_;
    // What is typed may lie outside the range; the field shows the nearest bound meanwhile,
    // and the entry goes on from what was typed.
    Show(Format(entry.whole.toLongLong() * 1000 + entry.decimals.toInt()));
    setCursorPosition(entry.decimal ? integerDigits_ + 1 + *entry.decimal : integerDigits_);
}

void FrequencyEdit::Paste() {
    if (const auto value = ParseHertz(QGuiApplication::clipboard()->text())) {
        entry_.reset();
        Show(Format(*value));
    }
}

void FrequencyEdit::TakeEditedText() {
    entry_.reset();
    const QString edited = text();
    if (edited.trimmed().isEmpty())
        Show(Format(0));
    else if (const auto value = ParseHertz(edited))
        Show(Format(*value));
    else
        Show(shown_);
}

void FrequencyEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        Step(key == Qt::Key_Up);
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        Paste();
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        copy();
        if (hasSelectedText())
            Erase();
        return;
    }
    const bool plain = !(event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier));
    const QString typed = event->text();
    if (plain && (key == Qt::Key_Backspace || key == Qt::Key_Delete)) {
        if (key == Qt::Key_Backspace || hasSelectedText())
            Erase();
        return;
    }
    if (plain && typed.size() == 1 && typed[0].isPrint()) {
        if (IsDigit(typed[0]))
            TypeDigit(typed[0]);
        else if (typed[0] == QLatin1Char('.') || typed[0] == QLatin1Char(','))
            TypePoint();
        return; // no other character has a place in a frequency
    }
    entry_.reset(); // the caret moves or the field is left: the next digit starts anew
    QLineEdit::keyPressEvent(event);
}

void FrequencyEdit::mousePressEvent(QMouseEvent* event) {
    entry_.reset();
    QLineEdit::mousePressEvent(event);
}

void FrequencyEdit::focusOutEvent(QFocusEvent* event) {
    entry_.reset();
    QLineEdit::focusOutEvent(event);
}

UpDownArrows::UpDownArrows(FrequencyEdit* edit, QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    const auto arrow = [&](Qt::ArrowType type, bool up) {
        auto* button = new QToolButton(this);
        button->setArrowType(type);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        connect(button, &QToolButton::clicked, this, [this, edit, up] {
            edit->Step(up);
            emit Clicked(up);
        });
        column->addWidget(button);
        return button;
    };
    UpButton = arrow(Qt::UpArrow, true);
    DownButton = arrow(Qt::DownArrow, false);
    RetranslateUi();
}

void UpDownArrows::RetranslateUi() {
    UpButton->setAccessibleName(tr("Увеличить частоту"));
    DownButton->setAccessibleName(tr("Уменьшить частоту"));
}

void UpDownArrows::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QWidget::changeEvent(event);
}

} // namespace umbrascope
