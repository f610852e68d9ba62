#pragma once

// Frequency fields: a masked text of fixed-point hertz with three decimals ("99.999",
// "9.999", "9999.999"), standing for an integer in thousandths of a hertz, kept within its
// range on every change of the text, typed, stepped or written; and the up-down arrows beside
// it, which step it by 0.001 Hz. User-interface thread only.

#include <QLineEdit>
#include <QWidget>

class QToolButton;

class TFrequencyEdit : public QLineEdit {
    Q_OBJECT

public:
    // integerDigits before the point; minimum and maximum in thousandths of a hertz.
    TFrequencyEdit(int integerDigits, int minimum, int maximum, QWidget* parent = nullptr);

    // The digits of the text with the point left out, as a decimal integer.
    int Value() const;

    // Writes n brought into range: padded on the left with "0" to the number of digits, the
    // point in its place.
    void SetValue(int n);

    // One thousandth of a hertz up or down, unless the value is already at that end.
    void Step(bool up);

    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void KeepInRange();

    int integerDigits_;
    int minimum_;
    int maximum_;
};

// The two arrows of a frequency field.
class TUpDown : public QWidget {
    Q_OBJECT

public:
    TUpDown(TFrequencyEdit* edit, QWidget* parent = nullptr);

    QToolButton* UpButton = nullptr;
    QToolButton* DownButton = nullptr;

signals:
    void Clicked(bool up);
};
