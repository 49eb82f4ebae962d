#pragma once

#include "modbuslink.h"

// Reading a controller's event buffer: the waiting count, up to 62 events, and the acknowledging
// re-read of the count.
namespace EventBuffer {

// A failed read carries no events, except when only the acknowledgement failed: then the events are
// handed on together with that failure.
struct ReadResult
{
    int result = ModbusProtocol::ResultOk;
    quint8 exceptionCode = 0;
    ModbusProtocol::EventList events;
};

// Every transaction is counted by the link's failure accounting. `received` stamps the events.
//
// A controller takes a read of register 0 straight after a read of events as the word that those
// events arrived, and drops them. When the events did not arrive intact (their answer was damaged
// or lost, or the acknowledgement was refused), the controller still holds that word in waiting:
// `staleAcknowledgement` is set, kept by the caller for this controller, and the next read starts
// with another request to the controller, which cancels it, before register 0 is read again.
// Nothing is added on a clean line.
ReadResult read(ModbusLink &link, quint8 slave, const QDateTime &received, bool &staleAcknowledgement);

// Events from the data bytes of an answer: four bytes each (input, unit, parameter, code).
ModbusProtocol::EventList decode(const QByteArray &data, quint8 slave, const QDateTime &received);

} // namespace EventBuffer
