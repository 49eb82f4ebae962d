#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// Modbus RTU as the simulated controllers see it from the slave side: the CRC, the length of a
// request from its first bytes, and the answers. Written apart from the tool's own framing so that
// a mistake in one is not hidden by the same mistake in the other.
namespace SimFrame {

// CRC-16/MODBUS computed bit by bit; on the wire the low byte goes first.
quint16 crc16(const char *data, int length);
inline quint16 crc16(const QByteArray &bytes)
{
    return crc16(bytes.constData(), bytes.size());
}

// The frame with its CRC appended, low byte first.
QByteArray appendCrc(const QByteArray &body);

// True when the last two bytes are the CRC of the others.
bool hasValidCrc(const QByteArray &frame);

enum : int
{
    LengthNeedMore = -1, // the bytes so far do not tell the length yet
    LengthUnknown = 0,   // a function whose request length only the end of the frame can tell
};

// Length of the request that starts the buffer, from its function code (and byte count).
int requestLength(const QByteArray &buffer);

enum ExceptionCode : quint8
{
    IllegalFunction = 1,
    IllegalDataAddress = 2,
    IllegalDataValue = 3,
    SlaveDeviceBusy = 6,
};

constexpr quint8 readFunction = 3;
constexpr quint8 writeFunction = 16;
constexpr int maxRegisters = 125;

// A request as the slave understood it. For function 16, `values` holds the registers written.
struct Request
{
    quint8 slave = 0;
    quint8 function = 0;
    quint16 start = 0;
    quint16 count = 0;
    QVector<quint16> values;
    bool byteCountMatches = true; // function 16: byte count == 2 * quantity
};

// Decodes a frame whose CRC has been checked.
Request parseRequest(const QByteArray &frame);

QByteArray readAnswer(quint8 slave, const QVector<quint16> &registers);
QByteArray writeAnswer(quint8 slave, quint16 start, quint16 count);
QByteArray exceptionAnswer(quint8 slave, quint8 function, quint8 code);

// "01 03 00 00" for traces.
QString hex(const QByteArray &bytes);

} // namespace SimFrame
