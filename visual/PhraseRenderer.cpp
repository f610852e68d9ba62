#include "PhraseRenderer.h"

#include "Colors.h"
#include "PhraseFont.h"
#include "PhraseInk.h"
#include "model/Arithmetic.h"
#include "model/Cp1251.h"

#include <QFontMetrics>

#include <algorithm>
#include <array>
#include <vector>

namespace umbrascope {

namespace {

int TextWidthAt(const QString& text, const std::string& fontName, std::uint8_t fontStyle,
                int cellHeight) {
    return TextExtent(PhraseFont(fontName, fontStyle, cellHeight), text).width();
}

// Trunc(text * alpha + ground * beta) for every pair of channel values, for one transparency.
struct BlendTable {
    int transparency = -1;
    std::array<std::uint8_t, 256 * 256> mix{};

    void Prepare(int wanted) {
        if (transparency == wanted)
            return;
        const double alpha = (100 - wanted) / 100.0;
        const double beta = 1 - alpha;
        for (int text = 0; text < 256; ++text)
            for (int ground = 0; ground < 256; ++ground)
                mix[text * 256 + ground] = static_cast<std::uint8_t>(text * alpha + ground * beta);
        transparency = wanted;
    }
    int operator()(int text, int ground) const { return mix[text * 256 + ground]; }
};

const BlendTable& BlendTableFor(int transparency) {
    thread_local BlendTable table;
    table.Prepare(std::clamp(transparency, 0, 100));
    return table;
}

inline QRgb Mixed(const BlendTable& table, QRgb text, QRgb ground) {
    return qRgb(table(qRed(text), qRed(ground)), table(qGreen(text), qGreen(ground)),
                table(qBlue(text), qBlue(ground)));
}

// One colour mixed into any ground: three small tables that stay in the fastest cache.
struct ColorMix {
    std::array<std::uint8_t, 256> red{}, green{}, blue{};

    ColorMix(const BlendTable& table, QRgb color) {
        for (int ground = 0; ground < 256; ++ground) {
            red[ground] = static_cast<std::uint8_t>(table(qRed(color), ground));
            green[ground] = static_cast<std::uint8_t>(table(qGreen(color), ground));
            blue[ground] = static_cast<std::uint8_t>(table(qBlue(color), ground));
        }
    }
    QRgb operator()(QRgb ground) const {
        return qRgb(red[qRed(ground)], green[qGreen(ground)], blue[qBlue(ground)]);
    }
};

bool IsKeyPixel(QRgb pixel) {
    return qRed(pixel) == 120 || qGreen(pixel) == 120 || qBlue(pixel) == 120;
}

// The successor of a cell in a walk round the border; the centre and unknown cells have
// fixed successors.
int WalkFrom(int lastCell, bool clockwise) {
    //                                      cell: 1  2  3  4  5  6  7  8  9
    static constexpr std::array<int, 10> Clockwise{0, 2, 3, 6, 1, 1, 9, 4, 7, 8};
    static constexpr std::array<int, 10> CounterClockwise{0, 4, 1, 2, 7, 3, 3, 8, 9, 6};
    const int from = lastCell >= 1 && lastCell <= 9 ? lastCell : 1;
    return clockwise ? Clockwise[from] : CounterClockwise[from];
}

} // namespace

int FitFontHeight(const QString& text, const std::string& fontName, std::uint8_t fontStyle,
                  int referenceHeight, long double target, int ceiling) {
    ceiling = std::max(ceiling, PhraseHeightFloor);
    const int referenceWidth = TextWidthAt(text, fontName, fontStyle, referenceHeight);
    int height = ceiling;
    if (referenceWidth > 0) {
        const auto estimate = RoundHalfEven(referenceHeight * target / referenceWidth);
        height = static_cast<int>(
            std::clamp<std::int64_t>(estimate.value_or(ceiling), PhraseHeightFloor, ceiling));
    }
    while (height > PhraseHeightFloor && target < TextWidthAt(text, fontName, fontStyle, height))
        --height;
    return height;
}

std::optional<int> NextPhraseCell(std::uint8_t textPosition, int lastCell, RandomCells& cells) {
    if (textPosition >= 1 && textPosition <= 9)
        return textPosition;
    if (textPosition == 10 || textPosition == 11)
        return WalkFrom(lastCell, textPosition == 10);
    if (textPosition == 12)
        return cells.Next();
    return std::nullopt;
}

int RandomCells::Next() {
    std::lock_guard lock(mutex_);
    return std::uniform_int_distribution<int>(1, 9)(generator_);
}

RandomCells& SharedRandomCells() {
    static RandomCells cells;
    return cells;
}

QPoint PhraseBoxOrigin(int cell, QSize screen, QSize box) {
    const int column = (cell - 1) % 3, row = (cell - 1) / 3;
    const auto place = [](int part, int room, int size) {
        return part == 0 ? 0 : part == 1 ? (room - size) / 2 : room - size;
    };
    return {place(column, screen.width(), box.width()), place(row, screen.height(), box.height())};
}

QString DrawablePhrase(const QString& text, const QFont& font) {
    const QFontMetrics metrics(font);
    const QFontMetrics fallback{QFont()};
    QString drawable;
    drawable.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        // A character no font here has would show as a box: better left out.
        if (c == U' ' || metrics.inFontUcs4(c) || fallback.inFontUcs4(c))
            drawable += QString::fromUcs4(&c, 1);
    }
    return drawable;
}

void LayOutPhrase(PhraseLayout& layout, const SessionValuesInForce& values, QSize screen,
                  RandomCells& cells) {
    layout.displayText =
        DrawablePhrase(QString::fromStdString(TextLineToUtf8(
                           std::string_view(layout.PhraseText).substr(0, PhraseCharacterLimit))),
                       PhraseFont(values.FontName, values.FontStyle, 20));
    const long double target =
        static_cast<long double>(std::int64_t{values.TextWidth} * screen.width()) / 100;
    // Bounds the fitting of text that measures (almost) nothing; such a box is cut by the frame.
    const int ceiling = 4 * std::max({screen.width(), screen.height(), 1});
    const int height =
        FitFontHeight(layout.displayText, values.FontName, values.FontStyle, 20, target, ceiling);
    const QSize box =
        TextExtent(PhraseFont(values.FontName, values.FontStyle, height), layout.displayText);
    layout.PhraseFontHeight = height;
    layout.PhraseBoxWidth = box.width();
    layout.PhraseBoxHeight = box.height();
    if (const auto cell = NextPhraseCell(values.TextPosition, layout.LastCell, cells)) {
        const QPoint origin = PhraseBoxOrigin(*cell, screen, box);
        layout.PhraseX = origin.x();
        layout.PhraseY = origin.y();
        layout.LastCell = *cell;
    }
}

bool PhraseDue(const PhraseLayout& layout, const SessionValuesInForce& values,
               std::uint32_t frameTime) {
    const std::uint32_t sinceLastPhrase = frameTime - layout.PhraseStart;
    return values.TextEnabled &&
           (std::int64_t{sinceLastPhrase} > values.PhraseInterval || layout.PhraseText.empty());
}

void TakePhrase(PhraseLayout& layout, std::string text, const SessionValuesInForce& values,
                QSize screen, std::uint32_t frameTime, RandomCells& cells) {
    layout.PhraseText = std::move(text);
    LayOutPhrase(layout, values, screen, cells);
    layout.PhraseStart = frameTime;
}

void DropPhrase(PhraseLayout& layout) {
    layout.PhraseText.clear();
    layout.displayText.clear();
}

PhraseLook PhraseLookOf(const SessionValuesInForce& values, int cellHeight) {
    PhraseLook look;
    look.font = PhraseFont(values.FontName, values.FontStyle, cellHeight);
    look.textColor = ResolveColor(values.TextColor);
    look.outline = values.OutlineEnabled;
    look.outlineColor = ResolveColor(values.OutlineColor);
    look.outlineWidth = values.TextWidth == 100 ? 2 : 1;
    return look;
}

void DrawPhraseOverlay(QImage& frame, const PhraseLayout& layout,
                       const SessionValuesInForce& values, std::uint32_t frameTime, QRect clip) {
    const std::uint32_t shownFor = frameTime - layout.PhraseStart;
    if (!values.TextEnabled || layout.PhraseText.empty() ||
        std::int64_t{shownFor} > values.PhraseDuration)
        return;
    const QRect box(layout.PhraseX, layout.PhraseY, layout.PhraseBoxWidth, layout.PhraseBoxHeight);
    DrawKeyedText(frame, box, layout.displayText, PhraseLookOf(values, layout.PhraseFontHeight),
                  values.Transparency, clip);
}

void DrawKeyedText(QImage& frame, QRect box, const QString& text, const PhraseLook& look,
                   int transparency, QRect clip) {
    const QRect overlap = box.intersected(clip.isValid() ? frame.rect() & clip : frame.rect());
    if (overlap.isEmpty())
        return;
    if (frame.format() != QImage::Format_RGB32)
        frame.convertTo(QImage::Format_RGB32);
    const BlendTable& table = BlendTableFor(transparency);
    const ColorMix textMix(table, look.textColor), outlineMix(table, look.outlineColor);
    // Text or outline in a colour with a channel at 120 counts as key grey and is left out.
    const bool drawText = !IsKeyPixel(look.textColor);
    const bool drawOutline = look.outline && !IsKeyPixel(look.outlineColor);
    for (const InkRun& run :
         PhraseInkRuns(box, overlap, text, look.font, look.outline, look.outlineWidth)) {
        if (run.text ? !drawText : !drawOutline)
            continue;
        const ColorMix& mix = run.text ? textMix : outlineMix;
        auto* target =
            reinterpret_cast<QRgb*>(frame.scanLine(overlap.y() + run.y)) + overlap.x() + run.x;
        for (int i = 0; i < run.length; ++i)
            target[i] = mix(target[i]);
    }
}

void BlendKeyed(QImage& frame, const QImage& text, QPoint position, int transparency) {
    if (!frame.rect().contains(QRect(position, text.size())))
        return;
    const BlendTable& table = BlendTableFor(transparency);
    for (int y = 0; y < text.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(text.constScanLine(y));
        auto* target = reinterpret_cast<QRgb*>(frame.scanLine(position.y() + y)) + position.x();
        for (int x = 0; x < text.width(); ++x)
            if (!IsKeyPixel(source[x]))
                target[x] = Mixed(table, source[x], target[x]);
    }
}

} // namespace umbrascope
