#pragma once

// Frequency fields: fixed-point hertz with three decimals ("08.000", "0.001", "0333.000"),
// standing for an integer in thousandths of a hertz, always shown in that form and kept within
// the field's range; and the up-down arrows beside it, which step it by 0.001 Hz.
// A person types a number as written: the digits before the point fill the whole hertz from the
// right, the point (or a comma) moves to the decimals, so "6.5" gives 06.500; a pasted "6,5" or
// "6.5" is read the same way. User-interface thread only.

#include <QLineEdit>
#include <QWidget>

#include <cstdint>
#include <optional>

class QToolButton;

namespace umbrascope {

class FrequencyEdit : public QLineEdit {
    Q_OBJECT

public:
    // integerDigits before the point; minimum and maximum in thousandths of a hertz.
    FrequencyEdit(int integerDigits, int minimum, int maximum, QWidget* parent = nullptr);

    // The digits of the text with the point left out, as a decimal integer.
    int Value() const;

    // Writes n brought into range: padded on the left with "0" to the number of digits, the
    // point in its place.
    void SetValue(int n);

    // One thousandth of a hertz up or down, unless the value is already at that end.
    void Step(bool up);

    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }

    // Hertz as a person writes them ("6.5", "6,5", " 06.500 ", "12"), in thousandths of a hertz
    // rounded to the nearest; empty when the text is no such number.
    static std::optional<std::int64_t> ParseHertz(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // A number being typed: the whole hertz as typed, the three decimals, and the decimal the
    // next digit goes to (none while the whole hertz are typed).
    struct Entry {
        QString whole;
        QString decimals = QStringLiteral("000");
        std::optional<int> decimal;
        bool clearsRest = false; // after the point was typed, later decimals start at 0
    };

    Entry EntryFromText() const;
    // The entry the key continues: the one running, else one from the text and the caret.
    Entry& EntryForKey(bool digit);
    void TypeDigit(QChar digit);
    void TypePoint();
    void Erase();
    void Paste();
    void ShowEntry();
    void Show(const QString& text);
    QString Format(std::int64_t value) const;
    void TakeEditedText();

    int integerDigits_;
    int minimum_;
    int maximum_;
    std::optional<Entry> entry_;
    QString shown_;
};

// The two arrows of a frequency field.
class UpDownArrows : public QWidget {
    Q_OBJECT

public:
    UpDownArrows(FrequencyEdit* edit, QWidget* parent = nullptr);

    QToolButton* UpButton = nullptr;
    QToolButton* DownButton = nullptr;

signals:
    void Clicked(bool up);

protected:
    void changeEvent(QEvent* event) override;

private:
    void RetranslateUi();
};

} // namespace umbrascope
