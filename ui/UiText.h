#pragma once

// Model text (Windows-1251 bytes) on widgets, and text from widgets and file dialogs back
// into the model. User-interface thread only.

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace umbrascope {

QString FromModelText(std::string_view cp1251);

// The program's own UTF-8 text (a format's name, an extension) on widgets.
QString FromUtf8(std::string_view utf8);

// Empty when Windows-1251 cannot hold the text.
std::optional<std::string> ToModelText(const QString& text);

// A caption as said or shown without its access key: "&Добавить" gives "Добавить" ("&&" stands
// for "&").
QString WithoutAccessKey(const QString& caption);

// "The path cannot be stored ..." for a path Windows-1251 cannot hold.
QString UnrepresentablePathMessage(const QString& path);

// "The text of the field ... cannot be stored ..." for a text Windows-1251 cannot hold; label
// names the field as its caption does.
QString UnrepresentableTextMessage(const QString& label);

} // namespace umbrascope
