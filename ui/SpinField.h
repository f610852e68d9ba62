#pragma once

// A number field with arrows that keeps its value within its range: setting it brings a value
// into range, and so does leaving it, where a text that is not a number counts as the minimum.
// While the user types, any number may stand in it. User-interface thread only.

#include <QSpinBox>

namespace umbrascope {

class SpinField : public QSpinBox {
    Q_OBJECT

public:
    SpinField(int minimum, int maximum, int value, QWidget* parent = nullptr);

    // The number the text stands for, brought into range (the minimum for a text that is no
    // number), whether or not the field has been left yet.
    int Value() const;

    // Writes Value() back into the field.
    void Clamp();

signals:
    // Every change of the text, also to a number out of range (textChanged waits for one in
    // range).
    void ShownTextChanged();

protected:
    QValidator::State validate(QString& text, int& position) const override;
    void fixup(QString& text) const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Show(int value);
};

} // namespace umbrascope
