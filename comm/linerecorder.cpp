#include "linerecorder.h"

#include <QtGlobal>

void LineRecorder::setEnabled(bool enabled)
{
    m_enabled = enabled;
    if (!enabled) {
        m_records.clear();
        m_lost = 0;
    }
}

void LineRecorder::add(const LineRecord &record)
{
    if (!m_enabled)
        return;
    if (m_records.size() >= capacity) {
        ++m_lost;
        return;
    }
    m_records.append(record);
}

qint64 LineRecorder::msUntilDue(qint64 now) const
{
    if (!m_sentAny)
        return 0;
    return qMax<qint64>(0, m_lastSentMs + batchIntervalMs - now);
}

LineRecordList LineRecorder::take(qint64 now, int &lost)
{
    m_sentAny = true;
    m_lastSentMs = now;
    lost = m_lost;
    m_lost = 0;
    LineRecordList records;
    records.swap(m_records);
    return records;
}
