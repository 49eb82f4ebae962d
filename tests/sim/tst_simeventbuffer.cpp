#include "simeventbuffer.h"

#include <QtTest>

// The event buffer's handshake with the master and its overflow: the two places where events can
// be lost or shown twice.
class TestSimEventBuffer : public QObject
{
    Q_OBJECT

private slots:
    void acknowledgement_data();
    void acknowledgement();
    void overflowDropsOldestAndReportsTheLoss_data();
    void overflowDropsOldestAndReportsTheLoss();
    void registersCarryTheFourBytes();
};

namespace {

SimEvent unitEvent(int unit, int code)
{
    SimEvent event;
    event.unit = quint8(unit);
    event.code = quint8(code);
    return event;
}

QList<int> codesOf(const SimEventBuffer &buffer)
{
    QList<int> codes;
    for (const SimEvent &event : buffer.events())
        codes.append(event.code);
    return codes;
}

} // namespace

void TestSimEventBuffer::acknowledgement_data()
{
    // Steps: "r S C" a read of C registers from S, "o" another request, "p N" an event with code N.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<int>>("left");

    const QStringList threeEvents = {QStringLiteral("p 1"), QStringLiteral("p 2"), QStringLiteral("p 3")};
    QTest::addRow("events-then-count-acknowledge")
        << threeEvents +
               QStringList{QStringLiteral("r 0 1"), QStringLiteral("r 1 6"), QStringLiteral("r 0 1")}
        << QList<int>{};
    QTest::addRow("only-the-events-read-are-acknowledged")
        << threeEvents + QStringList{QStringLiteral("r 1 4"), QStringLiteral("r 0 1")} << QList<int>{3};
    QTest::addRow("another-request-in-between-keeps-them")
        << threeEvents + QStringList{QStringLiteral("r 1 6"), QStringLiteral("o"), QStringLiteral("r 0 1")}
        << QList<int>{1, 2, 3};
    QTest::addRow("count-alone-acknowledges-nothing")
        << threeEvents + QStringList{QStringLiteral("r 0 1"), QStringLiteral("r 0 1")} << QList<int>{1, 2, 3};
    QTest::addRow("event-raised-between-read-and-count-stays")
        << threeEvents + QStringList{QStringLiteral("r 1 6"), QStringLiteral("p 4"), QStringLiteral("r 0 1")}
        << QList<int>{4};
    QTest::addRow("read-beyond-the-waiting-events-acknowledges-those-there")
        << threeEvents + QStringList{QStringLiteral("r 1 124"), QStringLiteral("r 0 1")} << QList<int>{};
    QTest::addRow("read-not-from-the-first-event-acknowledges-nothing")
        << threeEvents + QStringList{QStringLiteral("r 3 4"), QStringLiteral("r 0 1")} << QList<int>{1, 2, 3};
    QTest::addRow("half-an-event-is-not-read")
        << threeEvents + QStringList{QStringLiteral("r 1 3"), QStringLiteral("r 0 1")} << QList<int>{2, 3};
}

void TestSimEventBuffer::acknowledgement()
{
    QFETCH(QStringList, steps);
    QFETCH(QList<int>, left);
    SimEventBuffer buffer;
    for (const QString &step : steps) {
        const QStringList words = step.split(QLatin1Char(' '));
        if (words.at(0) == QLatin1String("p"))
            buffer.push(unitEvent(1, words.at(1).toInt()));
        else if (words.at(0) == QLatin1String("r"))
            buffer.noteRead(words.at(1).toInt(), words.at(2).toInt());
        else
            buffer.noteOtherRequest();
    }
    QCOMPARE(codesOf(buffer), left);
}

void TestSimEventBuffer::overflowDropsOldestAndReportsTheLoss_data()
{
    QTest::addColumn<int>("pushed");
    QTest::addColumn<QList<int>>("expected");
    QTest::addColumn<int>("lostReported");

    // Capacity 4, events numbered 1, 2, 3, ...; 104 is the overflow record.
    QTest::addRow("exactly-full") << 4 << QList<int>{1, 2, 3, 4} << 0;
    QTest::addRow("one-too-many-makes-room-for-the-record") << 5 << QList<int>{3, 4, 5, 104} << 2;
    QTest::addRow("the-record-keeps-counting") << 6 << QList<int>{4, 5, 104, 6} << 3;
    QTest::addRow("record-pushed-out-is-renewed") << 9 << QList<int>{7, 8, 9, 104} << 6;
}

void TestSimEventBuffer::overflowDropsOldestAndReportsTheLoss()
{
    QFETCH(int, pushed);
    QFETCH(QList<int>, expected);
    QFETCH(int, lostReported);
    SimEventBuffer buffer(4);
    for (int code = 1; code <= pushed; ++code)
        buffer.push(unitEvent(1, code));
    QCOMPARE(codesOf(buffer), expected);
    int reported = 0;
    for (const SimEvent &event : buffer.events())
        reported = event.code == SimEventBuffer::overflowCode ? event.param : reported;
    QCOMPARE(reported, lostReported);
    QVERIFY(buffer.waiting() <= buffer.capacity());
    QCOMPARE(buffer.totalRaised(), pushed); // the overflow record is no event of a unit
    buffer.clear();
    QCOMPARE(buffer.totalRaised(), 0);
}

void TestSimEventBuffer::registersCarryTheFourBytes()
{
    SimEventBuffer buffer;
    SimEvent event;
    event.input = 2;
    event.unit = 3;
    event.param = 4;
    event.code = 0x66;
    buffer.push(event);
    QCOMPARE(buffer.registerValue(0), quint16(1));
    QCOMPARE(buffer.registerValue(1), quint16(0x0203));
    QCOMPARE(buffer.registerValue(2), quint16(0x0466));
    QCOMPARE(buffer.registerValue(3), quint16(0));
}

QTEST_GUILESS_MAIN(TestSimEventBuffer)
#include "tst_simeventbuffer.moc"
