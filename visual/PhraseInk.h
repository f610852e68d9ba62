#pragma once

// Which pixels of a phrase box are text and which are outline, traced from the glyph outlines
// filled without smoothing. An outline two pixels wide covers the glyphs' edge pixels inside
// and out, one pixel wide the pixels just outside, as a pen of that width stroked along the
// glyph outlines would.
//
// Thread rule: any thread; each thread keeps its own last results.

#include <QFont>
#include <QRect>
#include <QString>

#include <vector>

namespace umbrascope {

// A stretch of one row of pixels, relative to the top-left of the traced area.
struct InkRun {
    int y = 0;
    int x = 0;
    int length = 0;
    bool text = true; // false: outline
};

// The ink of text drawn with its top-left at box.topLeft(), within area (frame coordinates,
// inside box). A phrase shows unchanged for several frames, so the result for the same
// arguments is traced once and kept, with those of the last few other arguments.
const std::vector<InkRun>& PhraseInkRuns(QRect box, QRect area, const QString& text,
                                         const QFont& font, bool outline, int outlineWidth);

} // namespace umbrascope
