#pragma once

// Texts made below the windows, as the windows show them: in the program's current language.
// User-interface thread only.

#include "base/UserText.h"

#include <QString>

#include <string>
#include <string_view>

namespace umbrascope {

struct EventType;

// The source translated in its context, with the arguments put in once.
QString ShownText(const UserText& text);

// The text in the program's English, whatever language the windows speak: for the command
// line, which prints in English what it shares with the windows (UTF-8). Needs no application.
std::string EnglishText(const UserText& text);

// An event type's name as the windows show it; a name the catalogue does not know (from a
// damaged or newer file) is shown as it is stored (Windows-1251).
QString ShownEventTypeName(std::string_view storedName);

QString ShownEventDescription(const EventType& type);

} // namespace umbrascope
