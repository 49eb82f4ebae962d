#include "simeventbuffer.h"

#include <QtGlobal>

SimEventBuffer::SimEventBuffer(int capacity)
    : m_capacity(qMax(2, capacity))
{}

void SimEventBuffer::push(const SimEvent &event)
{
    if (m_events.size() >= m_capacity)
        dropOldest();
    m_events.append(event);
    ++m_totalRaised;
    if (m_lostSinceReport == 0)
        return;
    if (m_overflowIndex >= 0) {
        m_events[m_overflowIndex].param = quint8(qMin(255, m_lostSinceReport));
        return;
    }
    if (m_events.size() >= m_capacity)
        dropOldest();
    SimEvent overflow;
    overflow.code = overflowCode;
    overflow.param = quint8(qMin(255, m_lostSinceReport));
    m_events.append(overflow);
    m_overflowIndex = m_events.size() - 1;
}

void SimEventBuffer::clear()
{
    m_events.clear();
    m_totalRaised = 0;
    m_readNotAcknowledged = 0;
    m_overflowIndex = -1;
    m_lostSinceReport = 0;
}

quint16 SimEventBuffer::registerValue(int reg) const
{
    if (reg == 0)
        return quint16(m_events.size());
    const int index = (reg - 1) / 2;
    if (reg < 0 || index >= m_events.size())
        return 0;
    const SimEvent &event = m_events.at(index);
    if ((reg - 1) % 2 == 0)
        return quint16(event.input << 8 | event.unit);
    return quint16(event.param << 8 | event.code);
}

void SimEventBuffer::noteRead(int start, int count)
{
    if (start == 0 && m_readNotAcknowledged > 0) {
        const int acknowledged = qMin(m_readNotAcknowledged, m_events.size());
        m_events.erase(m_events.begin(), m_events.begin() + acknowledged);
        if (m_overflowIndex >= 0) {
            m_overflowIndex -= acknowledged;
            if (m_overflowIndex < 0) { // the master has it: the next loss starts a new count
                m_overflowIndex = -1;
                m_lostSinceReport = 0;
            }
        }
    }
    m_readNotAcknowledged = 0;
    // Only whole events read from the first one on count as read.
    const int last = start + count - 1;
    if (start <= 1 && last >= 2)
        m_readNotAcknowledged = qMin(last / 2, m_events.size());
}

void SimEventBuffer::noteOtherRequest()
{
    m_readNotAcknowledged = 0;
}

void SimEventBuffer::dropOldest()
{
    if (m_events.isEmpty())
        return;
    const bool overflowRecord = m_overflowIndex == 0;
    m_events.removeFirst();
    ++m_totalLost;
    if (!overflowRecord)
        ++m_lostSinceReport;
    if (m_readNotAcknowledged > 0)
        --m_readNotAcknowledged;
    if (m_overflowIndex >= 0)
        --m_overflowIndex; // -1 when the overflow event itself went: a new one follows the next event
}
