#pragma once

#include "aupropertycolumns.h"
#include "pendingrefresh.h"

#include <QList>
#include <QRect>
#include <QString>
#include <QSortFilterProxyModel>
#include <QVector>

// Shows the units of the types the user has not filtered out and only the columns that mean
// something for at least one of them; the type code reads as its label. Every general state and
// every type may ask for a re-filter, so requests are gathered and served once per event-loop turn;
// whoever reads rows calls flushPendingFilter() first. Table views and file writers find that step
// through PendingRefresh on their own. Other values never re-filter: only a type or a general state
// decides what passes, and both ask for their re-filter themselves.
// The source's changed values are gathered too and announced to the views once per turn, after the
// re-filter, as blocks of neighbouring cells (a unit's values that arrive one by one are a change or
// two, not seventy); reading a value always reads the source's current one. Before the source
// inserts, removes or rearranges anything, the gathered changes go out while their rows still stand.
class AuFilterProxyModel : public QSortFilterProxyModel, public PendingRefresh
{
    Q_OBJECT

public:
    // The hidden-type list and the column map belong to the page and must outlive the proxy.
    AuFilterProxyModel(const QList<int> *filterTypes, const ColumnValidRows *columnValidRows,
                       QObject *parent = nullptr);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    void setSourceModel(QAbstractItemModel *sourceModel) override;

    bool isFilterPending() const { return m_filterPending; }
    // The pending re-filter, then the gathered value changes.
    void flushPending() override;

signals:
    // The row and column filters have just been re-run (whether or not what passes changed).
    void signalFilterApplied();

public slots:
    // Asks for the row and column filters to be re-run; done once the event loop turns.
    void slotFilterChanged();
    // Re-runs a requested filter now, so what the proxy shows is current; does nothing otherwise.
    void flushPendingFilter();

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool filterAcceptsColumn(int sourceColumn, const QModelIndex &sourceParent) const override;

private:
    bool rowPasses(int sourceRow, const QModelIndex &sourceParent) const;
    bool rowVerdict(int sourceRow, const QModelIndex &sourceParent) const;
    bool columnVerdict(int sourceColumn, const QModelIndex &sourceParent) const;
    // Whether the verdicts of a re-run differ from what the proxy shows.
    bool verdictsChanged() const;
    // Notes the rows whose type or general state changed: only they need a new verdict.
    void noteChangedRows(const QModelIndex &topLeft, const QModelIndex &bottomRight);
    void noteAllRowsChanged() { m_allRowsChanged = true; }
    // What a verdict depends on besides the row: a change asks every row again.
    QString filterSettings() const;
    void gatherChangedData(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QVector<int> &roles);
    // Hands the gathered changes to the base class's own handling of a source change, block by block.
    void announceChangedData();

    const QList<int> *m_filterTypes = nullptr;
    const ColumnValidRows *m_columnValidRows = nullptr;
    bool m_filterPending = false;
    // Each row's verdict as of the last re-run, used while the filters are re-run: every column asks
    // about the same rows. A re-run asks again only the rows that changed since, or all of them.
    QVector<bool> m_rowVerdicts;
    bool m_useRowVerdicts = false;
    QVector<bool> m_changedRows;
    bool m_allRowsChanged = true;
    QString m_appliedSettings;
    QList<QMetaObject::Connection> m_sourceConnections;
    // Source cells changed since the last announcement (x a column, y a row), and their roles.
    QVector<QRect> m_changedData;
    QVector<int> m_changedRoles;
    bool m_allRolesChanged = false;
    // What the proxy shows: the base class asks the two filters only to build what it shows, so their
    // last answers are it. A re-run that finds the same rows and columns leaves the views alone.
    mutable QVector<bool> m_shownRows;
    mutable QVector<bool> m_shownColumns;
};
