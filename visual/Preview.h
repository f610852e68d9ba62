#pragma once

// The still miniature of the full screen in the main window: the background pattern of the
// state in force, frozen at session time 0 and scaled from the screen to the box, with a
// label laid out where a phrase would stand.
// User-interface thread only.

#include "model/Session.h"

#include <QImage>
#include <QSize>

namespace umbrascope {

// The preview of values for a box of this size on a screen screenWidth pixels wide.
QImage DrawScreenPreview(const SessionValuesInForce& values, QSize box, int screenWidth);

} // namespace umbrascope
