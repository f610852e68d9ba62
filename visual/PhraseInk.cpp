#include "PhraseInk.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QTextLayout>

#include <array>
#include <cstdint>
#include <cstring>

namespace umbrascope {

namespace {

// Where the glyphs of text, drawn with its top-left at origin, cover area (both in frame
// coordinates): 255 for ink, 0 for ground. Each glyph outline that reaches the area is filled
// without smoothing.
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

std::uint64_t LoadEight(const std::uint8_t* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// counts[x]: how many of the mask pixels x, x + 1 and x + 2 of this row are ink. Eight at a
// time: each byte of the sum stays below 4, so no byte carries into the next.
void CountAcross(const uchar* maskRow, int width, std::uint8_t* counts) {
    constexpr std::uint64_t LowBits = 0x0101010101010101;
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        const std::uint64_t sum = (LoadEight(maskRow + x) >> 7 & LowBits) +
                                  (LoadEight(maskRow + x + 1) >> 7 & LowBits) +
                                  (LoadEight(maskRow + x + 2) >> 7 & LowBits);
        std::memcpy(counts + x, &sum, sizeof sum);
    }
    for (; x < width; ++x)
        counts[x] = static_cast<std::uint8_t>((maskRow[x] >> 7) + (maskRow[x + 1] >> 7) +
                                              (maskRow[x + 2] >> 7));
}

enum class Ink { None, Text, Outline };

constexpr std::uint64_t AllNine = 0x0909090909090909;
constexpr std::uint64_t AllInk = 0xFFFFFFFFFFFFFFFF;

// Collects the runs of one row, pixel by pixel from left to right.
class RowRuns {
public:
    RowRuns(std::vector<InkRun>& runs, int y) : runs_(runs), y_(y) {}
    void Add(int x, Ink ink, int count = 1) {
        if (ink != ink_ || x != end_) {
            Close();
            ink_ = ink;
            start_ = x;
        }
        end_ = x + count;
    }
    void Close() {
        if (ink_ != Ink::None && end_ > start_)
            runs_.push_back({y_, start_, end_ - start_, ink_ == Ink::Text});
        ink_ = Ink::None;
    }

private:
    std::vector<InkRun>& runs_;
    int y_;
    Ink ink_ = Ink::None;
    int start_ = 0;
    int end_ = 0;
};

// The mask has one pixel of margin round the traced area, so every neighbour can be seen.
std::vector<InkRun> TraceInk(const QImage& mask, QSize area, bool outline, int outlineWidth) {
    std::vector<InkRun> runs;
    const int width = area.width();
    std::vector<std::uint8_t> counts(3 * static_cast<std::size_t>(width));
    const auto countsOfMaskRow = [&](int row) {
        return counts.data() + static_cast<std::size_t>(row % 3) * width;
    };
    CountAcross(mask.constScanLine(0), width, countsOfMaskRow(0));
    CountAcross(mask.constScanLine(1), width, countsOfMaskRow(1));
    for (int y = 0; y < area.height(); ++y) {
        const uchar* own = mask.constScanLine(y + 1) + 1;
        CountAcross(mask.constScanLine(y + 2), width, countsOfMaskRow(y + 2));
        const std::uint8_t* above = countsOfMaskRow(y);
        const std::uint8_t* middle = countsOfMaskRow(y + 1);
        const std::uint8_t* below = countsOfMaskRow(y + 2);
        RowRuns row(runs, y);
        for (int x = 0; x < width; ++x) {
            // Eight pixels at once where they are all ground or all inside the glyphs (at most
            // 9 a byte: no carries).
            if (x + 8 <= width) {
                const std::uint64_t around =
                    LoadEight(above + x) + LoadEight(middle + x) + LoadEight(below + x);
                const bool allInside =
                    outline && outlineWidth >= 2 ? around == AllNine : LoadEight(own + x) == AllInk;
                if (around == 0 || allInside) {
                    if (allInside)
                        row.Add(x, Ink::Text, 8);
                    x += 7;
                    continue;
                }
            }
            const int covered = above[x] + middle[x] + below[x];
            if (!outline) {
                if (own[x] != 0)
                    row.Add(x, Ink::Text);
                continue;
            }
            if (covered == 0)
                continue;
            // A pen two pixels wide lies on both sides of the glyph's edge, a thinner one outside
            // it.
            const bool filled = outlineWidth >= 2 ? covered == 9 : own[x] != 0;
            row.Add(x, filled ? Ink::Text : Ink::Outline);
        }
        row.Close();
    }
    return runs;
}

struct TracedPhrase {
    bool valid = false;
    QRect box;
    QRect area;
    QString text;
    QString fontKey;
    bool outline = false;
    int outlineWidth = 0;
    std::vector<InkRun> runs;

    bool Matches(QRect otherBox, QRect otherArea, const QString& otherText,
                 const QString& otherFontKey, bool otherOutline, int otherWidth) const {
        return valid && box == otherBox && area == otherArea && outline == otherOutline &&
               outlineWidth == otherWidth && fontKey == otherFontKey && text == otherText;
    }
};

// A thread keeps the last few traced areas: the threads that draw a frame in bands take the
// bands in no fixed order, so each comes to hold the parts of the phrase of several bands.
struct TracedPhrases {
    std::array<TracedPhrase, 4> kept;
    std::size_t next = 0;
};

} // namespace

const std::vector<InkRun>& PhraseInkRuns(QRect box, QRect area, const QString& text,
                                         const QFont& font, bool outline, int outlineWidth) {
    thread_local TracedPhrases traced;
    const QString fontKey = font.key();
    for (const TracedPhrase& phrase : traced.kept)
        if (phrase.Matches(box, area, text, fontKey, outline, outlineWidth))
            return phrase.runs;
    TracedPhrase& last = traced.kept[traced.next];
    traced.next = (traced.next + 1) % traced.kept.size();
    last.valid = false;
    last.runs = area.isEmpty()
                    ? std::vector<InkRun>()
                    : TraceInk(GlyphMask(area.adjusted(-1, -1, 1, 1), box.topLeft(), text, font),
                               area.size(), outline, outlineWidth);
    last.box = box;
    last.area = area;
    last.text = text;
    last.fontKey = fontKey;
    last.outline = outline;
    last.outlineWidth = outlineWidth;
    last.valid = true;
    return last.runs;
}

} // namespace umbrascope
