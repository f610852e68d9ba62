#include "ShownText.h"

#include "UiText.h"
#include "model/EventCatalogue.h"

#include <QCoreApplication>
#include <QTranslator>

namespace umbrascope {

QString ShownText(const UserText& text) {
    const std::string pattern =
        *text.context == '\0'
            ? std::string(text.source)
            : QCoreApplication::translate(text.context, text.source).toStdString();
    QString shown = QString::fromStdString(FillPlaces(pattern, text.args));
    for (const UserText& line : text.lines)
        shown += (shown.isEmpty() ? QString() : QStringLiteral("\n")) + ShownText(line);
    return shown;
}

namespace {

std::string TranslatedText(const QTranslator& translator, const UserText& text) {
    std::string pattern = text.source;
    if (*text.context != '\0') {
        const QString translated = translator.translate(text.context, text.source);
        if (!translated.isEmpty())
            pattern = translated.toStdString();
    }
    std::string translated = FillPlaces(pattern, text.args);
    for (const UserText& line : text.lines)
        translated += (translated.empty() ? "" : "\n") + TranslatedText(translator, line);
    return translated;
}

} // namespace

std::string EnglishText(const UserText& text) {
    QTranslator english;
    // Without the translation (it is built into the program) the source text stands.
    (void)english.load(QStringLiteral(":/i18n/umbrascope_en.qm"));
    return TranslatedText(english, text);
}

QString ShownEventTypeName(std::string_view storedName) {
    if (const EventType* type = FindEventType(storedName))
        return ShownText(type->shownName);
    return FromModelText(storedName);
}

QString ShownEventDescription(const EventType& type) {
    return ShownText(type.shownDescription);
}

} // namespace umbrascope
