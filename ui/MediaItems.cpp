#include "MediaItems.h"

#include "UiText.h"
#include "model/SessionMedia.h"
#include "model/TrackDescriptor.h"

#include <QListWidget>

QString MediaDisplayText(const std::string& value, std::string_view projectFolder) {
    const QString text = FromModelText(TrackDisplayText(value));
    if (!IsMissingMedium(value, projectFolder))
        return text;
    return QStringLiteral("%1 (файл не найден)").arg(text);
}

void AddTrackItem(QListWidget& list, const std::string& track, std::string_view projectFolder) {
    auto* item = new QListWidgetItem(MediaDisplayText(track, projectFolder), &list);
    if (IsMissingMedium(track, projectFolder)) {
        item->setForeground(QColor(Qt::red));
        item->setToolTip(FromModelText(track));
    }
}
