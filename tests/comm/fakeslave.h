#pragma once

#include "scriptedport.h"

#include <QMap>
#include <QVector>

// A Modbus RTU slave with a plain register memory, for driving the master's requests in tests. Its
// CRC is computed bit by bit, independently of the master's table-driven one.
class FakeSlave
{
public:
    explicit FakeSlave(quint8 address = 1);

    // Answers function 3 and 16 from memory; exceptions for other functions and bad counts.
    QList<ScriptedPort::Chunk> respond(const QByteArray &request);
    ScriptedPort::Responder responder();

    static QByteArray crc(const QByteArray &bytes);
    // The bytes with their CRC appended: a whole frame.
    static QByteArray framed(const QByteArray &bytes);
    static QByteArray readAnswer(quint8 address, const QByteArray &data);

    quint8 address;
    QVector<quint16> memory = QVector<quint16>(65536, 0);
    int answerDelayMs = 5;
    bool silent = false;
    QList<QPair<quint16, QVector<quint16>>> writes; // start and values of every write, in order
};
