#include "recorder.h"

#include <QMutexLocker>

void Recorder::written(const QByteArray &request)
{
    QMutexLocker locker(&m_mutex);
    m_transactions.push_back({m_clock.nsecsElapsed(), request, 0});
}

void Recorder::received(int bytes)
{
    QMutexLocker locker(&m_mutex);
    if (!m_transactions.empty())
        m_transactions.back().answerBytes += bytes;
}

std::vector<Transaction> Recorder::since(qint64 ns) const
{
    QMutexLocker locker(&m_mutex);
    std::vector<Transaction> result;
    for (const Transaction &transaction : m_transactions) {
        if (transaction.writtenNs >= ns)
            result.push_back(transaction);
    }
    return result;
}
