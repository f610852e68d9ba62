#pragma once

// The language the windows speak, Russian or English: chosen by the user in the main window's
// menu and remembered in the user's preferences, else the desktop's. The program owns one
// WindowLanguage (the desktop program, or a command-line mode that shows a window); applying a
// language installs the program's and Qt's own translations for it, so every window is told
// to retranslate itself. User-interface thread only (LanguageOfLocale excepted).

#include <QLocale>

#include <memory>
#include <string_view>

class QTranslator;

namespace umbrascope {

class Preferences;

enum class Language { Russian, English };

// The language of a locale set by the environment variables LC_ALL, LC_MESSAGES and LANG (empty
// when unset), the first one set deciding as for the C library: Russian for a Russian locale
// and where none is set ("", C, POSIX), since the program's own texts are Russian; English for
// any other.
Language LanguageOfLocale(std::string_view lcAll, std::string_view lcMessages,
                          std::string_view lang);

// The user's choice, else the language of this process's locale.
Language PreferredLanguage(const Preferences& preferences);

// The language in force and the translations installed for it, taken out again when this goes.
// Create it after the application object and let it go first.
class WindowLanguage {
public:
    WindowLanguage();
    ~WindowLanguage();
    WindowLanguage(const WindowLanguage&) = delete;
    WindowLanguage& operator=(const WindowLanguage&) = delete;

    // Makes language the one every window speaks from now on. False when Qt's own Russian
    // texts are not installed on this machine (the program's texts are Russian all the same).
    bool Apply(Language language);

    // The language applied last; Russian until one is.
    Language Current() const { return current_; }

    // How numbers are written in the current language (a decimal comma in Russian).
    QLocale NumberLocale() const;

private:
    Language current_ = Language::Russian;
    std::unique_ptr<QTranslator> programEnglish_;
    std::unique_ptr<QTranslator> qtRussian_;
};

} // namespace umbrascope
