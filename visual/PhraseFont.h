#pragma once

// Fonts chosen by cell height (ascent plus descent), the measure every phrase height uses.
// Thread safe (needs a QGuiApplication to exist).

#include <QFont>
#include <QSize>
#include <QString>

#include <cstdint>
#include <string>

namespace umbrascope {

// The face FontName (Windows-1251) with the style of FontStyle (0 none, 1 italic, 2 bold,
// 3 bold italic, anything else none), sized to the largest pixel size whose cell height does
// not exceed cellHeight (at least pixel size 1).
QFont PhraseFont(const std::string& fontName, std::uint8_t fontStyle, int cellHeight);

// Width (advance) and cell height of text in font.
QSize TextExtent(const QFont& font, const QString& text);

} // namespace umbrascope
