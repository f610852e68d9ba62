#pragma once

// The small pictures of the dialogs' picture buttons, drawn rather than stored.
// User-interface thread only.

#include <QIcon>

namespace umbrascope {

// A 3 x 3 grid with one cell (1..9, row by row) filled.
QIcon CellGlyph(int cell);

// A circle of arrows turning clockwise or counter-clockwise.
QIcon TurnGlyph(bool clockwise);

// Cells scattered at random.
QIcon RandomGlyph();

// An arrow pointing left, right, up or down (0..3).
QIcon ArrowGlyph(int direction);

} // namespace umbrascope
