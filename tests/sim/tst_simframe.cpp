#include "simframe.h"
#include "simrequestframer.h"

#include <QtTest>

// The slave side of the framing: the CRC against frames from an independent master, and how
// requests are found in a stream that may hold noise, split frames and broken requests.
class TestSimFrame : public QObject
{
    Q_OBJECT

private slots:
    void crcMatchesAnIndependentMaster_data();
    void crcMatchesAnIndependentMaster();
    void framerFindsRequests_data();
    void framerFindsRequests();
    void answersAreWellFormed_data();
    void answersAreWellFormed();
};

void TestSimFrame::crcMatchesAnIndependentMaster_data()
{
    QTest::addColumn<QByteArray>("frame");
    // Requests as mbpoll (libmodbus) put them on the line, CRC included.
    QTest::addRow("mbpoll-read-controller-block") << QByteArray::fromHex("010303d0001c45be");
    QTest::addRow("mbpoll-read-types") << QByteArray::fromHex("010327100003"
                                                              "0eba");
    QTest::addRow("mbpoll-read-outside-map") << QByteArray::fromHex("01030bb8000387ca");
    QTest::addRow("mbpoll-read-absent-slave") << QByteArray::fromHex("020303d000030445");
    QTest::addRow("one-register-at-zero") << QByteArray::fromHex("010300000001840a");
}

void TestSimFrame::crcMatchesAnIndependentMaster()
{
    QFETCH(QByteArray, frame);
    QVERIFY(SimFrame::hasValidCrc(frame));
    QCOMPARE(SimFrame::appendCrc(frame.left(frame.size() - 2)), frame);
    QByteArray broken = frame;
    broken[2] = char(broken.at(2) ^ 0x01);
    QVERIFY(!SimFrame::hasValidCrc(broken));
}

void TestSimFrame::framerFindsRequests_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<bool>("idleAtEnd");
    QTest::addColumn<QList<QByteArray>>("expected");
    QTest::addColumn<int>("broken");

    const QByteArray read = QByteArray::fromHex("010303d0001c45be");
    const QByteArray write = SimFrame::appendCrc(QByteArray::fromHex("011014660002040c440000"));
    const QByteArray reportId = SimFrame::appendCrc(QByteArray::fromHex("0111"));
    QByteArray crcOff = read;
    crcOff[7] = char(crcOff.at(7) ^ 0x40);
    QByteArray wrongByteCount = write;
    wrongByteCount[6] = char(0x40); // announces 64 data bytes that never come

    QTest::addRow("one-read-request") << QList<QByteArray>{read} << false << QList<QByteArray>{read} << 0;
    QTest::addRow("write-of-the-command-registers")
        << QList<QByteArray>{write} << false << QList<QByteArray>{write} << 0;
    QTest::addRow("two-requests-in-one-chunk")
        << QList<QByteArray>{read + write} << false << QList<QByteArray>{read, write} << 0;
    QTest::addRow("request-split-across-chunks")
        << QList<QByteArray>{write.left(3), write.mid(3, 5), write.mid(8)} << false
        << QList<QByteArray>{write} << 0;
    QTest::addRow("noise-before-a-request")
        << QList<QByteArray>{QByteArray::fromHex("ff00") + read} << false << QList<QByteArray>{read} << 1;
    QTest::addRow("crc-error-one-bit-off") << QList<QByteArray>{crcOff} << true << QList<QByteArray>{} << 1;
    QTest::addRow("crc-error-then-good-request")
        << QList<QByteArray>{crcOff, read} << false << QList<QByteArray>{read} << 1;
    QTest::addRow("cut-request-ended-by-silence")
        << QList<QByteArray>{read.left(5)} << true << QList<QByteArray>{} << 1;
    QTest::addRow("byte-count-too-large-then-silence")
        << QList<QByteArray>{wrongByteCount} << true << QList<QByteArray>{} << 1;
    QTest::addRow("unknown-function-taken-at-silence")
        << QList<QByteArray>{reportId} << true << QList<QByteArray>{reportId} << 0;
    QTest::addRow("unknown-function-waits-for-silence")
        << QList<QByteArray>{reportId} << false << QList<QByteArray>{} << 0;
}

void TestSimFrame::framerFindsRequests()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(bool, idleAtEnd);
    QFETCH(QList<QByteArray>, expected);
    QFETCH(int, broken);

    SimRequestFramer framer;
    QList<QByteArray> found;
    QList<QByteArray> dropped;
    for (const QByteArray &chunk : chunks) {
        found += framer.feed(chunk);
        dropped += framer.takeBroken();
    }
    if (idleAtEnd) {
        found += framer.lineIdle();
        dropped += framer.takeBroken();
        QVERIFY(!framer.hasPendingBytes());
    }
    QCOMPARE(found, expected);
    QCOMPARE(dropped.size(), broken);
}

void TestSimFrame::answersAreWellFormed_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QByteArray>("body");

    QTest::addRow("read-two-registers")
        << SimFrame::readAnswer(1, {0x000E, 0x1234}) << QByteArray::fromHex("010304000e1234");
    QTest::addRow("write-acknowledgement")
        << SimFrame::writeAnswer(2, 5222, 2) << QByteArray::fromHex("021014660002");
    QTest::addRow("exception-illegal-address")
        << SimFrame::exceptionAnswer(3, 3, SimFrame::IllegalDataAddress) << QByteArray::fromHex("038302");
}

void TestSimFrame::answersAreWellFormed()
{
    QFETCH(QByteArray, answer);
    QFETCH(QByteArray, body);
    QCOMPARE(answer.left(answer.size() - 2), body);
    QVERIFY(SimFrame::hasValidCrc(answer));
}

QTEST_GUILESS_MAIN(TestSimFrame)
#include "tst_simframe.moc"
