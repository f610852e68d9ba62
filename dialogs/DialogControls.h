#pragma once

// Controls that several editing dialogs build alike: labelled spin and frequency fields,
// colour squares with their buttons, picture buttons, and the lists of font styles, patterns
// and stripe directions (these two with their icons). User-interface thread only.

#include "model/Session.h"
#include "ui/RetranslatedTexts.h"

#include <QString>
#include <QVariant>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QComboBox;
class QIcon;
class QLabel;
class QPushButton;
class QToolButton;
class QWidget;

namespace umbrascope {

class ColorSwatch;
class FrequencyEdit;
class SpinField;
class UpDownArrows;

// Selects the item of box holding kept, a value last kept in the user's preferences, if there
// is one and the list still has it.
void SelectKept(QComboBox* box, const QVariant& kept);

// What an accessor of the preferences gave, as SelectKept takes it: nothing when none was kept.
template <typename T> QVariant Kept(const std::optional<T>& value) {
    return value ? QVariant::fromValue(*value) : QVariant();
}

// A label of buddy whose text follows the interface's language.
QLabel* NewLabel(RetranslatedTexts& texts, TranslatedText text, QWidget* buddy);

SpinField* NewSpin(const char* name, int minimum, int maximum, int value);

// A frequency field with integerDigits before the point, sized to its text, and its arrows.
FrequencyEdit* NewFrequency(const char* name, const char* arrowsName, int integerDigits,
                            int minimum, int maximum, UpDownArrows*& arrows);

// A button that shows only a picture; its hint (SetGlyphHint) is also its spoken name.
QToolButton* NewGlyphButton(const char* name, const QIcon& icon);
void SetGlyphHint(QToolButton* button, const QString& hint);

// A colour square and the button that picks its colour; the caption (SetColorCaption) names
// both.
std::pair<ColorSwatch*, QPushButton*> NewColorPair(const char* swatchName, BgrColor color,
                                                   const char* buttonName);
void SetColorCaption(ColorSwatch* swatch, QPushButton* button, const QString& caption);

// Runs handler with the button's swatch, guarded, whenever a colour button is clicked.
void BindColorButtons(QWidget* owner,
                      const std::vector<std::pair<QPushButton*, ColorSwatch*>>& buttons,
                      const std::function<void(ColorSwatch*)>& handler);

// The four font styles (regular, italic, bold, bold italic); the first selected. The names
// are set by RetranslateFontStyleBox; a choice is kept by its place in the list.
QComboBox* NewFontStyleBox();
void RetranslateFontStyleBox(QComboBox* box);

// The four patterns, each with its picture as the preview draws it; nothing selected. The
// names are set by RetranslateVideoTypeBox; a choice is kept by its place in the list.
QComboBox* NewVideoTypeBox();
void RetranslateVideoTypeBox(QComboBox* box);

// The four stripe directions, each with its arrow; nothing selected. The same for the names.
QComboBox* NewLinesDirectBox();
void RetranslateLinesDirectBox(QComboBox* box);

} // namespace umbrascope
