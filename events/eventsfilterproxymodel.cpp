#include "eventsfilterproxymodel.h"

#include "eventsmodel.h"
#include "evfilter.h"

EventsFilterProxyModel::EventsFilterProxyModel(const EvFilter &filter, QObject *parent)
    : QSortFilterProxyModel(parent)
    , m_filter(filter)
{}

void EventsFilterProxyModel::applyFilter()
{
    invalidateFilter();
}

bool EventsFilterProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    const auto cellIs = [&](int column, int value) {
        return sourceModel()->index(sourceRow, column, sourceParent).data().toInt() == value;
    };
    if (m_filter.rynFilterOn && !cellIs(EventsModel::ColumnRyn, m_filter.rynAddr))
        return false;
    if (m_filter.auFilterOn && !cellIs(EventsModel::ColumnAuAddr, m_filter.auAddr))
        return false;
    if (m_filter.evCodeFilterOn && !cellIs(EventsModel::ColumnCode, m_filter.evCode))
        return false;
    return QSortFilterProxyModel::filterAcceptsRow(sourceRow, sourceParent);
}
