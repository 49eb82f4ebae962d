#include "backgroundprobes.h"

#include "modbusprotocol.h"

#include <QtGlobal>

using ModbusProtocol::maxRynAddr;

BackgroundProbes::BackgroundProbes(int intervalMs)
    : m_intervalMs(intervalMs)
{}

void BackgroundProbes::restart(qint64 now)
{
    m_lastProbed = 0;
    m_nextProbeAt = now + m_intervalMs;
}

void BackgroundProbes::portOpened(qint64 now)
{
    m_formerProbesLeft.clear();
    for (const int address : qAsConst(m_formerRyns))
        m_formerProbesLeft.insert(address, formerAttempts);
    m_nextFormerProbeAt = now;
}

void BackgroundProbes::forgetFormer()
{
    m_formerRyns.clear();
}

void BackgroundProbes::noteFound(int rynAddr)
{
    m_formerRyns.insert(rynAddr);
}

// The next address after the last one probed that no controller answers at, or 0.
int BackgroundProbes::nextMissing(const QList<int> &known) const
{
    for (int step = 1; step <= maxRynAddr; ++step) {
        const int address = (m_lastProbed + step - 1) % maxRynAddr + 1;
        if (!known.contains(address))
            return address;
    }
    return 0;
}

// A controller found on this line before, missing now, with quick probes left (the one with most
// left, so that several take turns); 0 when none.
int BackgroundProbes::nextFormer(const QList<int> &known) const
{
    int address = 0;
    int left = 0;
    for (auto it = m_formerProbesLeft.cbegin(); it != m_formerProbesLeft.cend(); ++it) {
        if (it.value() > left && !known.contains(it.key())) {
            address = it.key();
            left = it.value();
        }
    }
    return address;
}

bool BackgroundProbes::isFormerDue(qint64 now, const QList<int> &known) const
{
    return now >= m_nextFormerProbeAt && nextFormer(known) != 0;
}

bool BackgroundProbes::isDue(qint64 now, const QList<int> &known) const
{
    return isFormerDue(now, known) || (now >= m_nextProbeAt && nextMissing(known) != 0);
}

qint64 BackgroundProbes::msUntilDue(qint64 now, const QList<int> &known) const
{
    return (nextFormer(known) != 0 ? qMin(m_nextProbeAt, m_nextFormerProbeAt) : m_nextProbeAt) - now;
}

int BackgroundProbes::take(qint64 now, const QList<int> &known)
{
    if (isFormerDue(now, known)) {
        const int address = nextFormer(known);
        --m_formerProbesLeft[address];
        m_nextFormerProbeAt = now + formerIntervalMs;
        return address;
    }
    const int address = nextMissing(known);
    m_lastProbed = address;
    m_nextProbeAt = now + m_intervalMs;
    return address;
}
