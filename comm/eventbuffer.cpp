#include "eventbuffer.h"

#include "registermap.h"

using namespace ModbusProtocol;

namespace EventBuffer {

namespace {

constexpr int acknowledgeAttempts = 3;

ReadResult failure(const ModbusLink::Transaction &transaction)
{
    ReadResult result;
    result.result = transaction.result;
    result.exceptionCode = transaction.exceptionCode;
    return result;
}

ReadResult failure(int code)
{
    ReadResult result;
    result.result = code;
    return result;
}

// The byte count field of a normal answer.
int byteCount(const QByteArray &answer)
{
    return answer.size() > 2 ? quint8(answer.at(2)) : -1;
}

} // namespace

ModbusProtocol::EventList decode(const QByteArray &data, quint8 slave, const QDateTime &received)
{
    EventList events;
    for (int i = 0; i + 4 <= data.size(); i += 4) {
        ModbusEvent event;
        event.received = received;
        event.rynAddr = slave;
        event.inputNumber = quint8(data.at(i));
        event.auAddr = quint8(data.at(i + 1));
        event.addParam = quint8(data.at(i + 2));
        event.evCode = quint8(data.at(i + 3));
        events.append(event);
    }
    return events;
}

ReadResult read(ModbusLink &link, quint8 slave, const QDateTime &received, bool &staleAcknowledgement)
{
    if (staleAcknowledgement) {
        // Only an answer proves that the controller took the request in; until one comes, register 0
        // is not read.
        const ModbusLink::Transaction cancel = link.transact(
            readHoldingRegisters(slave, RegisterMap::controllerBlockStart, 1), readAnswerLength(1));
        link.account(cancel.result);
        if (cancel.result != ResultOk)
            return failure(cancel);
        staleAcknowledgement = false;
    }

    const ModbusLink::Transaction count =
        link.transact(readHoldingRegisters(slave, RegisterMap::eventCountRegister, 1), readAnswerLength(1));
    link.account(count.result);
    if (count.result != ResultOk)
        return failure(count);
    if (byteCount(count.answer) != 2)
        return failure(ResultBadFrame);

    const int waiting = quint8(count.answer.at(3)) * 256 + quint8(count.answer.at(4));
    if (waiting == 0)
        return ReadResult();

    const int m = qMin(waiting, RegisterMap::maxEventsPerRead);
    const int registers = m * RegisterMap::registersPerEvent;
    const ModbusLink::Transaction events =
        link.transact(readHoldingRegisters(slave, RegisterMap::firstEventRegister, quint16(registers)),
                      readAnswerLength(registers));
    link.account(events.result);
    // A request that was never written cannot have reached the controller.
    if (events.result != ResultOk) {
        staleAcknowledgement = events.result != ResultPortError;
        return failure(events);
    }
    if (byteCount(events.answer) / 4 != m) {
        staleAcknowledgement = true;
        return failure(ResultBadFrame);
    }

    // Re-reading the count tells the controller that the events arrived; it may then drop them.
    // A damaged answer above is therefore never acknowledged: the events stay waiting for the next poll.
    // An acknowledgement that went unanswered or was refused is sent again at once: whether the first
    // one reached the controller or not, the events are then acknowledged, and not read again.
    ModbusLink::Transaction acknowledge;
    for (int attempt = 0; attempt < acknowledgeAttempts; ++attempt) {
        acknowledge =
            link.transact(readHoldingRegisters(slave, RegisterMap::eventCountRegister, 1), readAnswerLength(1));
        link.account(acknowledge.result);
        if (acknowledge.result != ResultNoAnswer && acknowledge.result != ResultException)
            break;
    }
    if (acknowledge.result == ResultException) {
        // Refused: the events are still waiting and come again, once the refused word is cancelled.
        staleAcknowledgement = true;
        return failure(acknowledge);
    }

    // The events arrived intact. When the acknowledgement went wrong on the way back the controller
    // may well have dropped them already: an event shown twice is better than one never shown.
    ReadResult result;
    if (acknowledge.result != ResultOk && acknowledge.result != ResultPortError)
        result = failure(acknowledge);
    result.events = decode(answerData(events.answer), slave, received);
    return result;
}

} // namespace EventBuffer
