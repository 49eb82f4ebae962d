#include "aufilterproxymodel.h"

#include "hardtypes.h"

#include <QStringList>

#include <algorithm>

namespace {

void remember(QVector<bool> &shown, int index, bool passes)
{
    if (index >= shown.size())
        shown.resize(index + 1);
    shown[index] = passes;
}

} // namespace

AuFilterProxyModel::AuFilterProxyModel(const QList<int> *filterTypes, const ColumnValidRows *columnValidRows,
                                       QObject *parent)
    : QSortFilterProxyModel(parent)
    , m_filterTypes(filterTypes)
    , m_columnValidRows(columnValidRows)
{
    // Re-checking every changed value's row against the filters would cost every value a regular
    // expression and a type lookup, for verdicts that only a type or state change can alter.
    setDynamicSortFilter(false);
}

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

void AuFilterProxyModel::setSourceModel(QAbstractItemModel *source)
{
    for (const auto &connection : qAsConst(m_sourceConnections))
        disconnect(connection);
    m_sourceConnections.clear();
    QSortFilterProxyModel::setSourceModel(source);
    noteAllRowsChanged();
    if (!source)
        return;
    m_sourceConnections
        << connect(source, &QAbstractItemModel::dataChanged, this, &AuFilterProxyModel::noteChangedRows)
        << connect(source, &QAbstractItemModel::rowsInserted, this, &AuFilterProxyModel::noteAllRowsChanged)
        << connect(source, &QAbstractItemModel::rowsRemoved, this, &AuFilterProxyModel::noteAllRowsChanged)
        << connect(source, &QAbstractItemModel::layoutChanged, this, &AuFilterProxyModel::noteAllRowsChanged)
        << connect(source, &QAbstractItemModel::modelReset, this, &AuFilterProxyModel::noteAllRowsChanged);
}

void AuFilterProxyModel::noteChangedRows(const QModelIndex &topLeft, const QModelIndex &bottomRight)
{
    const auto covers = [&topLeft, &bottomRight](int column) {
        return topLeft.column() <= column && column <= bottomRight.column();
    };
    if (m_allRowsChanged || topLeft.parent().isValid() ||
        !(covers(AuProperty::Type) || covers(filterKeyColumn())))
        return;
    if (m_changedRows.size() <= bottomRight.row())
        m_changedRows.resize(bottomRight.row() + 1);
    std::fill(m_changedRows.begin() + topLeft.row(), m_changedRows.begin() + bottomRight.row() + 1, true);
}

QString AuFilterProxyModel::filterSettings() const
{
    QStringList settings{filterRegularExpression().pattern(),
                         QString::number(int(filterRegularExpression().patternOptions())),
                         QString::number(filterKeyColumn()), QString::number(filterRole())};
    if (m_filterTypes) {
        for (int type : *m_filterTypes)
            settings << QString::number(type);
    }
    return settings.join(QLatin1Char(' '));
}

void AuFilterProxyModel::flushPendingFilter()
{
    if (!m_filterPending)
        return;
    m_filterPending = false;
    const QAbstractItemModel *source = sourceModel();
    const int rows = source ? source->rowCount() : 0;
    const QString settings = filterSettings();
    const bool all = m_allRowsChanged || settings != m_appliedSettings || m_rowVerdicts.size() != rows;
    m_rowVerdicts.resize(rows);
    m_changedRows.resize(rows);
    for (int row = 0; row < rows; ++row) {
        if (all || m_changedRows.at(row))
            m_rowVerdicts[row] = rowPasses(row, QModelIndex());
    }
    m_changedRows.fill(false);
    m_allRowsChanged = false;
    m_appliedSettings = settings;
    m_useRowVerdicts = true;
    if (verdictsChanged())
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

bool AuFilterProxyModel::rowVerdict(int sourceRow, const QModelIndex &sourceParent) const
{
    if (m_useRowVerdicts && sourceRow < m_rowVerdicts.size())
        return m_rowVerdicts.at(sourceRow);
    return rowPasses(sourceRow, sourceParent);
}

bool AuFilterProxyModel::columnVerdict(int sourceColumn, const QModelIndex &sourceParent) const
{
    if (sourceColumn == AuProperty::GeneralState || !m_columnValidRows)
        return false;
    if (!QSortFilterProxyModel::filterAcceptsColumn(sourceColumn, sourceParent))
        return false;
    const auto rows = m_columnValidRows->constFind(sourceColumn);
    if (rows == m_columnValidRows->constEnd())
        return false;
    for (int row : *rows) {
        if (rowVerdict(row, sourceParent))
            return true;
    }
    return false;
}

bool AuFilterProxyModel::verdictsChanged() const
{
    const QAbstractItemModel *source = sourceModel();
    if (!source || m_shownRows.size() != m_rowVerdicts.size() || m_shownColumns.size() != source->columnCount())
        return true;
    if (m_shownRows != m_rowVerdicts)
        return true;
    for (int column = 0; column < m_shownColumns.size(); ++column) {
        if (m_shownColumns.at(column) != columnVerdict(column, QModelIndex()))
            return true;
    }
    return false;
}

bool AuFilterProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    const bool passes = rowVerdict(sourceRow, sourceParent);
    remember(m_shownRows, sourceRow, passes);
    return passes;
}

bool AuFilterProxyModel::filterAcceptsColumn(int sourceColumn, const QModelIndex &sourceParent) const
{
    const bool passes = columnVerdict(sourceColumn, sourceParent);
    remember(m_shownColumns, sourceColumn, passes);
    return passes;
}
