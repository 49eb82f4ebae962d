#pragma once

#include "modbusevent.h"

#include <QByteArray>

// Modbus RTU as the tool speaks it: frame builders, the CRC and the judgement of an answer.
// Pure functions; numbers on the wire are big-endian, the CRC goes low byte first.
namespace ModbusProtocol {

enum Result : int
{
    ResultOk = 0,
    ResultNoAnswer = 1,
    ResultBadFrame = 2,
    ResultCrcError = 3,
    ResultPortError = 4,
    ResultException = 5,
    ResultUnknownCommand = 6,
    ResultNoTypes = 255,
};

constexpr int answerWindowMs = 202;
// The line: 19200 baud, 11 bits a character (start, 8 data, 2 stop).
constexpr int baudRate = 19200;
constexpr int bitsPerCharacter = 11;
// Milliseconds (rounded up) that `bytes` characters take on the line.
constexpr int lineTimeMs(int bytes)
{
    return (bytes * bitsPerCharacter * 1000 + baudRate - 1) / baudRate;
}
constexpr int maxWriteRegisters = 125;
// The controllers on a line answer at addresses 1..8.
constexpr int maxRynAddr = 8;

// Function 3. The answer is count * 2 + 5 bytes long.
QByteArray readHoldingRegisters(quint8 slave, quint16 start, quint16 count);
inline int readAnswerLength(int count)
{
    return count * 2 + 5;
}

// Function 16; the quantity is data.size() / 2 (an odd last byte is not sent). The answer is 8 bytes.
QByteArray writeMultipleRegisters(quint8 slave, quint16 start, const QByteArray &data);
constexpr int writeAnswerLength = 8;

// Registers 5222..5223 := [info[0], command byte, info[1], info[2]]. Empty unless info is exactly
// three bytes long: an empty request puts nothing on the line.
QByteArray writeCommandRegisters(quint8 slave, quint8 commandByte, const QByteArray &info);

// Modbus CRC-16 (polynomial 0xA001 reflected, initial 0xFFFF) as the two bytes sent: low byte first.
QByteArray crc16(const char *data, int length);
inline QByteArray crc16(const QByteArray &data)
{
    return crc16(data.constData(), data.size());
}

struct Validation
{
    Result result = ResultNoAnswer;
    quint8 exceptionCode = 0;
};

// Judges a collected answer to `request`: its length, its CRC (exception answers included), and its
// header, which must name the request's slave and its function code (or that code's exception form).
// A late answer from another slave or to an earlier request is a bad frame, never data.
Validation validate(const QByteArray &answer, int expectedLength, const QByteArray &request);

// Adapters that hear their own transmitter put a copy of the request in front of the answer; one whose
// receiver switches on mid-frame catches only the request's end. An echo is never taken as an answer.
// How long `received` must grow while it is (the start of) a whole echo: the echo and the answer;
// 0 when it does not begin like the request.
int echoedAnswerLength(const QByteArray &received, int expectedLength, const QByteArray &request);
// Whether `received` holds a complete answer, allowing for an echo in front of it: a suffix of the
// request counts as an echo only when a valid answer (or exception answer) follows it.
bool echoedAnswerComplete(const QByteArray &received, int expectedLength, const QByteArray &request);
// The bytes at the front of `received` that are an echo of `request`: all of the request when it
// begins with the whole request, a suffix of it when a valid answer follows or nothing does,
// otherwise 0.
int echoLength(const QByteArray &received, int expectedLength, const QByteArray &request);

// The data bytes of a normal answer: without slave, function, byte count and CRC.
QByteArray answerData(const QByteArray &answer);

} // namespace ModbusProtocol
