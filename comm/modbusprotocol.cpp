#include "modbusprotocol.h"

#include <algorithm>
#include <array>

namespace ModbusProtocol {

namespace {

void appendWord(QByteArray &frame, quint16 value)
{
    frame.append(char(value >> 8));
    frame.append(char(value & 0xFF));
}

QByteArray withCrc(QByteArray frame)
{
    frame.append(crc16(frame));
    return frame;
}

// The usual pair of tables: the high and the low byte of the CRC for every value of the index.
struct CrcTables
{
    std::array<quint8, 256> high{};
    std::array<quint8, 256> low{};

    CrcTables()
    {
        for (int i = 0; i < 256; ++i) {
            quint16 crc = quint16(i);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
            low[i] = quint8(crc & 0xFF);
            high[i] = quint8(crc >> 8);
        }
    }
};

const CrcTables &crcTables()
{
    static const CrcTables tables;
    return tables;
}

} // namespace

QByteArray crc16(const char *data, int length)
{
    const CrcTables &tables = crcTables();
    quint8 crcLow = 0xFF;
    quint8 crcHigh = 0xFF;
    for (int i = 0; i < length; ++i) {
        const quint8 index = crcLow ^ quint8(data[i]);
        crcLow = crcHigh ^ tables.low[index];
        crcHigh = tables.high[index];
    }
    QByteArray crc;
    crc.append(char(crcLow));
    crc.append(char(crcHigh));
    return crc;
}

QByteArray readHoldingRegisters(quint8 slave, quint16 start, quint16 count)
{
    QByteArray frame;
    frame.append(char(slave));
    frame.append(char(0x03));
    appendWord(frame, start);
    appendWord(frame, count);
    return withCrc(frame);
}

QByteArray writeMultipleRegisters(quint8 slave, quint16 start, const QByteArray &data)
{
    const int quantity = data.size() / 2;
    QByteArray frame;
    frame.append(char(slave));
    frame.append(char(0x10));
    appendWord(frame, start);
    appendWord(frame, quint16(quantity));
    frame.append(char(quantity * 2));
    frame.append(data.left(quantity * 2));
    return withCrc(frame);
}

QByteArray writeCommandRegisters(quint8 slave, quint8 commandByte, const QByteArray &info)
{
    if (info.size() != 3)
        return QByteArray();
    QByteArray frame;
    frame.append(char(slave));
    frame.append(char(0x10));
    appendWord(frame, 5222);
    appendWord(frame, 2);
    frame.append(char(4));
    frame.append(info.at(0));
    frame.append(char(commandByte));
    frame.append(info.at(1));
    frame.append(info.at(2));
    return withCrc(frame);
}

Validation validate(const QByteArray &answer, int expectedLength, const QByteArray &request)
{
    const int length = answer.size();
    if (length == 0)
        return {ResultNoAnswer, 0};
    if (length < 5)
        return {ResultBadFrame, 0};
    const bool exception = length == 5;
    if (exception && !(quint8(answer.at(1)) & 0x80))
        return {ResultBadFrame, 0};
    if (!exception && length != expectedLength)
        return {ResultBadFrame, 0};
    if (crc16(answer.constData(), length - 2) != answer.right(2))
        return {ResultCrcError, 0};
    if (request.size() < 2 || answer.at(0) != request.at(0))
        return {ResultBadFrame, 0};
    const quint8 function = quint8(request.at(1));
    if (exception)
        return quint8(answer.at(1)) == (function | 0x80) ? Validation{ResultException, quint8(answer.at(2))}
                                                         : Validation{ResultBadFrame, 0};
    if (quint8(answer.at(1)) != function)
        return {ResultBadFrame, 0};
    return {ResultOk, 0};
}

namespace {

bool isAnswer(const Validation &validation)
{
    return validation.result == ResultOk || validation.result == ResultException;
}

bool beginsWithSuffix(const QByteArray &received, const QByteArray &request, int length)
{
    return received.size() >= length &&
           std::equal(request.constEnd() - length, request.constEnd(), received.constBegin());
}

} // namespace

int echoedAnswerLength(const QByteArray &received, int expectedLength, const QByteArray &request)
{
    if (request.isEmpty() || received.isEmpty())
        return 0;
    const bool whole = received.startsWith(request);
    const bool beginning = received.size() < request.size() && request.startsWith(received);
    return whole || beginning ? request.size() + expectedLength : 0;
}

bool echoedAnswerComplete(const QByteArray &received, int expectedLength, const QByteArray &request)
{
    const int echoed = echoedAnswerLength(received, expectedLength, request);
    if (echoed > 0)
        return received.size() >= echoed;
    if (received.size() < expectedLength)
        return false;
    bool suffix = false;
    for (int length = request.size() - 1; length >= 1; --length) {
        if (!beginsWithSuffix(received, request, length))
            continue;
        suffix = true;
        if (isAnswer(validate(received.mid(length), expectedLength, request)))
            return true;
    }
    // Without anything that looks like an echo the answer is judged as it stands, as without stripping.
    return !suffix || isAnswer(validate(received, expectedLength, request));
}

int echoLength(const QByteArray &received, int expectedLength, const QByteArray &request)
{
    if (request.isEmpty())
        return 0;
    if (received.startsWith(request))
        return request.size();
    if (isAnswer(validate(received, expectedLength, request)))
        return 0;
    for (int length = request.size() - 1; length >= 1; --length) {
        if (beginsWithSuffix(received, request, length) &&
            isAnswer(validate(received.mid(length), expectedLength, request)))
            return length;
    }
    // The end of the request and nothing behind it: no answer came, as after a whole echo alone.
    return request.endsWith(received) ? received.size() : 0;
}

QByteArray answerData(const QByteArray &answer)
{
    if (answer.size() < 5)
        return QByteArray();
    return answer.mid(3, answer.size() - 5);
}

} // namespace ModbusProtocol
