#pragma once

// A built session that cannot start, told in a window: someone who started it from a file
// manager never sees standard error. User-interface thread, or before the application object
// is made.

#include <string>

namespace umbrascope {

// Shows why the session cannot start (the command line's message, as printed) in a box in the
// user's language, making the application object when there is none yet.
void ShowStartFailure(const std::string& message);

} // namespace umbrascope
