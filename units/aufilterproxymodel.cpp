#include "aufilterproxymodel.h"

#include "hardtypes.h"

AuFilterProxyModel::AuFilterProxyModel(const QList<int> *filterTypes, const ColumnValidRows *columnValidRows,
                                       QObject *parent)
    : QSortFilterProxyModel(parent)
    , m_filterTypes(filterTypes)
    , m_columnValidRows(columnValidRows)
{}

QVariant AuFilterProxyModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return QSortFilterProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    const QVariant value = sourceModel()->data(source, role);
    if (source.column() == AuProperty::Type)
        return auTypeDisplayName(value.toInt());
    if (value.isNull())
        return QStringLiteral("-");
    return value;
}

void AuFilterProxyModel::slotFilterChanged()
{
    if (m_filterPending)
        return;
    m_filterPending = true;
    QMetaObject::invokeMethod(this, &AuFilterProxyModel::flushPendingFilter, Qt::QueuedConnection);
}

void AuFilterProxyModel::flushPendingFilter()
{
    if (!m_filterPending)
        return;
    m_filterPending = false;
    const QAbstractItemModel *source = sourceModel();
    const int rows = source ? source->rowCount() : 0;
    m_rowVerdicts.resize(rows);
    for (int row = 0; row < rows; ++row)
        m_rowVerdicts[row] = rowPasses(row, QModelIndex());
    m_useRowVerdicts = true;
    invalidateFilter();
    m_useRowVerdicts = false;
    emit signalFilterApplied();
}

bool AuFilterProxyModel::rowPasses(int sourceRow, const QModelIndex &sourceParent) const
{
    if (!QSortFilterProxyModel::filterAcceptsRow(sourceRow, sourceParent))
        return false;
    if (!m_filterTypes || m_filterTypes->isEmpty())
        return true;
    const int type = sourceModel()->index(sourceRow, AuProperty::Type, sourceParent).data().toInt();
    return !m_filterTypes->contains(type);
}

bool AuFilterProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    if (m_useRowVerdicts && sourceRow < m_rowVerdicts.size())
        return m_rowVerdicts.at(sourceRow);
    return rowPasses(sourceRow, sourceParent);
}

bool AuFilterProxyModel::filterAcceptsColumn(int sourceColumn, const QModelIndex &sourceParent) const
{
    if (sourceColumn == AuProperty::GeneralState || !m_columnValidRows)
        return false;
    if (!QSortFilterProxyModel::filterAcceptsColumn(sourceColumn, sourceParent))
        return false;
    const auto rows = m_columnValidRows->constFind(sourceColumn);
    if (rows == m_columnValidRows->constEnd())
        return false;
    for (int row : *rows) {
        if (filterAcceptsRow(row, sourceParent))
            return true;
    }
    return false;
}
