#include "modbusprotocol.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace ModbusProtocol;

class TestModbusProtocol : public QObject
{
    Q_OBJECT

private slots:
    void crc_data();
    void crc();
    void readFrame_data();
    void readFrame();
    void writeFrame_data();
    void writeFrame();
    void commandFrame_data();
    void commandFrame();
    void validateAnswer_data();
    void validateAnswer();
    void anyFrameYieldsAResult();
    void answerDataStripsHeaderAndCrc();
};

void TestModbusProtocol::crc_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("crc");
    // Expected values from the Modbus over serial line guide and a bitwise reference implementation.
    QTest::addRow("read-one-register") << QByteArray::fromHex("010300000001") << QByteArray::fromHex("840a");
    QTest::addRow("modbus-guide-example")
        << QByteArray::fromHex("1103006b0003") << QByteArray::fromHex("7687");
    QTest::addRow("read-eight-from-0x12")
        << QByteArray::fromHex("010300120008") << QByteArray::fromHex("e409");
    QTest::addRow("exception-header") << QByteArray::fromHex("0183") << QByteArray::fromHex("4181");
    QTest::addRow("single-byte") << QByteArray::fromHex("01") << QByteArray::fromHex("7e80");
    QTest::addRow("empty-is-initial-value") << QByteArray() << QByteArray::fromHex("ffff");
    QTest::addRow("command-write") << QByteArray::fromHex("01101466000204"
                                                          "0c440000")
                                   << QByteArray::fromHex("c9e8");
}

void TestModbusProtocol::crc()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, crc);
    QCOMPARE(crc16(bytes), crc);
}

void TestModbusProtocol::readFrame_data()
{
    QTest::addColumn<int>("slave");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("count");
    QTest::addColumn<QByteArray>("frame");
    QTest::addRow("ping") << 1 << 976 << 1
                          << QByteArray::fromHex("010303d00001") + crc16(QByteArray::fromHex("010303d00001"));
    QTest::addRow("types-block") << 3 << 10000 << 125
                                 << QByteArray::fromHex("03032710007d") +
                                        crc16(QByteArray::fromHex("03032710007d"));
    QTest::addRow("first-register") << 1 << 0 << 1 << QByteArray::fromHex("010300000001840a");
}

void TestModbusProtocol::readFrame()
{
    QFETCH(int, slave);
    QFETCH(int, start);
    QFETCH(int, count);
    QFETCH(QByteArray, frame);
    QCOMPARE(readHoldingRegisters(quint8(slave), quint16(start), quint16(count)), frame);
    QCOMPARE(readAnswerLength(count), count * 2 + 5);
}

void TestModbusProtocol::writeFrame_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("header");
    QTest::addRow("one-register") << QByteArray::fromHex("0005")
                                  << QByteArray::fromHex("011017720001"
                                                         "02");
    QTest::addRow("odd-byte-dropped") << QByteArray::fromHex("000507")
                                      << QByteArray::fromHex("011017720001"
                                                             "02");
    QTest::addRow("125-registers") << QByteArray(250, '\xff')
                                   << QByteArray::fromHex("01101772007d"
                                                          "fa");
}

void TestModbusProtocol::writeFrame()
{
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, header);
    const QByteArray frame = writeMultipleRegisters(1, 6002, data);
    const int quantity = data.size() / 2;
    QCOMPARE(frame.size(), 7 + quantity * 2 + 2);
    QCOMPARE(frame.left(7), header);
    QCOMPARE(frame.mid(7, quantity * 2), data.left(quantity * 2));
    QCOMPARE(frame.right(2), crc16(frame.left(frame.size() - 2)));
}

void TestModbusProtocol::commandFrame_data()
{
    QTest::addColumn<QByteArray>("info");
    QTest::addColumn<QByteArray>("frame");
    const QByteArray redLed = QByteArray::fromHex("01101466000204"
                                                  "0c440000");
    QTest::addRow("red-led-unit-12") << QByteArray::fromHex("0c0000") << redLed + crc16(redLed);
    QTest::addRow("empty-info") << QByteArray() << QByteArray();
    QTest::addRow("two-bytes") << QByteArray::fromHex("0c00") << QByteArray();
    QTest::addRow("four-bytes") << QByteArray::fromHex("0c000000") << QByteArray();
}

void TestModbusProtocol::commandFrame()
{
    QFETCH(QByteArray, info);
    QFETCH(QByteArray, frame);
    // CMD_AU_RED_LED_ON is 1068: command byte (1068 + 24) mod 256 = 0x44.
    QCOMPARE(writeCommandRegisters(1, 0x44, info), frame);
}

static QByteArray framed(const char *hex)
{
    const QByteArray bytes = QByteArray::fromHex(hex);
    return bytes + crc16(bytes);
}

void TestModbusProtocol::validateAnswer_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("exceptionCode");
    const QByteArray read = readHoldingRegisters(1, 976, 1);
    const QByteArray write = writeMultipleRegisters(1, 6002, QByteArray::fromHex("0001"));
    const QByteArray good = framed("01030203f2");
    QByteArray badCrc = good;
    badCrc[6] = char(badCrc.at(6) ^ 0x01);
    QTest::addRow("nothing") << QByteArray() << 7 << read << int(ResultNoAnswer) << 0;
    QTest::addRow("one-byte") << QByteArray("\x01", 1) << 7 << read << int(ResultBadFrame) << 0;
    QTest::addRow("four-bytes") << QByteArray::fromHex("01030203") << 7 << read << int(ResultBadFrame) << 0;
    QTest::addRow("exception") << framed("018302") << 7 << read << int(ResultException) << 2;
    QTest::addRow("noise-shaped-like-an-exception")
        << QByteArray::fromHex("0183020000") << 7 << read << int(ResultCrcError) << 0;
    QTest::addRow("exception-from-another-slave")
        << framed("028302") << 7 << read << int(ResultBadFrame) << 0;
    QTest::addRow("exception-of-another-function")
        << framed("019002") << 7 << read << int(ResultBadFrame) << 0;
    QTest::addRow("five-bytes-no-exception-bit") << framed("010302") << 7 << read << int(ResultBadFrame) << 0;
    QTest::addRow("five-bytes-expected-still-exception")
        << framed("019004") << 5 << write << int(ResultException) << 4;
    QTest::addRow("good") << good << 7 << read << int(ResultOk) << 0;
    QTest::addRow("crc-error-one-bit-off") << badCrc << 7 << read << int(ResultCrcError) << 0;
    QTest::addRow("answer-from-another-slave")
        << framed("02030203f2") << 7 << read << int(ResultBadFrame) << 0;
    QTest::addRow("answer-of-another-function")
        << framed("01040203f2") << 7 << read << int(ResultBadFrame) << 0;
    QTest::addRow("answer-to-nothing-sent") << good << 7 << QByteArray() << int(ResultBadFrame) << 0;
    QTest::addRow("six-of-seven") << good.left(6) << 7 << read << int(ResultBadFrame) << 0;
    QTest::addRow("extra-byte") << good + '\x00' << 7 << read << int(ResultBadFrame) << 0;
    QTest::addRow("write-echo") << framed("011017720001") << 8 << write << int(ResultOk) << 0;
}

void TestModbusProtocol::validateAnswer()
{
    QFETCH(QByteArray, answer);
    QFETCH(int, expected);
    QFETCH(QByteArray, request);
    QFETCH(int, result);
    QFETCH(int, exceptionCode);
    const Validation validation = validate(answer, expected, request);
    QCOMPARE(int(validation.result), result);
    QCOMPARE(int(validation.exceptionCode), exceptionCode);
}

void TestModbusProtocol::anyFrameYieldsAResult()
{
    QRandomGenerator random(20261208);
    for (int round = 0; round < 20000; ++round) {
        QByteArray answer(random.bounded(300), Qt::Uninitialized);
        for (char &byte : answer)
            byte = char(random.bounded(256));
        const int expected = random.bounded(260);
        const Result result = validate(answer, expected, answer.left(2)).result;
        QVERIFY(result == ResultNoAnswer || result == ResultBadFrame || result == ResultCrcError ||
                result == ResultException || result == ResultOk);
        QVERIFY(answerData(answer).size() <= qMax(0, answer.size() - 5));
    }
}

void TestModbusProtocol::answerDataStripsHeaderAndCrc()
{
    QCOMPARE(answerData(QByteArray::fromHex("01030203f2aabb")), QByteArray::fromHex("03f2"));
    QCOMPARE(answerData(QByteArray::fromHex("0103")), QByteArray());
}

QTEST_GUILESS_MAIN(TestModbusProtocol)
#include "tst_modbusprotocol.moc"
