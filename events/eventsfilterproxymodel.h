#pragma once

#include <QAbstractProxyModel>
#include <QList>
#include <QMetaObject>

#include <deque>

class EventsModel;
struct EvFilter;

// The log's rows narrowed to the controller, unit and event code of the log's filter, in the log's
// own order. A batch goes in on top and the oldest rows leave at the bottom, once a second on a busy
// line into a log of 50,000: the proxy takes both as one insert and one removal at the ends of its
// row list, where a sorting proxy rebuilt its mapping of every row several times a batch. Other
// changes of the source (rows elsewhere, a reset) are followed too, at the cost of their size.
class EventsFilterProxyModel : public QAbstractProxyModel
{
    Q_OBJECT

public:
    // The filter is the log's own record; call applyFilter() after it changed.
    explicit EventsFilterProxyModel(const EvFilter &filter, QObject *parent = nullptr);

    // Re-checks every row; rows that still pass keep their selection.
    void applyFilter();

    void setSourceModel(QAbstractItemModel *sourceModel) override;
    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    QModelIndex sibling(int row, int column, const QModelIndex &index) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex mapToSource(const QModelIndex &proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex &sourceIndex) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    bool accepts(int sourceRow) const;
    // The source row of a shown row, and the first shown row at or below a source row.
    int sourceRow(int row) const { return int(m_rows[std::size_t(row)] + m_shift); }
    int firstRowFrom(int sourceRow) const;
    void rebuild();

    void sourceRowsInserted(const QModelIndex &parent, int first, int last);
    void sourceRowsAboutToBeRemoved(const QModelIndex &parent, int first, int last);
    void sourceRowsRemoved(const QModelIndex &parent, int first, int last);
    void sourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QVector<int> &roles);
    void sourceHeaderDataChanged(Qt::Orientation orientation, int first, int last);
    void sourceAboutToReset();
    void sourceReset();

    const EvFilter &m_filter;
    // Set when the source is the log's model: the filter reads its events without variants.
    const EventsModel *m_events = nullptr;
    // The shown rows' source rows, less m_shift, in source order: rows going in on top of the source
    // move every row below by one shift instead of a pass over the list.
    std::deque<qint64> m_rows;
    qint64 m_shift = 0;
    // The shown rows a removal in the source takes, between its two signals.
    int m_removeFirst = 0;
    int m_removeEnd = 0;
    QList<QMetaObject::Connection> m_sourceConnections;
};
