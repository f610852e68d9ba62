#include "EventsListModel.h"

#include "ui/ShownText.h"
#include "ui/UiText.h"

#include <cstdint>
#include <cstdlib>

namespace umbrascope {

namespace {

// At least two digits; a damaged file's negative time keeps its sign in front.
QString TwoDigits(std::int32_t n) {
    const QString digits = QString::number(std::abs(n)).rightJustified(2, QLatin1Char('0'));
    return n < 0 ? QLatin1Char('-') + digits : digits;
}

} // namespace

QString EventListLine(const TSessionEvent& event) {
    const std::int32_t minutes = event.EventTime / 60000;
    const std::int32_t seconds = (event.EventTime - minutes * 60000) / 1000;
    return TwoDigits(minutes) + QLatin1Char(':') + TwoDigits(seconds) + QStringLiteral(" - ") +
           ShownEventTypeName(event.EventType);
}

EventsListModel::EventsListModel(const std::vector<TSessionEvent>& events, QObject* parent)
    : QAbstractListModel(parent), events_(events) {}

int EventsListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(events_.size());
}

QVariant EventsListModel::data(const QModelIndex& index, int role) const {
    // The hint shows a line too long for the list in full.
    if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || !index.isValid() ||
        static_cast<std::size_t>(index.row()) >= events_.size())
        return {};
    return EventListLine(events_[static_cast<std::size_t>(index.row())]);
}

void EventsListModel::RedrawLines() {
    if (!events_.empty())
        emit dataChanged(index(0), index(static_cast<int>(events_.size()) - 1));
}

void EventsListModel::Rebuild() {
    beginResetModel();
    endResetModel();
}

} // namespace umbrascope
