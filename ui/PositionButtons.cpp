#include "PositionButtons.h"

#include "Glyphs.h"

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
    {0, 0, "Левый верхний угол", nullptr},
    {0, 1, "Вверху экрана", nullptr},
    {0, 2, "Правый верхний угол", nullptr},
    {1, 0, nullptr, "Слева по центру"},
    {1, 1, "По центру", nullptr},
    {1, 2, nullptr, "Справа по центру"},
    {2, 0, "Левый нижний угол", nullptr},
    {2, 1, "Внизу экрана", nullptr},
    {2, 2, "Правый нижний угол", nullptr},
    {0, 3, "Меняется по часовой", nullptr},
    {1, 3, "Меняется против часовой", nullptr},
    {2, 3, "Случайная", nullptr},
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
        if (place.hint) {
            button->setToolTip(QString::fromUtf8(place.hint));
            button->setAccessibleName(QString::fromUtf8(place.hint));
        } else {
            button->setAccessibleName(QString::fromUtf8(place.spoken));
        }
        connect(button, &QToolButton::clicked, this, [this, number] {
            PosTextButtonClick(number);
            emit Clicked(number);
        });
        Buttons[number] = button;
    }
    setFixedSize(4 * ButtonSize + 6, 3 * ButtonSize);
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
