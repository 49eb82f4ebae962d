#include "eventbuffer.h"
#include "fakeslave.h"
#include "scriptedline.h"

#include <QtTest>

using namespace ModbusProtocol;

namespace {

QByteArray words(std::initializer_list<int> values)
{
    QByteArray data;
    for (int value : values) {
        data.append(char(value >> 8));
        data.append(char(value & 0xFF));
    }
    return data;
}

QByteArray countAnswer(int count)
{
    return FakeSlave::readAnswer(1, words({count}));
}

// Data of n events: event i is at unit i + 1 with code 10 + i.
QByteArray eventData(int n)
{
    QByteArray data;
    for (int i = 0; i < n; ++i)
        data.append(words({0x0100 | (i + 1), 0x0000 | (10 + i)}));
    return data;
}

QByteArray exceptionAnswer(quint8 code)
{
    const QByteArray frame = QByteArray::fromHex("0183") + char(code);
    return FakeSlave::framed(frame);
}

QByteArray corrupted(QByteArray frame)
{
    frame[frame.size() - 1] = char(frame.at(frame.size() - 1) ^ 0x55);
    return frame;
}

} // namespace

using Answers = QList<QByteArray>;

class TestEventBuffer : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void eventLayout();
    void everyTransactionIsCounted();
};

void TestEventBuffer::read_data()
{
    QTest::addColumn<bool>("stale");      // the previous read left an acknowledgement to cancel
    QTest::addColumn<Answers>("answers"); // one per request; empty = silence
    QTest::addColumn<int>("failWriteAt");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("events");
    QTest::addColumn<QStringList>("requests"); // "start+count" of every request sent
    QTest::addColumn<bool>("staleAfter");
    const QByteArray three = FakeSlave::readAnswer(1, eventData(3));
    const QByteArray controllerType = FakeSlave::readAnswer(1, words({1}));
    const QStringList readThree{"0+1", "1+6", "0+1"};
    QTest::addRow("nothing-waiting") << false << Answers{countAnswer(0)} << -1 << int(ResultOk) << 0
                                     << QStringList{"0+1"} << false;
    QTest::addRow("three-waiting") << false << Answers{countAnswer(3), three, countAnswer(0)} << -1
                                   << int(ResultOk) << 3 << readThree << false;
    QTest::addRow("hundred-waiting-takes-62")
        << false << Answers{countAnswer(100), FakeSlave::readAnswer(1, eventData(62)), countAnswer(38)} << -1
        << int(ResultOk) << 62 << QStringList{"0+1", "1+124", "0+1"} << false;
    QTest::addRow("count-silent") << false << Answers{QByteArray()} << -1 << int(ResultNoAnswer) << 0
                                  << QStringList{"0+1"} << false;
    QTest::addRow("count-exception") << false << Answers{exceptionAnswer(2)} << -1 << int(ResultException) << 0
                                     << QStringList{"0+1"} << false;
    const QByteArray wrongByteCount = QByteArray::fromHex("0103040003");
    QTest::addRow("count-with-wrong-byte-count") << false << Answers{FakeSlave::framed(wrongByteCount)} << -1
                                                 << int(ResultBadFrame) << 0 << QStringList{"0+1"} << false;
    // Events that did not arrive intact are not acknowledged, and the controller may still hold the
    // acknowledgement: the next read must cancel it before it reads register 0.
    QTest::addRow("events-silent-not-acknowledged")
        << false << Answers{countAnswer(3), QByteArray()} << -1 << int(ResultNoAnswer) << 0
        << QStringList{"0+1", "1+6"} << true;
    QTest::addRow("events-damaged-not-acknowledged")
        << false << Answers{countAnswer(3), corrupted(three)} << -1 << int(ResultCrcError) << 0
        << QStringList{"0+1", "1+6"} << true;
    QTest::addRow("events-fewer-than-asked")
        << false << Answers{countAnswer(3), FakeSlave::readAnswer(1, eventData(2))} << -1 << int(ResultBadFrame)
        << 0 << QStringList{"0+1", "1+6"} << true;
    QTest::addRow("events-write-fails") << false << Answers{countAnswer(3)} << 1 << int(ResultPortError) << 0
                                        << QStringList{"0+1"} << false;
    // An acknowledgement left unanswered or refused is sent again, up to three times...
    const QStringList ackedTwice{"0+1", "1+6", "0+1", "0+1"};
    const QStringList ackedThrice{"0+1", "1+6", "0+1", "0+1", "0+1"};
    QTest::addRow("acknowledge-silent-then-answered")
        << false << Answers{countAnswer(3), three, QByteArray(), countAnswer(0)} << -1 << int(ResultOk) << 3
        << ackedTwice << false;
    QTest::addRow("acknowledge-refused-then-answered")
        << false << Answers{countAnswer(3), three, exceptionAnswer(6), countAnswer(0)} << -1 << int(ResultOk) << 3
        << ackedTwice << false;
    // ...and once the events arrived intact they are handed on, whatever became of it...
    QTest::addRow("acknowledge-silent-keeps-events")
        << false << Answers{countAnswer(3), three, QByteArray(), QByteArray(), QByteArray()} << -1
        << int(ResultNoAnswer) << 3 << ackedThrice << false;
    QTest::addRow("acknowledge-damaged-keeps-events")
        << false << Answers{countAnswer(3), three, corrupted(countAnswer(0))} << -1 << int(ResultCrcError) << 3
        << readThree << false;
    // ...unless the controller refused it every time: then they are still waiting and come again.
    QTest::addRow("acknowledge-refused-leaves-events-waiting")
        << false << Answers{countAnswer(3), three, exceptionAnswer(6), exceptionAnswer(6), exceptionAnswer(6)}
        << -1 << int(ResultException) << 0 << ackedThrice << true;
    QTest::addRow("acknowledge-unwritable-is-skipped") << false << Answers{countAnswer(3), three} << 2
                                                       << int(ResultOk) << 3 << QStringList{"0+1", "1+6"}
                                                       << false;
    // A stale acknowledgement is cancelled by reading another register first.
    QTest::addRow("stale-cancelled-then-read")
        << true << Answers{controllerType, countAnswer(3), three, countAnswer(0)} << -1 << int(ResultOk) << 3
        << QStringList{"976+1", "0+1", "1+6", "0+1"} << false;
    QTest::addRow("stale-cancel-silent-reads-nothing")
        << true << Answers{QByteArray()} << -1 << int(ResultNoAnswer) << 0 << QStringList{"976+1"} << true;
    QTest::addRow("stale-cancel-refused-reads-nothing")
        << true << Answers{exceptionAnswer(6)} << -1 << int(ResultException) << 0 << QStringList{"976+1"}
        << true;
    QTest::addRow("stale-cancel-damaged-reads-nothing")
        << true << Answers{corrupted(controllerType)} << -1 << int(ResultCrcError) << 0 << QStringList{"976+1"}
        << true;
    QTest::addRow("stale-events-damaged-again")
        << true << Answers{controllerType, countAnswer(3), corrupted(three)} << -1 << int(ResultCrcError) << 0
        << QStringList{"976+1", "0+1", "1+6"} << true;
    QTest::addRow("stale-cancelled-events-unwritable")
        << true << Answers{controllerType, countAnswer(3)} << 2 << int(ResultPortError) << 0
        << QStringList{"976+1", "0+1"} << false;
}

void TestEventBuffer::read()
{
    QFETCH(bool, stale);
    QFETCH(Answers, answers);
    QFETCH(int, failWriteAt);
    QFETCH(int, result);
    QFETCH(int, events);
    QFETCH(QStringList, requests);
    QFETCH(bool, staleAfter);
    ScriptedLine line;
    ScriptedPort *port = line.port;
    port->failWriteAt = failWriteAt;
    int request = 0;
    port->responder = [&](const QByteArray &) {
        const QByteArray answer = request < answers.size() ? answers.at(request) : QByteArray();
        ++request;
        return answer.isEmpty() ? QList<ScriptedPort::Chunk>() : QList<ScriptedPort::Chunk>{{5, answer}};
    };
    const QDateTime received = QDateTime::currentDateTime();
    const EventBuffer::ReadResult read = EventBuffer::read(line.link, 1, received, stale);
    QCOMPARE(read.result, result);
    QCOMPARE(read.events.size(), events);
    QCOMPARE(stale, staleAfter);
    QStringList sent;
    for (const QByteArray &frame : port->requests) {
        QCOMPARE(frame.size(), 8);
        QCOMPARE(frame.left(2), QByteArray::fromHex("0103"));
        sent.append(QStringLiteral("%1+%2")
                        .arg(quint8(frame.at(2)) * 256 + quint8(frame.at(3)))
                        .arg(quint8(frame.at(4)) * 256 + quint8(frame.at(5))));
    }
    QCOMPARE(sent, requests);
    for (const ModbusEvent &event : read.events)
        QCOMPARE(event.received, received);
}

void TestEventBuffer::eventLayout()
{
    const EventList events = EventBuffer::decode(words({0x0203, 0x0466}), 5, QDateTime());
    QCOMPARE(events.size(), 1);
    QCOMPARE(int(events.first().rynAddr), 5);
    QCOMPARE(int(events.first().auAddr), 3);
    QCOMPARE(int(events.first().inputNumber), 2);
    QCOMPARE(int(events.first().evCode), 0x66);
    QCOMPARE(int(events.first().addParam), 4);
    QCOMPARE(EventBuffer::decode(QByteArray(7, '\x01'), 1, QDateTime()).size(), 1);
}

void TestEventBuffer::everyTransactionIsCounted()
{
    ScriptedLine line;
    // Silence on the events and on the acknowledgement would be two failures; silence on the count one.
    line.port->responder = [](const QByteArray &) { return QList<ScriptedPort::Chunk>(); };
    bool stale = false;
    EventBuffer::read(line.link, 1, QDateTime(), stale);
    QCOMPARE(line.link.consecutiveFailures(), 1);
    EventBuffer::read(line.link, 1, QDateTime(), stale);
    QCOMPARE(line.link.consecutiveFailures(), 2);
}

QTEST_GUILESS_MAIN(TestEventBuffer)
#include "tst_eventbuffer.moc"
