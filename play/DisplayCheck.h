#pragma once

namespace umbrascope {

// Whether windows can be shown here, asked before the application object is made: without a
// display Qt would abort instead of letting the program say what is wrong.

// True when a display is named, or a Qt platform was chosen.
bool DisplayAvailable();

} // namespace umbrascope
