#include "eventsmodel.h"

#include "eventdesc.h"

#include <QColor>

EventsModel::EventsModel(QObject *parent)
    : QAbstractTableModel(parent)
{}

int EventsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

int EventsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant EventsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return QVariant();
    const ModbusEvent &ev = eventAt(index.row());
    const int column = index.column();

    switch (role) {
    case Qt::DisplayRole:
        switch (column) {
        case ColumnDate:
            return ev.received.date();
        case ColumnTime:
            return ev.received.time().toString(QStringLiteral("hh:mm:ss"));
        case ColumnRyn:
            return int(ev.rynAddr);
        case ColumnInput:
            return int(ev.inputNumber);
        case ColumnAuAddr:
            return int(ev.auAddr);
        case ColumnCode:
            return int(ev.evCode);
        case ColumnAddParam:
            return m_eventDesc ? m_eventDesc->description(ev.evCode).addParamText(ev.addParam)
                               : EvDesc().addParamText(ev.addParam);
        case ColumnDesc:
            return m_eventDesc ? m_eventDesc->description(ev.evCode).desc : QString();
        }
        break;
    case Qt::TextAlignmentRole:
        if (column != ColumnDesc)
            return int(Qt::AlignCenter);
        break;
    case Qt::BackgroundRole:
    case Qt::ForegroundRole: {
        const EvDesc evDesc = m_eventDesc ? m_eventDesc->description(ev.evCode) : EvDesc();
        const QColor color(role == Qt::BackgroundRole ? evDesc.bgColor : evDesc.fgColor);
        if (color.isValid())
            return color;
        break;
    }
    }
    return QVariant();
}

QVariant EventsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Vertical)
        return count() - section; // the oldest kept event is 1, whatever is filtered out
    switch (section) {
    case ColumnDate:
        return tr("Дата");
    case ColumnTime:
        return tr("Время");
    case ColumnRyn:
        return tr("RYN");
    case ColumnInput:
        return tr("Номер входа");
    case ColumnAuAddr:
        return tr("Адрес АУ");
    case ColumnCode:
        return tr("Код");
    case ColumnAddParam:
        return tr("Доп. параметры");
    case ColumnDesc:
        return tr("Описание");
    }
    return QVariant();
}

void EventsModel::insertEvents(const ModbusProtocol::EventList &events)
{
    if (events.isEmpty())
        return;
    beginInsertRows(QModelIndex(), 0, events.size() - 1);
    for (const ModbusEvent &ev : events)
        m_events.push_front(ev);
    endInsertRows();

    if (count() > m_maxCount) {
        beginRemoveRows(QModelIndex(), m_maxCount, count() - 1);
        m_events.resize(std::size_t(m_maxCount));
        endRemoveRows();
    }
}

void EventsModel::clear()
{
    beginResetModel();
    m_events.clear();
    m_events.shrink_to_fit();
    endResetModel();
}

void EventsModel::setMaxCount(int maxCount)
{
    m_maxCount = qMax(0, maxCount);
}

void EventsModel::setEventDesc(const EventDesc *eventDesc)
{
    m_eventDesc = eventDesc;
    descriptionsChanged();
}

void EventsModel::descriptionsChanged()
{
    if (count() > 0)
        emit dataChanged(index(0, 0), index(count() - 1, ColumnCount - 1));
}
