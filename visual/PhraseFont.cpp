#include "PhraseFont.h"

#include "model/Cp1251.h"

#include <QFontMetrics>

#include <algorithm>

namespace umbrascope {

namespace {

QFont FontOfPixelSize(QFont font, int pixelSize) {
    font.setPixelSize(pixelSize);
    return font;
}

int CellHeightAt(const QFont& font, int pixelSize) {
    return QFontMetrics(FontOfPixelSize(font, pixelSize)).height();
}

} // namespace

QFont PhraseFont(const std::string& fontName, std::uint8_t fontStyle, int cellHeight) {
    QFont font(QString::fromStdString(Cp1251ToUtf8(fontName)));
    font.setItalic(fontStyle == 1 || fontStyle == 3);
    font.setBold(fontStyle == 2 || fontStyle == 3);
    font.setKerning(false);                    // a phrase is measured glyph by glyph
    font.setStyleStrategy(QFont::NoAntialias); // phrase pixels are text, outline or ground
    constexpr int referenceSize = 100;
    const int referenceHeight = CellHeightAt(font, referenceSize);
    int pixelSize = 1;
    if (referenceHeight > 0 && cellHeight > 1)
        pixelSize = std::max(1, static_cast<int>(static_cast<long long>(cellHeight) *
                                                 referenceSize / referenceHeight));
    // The estimate is within a step or two; settle on the largest size that fits.
    while (pixelSize > 1 && CellHeightAt(font, pixelSize) > cellHeight)
        --pixelSize;
    // A cell is never shorter than the pixel size, which bounds the search for any font.
    while (pixelSize < cellHeight && CellHeightAt(font, pixelSize + 1) <= cellHeight)
        ++pixelSize;
    return FontOfPixelSize(font, pixelSize);
}

QSize TextExtent(const QFont& font, const QString& text) {
    const QFontMetrics metrics(font);
    return {metrics.horizontalAdvance(text), metrics.height()};
}

} // namespace umbrascope
