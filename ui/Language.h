#pragma once

// The language the windows speak, Russian or English: chosen by the user in the main window's
// menu and remembered in the user's settings, else the desktop's. Applying one installs the
// program's and Qt's own translations for it, so every window is told to retranslate itself.
// User-interface thread only (LanguageOfLocale excepted).

#include <QLocale>

#include <optional>
#include <string_view>

namespace umbrascope {

enum class Language { Russian, English };

// The language of a locale set by the environment variables LC_ALL, LC_MESSAGES and LANG (empty
// when unset), the first one set deciding as for the C library: Russian for a Russian locale
// and where none is set ("", C, POSIX), since the program's own texts are Russian; English for
// any other.
Language LanguageOfLocale(std::string_view lcAll, std::string_view lcMessages,
                          std::string_view lang);

// The user's choice from the settings, if one was made.
std::optional<Language> ChosenLanguage();
void RememberLanguage(Language language);

// The user's choice, else the language of this process's locale.
Language PreferredLanguage();

// Makes language the one every window speaks from now on. False when Qt's own Russian texts
// are not installed on this machine (the program's texts are Russian all the same).
bool ApplyLanguage(Language language);

// The language applied last; Russian until one is.
Language CurrentLanguage();

// How numbers are written in the current language (a decimal comma in Russian).
QLocale CurrentNumberLocale();

} // namespace umbrascope
