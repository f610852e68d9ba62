#pragma once

// What the exception in flight says (UTF-8), for whoever reports it: a message box, standard
// error or a session's one report. Call it only from a catch block.

#include <string>

namespace umbrascope {

std::string CurrentExceptionMessage();

} // namespace umbrascope
