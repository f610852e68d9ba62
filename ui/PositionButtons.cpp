#include "PositionButtons.h"

#include "Glyphs.h"

#include <QEvent>
#include <QToolButton>

namespace umbrascope {

namespace {

constexpr int ButtonSize = 23;

struct Place {
    int row;
    int column;
    const char* hint; // nullptr: the button has no hint
    const char* spoken;
};

// Buttons 4 and 6 carry no hint; a screen reader still names them.
constexpr Place Places[13] = {
    {},
    {0, 0, QT_TRANSLATE_NOOP("umbrascope::PositionGrid", "Левый верхний угол"), nullptr},
    {0, 1, QT_TRANSLATE_NOOP("umbrascope::PositionGrid", "Вверху экрана"), nullptr},
    {0, 2, QT_TRANSLATE_NOOP("umbrascope::PositionGrid", "Правый верхний угол"), nullptr},
    {1, 0, nullptr, QT_TRANSLATE_NOOP("umbrascope::PositionGrid", "Слева по центру")},
    {1, 1, QT_TRANSLATE_NOOP("umbrascope::PositionGrid", "По центру"), nullptr},
    {1, 2, nullptr, QT_TRANSLATE_NOOP("umbrascope::PositionGrid", "Справа по центру")},
    {2, 0, QT_TRANSLATE_NOOP("umbrascope::PositionGrid", "Левый нижний угол"), nullptr},
    {2, 1, QT_TRANSLATE_NOOP("umbrascope::PositionGrid", "Внизу экрана"), nullptr},
    {2, 2, QT_TRANSLATE_NOOP("umbrascope::PositionGrid", "Правый нижний угол"), nullptr},
    {0, 3, QT_TRANSLATE_NOOP("umbrascope::PositionGrid", "Меняется по часовой"), nullptr},
    {1, 3, QT_TRANSLATE_NOOP("umbrascope::PositionGrid", "Меняется против часовой"), nullptr},
    {2, 3, QT_TRANSLATE_NOOP("umbrascope::PositionGrid", "Случайная"), nullptr},
};

QIcon GlyphOf(int number) {
    if (number <= 9)
        return CellGlyph(number);
    if (number == 12)
        return RandomGlyph();
    return TurnGlyph(number == 10);
}

} // namespace

PositionGrid::PositionGrid(QWidget* parent) : QWidget(parent) {
    for (int number = 1; number <= 12; ++number) {
        const Place& place = Places[number];
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("PosTextButton%1").arg(number));
        button->setCheckable(true);
        button->setIcon(GlyphOf(number));
        // The moving places stand apart from the grid.
        const int gap = place.column == 3 ? 6 : 0;
        button->setGeometry(place.column * ButtonSize + gap, place.row * ButtonSize, ButtonSize,
                            ButtonSize);
        connect(button, &QToolButton::clicked, this, [this, number] {
            PosTextButtonClick(number);
            emit Clicked(number);
        });
        Buttons[number] = button;
    }
    setFixedSize(4 * ButtonSize + 6, 3 * ButtonSize);
    RetranslateUi();
}

void PositionGrid::HideFixedPlaceHints() {
    fixedPlaceHints_ = false;
    RetranslateUi();
}

void PositionGrid::RetranslateUi() {
    for (int number = 1; number <= 12; ++number) {
        const Place& place = Places[number];
        const bool hinted = place.hint && (fixedPlaceHints_ || place.column == 3);
        Buttons[number]->setToolTip(hinted ? tr(place.hint) : QString());
        Buttons[number]->setAccessibleName(tr(place.hint ? place.hint : place.spoken));
    }
}

void PositionGrid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QWidget::changeEvent(event);
}

void PositionGrid::PosTextButtonClick(int number) {
    for (int n = 1; n <= 12; ++n)
        Buttons[n]->setChecked(n == number);
}

std::optional<int> PositionGrid::Selected() const {
    for (int n = 1; n <= 12; ++n)
        if (Buttons[n]->isChecked())
            return n;
    return std::nullopt;
}

} // namespace umbrascope
