#include "ShownText.h"

#include "UiText.h"
#include "model/EventCatalogue.h"

#include <QCoreApplication>

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

QString ShownEventTypeName(std::string_view storedName) {
    if (const EventType* type = FindEventType(storedName))
        return ShownText(type->shownName);
    return FromModelText(storedName);
}

QString ShownEventDescription(const EventType& type) {
    return ShownText(type.shownDescription);
}

} // namespace umbrascope
