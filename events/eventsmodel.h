#pragma once

#include "modbusevent.h"

#include <QAbstractTableModel>
#include <QPointer>

#include <deque>

class EventDesc;

// The events kept by the log, newest first, rendered through the log's current descriptions.
// Keeps at most maxCount() events: a batch that goes over drops the oldest.
class EventsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        ColumnDate,
        ColumnTime,
        ColumnRyn,
        ColumnInput,
        ColumnAuAddr,
        ColumnCode,
        ColumnAddParam,
        ColumnDesc,
        ColumnCount
    };

    explicit EventsModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The last event of the batch ends on row 0.
    void insertEvents(const ModbusProtocol::EventList &events);
    void clear();
    // Takes effect with the next batch: nothing is removed now.
    void setMaxCount(int maxCount);
    int maxCount() const { return m_maxCount; }
    int count() const { return int(m_events.size()); }
    const ModbusEvent &eventAt(int row) const { return m_events[std::size_t(row)]; }

    // The descriptions to render with; none renders every event with the default description.
    void setEventDesc(const EventDesc *eventDesc);
    // The descriptions were re-read: every cell may look different.
    void descriptionsChanged();

private:
    std::deque<ModbusEvent> m_events; // front = row 0 = newest
    int m_maxCount = 50000;
    QPointer<const EventDesc> m_eventDesc;
};
