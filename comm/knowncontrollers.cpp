#include "knowncontrollers.h"

void KnownControllers::add(int rynAddr)
{
    if (!m_ryns.contains(rynAddr))
        m_ryns.append(rynAddr);
    m_failures.insert(rynAddr, 0);
}

void KnownControllers::clear()
{
    m_ryns.clear();
    m_failures.clear();
}

void KnownControllers::restartRound()
{
    m_roundIndex = 0;
}

int KnownControllers::nextInRound()
{
    if (m_roundIndex >= m_ryns.size())
        m_roundIndex = 0;
    return m_ryns.at(m_roundIndex++);
}

int KnownControllers::countNoAnswer(int rynAddr)
{
    const int failures = m_failures.value(rynAddr) + 1;
    m_failures.insert(rynAddr, failures);
    return failures;
}

void KnownControllers::countAnswer(int rynAddr)
{
    m_failures.insert(rynAddr, 0);
}

void KnownControllers::drop(int rynAddr)
{
    --m_roundIndex;
    m_ryns.removeAll(rynAddr);
    m_failures.remove(rynAddr);
}
