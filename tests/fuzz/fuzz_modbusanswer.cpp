// What the line brings back: any bytes judged as the answer to a request, cut into data and read as
// events, and any sequence of answers to a whole event-buffer read.
#include "eventbuffer.h"
#include "fuzzinput.h"
#include "modbusprotocol.h"
#include "scriptedline.h"

using namespace ModbusProtocol;

namespace {

// Most random answers fail on their CRC: with the flag set, the harness gives each a correct one so
// that what comes after the CRC check is reached too.
QByteArray answer(FuzzInput &input, bool withCrc)
{
    const QByteArray bytes = input.chunk();
    return withCrc && !bytes.isEmpty() ? bytes + crc16(bytes) : bytes;
}

void judgeOneAnswer(FuzzInput &input, bool withCrc)
{
    const quint8 slave = input.byte();
    const quint16 count = quint16(input.byte() % 126);
    const bool write = input.byte() & 1;
    const QByteArray request = write ? writeMultipleRegisters(slave, 5222, QByteArray(2 * count, '\0'))
                                     : readHoldingRegisters(slave, 0, count);
    const int expected = write ? writeAnswerLength : readAnswerLength(count);
    const QByteArray bytes = answer(input, withCrc);

    const Validation validation = validate(bytes, expected, request);
    switch (validation.result) {
    case ResultOk:
        FUZZ_REQUIRE(bytes.size() == expected);
        FUZZ_REQUIRE(quint8(bytes.at(0)) == slave && bytes.at(1) == request.at(1));
        FUZZ_REQUIRE(crc16(bytes.left(bytes.size() - 2)) == bytes.right(2));
        break;
    case ResultException:
        FUZZ_REQUIRE(bytes.size() == 5 && quint8(bytes.at(1)) == (quint8(request.at(1)) | 0x80));
        FUZZ_REQUIRE(validation.exceptionCode == quint8(bytes.at(2)));
        break;
    case ResultNoAnswer:
        FUZZ_REQUIRE(bytes.isEmpty());
        break;
    case ResultBadFrame:
    case ResultCrcError:
        break;
    default:
        FUZZ_REQUIRE(false);
    }
    const QByteArray data = answerData(bytes);
    FUZZ_REQUIRE(data.size() == qMax(0, bytes.size() - 5));
    const EventList events = EventBuffer::decode(data, slave, QDateTime());
    FUZZ_REQUIRE(events.size() == data.size() / 4);
    for (const ModbusEvent &event : events)
        FUZZ_REQUIRE(event.rynAddr == slave);
}

// A whole event-buffer read, each of its requests answered by the next chunk of the input.
void readEventBuffer(FuzzInput &input, bool withCrc)
{
    const quint8 flags = input.byte();
    bool stale = flags & 1;
    const bool wasStale = stale;
    QList<QByteArray> answers;
    for (int i = 0; i < 6; ++i)
        answers.append(answer(input, withCrc));

    ScriptedLine line;
    ScriptedPort *port = line.port;
    port->failWriteAt = (flags >> 1) % 5 - 1;
    int request = 0;
    port->responder = [&](const QByteArray &) {
        const QByteArray bytes = answers.value(request++);
        return bytes.isEmpty() ? QList<ScriptedPort::Chunk>() : QList<ScriptedPort::Chunk>{{3, bytes}};
    };
    const EventBuffer::ReadResult read = EventBuffer::read(line.link, 1, QDateTime(), stale);

    FUZZ_REQUIRE(read.events.size() <= 62);
    FUZZ_REQUIRE(port->requests.size() <= 6); // cancel, count, events, three acknowledgements
    // Register 0 never follows an event read that did not arrive intact: after a stale read, the
    // first request goes elsewhere.
    const auto start = [port](int i) {
        return quint8(port->requests.at(i).at(2)) * 256 + quint8(port->requests.at(i).at(3));
    };
    if (wasStale && !port->requests.isEmpty())
        FUZZ_REQUIRE(start(0) != 0);
    if (!read.events.isEmpty())
        FUZZ_REQUIRE(!stale && read.result != ResultException);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const bool withCrc = input.byte() & 1;
    judgeOneAnswer(input, withCrc);
    readEventBuffer(input, withCrc);
    return 0;
}
