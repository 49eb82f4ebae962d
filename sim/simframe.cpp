#include "simframe.h"

namespace SimFrame {

quint16 crc16(const char *data, int length)
{
    quint16 crc = 0xFFFF;
    for (int i = 0; i < length; ++i) {
        crc ^= quint8(data[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return crc;
}

QByteArray appendCrc(const QByteArray &body)
{
    const quint16 crc = crc16(body);
    QByteArray frame = body;
    frame.append(char(crc & 0xFF));
    frame.append(char(crc >> 8));
    return frame;
}

bool hasValidCrc(const QByteArray &frame)
{
    if (frame.size() < 3)
        return false;
    const quint16 crc = crc16(frame.constData(), frame.size() - 2);
    return quint8(frame.at(frame.size() - 2)) == (crc & 0xFF) &&
           quint8(frame.at(frame.size() - 1)) == (crc >> 8);
}

int requestLength(const QByteArray &buffer)
{
    if (buffer.size() < 2)
        return LengthNeedMore;
    switch (quint8(buffer.at(1))) {
    case 1: // the fixed-length requests of the standard functions
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
        return 8;
    case 15:
    case 16:
        if (buffer.size() < 7)
            return LengthNeedMore;
        return 9 + quint8(buffer.at(6));
    default:
        return LengthUnknown;
    }
}

static quint16 wordAt(const QByteArray &bytes, int index)
{
    return quint16(quint8(bytes.at(index)) << 8 | quint8(bytes.at(index + 1)));
}

Request parseRequest(const QByteArray &frame)
{
    Request request;
    if (frame.size() < 4)
        return request;
    request.slave = quint8(frame.at(0));
    request.function = quint8(frame.at(1));
    if (frame.size() < 8)
        return request;
    request.start = wordAt(frame, 2);
    request.count = wordAt(frame, 4);
    if (request.function == writeFunction && frame.size() >= 9) {
        const int byteCount = quint8(frame.at(6));
        request.byteCountMatches = byteCount == 2 * request.count && frame.size() == 9 + byteCount;
        for (int i = 0; i + 1 < byteCount && 7 + i + 1 < frame.size() - 2; i += 2)
            request.values.append(wordAt(frame, 7 + i));
    }
    return request;
}

QByteArray readAnswer(quint8 slave, const QVector<quint16> &registers)
{
    QByteArray body;
    body.append(char(slave));
    body.append(char(readFunction));
    body.append(char(registers.size() * 2));
    for (const quint16 value : registers) {
        body.append(char(value >> 8));
        body.append(char(value & 0xFF));
    }
    return appendCrc(body);
}

QByteArray writeAnswer(quint8 slave, quint16 start, quint16 count)
{
    QByteArray body;
    body.append(char(slave));
    body.append(char(writeFunction));
    body.append(char(start >> 8));
    body.append(char(start & 0xFF));
    body.append(char(count >> 8));
    body.append(char(count & 0xFF));
    return appendCrc(body);
}

QByteArray exceptionAnswer(quint8 slave, quint8 function, quint8 code)
{
    QByteArray body;
    body.append(char(slave));
    body.append(char(function | 0x80));
    body.append(char(code));
    return appendCrc(body);
}

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ')).toUpper();
}

} // namespace SimFrame
