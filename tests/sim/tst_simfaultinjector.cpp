#include "simfaultinjector.h"
#include "simframe.h"

#include <QtTest>

// Injected faults must spoil an answer in the way a master recognises, be reproducible from the seed,
// and be counted one by one.
class TestSimFaultInjector : public QObject
{
    Q_OBJECT

private slots:
    void spoiledAnswers_data();
    void spoiledAnswers();
    void rateLists_data();
    void rateLists();
    void sameSeedSameFaults();
    void countsFollowTheRates();
};

// How a master that knows the expected length judges what it collected: 0 good, 2 wrong length, 3 CRC.
static int judge(const QByteArray &received, int expectedLength)
{
    if (received.size() != expectedLength)
        return 2;
    return SimFrame::hasValidCrc(received) ? 0 : 3;
}

void TestSimFaultInjector::spoiledAnswers_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("judgement");
    QTest::addColumn<bool>("burstAtTheEnd");
    QTest::addRow("crc-error") << int(SimFaultInjector::CrcError) << 3 << false;
    QTest::addRow("truncated") << int(SimFaultInjector::Truncated) << 2 << false;
    QTest::addRow("extra-bytes") << int(SimFaultInjector::ExtraBytes) << 2 << true;
    QTest::addRow("garbage-before") << int(SimFaultInjector::Garbage) << 2 << true;
    QTest::addRow("late-is-unchanged") << int(SimFaultInjector::Late) << 0 << false;
}

void TestSimFaultInjector::spoiledAnswers()
{
    QFETCH(int, kind);
    QFETCH(int, judgement);
    QFETCH(bool, burstAtTheEnd);
    const QByteArray answer = SimFrame::readAnswer(1, {1, 2, 3, 4, 5, 6, 7, 8});
    SimFaultInjector injector(7);
    // Many draws of the random parts: every one of them must be recognised.
    for (int i = 0; i < 500; ++i) {
        const SimFaultInjector::Spoiled spoiled = injector.spoil(SimFaultInjector::Kind(kind), answer);
        QCOMPARE(judge(spoiled.bytes, answer.size()), judgement);
        // A master stops collecting at the expected length: the bytes beyond it must come with it.
        QCOMPARE(spoiled.burstFrom, burstAtTheEnd ? answer.size() - 1 : -1);
        if (kind == SimFaultInjector::Garbage)
            QVERIFY(spoiled.bytes.endsWith(answer));
    }
}

void TestSimFaultInjector::rateLists_data()
{
    QTest::addColumn<QString>("rates");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("text");
    QTest::addRow("two-faults") << QStringLiteral("noanswer=0.02,crc=0.01") << true
                                << QStringLiteral("noanswer=0.02,crc=0.01");
    QTest::addRow("off") << QStringLiteral("off") << true << QStringLiteral("off");
    QTest::addRow("every-kind")
        << QStringLiteral("noanswer=.1,crc=.1,truncated=.1,extra=.1,garbage=.1,exception=.1,late=.1") << true
        << QStringLiteral("noanswer=0.1,crc=0.1,truncated=0.1,extra=0.1,garbage=0.1,"
                          "exception=0.1,late=0.1");
    QTest::addRow("unknown-name") << QStringLiteral("parity=0.1") << false << QStringLiteral("off");
    QTest::addRow("rate-above-one") << QStringLiteral("crc=1.5") << false << QStringLiteral("off");
    QTest::addRow("sum-above-one") << QStringLiteral("crc=0.6,late=0.6") << false << QStringLiteral("off");
    QTest::addRow("not-a-number") << QStringLiteral("crc=often") << false << QStringLiteral("off");
}

void TestSimFaultInjector::rateLists()
{
    QFETCH(QString, rates);
    QFETCH(bool, accepted);
    QFETCH(QString, text);
    SimFaultInjector injector;
    QCOMPARE(injector.setRates(rates).isEmpty(), accepted);
    QCOMPARE(injector.ratesText(), text);
}

void TestSimFaultInjector::sameSeedSameFaults()
{
    SimFaultInjector first(42);
    SimFaultInjector second(42);
    const QString rates = QStringLiteral("noanswer=0.1,crc=0.1,truncated=0.1,garbage=0.1");
    QVERIFY(first.setRates(rates).isEmpty());
    QVERIFY(second.setRates(rates).isEmpty());
    const QByteArray answer = SimFrame::writeAnswer(1, 5222, 2);
    for (int i = 0; i < 1000; ++i) {
        const SimFaultInjector::Kind kind = first.draw();
        QCOMPARE(second.draw(), kind);
        QCOMPARE(first.spoil(kind, answer).bytes, second.spoil(kind, answer).bytes);
    }
    QCOMPARE(first.countsText(), second.countsText());
}

void TestSimFaultInjector::countsFollowTheRates()
{
    SimFaultInjector injector(3);
    QVERIFY(injector.setRates(QStringLiteral("noanswer=0.05,late=0.15")).isEmpty());
    int none = 0;
    for (int i = 0; i < 10000; ++i)
        none += injector.draw() == SimFaultInjector::None ? 1 : 0;
    QCOMPARE(none + injector.count(SimFaultInjector::NoAnswer) + injector.count(SimFaultInjector::Late),
             10000);
    QVERIFY(qAbs(injector.count(SimFaultInjector::NoAnswer) - 500) < 100);
    QVERIFY(qAbs(injector.count(SimFaultInjector::Late) - 1500) < 150);
    QCOMPARE(injector.count(SimFaultInjector::CrcError), 0);
}

QTEST_GUILESS_MAIN(TestSimFaultInjector)
#include "tst_simfaultinjector.moc"
