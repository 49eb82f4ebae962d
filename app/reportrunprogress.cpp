#include "reportrunprogress.h"

ReportRunProgress::ReportRunProgress(QObject *parent)
    : QObject(parent)
{}

void ReportRunProgress::forget()
{
    m_readingRyns.clear();
}

void ReportRunProgress::slotStarted(const QList<int> &rynAddrs)
{
    m_readingRyns = rynAddrs;
    if (!m_readingRyns.isEmpty())
        emit signalReading(m_readingRyns.first());
}

void ReportRunProgress::slotCompleted(int rynAddr)
{
    m_readingRyns.removeOne(rynAddr);
    if (m_readingRyns.isEmpty())
        emit signalEnded();
    else
        emit signalReading(m_readingRyns.first());
}

void ReportRunProgress::slotAborted()
{
    m_readingRyns.clear();
    emit signalEnded();
}
