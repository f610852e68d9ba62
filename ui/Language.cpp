#include "Language.h"

#include "Preferences.h"
#include "QtTranslations.h"

#include <QCoreApplication>
#include <QTranslator>

#include <cstdlib>

namespace umbrascope {

namespace {

std::string_view Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string_view(value) : std::string_view();
}

// The English texts built into the program (translations/umbrascope_en.ts).
std::unique_ptr<QTranslator> InstallProgramEnglish() {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral(":/i18n/umbrascope_en.qm")) ||
        !QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    return translator;
}

} // namespace

Language LanguageOfLocale(std::string_view lcAll, std::string_view lcMessages,
                          std::string_view lang) {
    const std::string_view name = !lcAll.empty() ? lcAll : !lcMessages.empty() ? lcMessages : lang;
    // "ru_RU.UTF-8", "ru@something": the language is what comes before these.
    const std::string_view language = name.substr(0, name.find_first_of("_.@"));
    if (language.empty() || language == "C" || language == "POSIX" || language == "ru")
        return Language::Russian;
    return Language::English;
}

Language PreferredLanguage(const Preferences& preferences) {
    if (const auto chosen = preferences.ChosenLanguage())
        return *chosen;
    return LanguageOfLocale(Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG"));
}

WindowLanguage::WindowLanguage() = default;

// A translator leaves the application as it goes.
WindowLanguage::~WindowLanguage() = default;

bool WindowLanguage::Apply(Language language) {
    current_ = language;
    // The source texts are Russian: English needs the program's translation and none of Qt's
    // (its own texts are English), Russian needs only Qt's.
    if (language == Language::English) {
        qtRussian_.reset();
        if (!programEnglish_)
            programEnglish_ = InstallProgramEnglish();
        return true;
    }
    programEnglish_.reset();
    if (!qtRussian_)
        qtRussian_ = InstallQtTranslations();
    return qtRussian_ != nullptr;
}

QLocale WindowLanguage::NumberLocale() const {
    return QLocale(current_ == Language::English ? QLocale::English : QLocale::Russian);
}

} // namespace umbrascope
