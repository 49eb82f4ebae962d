#include "simbus.h"
#include "simcontrol.h"
#include "simframe.h"
#include "simscenario.h"

#include <QtTest>

// A simulated controller seen from the line: which requests it refuses, where it keeps what, and what
// its commands, configuration writes and the passing of time do to its registers and its events.
class TestSimController : public QObject
{
    Q_OBJECT

private slots:
    void exceptions_data();
    void exceptions();
    void versionLayout_data();
    void versionLayout();
    void situations_data();
    void situations();
    void powerUpReportsWhatIsWrong();
    void driftingValues_data();
    void driftingValues();
};

namespace {

QByteArray scenario(const QString &units, int version = 15, int initSeconds = 0)
{
    return QStringLiteral(R"({"controllers":[{"address":1,"version":%1,"initSeconds":%2,"units":[%3]}]})")
        .arg(version)
        .arg(initSeconds)
        .arg(units)
        .toUtf8();
}

QStringList eventTexts(const SimController *controller, int from)
{
    QStringList texts;
    const QList<SimEvent> &events = controller->eventBuffer().events();
    for (int i = from; i < events.size(); ++i) {
        const SimEvent &e = events.at(i);
        texts.append(QStringLiteral("%1/%2/%3/%4").arg(e.unit).arg(e.code).arg(e.param).arg(e.input));
    }
    return texts;
}

QByteArray readRequest(int slave, int function, int start, int count)
{
    QByteArray body;
    body.append(char(slave));
    body.append(char(function));
    body.append(char(start >> 8));
    body.append(char(start & 0xFF));
    body.append(char(count >> 8));
    body.append(char(count & 0xFF));
    if (function == 16) {
        body.append(char(2 * count));
        body.append(QByteArray(2 * count, '\0'));
    }
    return SimFrame::appendCrc(body);
}

} // namespace

void TestSimController::exceptions_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<int>("function");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("exception");

    QTest::addRow("old-controller-block-26") << 14 << 3 << 976 << 26 << 0;
    QTest::addRow("old-block-runs-into-its-constants") << 14 << 3 << 976 << 28 << 0;
    QTest::addRow("new-controller-block-28") << 17 << 3 << 976 << 28 << 0;
    QTest::addRow("new-block-one-too-many") << 17 << 3 << 976 << 29 << 2;
    QTest::addRow("new-constants-at-2102") << 17 << 3 << 2102 << 32 << 0;
    QTest::addRow("new-has-no-constants-at-1102") << 17 << 3 << 1102 << 32 << 2;
    QTest::addRow("old-has-no-constants-at-2002") << 14 << 3 << 2002 << 32 << 2;
    QTest::addRow("events-62-at-once") << 15 << 3 << 1 << 124 << 0;
    QTest::addRow("beyond-the-event-area") << 15 << 3 << 600 << 1 << 2;
    QTest::addRow("last-unit-register") << 15 << 3 << 16218 << 1 << 0;
    QTest::addRow("past-the-last-unit-register") << 15 << 3 << 16218 << 2 << 2;
    QTest::addRow("whole-125-register-block") << 15 << 3 << 10000 << 125 << 0;
    QTest::addRow("read-of-126-registers") << 15 << 3 << 10000 << 126 << 3;
    QTest::addRow("read-of-no-register") << 15 << 3 << 10000 << 0 << 3;
    QTest::addRow("read-input-registers") << 15 << 4 << 976 << 1 << 1;
    QTest::addRow("write-command-registers") << 15 << 16 << 5222 << 2 << 0;
    QTest::addRow("write-125-register-configuration-block") << 15 << 16 << 5237 << 125 << 0;
    QTest::addRow("write-126-registers") << 15 << 16 << 5237 << 126 << 3;
    QTest::addRow("write-unit-state-block") << 15 << 16 << 10000 << 1 << 2;
    QTest::addRow("write-event-count") << 15 << 16 << 0 << 1 << 2;
}

void TestSimController::exceptions()
{
    QFETCH(int, version);
    QFETCH(int, function);
    QFETCH(int, start);
    QFETCH(int, count);
    QFETCH(int, exception);

    SimBus bus;
    SimScenario::Contents contents;
    QString error;
    QVERIFY2(SimScenario::parse(scenario(QString(), version), bus, &contents, &error), qPrintable(error));
    SimBus::Answer answer;
    QVERIFY(bus.handleFrame(readRequest(1, function, start, count), &answer));
    QVERIFY(SimFrame::hasValidCrc(answer.bytes));
    if (exception) {
        QCOMPARE(answer.bytes.size(), 5);
        QCOMPARE(quint8(answer.bytes.at(1)), quint8(function | 0x80));
        QCOMPARE(int(answer.bytes.at(2)), exception);
    } else {
        QCOMPARE(answer.bytes.size(), function == 3 ? 2 * count + 5 : 8);
    }
}

void TestSimController::versionLayout_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<int>("reg");
    QTest::addColumn<int>("expected");

    // Operating time 3 days 5:04:07; constant 0 of controller 1 holds its Modbus address.
    QTest::addRow("new-seconds-and-minutes") << 15 << 1002 << 0x0107;
    QTest::addRow("new-hours-and-days") << 15 << 1003 << 0x0065;
    QTest::addRow("new-default-constants-at-2002") << 15 << 2002 << 0x0001;
    QTest::addRow("new-current-constants-at-2102") << 15 << 2102 << 0x0001;
    QTest::addRow("old-1002-is-the-first-default-constant") << 14 << 1002 << 0x0001;
    QTest::addRow("old-1003-is-the-second-default-constant") << 14 << 1003 << 0x0305;
    QTest::addRow("old-current-constants-at-1102") << 14 << 1102 << 0x0001;
    QTest::addRow("version-register") << 14 << 977 << 14;
    QTest::addRow("writable-constants-are-the-current-ones") << 15 << 6003 << 0x0305;
}

void TestSimController::versionLayout()
{
    QFETCH(int, version);
    QFETCH(int, reg);
    QFETCH(int, expected);
    SimBus bus;
    SimScenario::Contents contents;
    QString error;
    QVERIFY2(SimScenario::parse(scenario(QString(), version), bus, &contents, &error), qPrintable(error));
    SimController *controller = bus.controller(1);
    QCOMPARE(
        controller->setControllerValue(QStringLiteral("operatingTime"), ((3 * 24 + 5) * 60 + 4) * 60 + 7),
        QString());
    QCOMPARE(int(controller->registerValue(reg)), expected);
}

void TestSimController::situations_data()
{
    // A loop (unit entries of a scenario), control lines ("wait MS" lets time pass), then one register
    // and the events raised by the lines, as unit/code/param/input.
    QTest::addColumn<QString>("units");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("reg");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QStringList>("events");

    const QString smokeAt1 = QStringLiteral(R"({"address":1,"type":4})");
    QTest::addRow("types-two-a-register")
        << QStringLiteral(R"({"address":1,"type":4},{"address":2,"type":23})") << QStringList() << 10000
        << 0x1704 << QStringList();
    QTest::addRow("general-states-four-a-register")
        << QStringLiteral(
               R"({"address":13,"type":4},{"address":14,"type":4,"state":"lost"},)"
               R"({"address":15,"type":2,"present":false},{"address":16,"type":4,"state":"fault"})")
        << QStringList() << 11441 + 3 << 0x2110 << QStringList();
    QTest::addRow("type-at-251") << QStringLiteral(R"({"address":251,"type":7})") << QStringList() << 10125
                                 << 7 << QStringList();
    QTest::addRow("valves-of-unit-3") << QStringLiteral(R"({"address":3,"type":14,"valve1":2,"valve2":3})")
                                      << QStringList() << 12637 + 1 << 0x0032 << QStringList();
    QTest::addRow("lo-module-power-word")
        << QStringLiteral(R"({"address":1,"type":15,"powerSupply":1,"op":1,"lo":2,"powerLo":3})")
        << QStringList() << 12762 << 0x0385 << QStringList();
    QTest::addRow("input-relay-module-bank")
        << QStringLiteral(R"({"address":2,"type":13,"in1":1,"in2":2,"out1":1,"out2":3})") << QStringList()
        << 12387 + 1 << 0x3121 << QStringList();
    QTest::addRow("ionistor-block-voltage-from-its-cells")
        << QStringLiteral(R"({"address":126,"type":24,"u1":120,"u2":121,"u3":122})") << QStringList() << 10909
        << 363 << QStringList();

    QTest::addRow("loop-line-left-off") << smokeAt1 << QStringList{QStringLiteral("cmd 1 0 5")} << 979
                                        << 0x0009 << QStringList{QStringLiteral("0/87/1/0")};
    QTest::addRow("both-loop-lines-off-loses-every-unit")
        << smokeAt1 << QStringList{QStringLiteral("cmd 1 0 5"), QStringLiteral("cmd 1 0 6")} << 10689
        << 0x0001
        << QStringList{QStringLiteral("0/87/1/0"), QStringLiteral("0/87/2/0"), QStringLiteral("1/10/4/0")};
    QTest::addRow("fire-relay-on") << smokeAt1 << QStringList{QStringLiteral("cmd 1 0 9")} << 1001 << 0x0004
                                   << QStringList{QStringLiteral("0/84/2/0")};
    QTest::addRow("fault-relay-on-and-off")
        << smokeAt1 << QStringList{QStringLiteral("cmd 1 0 7"), QStringLiteral("cmd 1 0 11")} << 1001 << 0
        << QStringList{QStringLiteral("0/84/3/0"), QStringLiteral("0/85/3/0")};
    QTest::addRow("clearing-tables-leaves-only-its-event")
        << smokeAt1 << QStringList{QStringLiteral("event 1 1 2"), QStringLiteral("cmd 1 0 19")} << 996 << 0
        << QStringList{QStringLiteral("0/105/0/0")};
    QTest::addRow("relays-1-and-3-on")
        << QStringLiteral(R"({"address":5,"type":11})") << QStringList{QStringLiteral("cmd 1 5 85")}
        << 11758 + 4 << 0x0101 << QStringList{QStringLiteral("5/23/1/1"), QStringLiteral("5/23/1/3")};
    QTest::addRow("broken-output-is-not-switched")
        << QStringLiteral(R"({"address":5,"type":10,"out2":2})") << QStringList{QStringLiteral("cmd 1 5 83")}
        << 11758 + 4 << 0x4421 << QStringList{QStringLiteral("5/23/1/1")};
    QTest::addRow("relay-off-on-the-module-bank")
        << QStringLiteral(R"({"address":2,"type":13,"out1":1,"out2":1})")
        << QStringList{QStringLiteral("cmd 1 2 114")} << 12387 + 1 << 0x0100
        << QStringList{QStringLiteral("2/23/0/2")};
    QTest::addRow("re-addressing-moves-the-unit")
        << QStringLiteral(R"({"address":12,"type":4})") << QStringList{QStringLiteral("cmd 1 12 128 40")}
        << 10000 + 19 << 0x0400 << QStringList{QStringLiteral("12/60/40/0")};
    QTest::addRow("re-addressing-onto-a-unit-makes-a-double-address")
        << QStringLiteral(R"({"address":12,"type":4},{"address":40,"type":4})")
        << QStringList{QStringLiteral("cmd 1 12 128 40")} << 10689 + 9 << 0x2000
        << QStringList{QStringLiteral("12/60/40/0")};
    QTest::addRow("border-written") << QStringLiteral(R"({"address":3,"type":5})")
                                    << QStringList{QStringLiteral("cmd 1 3 141 77")} << 15969 + 1 << 77
                                    << QStringList{QStringLiteral("3/63/77/2")};
    QTest::addRow("border-read-refreshes-the-block")
        << QStringLiteral(R"({"address":3,"type":6})")
        << QStringList{QStringLiteral("set 1 3 unitW1 99"), QStringLiteral("cmd 1 3 19")} << 15844 + 1 << 99
        << QStringList();
    QTest::addRow("border-read-is-a-controller-command-for-target-0")
        << QStringLiteral(R"({"address":3,"type":5})")
        << QStringList{QStringLiteral("set 1 3 unitW1 99"), QStringLiteral("cmd 1 0 19")} << 15844 + 1 << 40
        << QStringList{QStringLiteral("0/105/0/0")};
    QTest::addRow("pyrosensor-test-fails")
        << QStringLiteral(R"({"address":1,"type":5,"pyro":2})") << QStringList{QStringLiteral("cmd 1 1 63")}
        << 14124 << 2 << QStringList{QStringLiteral("1/62/2/0")};
    QTest::addRow("charging-switched-on")
        << QStringLiteral(R"({"address":1,"type":3,"voltage":5.0},{"address":2,"type":4})")
        << QStringList{QStringLiteral("cmd 1 1 64")} << 12071 << 0x4449
        << QStringList{QStringLiteral("1/41/0/0")};
    QTest::addRow("charging-limited-by-the-constant")
        << QStringLiteral(R"({"addresses":"1-4","type":3,"voltage":5.0})")
        << QStringList{QStringLiteral("cmd 1 1 64"), QStringLiteral("cmd 1 2 64"),
                       QStringLiteral("cmd 1 3 64"), QStringLiteral("cmd 1 4 64")}
        << 999 << 0x0301
        << QStringList{QStringLiteral("1/41/0/0"), QStringLiteral("2/41/0/0"), QStringLiteral("3/41/0/0")};
    QTest::addRow("charging-ends-when-full")
        << QStringLiteral(R"({"address":1,"type":3,"voltage":7.6,"charging":1})")
        << QStringList{QStringLiteral("wait 3000")} << 12071 << 0x4440
        << QStringList{QStringLiteral("1/42/133/0")};
    QTest::addRow("isolator-opened") << smokeAt1 << QStringList{QStringLiteral("cmd 1 1 75")} << 12008
                                     << 0xAAA4 << QStringList{QStringLiteral("1/25/1/0")};
    QTest::addRow("test-mode") << smokeAt1 << QStringList{QStringLiteral("cmd 1 1 72")} << 12008 << 0xAAA5
                               << QStringList{QStringLiteral("1/61/1/0")};
    QTest::addRow("power-module-relay-k2")
        << QStringLiteral(R"({"address":1,"type":18})") << QStringList{QStringLiteral("cmd 1 1 108")} << 11758
        << 0x4410 << QStringList{QStringLiteral("1/23/1/2")};
    QTest::addRow("mains-voltage-request")
        << QStringLiteral(R"({"address":1,"type":19})") << QStringList{QStringLiteral("cmd 1 1 17")} << 15219
        << 228 << QStringList();
    QTest::addRow("command-for-an-empty-address-does-nothing")
        << smokeAt1 << QStringList{QStringLiteral("cmd 1 9 68")} << 10000 + 4 << 0 << QStringList();

    QTest::addRow("lo-mode-written-changes-the-output-mode")
        << QStringLiteral(R"({"address":6,"type":15,"powerLo":1})")
        << QStringList{QStringLiteral("write 1 5651 0x0030")} << 12762 + 5 << 0x0301
        << QStringList{QStringLiteral("0/103/8/0"), QStringLiteral("6/52/3/0")};
    QTest::addRow("unblocked-bit-cleared-blocks-the-unit")
        << QStringLiteral(R"({"address":17,"type":4})") << QStringList{QStringLiteral("write 1 5126 0xFFFE")}
        << 11441 + 4 << 0x8886 << QStringList{QStringLiteral("0/103/1/0"), QStringLiteral("17/18/0/0")};
    QTest::addRow("configured-type-differs")
        << smokeAt1 << QStringList{QStringLiteral("write 1 5237 0x0002")} << 11441 << 0x8883
        << QStringList{QStringLiteral("0/103/2/0"), QStringLiteral("1/15/4/0")};
    QTest::addRow("cleared-configuration-leaves-the-address-unconfigured")
        << smokeAt1 << QStringList{QStringLiteral("write 1 5237 0xFFFF")} << 11441 << 0x8888
        << QStringList{QStringLiteral("0/103/2/0")};
    QTest::addRow("lower-threshold-temperature-raises-fire")
        << QStringLiteral(R"({"address":1,"type":2,"temperature":40})")
        << QStringList{QStringLiteral("write 1 5000 0x0023")} << 10376 << 0x0001
        << QStringList{QStringLiteral("0/103/3/0"), QStringLiteral("1/1/2/0"), QStringLiteral("1/2/2/0")};
    QTest::addRow("heat-flag-sets-the-channel-type")
        << QStringLiteral(R"({"address":2,"type":2})") << QStringList{QStringLiteral("write 1 5776 0x0002")}
        << 14076 << 0x0002 << QStringList{QStringLiteral("0/103/4/0")};
    QTest::addRow("constant-written-at-6002") << smokeAt1 << QStringList{QStringLiteral("write 1 6002 5")}
                                              << 2102 << 5 << QStringList{QStringLiteral("0/103/7/0")};
    QTest::addRow("blocked-unit-reports-no-fire")
        << QStringLiteral(R"({"address":1,"type":4,"blocked":true})")
        << QStringList{QStringLiteral("state 1 1 fire")} << 10376 << 0 << QStringList();

    QTest::addRow("smoke-drift-reaches-the-fire-threshold")
        << smokeAt1 << QStringList{QStringLiteral("ramp 1 1 smoke 120 2"), QStringLiteral("wait 2100")}
        << 10376 << 0x0001 << QStringList{QStringLiteral("1/1/4/0")};
    QTest::addRow("reset-then-initialisation")
        << smokeAt1
        << QStringList{QStringLiteral("set 1 0 initSeconds 2"), QStringLiteral("cmd 1 0 9"),
                       QStringLiteral("cmd 1 0 1"), QStringLiteral("wait 2100")}
        << 1001 << 0 << QStringList{QStringLiteral("0/101/0/0"), QStringLiteral("0/102/1/0")};
    QTest::addRow("low-supply-voltage")
        << smokeAt1 << QStringList{QStringLiteral("set 1 0 supply24V 17.9")} << 994 << (110 << 8 | 160)
        << QStringList{QStringLiteral("0/78/179/0")};
    QTest::addRow("unit-appears-at-251") << smokeAt1 << QStringList{QStringLiteral("add 1 251 4")} << 979
                                         << 0x008C << QStringList{QStringLiteral("251/90/4/0")};
}

void TestSimController::situations()
{
    QFETCH(QString, units);
    QFETCH(QStringList, lines);
    QFETCH(int, reg);
    QFETCH(int, expected);
    QFETCH(QStringList, events);

    SimBus bus;
    SimScenario::Contents contents;
    QString error;
    QVERIFY2(SimScenario::parse(scenario(units), bus, &contents, &error), qPrintable(error));
    SimControl control(bus);
    const SimController *controller = bus.controller(1);
    QCOMPARE(control.execute(QStringLiteral("events 1 clear")), QStringLiteral("OK"));
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1String("wait "))) {
            const int ms = line.mid(5).toInt();
            for (int elapsed = 0; elapsed < ms; elapsed += 100)
                control.advance(100);
        } else {
            const QString reply = control.execute(line);
            QVERIFY2(reply.startsWith(QLatin1String("OK")), qPrintable(line + QStringLiteral(": ") + reply));
        }
    }
    QCOMPARE(QString::number(controller->registerValue(reg), 16), QString::number(expected, 16));
    QCOMPARE(eventTexts(controller, 0), events);
}

void TestSimController::powerUpReportsWhatIsWrong()
{
    SimBus bus;
    SimScenario::Contents contents;
    QString error;
    const QString units = QStringLiteral(
        R"({"addresses":"1-3","type":4},{"address":2,"type":4,"state":"lost"},{"address":3,"type":4,"dust":2},)"
        R"({"address":4,"type":2,"present":false})");
    QVERIFY2(SimScenario::parse(scenario(units, 15, 1), bus, &contents, &error), qPrintable(error));
    SimController *controller = bus.controller(1);
    controller->setControllerValue(QStringLiteral("caseOpen"), 1);
    QCOMPARE(eventTexts(controller, 0), QStringList{QStringLiteral("0/101/0/0")});
    QCOMPARE(controller->registerValue(978) & 0xFF, 0); // nothing polled while initialising
    for (int i = 0; i < 10; ++i)
        controller->advance(100);
    QCOMPARE(
        eventTexts(controller, 0),
        (QStringList{QStringLiteral("0/101/0/0"), QStringLiteral("0/102/3/0"), QStringLiteral("0/76/0/0"),
                     QStringLiteral("2/10/4/0"), QStringLiteral("3/31/0/0"), QStringLiteral("4/10/2/0")}));
    QCOMPARE(int(controller->registerValue(978)), 4 << 8 | 2);
}

void TestSimController::driftingValues_data()
{
    QTest::addColumn<QString>("units");
    QTest::addColumn<QStringList>("lines"); // the last one starts the movement
    QTest::addColumn<QString>("get");
    QTest::addColumn<QList<int>>("waits");    // ms, one after another
    QTest::addColumn<QList<int>>("expected"); // the value after each wait
    const QString smoke = QStringLiteral(R"({"address":1,"type":4,"smoke":20,"fireThreshold":250})");
    QTest::addRow("smoke-rises-by-steps-to-its-limit")
        << smoke << QStringList{QStringLiteral("drift 1 1 smoke 5 2 32")} << QStringLiteral("get 1 1 smoke")
        << QList<int>{1900, 200, 2000, 20000} << QList<int>{20, 25, 30, 32};
    QTest::addRow("smoke-falls-by-steps")
        << smoke << QStringList{QStringLiteral("drift 1 1 smoke -4 1 10")} << QStringLiteral("get 1 1 smoke")
        << QList<int>{1000, 1000, 10000} << QList<int>{16, 12, 10};
    QTest::addRow("ionistor-charge-curve")
        << QStringLiteral(R"({"address":1,"type":3,"u1":51})") << QStringList{QStringLiteral("charge 1 1 u1 151 10")}
        << QStringLiteral("get 1 1 u1") << QList<int>{10000, 10000, 40000} << QList<int>{114, 137, 151};
    QTest::addRow("supply-dips-and-comes-back")
        << smoke << QStringList{QStringLiteral("set 1 0 supply24 214"), QStringLiteral("dip 1 0 supply24 40 3")}
        << QStringLiteral("get 1 0 supply24") << QList<int>{100, 2800, 200} << QList<int>{174, 174, 214};
}

void TestSimController::driftingValues()
{
    QFETCH(QString, units);
    QFETCH(QStringList, lines);
    QFETCH(QString, get);
    QFETCH(QList<int>, waits);
    QFETCH(QList<int>, expected);
    SimBus bus;
    SimScenario::Contents contents;
    QString error;
    QVERIFY2(SimScenario::parse(scenario(units), bus, &contents, &error), qPrintable(error));
    SimControl control(bus);
    for (const QString &line : lines) {
        const QString reply = control.execute(line);
        QVERIFY2(reply.startsWith(QLatin1String("OK")), qPrintable(line + QStringLiteral(": ") + reply));
    }
    const QString name = get.section(QLatin1Char(' '), 3, 3);
    for (int i = 0; i < waits.size(); ++i) {
        for (int elapsed = 0; elapsed < waits.at(i); elapsed += 100)
            control.advance(100);
        const QString reply = control.execute(get);
        QCOMPARE(reply, QStringLiteral("OK %1=%2").arg(name).arg(expected.at(i)));
    }
    QVERIFY(control.execute(QStringLiteral("drift 1 1 smoke 0 2 40")).startsWith(QLatin1String("ERROR")));
    QVERIFY(control.execute(QStringLiteral("dip 1 1 smoke 5 0")).startsWith(QLatin1String("ERROR")));
}

QTEST_GUILESS_MAIN(TestSimController)
#include "tst_simcontroller.moc"
