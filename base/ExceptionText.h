#pragma once

// What the exception in flight says, for whoever reports it: a message box, standard error or
// a session's one report. Call it only from a catch block.

#include "UserText.h"

#include <string>

namespace umbrascope {

UserText CurrentExceptionUserText();

// Its Russian text (UTF-8).
std::string CurrentExceptionMessage();

} // namespace umbrascope
