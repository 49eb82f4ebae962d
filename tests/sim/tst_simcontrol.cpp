#include "simbus.h"
#include "simcontrol.h"
#include "simscenario.h"

#include <QtTest>

// The control language tests and engineers script the line with: every line gets one reply, and a
// bad line changes nothing. The timeline runs in the same language.
class TestSimControl : public QObject
{
    Q_OBJECT

private slots:
    void replies_data();
    void replies();
    void timelineRunsInOrderAndRepeats();
};

namespace {
const char *const twoControllers = R"({"controllers":[
    {"address":1,"initSeconds":0,"units":[{"address":5,"type":4},{"address":6,"type":2}]},
    {"address":2,"initSeconds":0,"units":[{"address":1,"type":5}]}]})";
}

void TestSimControl::replies_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("check"); // a "get" line whose reply shows the effect, or empty
    QTest::addColumn<QString>("checkReply");

    QTest::addRow("comment") << QStringLiteral("# a note") << QStringLiteral("OK") << QString() << QString();
    QTest::addRow("set-a-unit-value") << QStringLiteral("set 1 5 smoke 60") << QStringLiteral("OK")
                                      << QStringLiteral("get 1 5 smoke") << QStringLiteral("OK smoke=60");
    QTest::addRow("set-temperature-in-degrees")
        << QStringLiteral("set 1 6 temperature 35") << QStringLiteral("OK") << QStringLiteral("get 1 6 tUlo")
        << QStringLiteral("OK tUlo=127");
    QTest::addRow("hexadecimal-value") << QStringLiteral("set 1 5 smoke 0x40") << QStringLiteral("OK")
                                       << QStringLiteral("get 1 5 smoke") << QStringLiteral("OK smoke=64");
    QTest::addRow("value-out-of-range-changes-nothing")
        << QStringLiteral("set 1 5 smoke 300") << QStringLiteral("ERROR smoke must lie in 0..255")
        << QStringLiteral("get 1 5 smoke") << QStringLiteral("OK smoke=25");
    QTest::addRow("unknown-value-name")
        << QStringLiteral("set 1 5 smog 3") << QStringLiteral("ERROR unknown unit value \"smog\"")
        << QString() << QString();
    QTest::addRow("no-such-controller")
        << QStringLiteral("set 7 5 smoke 3") << QStringLiteral("ERROR no controller at address \"7\"")
        << QString() << QString();
    QTest::addRow("no-unit-there") << QStringLiteral("set 1 9 smoke 3")
                                   << QStringLiteral("ERROR no unit at 9") << QString() << QString();
    QTest::addRow("controller-value") << QStringLiteral("set 2 0 caseOpen 1") << QStringLiteral("OK")
                                      << QStringLiteral("get 2 0 caseOpen eventsWaiting")
                                      << QStringLiteral("OK caseOpen=1 eventsWaiting=3");
    QTest::addRow("fire-state-shows-in-the-general-state")
        << QStringLiteral("state 1 5 fire") << QStringLiteral("OK")
        << QStringLiteral("get 1 5 fire generalState") << QStringLiteral("OK fire=1 generalState=4");
    QTest::addRow("unit-added") << QStringLiteral("add 1 251 4") << QStringLiteral("OK")
                                << QStringLiteral("get 1 251 type") << QStringLiteral("OK type=4");
    QTest::addRow("unit-removed-from-its-configured-address")
        << QStringLiteral("remove 1 5") << QStringLiteral("OK")
        << QStringLiteral("get 1 5 generalState configType")
        << QStringLiteral("OK generalState=1 configType=4");
    QTest::addRow("lo-modes-held-per-unit")
        << QStringLiteral("write 1 5651 0x4321") << QStringLiteral("OK configuration changed")
        << QStringLiteral("get 1 6 loMode") << QStringLiteral("OK loMode=2");
    QTest::addRow("threshold-entry-of-an-even-address")
        << QStringLiteral("write 1 5002 0x3c37") << QStringLiteral("OK configuration changed")
        << QStringLiteral("get 1 6 threshold") << QStringLiteral("OK threshold=60");
    QTest::addRow("registers-read-without-side-effects")
        << QStringLiteral("reg 1 10002 2") << QStringLiteral("OK 516 0") << QString() << QString();
    QTest::addRow("event-raised-by-hand")
        << QStringLiteral("event 2 1 12 3") << QStringLiteral("OK") << QStringLiteral("events 2")
        << QStringLiteral("OK 3 0/101/0/0 0/102/1/0 1/12/3/0");
    QTest::addRow("write-outside-the-configuration")
        << QStringLiteral("write 1 10000 1") << QStringLiteral("ERROR exception 2") << QString() << QString();
    QTest::addRow("command-note") << QStringLiteral("cmd 1 5 68") << QStringLiteral("OK red LED on")
                                  << QStringLiteral("get 1 5 redLed") << QStringLiteral("OK redLed=1");
    QTest::addRow("silenced-controller") << QStringLiteral("silence 2") << QStringLiteral("OK")
                                         << QStringLiteral("get 2 0 silent") << QStringLiteral("OK silent=1");
    QTest::addRow("fault-rates") << QStringLiteral("faults crc=0.5") << QStringLiteral("OK crc=0.5")
                                 << QString() << QString();
    QTest::addRow("bad-fault-rates-keep-the-old")
        << QStringLiteral("faults crc=2")
        << QStringLiteral("ERROR the rate of crc must be a number from 0 to 1") << QStringLiteral("faults")
        << QStringLiteral("OK off");
    QTest::addRow("unknown-command") << QStringLiteral("explode 1")
                                     << QStringLiteral("ERROR unknown command "
                                                       "\"explode\"; try help")
                                     << QString() << QString();
    QTest::addRow("missing-words") << QStringLiteral("state 1")
                                   << QStringLiteral(
                                          "ERROR give a unit address 1..251, or 0 for the controller")
                                   << QString() << QString();
}

void TestSimControl::replies()
{
    QFETCH(QString, line);
    QFETCH(QString, reply);
    QFETCH(QString, check);
    QFETCH(QString, checkReply);
    SimBus bus;
    SimScenario::Contents contents;
    QString error;
    QVERIFY2(SimScenario::parse(twoControllers, bus, &contents, &error), qPrintable(error));
    SimControl control(bus);
    QCOMPARE(control.execute(line), reply);
    if (!check.isEmpty())
        QCOMPARE(control.execute(check), checkReply);
}

void TestSimControl::timelineRunsInOrderAndRepeats()
{
    SimBus bus;
    SimScenario::Contents contents;
    QString error;
    QVERIFY2(SimScenario::parse(twoControllers, bus, &contents, &error), qPrintable(error));
    SimControl control(bus);
    control.setTimeline({{1000, QStringLiteral("set 1 5 smoke 30")},
                         {500, QStringLiteral("set 1 5 smoke 20")},
                         {1500, QStringLiteral("set 1 5 smok 1")}},
                        2000);
    QCOMPARE(control.advance(400), QStringList());
    QCOMPARE(control.advance(700),
             (QStringList{QStringLiteral("set 1 5 smoke 20: OK"), QStringLiteral("set 1 5 smoke 30: OK")}));
    QCOMPARE(control.execute(QStringLiteral("get 1 5 smoke")), QStringLiteral("OK smoke=30"));
    QCOMPARE(control.advance(500),
             QStringList{QStringLiteral("set 1 5 smok 1: ERROR unknown unit value \"smok\"")});
    QCOMPARE(control.advance(900), QStringList{QStringLiteral("set 1 5 smoke 20: OK")});
    // Frozen, the world and the timeline stand still.
    QCOMPARE(control.execute(QStringLiteral("freeze")), QStringLiteral("OK"));
    QCOMPARE(control.advance(5000), QStringList());
    QCOMPARE(control.execute(QStringLiteral("time")), QStringLiteral("OK 2.5 frozen"));
}

QTEST_GUILESS_MAIN(TestSimControl)
#include "tst_simcontrol.moc"
