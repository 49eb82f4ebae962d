#include "linemonitorfeed.h"

#include <QTimer>

#include <utility>

LineMonitorFeed::LineMonitorFeed(Clock wallMs, QObject *parent)
    : QObject(parent)
    , m_wallMs(std::move(wallMs))
{}

void LineMonitorFeed::setEnabled(bool on)
{
    m_recorder.setEnabled(on);
    if (!on && m_timer)
        m_timer->stop();
}

void LineMonitorFeed::start(Clock lineMs)
{
    m_lineMs = std::move(lineMs);
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &LineMonitorFeed::sendRecords, Qt::QueuedConnection);
}

void LineMonitorFeed::begin(int rynAddr, int cmdCode)
{
    m_rynAddr = rynAddr;
    m_cmdCode = cmdCode;
    m_transactions = 0;
}

void LineMonitorFeed::recordTransaction(const ModbusLink::Trace &trace)
{
    ++m_transactions;
    LineRecord record;
    record.startedMs = m_wallMs() - (m_lineMs() - trace.startedMs);
    record.rynAddr = m_rynAddr;
    record.cmdCode = m_cmdCode;
    record.result = trace.transaction.result;
    record.exceptionCode = trace.transaction.exceptionCode;
    record.durationMs = int(trace.finishedMs - trace.startedMs);
    record.request = trace.request;
    record.answer = trace.transaction.answer;
    m_recorder.add(record);
    sendRecords();
}

void LineMonitorFeed::recordRefusal(int rynAddr, int cmdCode, int result)
{
    if (!m_recorder.isEnabled())
        return;
    LineRecord record;
    record.startedMs = m_wallMs();
    record.rynAddr = rynAddr;
    record.cmdCode = cmdCode;
    record.result = result;
    m_recorder.add(record);
    sendRecords();
}

// A batch leaves at once when the last one left 100 ms ago or more; otherwise the timer sends it
// when it is due (and, on a line gone quiet, sends the last records).
void LineMonitorFeed::sendRecords()
{
    if (m_recorder.isEmpty() || !m_lineMs)
        return;
    const qint64 wait = m_recorder.msUntilDue(m_lineMs());
    if (wait > 0) {
        if (!m_timer->isActive())
            m_timer->start(int(wait));
        return;
    }
    m_timer->stop();
    int lost = 0;
    const LineRecordList records = m_recorder.take(m_lineMs(), lost);
    emit signalLineRecords(records, lost);
}
