#include "linkcounters.h"

#include "modbusprotocol.h"

using namespace ModbusProtocol;

namespace {

constexpr int eventControllerStarted = 0x65;

} // namespace

LinkCounters::LinkCounters(QObject *parent)
    : QObject(parent)
{}

void LinkCounters::countTransmitted()
{
    ++m_rynCounts[m_countedRyn].transmitted;
    ++m_totals.transmitted;
}

void LinkCounters::countAnswer(int errCode, const QByteArray &answer, bool countReceived)
{
    Counts &ryn = m_rynCounts[m_countedRyn];
    if (errCode == ResultNoAnswer || errCode == ResultPortError) {
        ++ryn.noAnswer;
        ++m_totals.noAnswer;
    } else {
        emit signalAnswerHeard();
        if (countReceived) {
            ++ryn.received;
            ++m_totals.received;
        }
    }
    if (errCode == ResultBadFrame || errCode == ResultCrcError) {
        ++ryn.linkErrors;
        ++m_totals.linkErrors;
    }
    if (errCode == ResultException) {
        ++ryn.modbusErrors;
        ++m_totals.modbusErrors;
        if (!answer.isEmpty()) {
            const int code = int(qint8(answer.at(0)));
            ++m_modbusErrorCodes[m_countedRyn][code];
            emit signalModbusErrorCode(code);
        }
    }
    refresh();
}

void LinkCounters::countEvents(const EventList &events)
{
    emit signalAnswerHeard();
    Counts &ryn = m_rynCounts[m_countedRyn];
    ++ryn.received;
    ++m_totals.received;
    for (const ModbusEvent &event : events) {
        if (event.evCode == eventControllerStarted) {
            ryn.noAnswer = 0;
            ryn.linkErrors = 0;
            ryn.modbusErrors = 0;
            m_modbusErrorCodes.remove(m_countedRyn);
            emit signalModbusErrorCodes({});
            break;
        }
    }
    refresh();
}

void LinkCounters::refresh()
{
    emit signalTotalsChanged();
    const Counts ryn = m_rynCounts.value(m_countedRyn);
    emit signalRxTimeoutErrCntChanged(ryn.noAnswer);
    emit signalRxCommErrCntChanged(ryn.linkErrors);
    emit signalRxModbusErrCntChanged(ryn.modbusErrors);
}

void LinkCounters::restart(int rynAddr)
{
    m_rynCounts.insert(rynAddr, Counts());
    m_modbusErrorCodes.remove(rynAddr);
}

void LinkCounters::countFor(int rynAddr)
{
    m_countedRyn = rynAddr;
    refresh();
    emit signalModbusErrorCodes(m_modbusErrorCodes.value(rynAddr));
}
