#include "UiText.h"

#include "ShownText.h"
#include "model/Cp1251.h"
#include "model/ProjectLoader.h"

#include <QCoreApplication>

namespace umbrascope {

QString FromModelText(std::string_view cp1251) {
    return QString::fromStdString(Cp1251ToUtf8(cp1251));
}

QString FromUtf8(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::optional<std::string> ToModelText(const QString& text) {
    return Utf8ToCp1251(text.toStdString());
}

QString WithoutAccessKey(const QString& caption) {
    QString plain;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        plain += caption[i];
    }
    return plain;
}

QString UnrepresentablePathMessage(const QString& path) {
    return ShownText(UnrepresentablePathMessage(path.toStdString()));
}

QString UnrepresentableTextMessage(const QString& label) {
    return QCoreApplication::translate("umbrascope::UiText",
                                       "Текст поля \"%1\" содержит символы, которые нельзя "
                                       "записать в кодировке Windows-1251.")
        .arg(label);
}

} // namespace umbrascope
