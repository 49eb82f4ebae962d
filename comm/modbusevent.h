#pragma once

#include <QDateTime>
#include <QList>
#include <QMetaType>

// One record of a controller's event buffer. The controller sends no time: `received` is when
// the worker read it.
struct ModbusEvent
{
    QDateTime received;
    quint8 rynAddr = 0;     // controller the event was read from
    quint8 auAddr = 0;      // unit address
    quint8 inputNumber = 0; // input of the unit
    quint8 evCode = 0;
    quint8 addParam = 0; // additional parameter

    bool operator==(const ModbusEvent &other) const
    {
        return received == other.received && rynAddr == other.rynAddr && auAddr == other.auAddr &&
               inputNumber == other.inputNumber && evCode == other.evCode && addParam == other.addParam;
    }
};

namespace ModbusProtocol {
using EventList = QList<ModbusEvent>;
}

Q_DECLARE_METATYPE(ModbusEvent)
Q_DECLARE_METATYPE(ModbusProtocol::EventList)
