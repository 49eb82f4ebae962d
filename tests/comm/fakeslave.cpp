#include "fakeslave.h"

FakeSlave::FakeSlave(quint8 address)
    : address(address)
{}

QByteArray FakeSlave::crc(const QByteArray &bytes)
{
    quint16 crc = 0xFFFF;
    for (char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    QByteArray result;
    result.append(char(crc & 0xFF));
    result.append(char(crc >> 8));
    return result;
}

QByteArray FakeSlave::framed(const QByteArray &bytes)
{
    return bytes + crc(bytes);
}

QByteArray FakeSlave::readAnswer(quint8 address, const QByteArray &data)
{
    QByteArray answer;
    answer.append(char(address));
    answer.append(char(0x03));
    answer.append(char(data.size()));
    answer.append(data);
    return framed(answer);
}

QList<ScriptedPort::Chunk> FakeSlave::respond(const QByteArray &request)
{
    if (silent || request.size() < 8 || quint8(request.at(0)) != address ||
        crc(request.left(request.size() - 2)) != request.right(2))
        return {};
    auto word = [&](int index) {
        return quint16(quint8(request.at(index)) << 8 | quint8(request.at(index + 1)));
    };
    const quint8 function = quint8(request.at(1));
    const quint16 start = word(2);
    const quint16 count = word(4);
    auto exception = [&](quint8 code) {
        QByteArray answer;
        answer.append(char(address));
        answer.append(char(function | 0x80));
        answer.append(char(code));
        return QList<ScriptedPort::Chunk>{{answerDelayMs, framed(answer)}};
    };
    if (function == 0x03) {
        if (count == 0 || count > 125)
            return exception(3);
        QByteArray data;
        for (int i = 0; i < count; ++i) {
            const quint16 value = memory.at((start + i) & 0xFFFF);
            data.append(char(value >> 8));
            data.append(char(value & 0xFF));
        }
        return {{answerDelayMs, readAnswer(address, data)}};
    }
    if (function == 0x10) {
        if (count == 0 || count > 125 || request.size() != 9 + count * 2)
            return exception(3);
        QVector<quint16> values;
        for (int i = 0; i < count; ++i) {
            values.append(word(7 + 2 * i));
            memory[(start + i) & 0xFFFF] = values.last();
        }
        writes.append({start, values});
        return {{answerDelayMs, framed(request.left(6))}};
    }
    return exception(1);
}

ScriptedPort::Responder FakeSlave::responder()
{
    return [this](const QByteArray &request) { return respond(request); };
}
