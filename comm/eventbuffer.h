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
ReadResult read(ModbusLink &link, quint8 slave, const QDateTime &received);

// Events from the data bytes of an answer: four bytes each (input, unit, parameter, code).
ModbusProtocol::EventList decode(const QByteArray &data, quint8 slave, const QDateTime &received);

} // namespace EventBuffer
