#pragma once

// The event list as the event list dialog shows it: one line per event of a list the model
// reads in place, made when a line is drawn, so a list of any length opens at once.
// User-interface thread only.

#include "model/Session.h"

#include <QAbstractListModel>

#include <vector>

namespace umbrascope {

// "12:34 - Текстовые фразы -> Цвет": minutes and seconds of the event's time, each of at
// least two digits, and its type; milliseconds are not shown.
QString EventListLine(const TSessionEvent& event);

class EventsListModel : public QAbstractListModel {
    Q_OBJECT

public:
    EventsListModel(const std::vector<TSessionEvent>& events, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Every line afresh, after any change of the list.
    void Rebuild();
    // The same lines drawn again (their texts changed language); the selection stays.
    void RedrawLines();

private:
    const std::vector<TSessionEvent>& events_;
};

} // namespace umbrascope
