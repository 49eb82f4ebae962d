#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QVector>

// One transaction on the line as the traffic monitor shows it. A command of several transactions
// (an event read, a read-then-write) gives one record for each, all carrying its code; a command
// that never reached the line (an unknown code, no types known, no port) gives one record without
// a request.
struct LineRecord
{
    qint64 startedMs = 0; // wall clock, milliseconds since the epoch
    int rynAddr = 0;
    int cmdCode = 0;
    int result = 0; // ModbusProtocol::Result
    quint8 exceptionCode = 0;
    int durationMs = 0; // from the write to the end of the answer
    QByteArray request;
    QByteArray answer; // as collected; empty when nothing came
};

using LineRecordList = QVector<LineRecord>;

Q_DECLARE_METATYPE(LineRecordList)
