#include "Language.h"

#include "QtTranslations.h"
#include "UserSettings.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTranslator>

#include <cstdlib>

namespace umbrascope {

namespace {

const QString LanguageSetting = QStringLiteral("Language");

Language current = Language::Russian;
// Owned by the application: they go with it.
QPointer<QTranslator> programEnglish;
QPointer<QTranslator> qtRussian;

QString SettingValue(Language language) {
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("ru");
}

std::string_view Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string_view(value) : std::string_view();
}

void Remove(QPointer<QTranslator>& translator) {
    if (!translator)
        return;
    QCoreApplication::removeTranslator(translator);
    delete translator.data();
}

// The English texts built into the program (translations/umbrascope_en.ts).
QTranslator* InstallProgramEnglish() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral(":/i18n/umbrascope_en.qm")) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
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

std::optional<Language> ChosenLanguage() {
    const QString value = UserSettings()->value(LanguageSetting).toString();
    if (value == SettingValue(Language::English))
        return Language::English;
    if (value == SettingValue(Language::Russian))
        return Language::Russian;
    return std::nullopt;
}

void RememberLanguage(Language language) {
    UserSettings()->setValue(LanguageSetting, SettingValue(language));
}

Language PreferredLanguage() {
    if (const auto chosen = ChosenLanguage())
        return *chosen;
    return LanguageOfLocale(Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG"));
}

bool ApplyLanguage(Language language) {
    current = language;
    // The source texts are Russian: English needs the program's translation and none of Qt's
    // (its own texts are English), Russian needs only Qt's.
    if (language == Language::English) {
        Remove(qtRussian);
        if (!programEnglish)
            programEnglish = InstallProgramEnglish();
        return true;
    }
    Remove(programEnglish);
    if (!qtRussian)
        qtRussian = InstallQtTranslations();
    return qtRussian != nullptr;
}

Language CurrentLanguage() {
    return current;
}

QLocale CurrentNumberLocale() {
    return QLocale(current == Language::English ? QLocale::English : QLocale::Russian);
}

} // namespace umbrascope
