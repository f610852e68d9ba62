#include "PhraseSample.h"

#include "Colors.h"
#include "PhraseFont.h"
#include "PhraseRenderer.h"

#include <QCoreApplication>
#include <QPainter>

namespace umbrascope {

namespace {

void DrawHatchedGround(QImage& image) {
    QPainter painter(&image);
    painter.setPen(Qt::black);
    const QRect frame(0, 0, image.width() - 1, image.height() - 1);
    painter.setBrush(QColor(192, 192, 192));
    painter.drawRect(frame);
    painter.setBrush(QBrush(Qt::black, Qt::DiagCrossPattern));
    painter.drawRect(frame);
}

} // namespace

QImage DrawPhraseSample(QSize size, const PhraseSampleLook& look) {
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    DrawHatchedGround(image);
    const QString text = QCoreApplication::translate("umbrascope::PhraseSample", "Текстовая фраза");
    int height = size.height();
    QFont font = PhraseFont(look.FontName, look.FontStyle, height);
    while (height > PhraseHeightFloor && TextExtent(font, text).width() >= size.width() - 4)
        font = PhraseFont(look.FontName, look.FontStyle, --height);
    const QSize extent = TextExtent(font, text);
    const QRect box(
        QPoint((size.width() - extent.width()) / 2, (size.height() - extent.height()) / 2), extent);
    PhraseLook phrase;
    phrase.font = font;
    phrase.textColor = ResolveColor(look.TextColor);
    phrase.outline = look.OutlineEnabled;
    phrase.outlineColor = ResolveColor(look.OutlineColor);
    phrase.outlineWidth = 1;
    DrawKeyedText(image, box, text, phrase, look.Transparency);
    return image;
}

} // namespace umbrascope
