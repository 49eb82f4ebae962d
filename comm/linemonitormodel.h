#pragma once

#include "linerecord.h"

#include <QAbstractTableModel>
#include <QFont>

#include <deque>

// The traffic monitor's table: the last 100,000 transactions, oldest first, of which the rows are
// those the filter lets through (a controller, errors only). New records go to the bottom and the
// oldest drop off the top. While paused the rows stay as they are and new records wait (as many
// as the table keeps) until the pause ends.
class LineMonitorModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int capacity = 100000;

    explicit LineMonitorModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const LineRecord &record(int row) const;
    // The records of the rows, in their order.
    LineRecordList shownRecords() const;

    int keptCount() const { return int(m_records.size()); }
    int waitingCount() const { return m_waiting.size(); }
    // Records the worker could not hand over.
    qint64 lostCount() const { return m_lost; }

    // 0 shows every controller.
    int rynFilter() const { return m_rynFilter; }
    void setRynFilter(int rynAddr);
    bool errorsOnly() const { return m_errorsOnly; }
    void setErrorsOnly(bool errorsOnly);
    bool isPaused() const { return m_paused; }
    void setPaused(bool paused);
    void clear();

signals:
    // The counts changed: kept, waiting or lost.
    void signalCountsChanged();

public slots:
    void slotLineRecords(LineRecordList records, int lost);

private:
    bool accepts(const LineRecord &record) const;
    void append(const LineRecordList &records);
    void dropOldest(int count);
    void refilter();

    std::deque<LineRecord> m_records;
    qint64 m_firstSerial = 0;   // the serial number of m_records.front()
    std::deque<qint64> m_shown; // serial numbers of the rows, ascending
    LineRecordList m_waiting;   // arrived during a pause
    qint64 m_lost = 0;
    int m_rynFilter = 0;
    bool m_errorsOnly = false;
    bool m_paused = false;
    QFont m_fixedFont; // looked up once: every painted cell of the frames asks for it
};
