#pragma once

// The phrase renderer: fits a phrase to its share of the screen width, places it in one of
// the 3 x 3 screen cells, and blends it into finished frames while its display time lasts.
//
// Thread rule: LayOutPhrase and DrawPhraseOverlay run on the thread that owns the layout
// (the presentation thread, or the user-interface thread for a snapshot or the preview).

#include "model/Session.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QRgb>
#include <QString>

#include <cstdint>
#include <mutex>
#include <optional>
#include <random>
#include <string>

namespace umbrascope {

// Text is drawn on a ground of this grey; a pixel with any one channel at 120 counts as ground.
constexpr QRgb KeyGrey = 0xFF787878;

// The smallest cell height the fitting gives; a phrase too wide even at this height keeps it.
constexpr int PhraseHeightFloor = 1;

// A phrase is drawn by its first characters only: more cannot be read on any screen, and
// shaping a line of a megabyte in every frame would stall the presentation.
constexpr int PhraseCharacterLimit = 1000;

// The current phrase and where it stands.
struct PhraseLayout {
    std::string PhraseText;        // as read from the file (UTF-8 or Windows-1251), not trimmed
    std::uint32_t PhraseStart = 0; // frame time of the pass that laid it out
    std::int32_t PhraseFontHeight = 0;
    std::int32_t PhraseBoxWidth = 0;
    std::int32_t PhraseBoxHeight = 0;
    std::int32_t PhraseX = 0;
    std::int32_t PhraseY = 0;
    int LastCell = 1;    // cell of the previous phrase
    QString displayText; // PhraseText in Unicode, cut to PhraseCharacterLimit bytes, without
                         // the characters no font can draw
};

// Random cells for TextPosition 12, from a generator that starts the same every time: live
// play shares one across the sessions of a run, an export has its own, so two exports of a
// session place their phrases alike. Thread safe.
class RandomCells {
public:
    int Next(); // 1..9

private:
    std::mutex mutex_;
    std::minstd_rand generator_; // default seed
};

// The generator live play uses.
RandomCells& SharedRandomCells();

// The characters of text that font, or the application's font standing in for it, can draw.
QString DrawablePhrase(const QString& text, const QFont& font);

// Sets the font height, the box and the cell of layout.PhraseText for a screen of this size.
void LayOutPhrase(PhraseLayout& layout, const SessionValuesInForce& values, QSize screen,
                  RandomCells& cells = SharedRandomCells());

// Whether a pass at frameTime takes the next phrase: text is on and the interval since the
// current phrase began has passed, or there is no phrase yet.
bool PhraseDue(const PhraseLayout& layout, const SessionValuesInForce& values,
               std::uint32_t frameTime);

// Makes text the current phrase, laid out for the screen and shown from frameTime.
void TakePhrase(PhraseLayout& layout, std::string text, const SessionValuesInForce& values,
                QSize screen, std::uint32_t frameTime, RandomCells& cells = SharedRandomCells());

// Forgets the current phrase (its phrase file went away).
void DropPhrase(PhraseLayout& layout);

// Draws the phrase into the finished frame (made Format_RGB32 if it is not) while frameTime lies
// within PhraseDuration ms of PhraseStart, with text on and a phrase present. A valid clip limits
// the drawing to its pixels, which then are the same as without it.
void DrawPhraseOverlay(QImage& frame, const PhraseLayout& layout,
                       const SessionValuesInForce& values, std::uint32_t frameTime,
                       QRect clip = QRect());

// The cell height at which text fills target pixels: Round(referenceHeight * target / width at
// referenceHeight), then one pixel less while the text is wider than target, never below
// PhraseHeightFloor and never above ceiling (text that measures 0 wide gets the ceiling).
int FitFontHeight(const QString& text, const std::string& fontName, std::uint8_t fontStyle,
                  int referenceHeight, long double target, int ceiling);

// The cell for the next phrase: TextPosition 1..9 that cell, 10 clockwise and 11
// counter-clockwise round the border from lastCell, 12 a random cell. Empty for any other
// TextPosition (the phrase stays where the previous one was).
std::optional<int> NextPhraseCell(std::uint8_t textPosition, int lastCell,
                                  RandomCells& cells = SharedRandomCells());

// Top-left corner of a box of this size in the cell (1..9) of the screen.
QPoint PhraseBoxOrigin(int cell, QSize screen, QSize box);

// How a phrase or the preview's label looks.
struct PhraseLook {
    QFont font;
    QRgb textColor = 0;
    bool outline = false;
    QRgb outlineColor = 0;
    int outlineWidth = 1;
};

PhraseLook PhraseLookOf(const SessionValuesInForce& values, int cellHeight);

// Draws text at the top-left of box on a KeyGrey ground and blends it into frame with the
// transparency (0..100; more counts as 100), only where box overlaps the frame (made
// Format_RGB32 if it is not) and a valid clip. Glyph
// outlines are filled unsmoothed; an outline two pixels wide covers the glyphs' edge pixels inside
// and out, one pixel wide the pixels just outside, as a pen of that width stroked along the
// outlines.
void DrawKeyedText(QImage& frame, QRect box, const QString& text, const PhraseLook& look,
                   int transparency, QRect clip = QRect());

// Blends the text image into frame at position: pixels with a channel at 120 are left out,
// the others become Trunc(text * alpha + frame * (1 - alpha)) per channel, alpha being
// (100 - transparency) / 100. Both images Format_RGB32; nothing happens unless text lies
// wholly inside the frame.
void BlendKeyed(QImage& frame, const QImage& text, QPoint position, int transparency);

} // namespace umbrascope
