#include "fakeslave.h"
#include "modbuslink.h"
#include "scriptedport.h"

#include <QtTest>

using namespace ModbusProtocol;
using Chunks = QList<ScriptedPort::Chunk>;
Q_DECLARE_METATYPE(Chunks)

static QList<int> repeated(int count, int value)
{
    return QVector<int>(count, value).toList();
}

// A link whose ports are scripted; the link's clock and sleeps run on the current port's clock.
struct ScriptedLink
{
    ScriptedPort *port = nullptr;
    qint64 lastNow = 0; // the clock of the last port the link deleted
    int created = 0;
    bool nextOpenSucceeds = true;
    QList<int> sleeps;
    QList<bool> reopened;
    ModbusLink link{[this](const QString &) {
        auto created = std::make_unique<ScriptedPort>();
        created->openSucceeds = nextOpenSucceeds;
        created->now = port ? port->now : lastNow;
        created->onDestroyed = [this](const ScriptedPort &gone) {
            lastNow = gone.now;
            if (port == &gone)
                port = nullptr;
        };
        port = created.get();
        ++this->created;
        return created;
    }};

    explicit ScriptedLink(const QString &name = QStringLiteral("scripted"))
    {
        link.setClock([this] { return port ? port->now : lastNow; });
        link.setSleeper([this](int msecs) {
            sleeps.append(msecs);
            if (port)
                port->advance(msecs);
        });
        link.setPortOpenedHandler([this](bool ok) { reopened.append(ok); });
        link.setPortName(name);
        link.openPort();
    }
};

class TestModbusLink : public QObject
{
    Q_OBJECT

private slots:
    void transact_data();
    void transact();
    void portErrors();
    void accounting_data();
    void accounting();
    void recoveryWithoutPortNameOnlyResetsTheCount();
    void recoveryReportsAFailedOpen();
    void echo_data();
    void echo();
};

void TestModbusLink::transact_data()
{
    QTest::addColumn<QByteArray>("garbage");
    QTest::addColumn<Chunks>("chunks");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("answerSize");
    QTest::addColumn<int>("exceptionCode");
    QTest::addColumn<int>("elapsedMin");
    QTest::addColumn<int>("elapsedMax");
    const QByteArray good = FakeSlave::readAnswer(1, QByteArray::fromHex("03f2"));
    QByteArray badCrc = good;
    badCrc[5] = char(badCrc.at(5) ^ 0x40);
    QTest::addRow("whole-answer") << QByteArray() << Chunks{{8, good}} << int(ResultOk) << 7 << 0 << 8 << 9;
    QTest::addRow("answer-in-three-chunks")
        << QByteArray() << Chunks{{10, good.left(2)}, {60, good.mid(2, 3)}, {150, good.mid(5)}}
        << int(ResultOk) << 7 << 0 << 150 << 151;
    QTest::addRow("garbage-before-request-discarded")
        << QByteArray("\x55\xaa\x01", 3) << Chunks{{8, good}} << int(ResultOk) << 7 << 0 << 8 << 9;
    QTest::addRow("silence") << QByteArray() << Chunks{} << int(ResultNoAnswer) << 0 << 0 << 202 << 204;
    QTest::addRow("last-byte-at-end-of-window")
        << QByteArray() << Chunks{{5, good.left(6)}, {203, good.mid(6)}} << int(ResultOk) << 7 << 0 << 203
        << 203;
    QTest::addRow("last-byte-too-late") << QByteArray() << Chunks{{5, good.left(6)}, {210, good.mid(6)}}
                                        << int(ResultBadFrame) << 6 << 0 << 202 << 204;
    QTest::addRow("extra-bytes-with-answer") << QByteArray() << Chunks{{8, good + QByteArray("\x00\x00", 2)}}
                                             << int(ResultBadFrame) << 9 << 0 << 8 << 9;
    QTest::addRow("extra-bytes-after-answer-stay-for-next")
        << QByteArray() << Chunks{{8, good}, {20, QByteArray("\x00", 1)}} << int(ResultOk) << 7 << 0 << 8
        << 9;
    QTest::addRow("crc-error") << QByteArray() << Chunks{{8, badCrc}} << int(ResultCrcError) << 7 << 0 << 8
                               << 9;
    const QByteArray exception = FakeSlave::framed(QByteArray::fromHex("018302"));
    QTest::addRow("exception-answer")
        << QByteArray() << Chunks{{8, exception}} << int(ResultException) << 5 << 2 << 202 << 204;
    QTest::addRow("noise-shaped-like-an-exception")
        << QByteArray() << Chunks{{8, QByteArray::fromHex("0183021234")}} << int(ResultCrcError) << 5 << 0
        << 202 << 204;
    // A late answer of the same length from the controller asked before.
    QTest::addRow("answer-from-another-slave")
        << QByteArray() << Chunks{{8, FakeSlave::readAnswer(2, QByteArray::fromHex("03f2"))}}
        << int(ResultBadFrame) << 7 << 0 << 8 << 9;
    QTest::addRow("short-garbage-only") << QByteArray() << Chunks{{8, QByteArray::fromHex("0103")}}
                                        << int(ResultBadFrame) << 2 << 0 << 202 << 204;
}

void TestModbusLink::transact()
{
    QFETCH(QByteArray, garbage);
    QFETCH(Chunks, chunks);
    QFETCH(int, result);
    QFETCH(int, answerSize);
    QFETCH(int, exceptionCode);
    QFETCH(int, elapsedMin);
    QFETCH(int, elapsedMax);
    ScriptedLink scripted;
    scripted.port->input = garbage;
    scripted.port->responder = [&](const QByteArray &) { return chunks; };
    const QByteArray request = readHoldingRegisters(1, 976, 1);
    const ModbusLink::Transaction transaction = scripted.link.transact(request, readAnswerLength(1));
    QCOMPARE(int(transaction.result), result);
    QCOMPARE(transaction.answer.size(), answerSize);
    QCOMPARE(int(transaction.exceptionCode), exceptionCode);
    QCOMPARE(scripted.port->requests, QList<QByteArray>{request});
    QCOMPARE(scripted.port->discarded, garbage.size());
    QVERIFY(scripted.port->flushes >= 1);
    QVERIFY2(scripted.port->now >= elapsedMin && scripted.port->now <= elapsedMax,
             qPrintable(QString::number(scripted.port->now)));
    // The link waits on the port rather than polling it every millisecond.
    QVERIFY2(scripted.port->waits <= 4, qPrintable(QString::number(scripted.port->waits)));
}

void TestModbusLink::portErrors()
{
    ModbusLink noPort([](const QString &) { return std::make_unique<ScriptedPort>(); });
    QCOMPARE(int(noPort.transact(readHoldingRegisters(1, 0, 1), 7).result), int(ResultPortError));

    ScriptedLink shortWrite;
    shortWrite.port->writeLimit = 3;
    QCOMPARE(int(shortWrite.link.transact(readHoldingRegisters(1, 0, 1), 7).result), int(ResultPortError));
    QCOMPARE(shortWrite.port->now, qint64(0));

    ScriptedLink closed;
    closed.port->close();
    QCOMPARE(int(closed.link.transact(readHoldingRegisters(1, 0, 1), 7).result), int(ResultPortError));

    // An executive command with a malformed info builds an empty request: nothing goes out, no answer.
    ScriptedLink empty;
    const ModbusLink::Transaction transaction = empty.link.transact(QByteArray(), writeAnswerLength);
    QCOMPARE(int(transaction.result), int(ResultNoAnswer));
    QVERIFY(empty.port->requests.isEmpty());
}

void TestModbusLink::accounting_data()
{
    QTest::addColumn<QList<int>>("results");
    QTest::addColumn<int>("recreations");
    QTest::addColumn<int>("failuresAfter");
    QTest::addColumn<int>("pauses");
    QTest::addRow("ten-no-answers") << repeated(10, 1) << 0 << 10 << 0;
    QTest::addRow("eleventh-no-answer-recreates") << repeated(11, 1) << 1 << 0 << 0;
    QTest::addRow("twenty-two-recreate-twice") << repeated(22, 1) << 2 << 0 << 0;
    QTest::addRow("port-errors-pause-except-on-recovery") << repeated(11, 4) << 1 << 0 << 10;
    QTest::addRow("mixed-one-and-four-count-together") << (repeated(6, 1) + repeated(5, 4)) << 1 << 0 << 4;
    for (int reset : {0, 2, 3, 5}) {
        QTest::addRow("result-%d-restarts-the-count", reset)
            << (repeated(10, 1) + QList<int>{reset} + repeated(10, 1)) << 0 << 10 << 0;
    }
    QTest::addRow("unknown-command-restarts-the-count")
        << (repeated(10, 1) + QList<int>{6} + QList<int>{1}) << 0 << 1 << 0;
}

void TestModbusLink::accounting()
{
    QFETCH(QList<int>, results);
    QFETCH(int, recreations);
    QFETCH(int, failuresAfter);
    QFETCH(int, pauses);
    ScriptedLink scripted;
    for (int result : results)
        scripted.link.account(result);
    QCOMPARE(scripted.created - 1, recreations);
    QCOMPARE(scripted.reopened.size(), recreations);
    QCOMPARE(scripted.link.consecutiveFailures(), failuresAfter);
    QCOMPARE(scripted.sleeps.size(), pauses);
    for (int sleep : scripted.sleeps)
        QCOMPARE(sleep, 100);
    QVERIFY(scripted.link.isOpen());
}

void TestModbusLink::recoveryWithoutPortNameOnlyResetsTheCount()
{
    ScriptedLink scripted{QString()};
    QVERIFY(!scripted.link.hasPort());
    for (int i = 0; i < 11; ++i)
        scripted.link.account(ResultPortError);
    QCOMPARE(scripted.created, 0);
    QCOMPARE(scripted.link.consecutiveFailures(), 0);
    QVERIFY(scripted.reopened.isEmpty());
}

void TestModbusLink::recoveryReportsAFailedOpen()
{
    ScriptedLink scripted;
    scripted.nextOpenSucceeds = false;
    for (int i = 0; i < 11; ++i)
        scripted.link.account(ResultNoAnswer);
    QCOMPARE(scripted.reopened, QList<bool>{false});
    QVERIFY(!scripted.link.isOpen());
    QCOMPARE(int(scripted.link.transact(readHoldingRegisters(1, 0, 1), 7).result), int(ResultPortError));
}



void TestModbusLink::echo_data()
{
    QTest::addColumn<bool>("strip");
    QTest::addColumn<bool>("write");
    QTest::addColumn<int>("echoed");   // bytes of the request echoed: its end, -1 for all of it
    QTest::addColumn<QString>("behind"); // what follows the echo: answer, exception, bad-crc, nothing
    QTest::addColumn<bool>("together");  // echo and answer in one chunk
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("echoLength");
    QTest::addRow("no-echo") << true << false << 0 << "answer" << false << int(ResultOk) << 0;
    QTest::addRow("read-echo") << true << false << -1 << "answer" << false << int(ResultOk) << 8;
    QTest::addRow("read-echo-one-chunk") << true << false << -1 << "answer" << true << int(ResultOk) << 8;
    QTest::addRow("write-echo") << true << true << -1 << "answer" << false << int(ResultOk) << 13;
    QTest::addRow("partial-echo") << true << false << 3 << "answer" << true << int(ResultOk) << 3;
    QTest::addRow("partial-write-echo-one-byte") << true << true << 1 << "answer" << false << int(ResultOk) << 1;
    QTest::addRow("echo-and-exception") << true << false << -1 << "exception" << false << int(ResultException)
                                        << 8;
    QTest::addRow("echo-and-bad-crc") << true << false << -1 << "bad-crc" << false << int(ResultCrcError) << 8;
    QTest::addRow("echo-alone-is-no-answer") << true << false << -1 << "nothing" << false << int(ResultNoAnswer)
                                             << 8;
    QTest::addRow("write-echo-alone-is-no-answer") << true << true << -1 << "nothing" << false
                                                   << int(ResultNoAnswer) << 13;
    QTest::addRow("partial-echo-alone-is-no-answer") << true << false << 5 << "nothing" << false
                                                     << int(ResultNoAnswer) << 5;
    QTest::addRow("partial-echo-and-bad-crc-is-a-bad-frame") << true << false << 3 << "bad-crc" << true
                                                             << int(ResultBadFrame) << 0;
    QTest::addRow("not-stripped-read-echo") << false << false << -1 << "answer" << false << int(ResultBadFrame)
                                            << 0;
    QTest::addRow("not-stripped-write-echo") << false << true << -1 << "answer" << false << int(ResultBadFrame)
                                             << 0;
}

void TestModbusLink::echo()
{
    QFETCH(bool, strip);
    QFETCH(bool, write);
    QFETCH(int, echoed);
    QFETCH(QString, behind);
    QFETCH(bool, together);
    QFETCH(int, result);
    QFETCH(int, echoLength);
    const QByteArray request = write ? writeMultipleRegisters(1, 100, QByteArray::fromHex("0102030405"))
                                     : readHoldingRegisters(1, 100, 1);
    const int expected = write ? writeAnswerLength : readAnswerLength(1);
    QByteArray answer = write ? FakeSlave::framed(request.left(6)) : FakeSlave::readAnswer(1, QByteArray::fromHex("03f2"));
    if (behind == QLatin1String("exception"))
        answer = FakeSlave::framed(QByteArray::fromHex("018302"));
    if (behind == QLatin1String("bad-crc"))
        answer[answer.size() - 1] = char(answer.at(answer.size() - 1) ^ 0x11);
    if (behind == QLatin1String("nothing"))
        answer.clear();
    const QByteArray echo = echoed < 0 ? request : request.right(echoed);
    ScriptedLink scripted;
    scripted.link.setStripEcho(strip);
    QList<int> counts;
    scripted.link.setEchoHandler([&counts](int echoes) { counts.append(echoes); });
    scripted.port->responder = [&](const QByteArray &) {
        if (together)
            return Chunks{{6, echo + answer}};
        return Chunks{{lineTimeMs(echo.size()), echo}, {lineTimeMs(echo.size()) + 4, answer}};
    };
    const ModbusLink::Transaction transaction = scripted.link.transact(request, expected);
    QCOMPARE(int(transaction.result), result);
    QCOMPARE(transaction.echoLength, echoLength);
    if (result == ResultOk)
        QCOMPARE(transaction.answer, answer);
    QCOMPARE(scripted.link.echoes(), echoLength > 0 ? 1 : 0);
    QCOMPARE(counts, echoLength > 0 ? QList<int>{1} : QList<int>());
    // A complete answer ends the wait at once, echo or not.
    if (result == ResultOk)
        QVERIFY(scripted.port->now < answerWindowMs);
}

QTEST_GUILESS_MAIN(TestModbusLink)
#include "tst_modbuslink.moc"
