#include "linemonitormodel.h"

#include "linerecordtext.h"
#include "modbusprotocol.h"

#include <QColor>
#include <QFontDatabase>

#include <algorithm>

using namespace LineRecordText;

LineMonitorModel::LineMonitorModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_fixedFont(QFontDatabase::systemFont(QFontDatabase::FixedFont))
{}

int LineMonitorModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

int LineMonitorModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

const LineRecord &LineMonitorModel::record(int row) const
{
    return m_records[size_t(m_shown[size_t(row)] - m_firstSerial)];
}

QVariant LineMonitorModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const LineRecord &shown = record(index.row());
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return cell(shown, column);
    case Qt::ToolTipRole:
        // A long frame, cut off in its column, reads best in lines of 16 bytes.
        if (column == ColumnRequest)
            return hexLines(shown.request);
        if (column == ColumnAnswer)
            return hexLines(shown.answer);
        return column == ColumnTime ? dateTime(shown) : QVariant();
    case Qt::ForegroundRole:
        return shown.result == ModbusProtocol::ResultOk ? QVariant() : QColor(Qt::red);
    case Qt::FontRole:
        return column == ColumnRequest || column == ColumnAnswer ? QVariant(m_fixedFont) : QVariant();
    case Qt::TextAlignmentRole:
        return column == ColumnRyn || column == ColumnFunction || column == ColumnDuration
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant();
    default:
        return QVariant();
    }
}

QVariant LineMonitorModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return header(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

LineRecordList LineMonitorModel::shownRecords() const
{
    LineRecordList shown;
    shown.reserve(int(m_shown.size()));
    for (int row = 0; row < rowCount(); ++row)
        shown.append(record(row));
    return shown;
}

bool LineMonitorModel::accepts(const LineRecord &record) const
{
    if (m_rynFilter != 0 && record.rynAddr != m_rynFilter)
        return false;
    return !m_errorsOnly || record.result != ModbusProtocol::ResultOk;
}

void LineMonitorModel::slotLineRecords(LineRecordList records, int lost)
{
    m_lost += lost;
    if (m_paused) {
        m_waiting += records;
        // The table would let the oldest of them drop off its top at once.
        if (m_waiting.size() > capacity)
            m_waiting.remove(0, m_waiting.size() - capacity);
    } else {
        append(records);
    }
    emit signalCountsChanged();
}

void LineMonitorModel::append(const LineRecordList &records)
{
    const int from = qMax(0, records.size() - capacity);
    const int incoming = records.size() - from;
    const int overflow = int(m_records.size()) + incoming - capacity;
    if (overflow > 0)
        dropOldest(overflow);

    const qint64 firstNew = m_firstSerial + qint64(m_records.size());
    int accepted = 0;
    for (int i = from; i < records.size(); ++i) {
        m_records.push_back(records.at(i));
        if (accepts(records.at(i)))
            ++accepted;
    }
    if (accepted == 0)
        return;
    const int firstRow = rowCount();
    beginInsertRows(QModelIndex(), firstRow, firstRow + accepted - 1);
    for (int i = from; i < records.size(); ++i) {
        if (accepts(records.at(i)))
            m_shown.push_back(firstNew + (i - from));
    }
    endInsertRows();
}

void LineMonitorModel::dropOldest(int count)
{
    const qint64 end = m_firstSerial + count;
    const int rows = int(std::lower_bound(m_shown.begin(), m_shown.end(), end) - m_shown.begin());
    if (rows > 0) {
        beginRemoveRows(QModelIndex(), 0, rows - 1);
        m_shown.erase(m_shown.begin(), m_shown.begin() + rows);
        endRemoveRows();
    }
    m_records.erase(m_records.begin(), m_records.begin() + count);
    m_firstSerial = end;
}

void LineMonitorModel::refilter()
{
    beginResetModel();
    m_shown.clear();
    for (size_t i = 0; i < m_records.size(); ++i) {
        if (accepts(m_records[i]))
            m_shown.push_back(m_firstSerial + qint64(i));
    }
    endResetModel();
}

void LineMonitorModel::setRynFilter(int rynAddr)
{
    if (rynAddr == m_rynFilter)
        return;
    m_rynFilter = rynAddr;
    refilter();
}

void LineMonitorModel::setErrorsOnly(bool errorsOnly)
{
    if (errorsOnly == m_errorsOnly)
        return;
    m_errorsOnly = errorsOnly;
    refilter();
}

void LineMonitorModel::setPaused(bool paused)
{
    if (paused == m_paused)
        return;
    m_paused = paused;
    if (!paused) {
        LineRecordList waiting;
        waiting.swap(m_waiting);
        append(waiting);
    }
    emit signalCountsChanged();
}

void LineMonitorModel::clear()
{
    beginResetModel();
    m_firstSerial += qint64(m_records.size());
    m_records.clear();
    m_shown.clear();
    m_waiting.clear();
    m_lost = 0;
    endResetModel();
    emit signalCountsChanged();
}
