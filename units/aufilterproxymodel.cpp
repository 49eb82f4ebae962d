#include "aufilterproxymodel.h"

#include "changedcells.h"
#include "hardtypes.h"

#include <QMetaMethod>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace {

void remember(QVector<bool> &shown, int index, bool passes)
{
    if (index >= shown.size())
        shown.resize(index + 1);
    shown[index] = passes;
}

// The base class's handler of a source's changed values, which maps them to the rows and columns
// shown and announces them; invalid where a Qt has none of that name, and then nothing is gathered.
QMetaMethod sourceDataChangedSlot()
{
    static const QMetaMethod slot = QSortFilterProxyModel::staticMetaObject.method(
        QSortFilterProxyModel::staticMetaObject.indexOfSlot("_q_sourceDataChanged(QModelIndex,QModelIndex,QVector<int>)"));
    return slot;
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
    using M = QAbstractItemModel;
    for (const auto &connection : qAsConst(m_sourceConnections))
        disconnect(connection);
    m_sourceConnections.clear();
    m_changedData.clear();
    m_changedRoles.clear();
    m_allRolesChanged = false;
    // Ahead of the base class's handlers, so the gathered changes go out while their rows stand.
    const bool gathers = source && sourceDataChangedSlot().isValid();
    if (gathers) {
        const auto announce = [this] { announceChangedData(); };
        m_sourceConnections << connect(source, &M::rowsAboutToBeInserted, this, announce)
                            << connect(source, &M::rowsAboutToBeRemoved, this, announce)
                            << connect(source, &M::rowsAboutToBeMoved, this, announce)
                            << connect(source, &M::columnsAboutToBeInserted, this, announce)
                            << connect(source, &M::columnsAboutToBeRemoved, this, announce)
                            << connect(source, &M::columnsAboutToBeMoved, this, announce)
                            << connect(source, &M::layoutAboutToBeChanged, this, announce)
                            << connect(source, &M::modelAboutToBeReset, this, announce);
    }
    QSortFilterProxyModel::setSourceModel(source);
    noteAllRowsChanged();
    if (!source)
        return;
    if (gathers) {
        disconnect(source, SIGNAL(dataChanged(QModelIndex, QModelIndex, QVector<int>)), this,
                   SLOT(_q_sourceDataChanged(QModelIndex, QModelIndex, QVector<int>)));
        m_sourceConnections << connect(source, &M::dataChanged, this, &AuFilterProxyModel::gatherChangedData);
    }
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

void AuFilterProxyModel::flushPending()
{
    flushPendingFilter();
    announceChangedData();
}

void AuFilterProxyModel::gatherChangedData(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                                           const QVector<int> &roles)
{
    if (!topLeft.isValid() || !bottomRight.isValid())
        return;
    // The base class's handling of a single change, for the rows of a tree.
    if (topLeft.parent().isValid()) {
        sourceDataChangedSlot().invoke(this, Q_ARG(QModelIndex, topLeft), Q_ARG(QModelIndex, bottomRight),
                                       Q_ARG(QVector<int>, roles));
        return;
    }
    if (m_changedData.isEmpty())
        QMetaObject::invokeMethod(this, &AuFilterProxyModel::flushPending, Qt::QueuedConnection);
    if (roles.isEmpty())
        m_allRolesChanged = true;
    for (int role : roles) {
        if (!m_allRolesChanged && !m_changedRoles.contains(role))
            m_changedRoles.append(role);
    }
    addChangedCells(m_changedData, QRect(QPoint(topLeft.column(), topLeft.row()),
                                         QPoint(bottomRight.column(), bottomRight.row())));
}

void AuFilterProxyModel::announceChangedData()
{
    if (m_changedData.isEmpty())
        return;
    const QVector<QRect> blocks = std::exchange(m_changedData, {});
    const QVector<int> roles = m_allRolesChanged ? QVector<int>() : std::exchange(m_changedRoles, {});
    m_changedRoles.clear();
    m_allRolesChanged = false;
    // A source deleted since has taken its rows with it.
    const QAbstractItemModel *source = sourceModel();
    if (!source)
        return;
    const QRect cells(0, 0, source->columnCount(), source->rowCount());
    for (const QRect &block : blocks) {
        const QRect changed = block & cells;
        if (!changed.isEmpty()) {
            sourceDataChangedSlot().invoke(this, Q_ARG(QModelIndex, source->index(changed.top(), changed.left())),
                                           Q_ARG(QModelIndex, source->index(changed.bottom(), changed.right())),
                                           Q_ARG(QVector<int>, roles));
        }
    }
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
