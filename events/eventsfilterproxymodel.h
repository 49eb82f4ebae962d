#pragma once

#include <QSortFilterProxyModel>

struct EvFilter;

// The log's rows narrowed to the controller, unit and event code of the log's filter.
class EventsFilterProxyModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    // The filter is the log's own record; call applyFilter() after it changed.
    explicit EventsFilterProxyModel(const EvFilter &filter, QObject *parent = nullptr);

    void applyFilter();

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    const EvFilter &m_filter;
};
