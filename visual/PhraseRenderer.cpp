#include "PhraseRenderer.h"

#include "Colors.h"
#include "PhraseFont.h"
#include "model/Arithmetic.h"
#include "model/Cp1251.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <mutex>
#include <random>

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

// Where the glyphs of text, drawn with its top-left at origin, cover area (both in frame
// coordinates): non-zero bytes, one per pixel. Each glyph outline that reaches the area is
// filled without smoothing, so a pixel is either text or ground.
QImage GlyphMask(QRect area, QPoint origin, const QString& text, const QFont& font) {
    QImage mask(area.size(), QImage::Format_Alpha8);
    mask.fill(0);
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setLineWidth(1e7);
    layout.endLayout();
    QPainter painter(&mask);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 255));
    const QPointF offset = origin - area.topLeft();
    const QRectF bounds(0, 0, area.width(), area.height());
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QRawFont glyphFont = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i) {
            const QPointF at = positions[i] + offset;
            if (glyphFont.boundingRect(glyphs[i]).translated(at).intersects(bounds))
                painter.drawPath(glyphFont.pathForGlyph(glyphs[i]).translated(at));
        }
    }
    return mask;
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

std::optional<int> NextPhraseCell(std::uint8_t textPosition, int lastCell) {
    if (textPosition >= 1 && textPosition <= 9)
        return textPosition;
    if (textPosition == 10 || textPosition == 11)
        return WalkFrom(lastCell, textPosition == 10);
    if (textPosition == 12)
        return RandomPhraseCell();
    return std::nullopt;
}

int RandomPhraseCell() {
    static std::mutex generatorMutex;
    static std::minstd_rand generator; // default seed: the same cells in every run
    std::lock_guard lock(generatorMutex);
    return std::uniform_int_distribution<int>(1, 9)(generator);
}

QPoint PhraseBoxOrigin(int cell, QSize screen, QSize box) {
    const int column = (cell - 1) % 3, row = (cell - 1) / 3;
    const auto place = [](int part, int room, int size) {
        return part == 0 ? 0 : part == 1 ? (room - size) / 2 : room - size;
    };
    return {place(column, screen.width(), box.width()), place(row, screen.height(), box.height())};
}

void LayOutPhrase(TPhraseLayout& layout, const TCurrentValues& values, QSize screen) {
    layout.DisplayText = QString::fromStdString(
        Cp1251ToUtf8(std::string_view(layout.PhraseText).substr(0, PhraseCharacterLimit)));
    const long double target =
        static_cast<long double>(std::int64_t{values.TextWidth} * screen.width()) / 100;
    // Bounds the fitting of text that measures (almost) nothing; such a box is cut by the frame.
    const int ceiling = 4 * std::max({screen.width(), screen.height(), 1});
    const int height =
        FitFontHeight(layout.DisplayText, values.FontName, values.FontStyle, 20, target, ceiling);
    const QSize box =
        TextExtent(PhraseFont(values.FontName, values.FontStyle, height), layout.DisplayText);
    layout.PhraseFontHeight = height;
    layout.PhraseBoxWidth = box.width();
    layout.PhraseBoxHeight = box.height();
    if (const auto cell = NextPhraseCell(values.TextPosition, layout.LastCell)) {
        const QPoint origin = PhraseBoxOrigin(*cell, screen, box);
        layout.PhraseX = origin.x();
        layout.PhraseY = origin.y();
        layout.LastCell = *cell;
    }
}

PhraseLook PhraseLookOf(const TCurrentValues& values, int cellHeight) {
    PhraseLook look;
    look.font = PhraseFont(values.FontName, values.FontStyle, cellHeight);
    look.textColor = ResolveColor(values.TextColor);
    look.outline = values.OutlineEnabled;
    look.outlineColor = ResolveColor(values.OutlineColor);
    look.outlineWidth = values.TextWidth == 100 ? 2 : 1;
    return look;
}

void DrawPhraseOverlay(QImage& frame, const TPhraseLayout& layout, const TCurrentValues& values,
                       std::uint32_t frameTime) {
    const std::uint32_t shownFor = frameTime - layout.PhraseStart;
    if (!values.TextEnabled || layout.PhraseText.empty() ||
        std::int64_t{shownFor} > values.PhraseDuration)
        return;
    const QRect box(layout.PhraseX, layout.PhraseY, layout.PhraseBoxWidth, layout.PhraseBoxHeight);
    DrawKeyedText(frame, box, layout.DisplayText, PhraseLookOf(values, layout.PhraseFontHeight),
                  values.Transparency);
}

void DrawKeyedText(QImage& frame, QRect box, const QString& text, const PhraseLook& look,
                   int transparency) {
    const QRect overlap = box.intersected(frame.rect());
    if (overlap.isEmpty())
        return;
    if (frame.format() != QImage::Format_RGB32)
        frame.convertTo(QImage::Format_RGB32);
    // One pixel of margin, so that the outline can look at every neighbour of the overlap.
    const QImage mask = GlyphMask(overlap.adjusted(-1, -1, 1, 1), box.topLeft(), text, look.font);
    QImage textImage(overlap.size(), QImage::Format_RGB32);
    for (int y = 0; y < textImage.height(); ++y) {
        const uchar* rows[3] = {mask.constScanLine(y), mask.constScanLine(y + 1),
                                mask.constScanLine(y + 2)};
        auto* target = reinterpret_cast<QRgb*>(textImage.scanLine(y));
        for (int x = 0; x < textImage.width(); ++x) {
            const bool glyph = rows[1][x + 1] != 0;
            if (!look.outline) {
                target[x] = glyph ? look.textColor : KeyGrey;
                continue;
            }
            int covered = 0;
            for (const uchar* row : rows)
                covered += (row[x] != 0) + (row[x + 1] != 0) + (row[x + 2] != 0);
            // A pen two pixels wide lies on both sides of the glyph's edge, a thinner one outside
            // it.
            const bool filled = look.outlineWidth >= 2 ? covered == 9 : glyph;
            target[x] = filled ? look.textColor : covered > 0 ? look.outlineColor : KeyGrey;
        }
    }
    BlendKeyed(frame, textImage, overlap.topLeft(), transparency);
}

void BlendKeyed(QImage& frame, const QImage& text, QPoint position, int transparency) {
    if (!frame.rect().contains(QRect(position, text.size())))
        return;
    thread_local BlendTable table;
    table.Prepare(std::clamp(transparency, 0, 100));
    for (int y = 0; y < text.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(text.constScanLine(y));
        auto* target = reinterpret_cast<QRgb*>(frame.scanLine(position.y() + y)) + position.x();
        for (int x = 0; x < text.width(); ++x) {
            const QRgb pixel = source[x];
            if (IsKeyPixel(pixel))
                continue;
            const QRgb ground = target[x];
            target[x] = qRgb(table(qRed(pixel), qRed(ground)), table(qGreen(pixel), qGreen(ground)),
                             table(qBlue(pixel), qBlue(ground)));
        }
    }
}
