#include "eventsfilterproxymodel.h"

#include "eventsmodel.h"
#include "evfilter.h"

#include <algorithm>
#include <vector>

EventsFilterProxyModel::EventsFilterProxyModel(const EvFilter &filter, QObject *parent)
    : QAbstractProxyModel(parent)
    , m_filter(filter)
{}

void EventsFilterProxyModel::setSourceModel(QAbstractItemModel *source)
{
    beginResetModel();
    for (const auto &connection : qAsConst(m_sourceConnections))
        disconnect(connection);
    m_sourceConnections.clear();
    QAbstractProxyModel::setSourceModel(source);
    m_events = qobject_cast<const EventsModel *>(source);
    if (source) {
        using M = QAbstractItemModel;
        using P = EventsFilterProxyModel;
        m_sourceConnections << connect(source, &M::rowsInserted, this, &P::sourceRowsInserted)
                            << connect(source, &M::rowsAboutToBeRemoved, this, &P::sourceRowsAboutToBeRemoved)
                            << connect(source, &M::rowsRemoved, this, &P::sourceRowsRemoved)
                            << connect(source, &M::dataChanged, this, &P::sourceDataChanged)
                            << connect(source, &M::headerDataChanged, this, &P::sourceHeaderDataChanged);
        // Changes the log never makes are followed as a reset: rare, and always right.
        m_sourceConnections << connect(source, &M::modelAboutToBeReset, this, &P::sourceAboutToReset)
                            << connect(source, &M::modelReset, this, &P::sourceReset)
                            << connect(source, &M::layoutAboutToBeChanged, this, &P::sourceAboutToReset)
                            << connect(source, &M::layoutChanged, this, &P::sourceReset)
                            << connect(source, &M::rowsAboutToBeMoved, this, &P::sourceAboutToReset)
                            << connect(source, &M::rowsMoved, this, &P::sourceReset)
                            << connect(source, &M::columnsAboutToBeInserted, this, &P::sourceAboutToReset)
                            << connect(source, &M::columnsInserted, this, &P::sourceReset)
                            << connect(source, &M::columnsAboutToBeRemoved, this, &P::sourceAboutToReset)
                            << connect(source, &M::columnsRemoved, this, &P::sourceReset)
                            << connect(source, &M::columnsAboutToBeMoved, this, &P::sourceAboutToReset)
                            << connect(source, &M::columnsMoved, this, &P::sourceReset);
        // The base class falls back to an empty model when the source goes: so do the rows.
        m_sourceConnections << connect(source, &QObject::destroyed, this, [this] {
            beginResetModel();
            m_events = nullptr;
            m_rows.clear();
            endResetModel();
        });
    }
    rebuild();
    endResetModel();
}

void EventsFilterProxyModel::applyFilter()
{
    emit layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    QVector<int> sourceRows;
    sourceRows.reserve(before.size());
    for (const QModelIndex &index : before)
        sourceRows << sourceRow(index.row());
    rebuild();
    QModelIndexList after;
    after.reserve(before.size());
    for (int i = 0; i < before.size(); ++i) {
        const int row = firstRowFrom(sourceRows.at(i));
        const bool stillShown = row < rowCount() && sourceRow(row) == sourceRows.at(i);
        after << (stillShown ? index(row, before.at(i).column()) : QModelIndex());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

bool EventsFilterProxyModel::accepts(int sourceRow) const
{
    int ryn = 0;
    int au = 0;
    int code = 0;
    if (m_events) {
        const ModbusEvent &ev = m_events->eventAt(sourceRow);
        ryn = ev.rynAddr;
        au = ev.auAddr;
        code = ev.evCode;
    } else {
        const auto cell = [&](int column) { return sourceModel()->index(sourceRow, column).data().toInt(); };
        ryn = cell(EventsModel::ColumnRyn);
        au = cell(EventsModel::ColumnAuAddr);
        code = cell(EventsModel::ColumnCode);
    }
    return (!m_filter.rynFilterOn || ryn == m_filter.rynAddr) && (!m_filter.auFilterOn || au == m_filter.auAddr) &&
           (!m_filter.evCodeFilterOn || code == m_filter.evCode);
}

int EventsFilterProxyModel::firstRowFrom(int sourceRow) const
{
    return int(std::lower_bound(m_rows.begin(), m_rows.end(), qint64(sourceRow) - m_shift) - m_rows.begin());
}

void EventsFilterProxyModel::rebuild()
{
    m_rows.clear();
    m_shift = 0;
    const int rows = sourceModel() ? sourceModel()->rowCount() : 0;
    for (int row = 0; row < rows; ++row) {
        if (accepts(row))
            m_rows.push_back(row);
    }
}

QModelIndex EventsFilterProxyModel::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() || row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return QModelIndex();
    return createIndex(row, column);
}

QModelIndex EventsFilterProxyModel::parent(const QModelIndex &child) const
{
    Q_UNUSED(child)
    return QModelIndex();
}

QModelIndex EventsFilterProxyModel::sibling(int row, int column, const QModelIndex &index) const
{
    Q_UNUSED(index)
    return this->index(row, column);
}

int EventsFilterProxyModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int EventsFilterProxyModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !sourceModel() ? 0 : sourceModel()->columnCount();
}

bool EventsFilterProxyModel::hasChildren(const QModelIndex &parent) const
{
    return !parent.isValid() && rowCount() > 0 && columnCount() > 0;
}

QModelIndex EventsFilterProxyModel::mapToSource(const QModelIndex &proxyIndex) const
{
    if (!proxyIndex.isValid() || proxyIndex.model() != this || proxyIndex.row() >= rowCount())
        return QModelIndex();
    return sourceModel()->index(sourceRow(proxyIndex.row()), proxyIndex.column());
}

QModelIndex EventsFilterProxyModel::mapFromSource(const QModelIndex &sourceIndex) const
{
    if (!sourceIndex.isValid() || sourceIndex.model() != sourceModel() || sourceIndex.parent().isValid())
        return QModelIndex();
    const int row = firstRowFrom(sourceIndex.row());
    if (row >= rowCount() || sourceRow(row) != sourceIndex.row())
        return QModelIndex();
    return index(row, sourceIndex.column());
}

QVariant EventsFilterProxyModel::data(const QModelIndex &index, int role) const
{
    const QModelIndex source = mapToSource(index);
    return source.isValid() ? sourceModel()->data(source, role) : QVariant();
}

QVariant EventsFilterProxyModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (!sourceModel())
        return QVariant();
    if (orientation == Qt::Horizontal)
        return sourceModel()->headerData(section, orientation, role);
    if (section < 0 || section >= rowCount())
        return QAbstractItemModel::headerData(section, orientation, role);
    return sourceModel()->headerData(sourceRow(section), orientation, role);
}

void EventsFilterProxyModel::sourceRowsInserted(const QModelIndex &parent, int first, int last)
{
    if (parent.isValid())
        return;
    // The rows from `first` on moved down; on top of the source that is every row.
    const int count = last - first + 1;
    const int row = firstRowFrom(first);
    if (row == 0) {
        m_shift += count;
    } else {
        for (auto it = m_rows.begin() + row; it != m_rows.end(); ++it)
            *it += count;
    }
    std::vector<qint64> passing;
    for (int source = first; source <= last; ++source) {
        if (accepts(source))
            passing.push_back(source - m_shift);
    }
    if (passing.empty())
        return;
    beginInsertRows(QModelIndex(), row, row + int(passing.size()) - 1);
    m_rows.insert(m_rows.begin() + row, passing.begin(), passing.end());
    endInsertRows();
}

void EventsFilterProxyModel::sourceRowsAboutToBeRemoved(const QModelIndex &parent, int first, int last)
{
    if (parent.isValid())
        return;
    m_removeFirst = firstRowFrom(first);
    m_removeEnd = firstRowFrom(last + 1);
    if (m_removeFirst < m_removeEnd)
        beginRemoveRows(QModelIndex(), m_removeFirst, m_removeEnd - 1);
}

void EventsFilterProxyModel::sourceRowsRemoved(const QModelIndex &parent, int first, int last)
{
    if (parent.isValid())
        return;
    const bool shownRowsGo = m_removeFirst < m_removeEnd;
    m_rows.erase(m_rows.begin() + m_removeFirst, m_rows.begin() + m_removeEnd);
    // What was below the removed rows moves up; the oldest rows leave from the bottom, with nothing below.
    const int count = last - first + 1;
    for (auto it = m_rows.begin() + m_removeFirst; it != m_rows.end(); ++it)
        *it -= count;
    m_removeFirst = m_removeEnd = 0;
    if (shownRowsGo)
        endRemoveRows();
}

void EventsFilterProxyModel::sourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                                               const QVector<int> &roles)
{
    if (topLeft.parent().isValid())
        return;
    const int first = firstRowFrom(topLeft.row());
    const int end = firstRowFrom(bottomRight.row() + 1);
    // A row whose filtered values changed may pass now, or no longer: the filter then runs anew.
    int shown = first;
    for (int source = topLeft.row(); source <= bottomRight.row(); ++source) {
        const bool isShown = shown < end && sourceRow(shown) == source;
        if (isShown != accepts(source)) {
            applyFilter();
            return;
        }
        if (isShown)
            ++shown;
    }
    if (first < end)
        emit dataChanged(index(first, topLeft.column()), index(end - 1, bottomRight.column()), roles);
}

void EventsFilterProxyModel::sourceHeaderDataChanged(Qt::Orientation orientation, int first, int last)
{
    if (orientation == Qt::Horizontal) {
        emit headerDataChanged(orientation, first, last);
        return;
    }
    const int proxyFirst = firstRowFrom(first);
    const int proxyEnd = firstRowFrom(last + 1);
    if (proxyFirst < proxyEnd)
        emit headerDataChanged(orientation, proxyFirst, proxyEnd - 1);
}

void EventsFilterProxyModel::sourceAboutToReset()
{
    beginResetModel();
}

void EventsFilterProxyModel::sourceReset()
{
    rebuild();
    endResetModel();
}
