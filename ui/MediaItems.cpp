#include "MediaItems.h"

#include "ShownText.h"
#include "UiText.h"
#include "model/SessionMedia.h"
#include "model/TrackDescriptor.h"

#include <QCoreApplication>
#include <QListWidget>

namespace umbrascope {

namespace {

QString DisplayText(const std::string& value, bool missing) {
    const QString text = ShownText(TrackShownText(value));
    return missing ? QCoreApplication::translate("umbrascope::MediaItems", "%1 (файл не найден)")
                         .arg(text)
                   : text;
}

} // namespace

QString MediaDisplayText(const std::string& value, std::string_view projectFolder) {
    return DisplayText(value, IsMissingMedium(value, projectFolder));
}

void AddTrackItem(QListWidget& list, const std::string& track, std::string_view projectFolder) {
    const bool missing = IsMissingMedium(track, projectFolder);
    auto* item = new QListWidgetItem(DisplayText(track, missing), &list);
    if (missing) {
        item->setForeground(QColor(Qt::red));
        item->setToolTip(FromModelText(track));
    }
}

} // namespace umbrascope
