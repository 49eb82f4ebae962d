#include "commandcatalogue.h"
#include "commandcodes.h"
#include "modbuslink.h"
#include "simprocess.h"
#include "simregistermap.h"

#include <QDeadlineTimer>
#include <QThread>
#include <QtTest>

// The tool's link layer against ryn-sim over a pseudo-terminal: every read item returns the block the
// simulator holds at the place its own register map gives, every command acts, and with faults
// injected the link's result codes follow the injected faults one for one.
class TestSimLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void readItems_data();
    void readItems();
    void commands_data();
    void commands();
    void resultCodesFollowInjectedFaults();
    void pacedLineCarriesTheLargestAnswer();

private:
    SimProcess m_reader;
    ModbusLink m_link;
};

namespace {

constexpr int oldVersion = 14; // controller 1 of the demo scenario
constexpr int newVersion = 17; // controller 2

// Where the simulator says a read item lies: its own table, not the tool's.
QPair<int, int> simulatorBlock(int code, int version)
{
    const bool old = version < SimRegisterMap::newVersion;
    switch (code) {
    case 0:
        return {SimRegisterMap::controllerFirst, 1};
    case 1:
        return {SimRegisterMap::controllerFirst,
                (old ? SimRegisterMap::controllerLastOld : SimRegisterMap::controllerLastNew) -
                    SimRegisterMap::controllerFirst + 1};
    case 2:
        return {old ? SimRegisterMap::oldDefaultConstants : SimRegisterMap::newDefaultConstants, 32};
    case 3:
        return {old ? SimRegisterMap::oldCurrentConstants : SimRegisterMap::newCurrentConstants, 32};
    default:
        break;
    }
    const SimRegisterMap::Block *block = SimRegisterMap::blockByCode(code);
    return block ? qMakePair(block->start, block->count) : qMakePair(-1, 0);
}

// The data bytes of "OK v1 v2 ...", the reply to a "reg" line.
QByteArray registerBytes(const QString &reply)
{
    QByteArray bytes;
    for (const QString &word : reply.mid(3).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int value = word.toInt();
        bytes.append(char(value >> 8));
        bytes.append(char(value & 0xFF));
    }
    return bytes;
}

} // namespace

void TestSimLink::initTestCase()
{
    // Time stands still, so that what was read can be compared with what the simulator holds after.
    QVERIFY2(m_reader.start(SimProcess::demoScenario(),
                            {QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--frozen")}),
             qPrintable(m_reader.errorString()));
    m_link.setPortName(m_reader.linkPath());
    QVERIFY(m_link.openPort());
}

void TestSimLink::cleanupTestCase()
{
    m_link.closePort();
    m_reader.stop();
}

void TestSimLink::readItems_data()
{
    QTest::addColumn<int>("controller");
    QTest::addColumn<int>("code");
    QList<int> codes;
    for (int code = 0; code <= 60; ++code)
        codes.append(code);
    for (int code = 100; code <= 107; ++code)
        codes.append(code);
    for (const int controller : {1, 2}) {
        for (const int code : codes)
            QTest::addRow("controller-%d-read-%d", controller, code) << controller << code;
    }
}

void TestSimLink::readItems()
{
    QFETCH(int, controller);
    QFETCH(int, code);
    const int version = controller == 1 ? oldVersion : newVersion;
    const CommandCatalogue::Outcome outcome = CommandCatalogue::execute(
        m_link, quint8(controller), code, QByteArray(), quint16(version), QByteArray());
    QCOMPARE(outcome.result, int(ModbusProtocol::ResultOk));
    QByteArray data = ModbusProtocol::answerData(outcome.answer);

    const QPair<int, int> block = simulatorBlock(code, version);
    QVERIFY(block.first >= 0);
    QCOMPARE(data.size(), 2 * block.second);
    const QString reply =
        m_reader.command(QStringLiteral("reg %1 %2 %3").arg(controller).arg(block.first).arg(block.second));
    QVERIFY2(reply.startsWith(QLatin1String("OK")), qPrintable(reply));
    QByteArray expected = registerBytes(reply);
    if (code == 1) // register 997 counts the requests, this one included
        expected.replace(2 * 21, 2, data.mid(2 * 21, 2));
    QCOMPARE(data.toHex(' '), expected.toHex(' '));
}

void TestSimLink::commands_data()
{
    // A command as the tool sends it (controller, code, info), a control line to prepare the
    // simulator, and a control line whose reply shows the effect.
    QTest::addColumn<int>("controller");
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("info");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("check");
    QTest::addColumn<QString>("reply");

    const auto row = [](const char *name, int controller, int code, const QByteArray &info, const char *setup,
                        const char *check, const char *reply) {
        QTest::newRow(name) << controller << code << info << QString::fromLatin1(setup)
                            << QString::fromLatin1(check) << QString::fromLatin1(reply);
    };
    const auto bytes = [](std::initializer_list<int> values) {
        QByteArray array;
        for (const int value : values)
            array.append(char(value));
        return array;
    };
    const QByteArray none = bytes({0, 0, 0});

    row("reset", 2, CMD_RYN_RESET, none, "cmd 2 0 9", "events 2", "OK 1 0/101/0/0");
    row("loop-line-left-on", 2, CMD_RYN_SLI_LEFT_ON, none, "cmd 2 0 5", "get 2 0 sliLeft", "OK sliLeft=1");
    row("loop-line-right-on", 2, CMD_RYN_SLI_RIGHT_ON, none, "cmd 2 0 6", "get 2 0 sliRight",
        "OK sliRight=1");
    row("loop-line-left-off", 2, CMD_RYN_SLI_LEFT_OFF, none, "", "get 2 0 sliLeft", "OK sliLeft=0");
    row("loop-line-right-off", 2, CMD_RYN_SLI_RIGHT_OFF, none, "", "get 2 0 sliRight", "OK sliRight=0");
    row("fault-relay-on", 1, CMD_RYN_FAULT_RELAY_ON, none, "", "reg 1 1001", "OK 16");
    row("start-relay-on", 1, CMD_RYN_START_RELAY_ON, none, "", "reg 1 1001", "OK 1");
    row("fire-relay-on", 1, CMD_RYN_FIRE_RELAY_ON, none, "", "reg 1 1001", "OK 4");
    row("fault-relay-off", 1, CMD_RYN_FAULT_RELAY_OFF, none, "cmd 1 0 7", "get 1 0 faultRelay",
        "OK faultRelay=0");
    row("start-relay-off", 1, CMD_RYN_START_RELAY_OFF, none, "cmd 1 0 8", "get 1 0 startRelay",
        "OK startRelay=0");
    row("fire-relay-off", 1, CMD_RYN_FIRE_RELAY_OFF, none, "cmd 1 0 9", "get 1 0 fireRelay",
        "OK fireRelay=0");
    row("clear-tables", 1, CMD_RYN_CLEAR_TABLES, none, "", "events 1", "OK 1 0/105/0/0");

    row("mains-voltage-main", 2, CMD_AU_PONA_VOLTAGE_MAIN, bytes({20, 0, 0}), "", "get 2 20 addData",
        "OK addData=230");
    row("mains-voltage-reserve", 2, CMD_AU_PONA_VOLTAGE_RESERVE, bytes({20, 0, 0}), "", "get 2 20 addData",
        "OK addData=228");
    row("mains-voltage-drive", 2, CMD_AU_PONA_VOLTAGE_DRIVE, bytes({20, 0, 0}), "", "get 2 20 addData",
        "OK addData=226");
    row("read-border-w1", 2, CMD_AU_READ_BORDER_W1, bytes({1, 0, 0}), "set 2 1 unitW1 11", "get 2 1 w1",
        "OK w1=11");
    row("read-border-w2", 2, CMD_AU_READ_BORDER_W2, bytes({2, 0, 0}), "set 2 2 unitW2 12", "get 2 2 w2",
        "OK w2=12");
    row("read-border-w3", 2, CMD_AU_READ_BORDER_W3, bytes({5, 0, 0}), "set 2 5 unitW3 13", "get 2 5 w3",
        "OK w3=13");
    row("pyrosensor-test", 2, CMD_AU_PYRO_TEST, bytes({3, 0, 0}), "", "get 2 3 pyro pyroTimer",
        "OK pyro=1 pyroTimer=0");
    row("ionistor-charging-on", 2, CMD_AU_IONISTOR_CHARGE_ON, bytes({19, 0, 0}), "",
        "get 2 19 charging ionistorState", "OK charging=1 ionistorState=9");
    row("ionistor-charging-off", 2, CMD_AU_IONISTOR_CHARGE_OFF, bytes({6, 0, 0}), "", "get 2 6 charging",
        "OK charging=0");
    row("heater-on", 2, CMD_AU_HEATER_ON, bytes({5, 0, 0}), "", "get 2 5 heater", "OK heater=3");
    row("heater-off", 2, CMD_AU_HEATER_OFF, bytes({5, 0, 0}), "cmd 2 5 66", "get 2 5 heater", "OK heater=0");
    row("red-led-on", 2, CMD_AU_RED_LED_ON, bytes({25, 0, 0}), "", "get 2 25 redLed", "OK redLed=1");
    row("red-led-off", 2, CMD_AU_RED_LED_OFF, bytes({25, 0, 0}), "cmd 2 25 68", "get 2 25 redLed",
        "OK redLed=0");
    row("yellow-led-on", 2, CMD_AU_YELLOW_LED_ON, bytes({25, 0, 0}), "", "get 2 25 yellowLed",
        "OK yellowLed=1");
    row("yellow-led-off", 2, CMD_AU_YELLOW_LED_OFF, bytes({25, 0, 0}), "cmd 2 25 70", "get 2 25 yellowLed",
        "OK yellowLed=0");
    row("test-mode-on", 2, CMD_AU_TEST_MODE_ON, bytes({25, 0, 0}), "", "get 2 25 testMode", "OK testMode=1");
    row("test-mode-off", 2, CMD_AU_TEST_MODE_OFF, bytes({25, 0, 0}), "cmd 2 25 72", "get 2 25 testMode",
        "OK testMode=0");
    row("left-isolator-open", 2, CMD_AU_LEFT_INSULATOR_OPEN, bytes({25, 0, 0}), "", "get 2 25 isolatorLeft",
        "OK isolatorLeft=0");
    row("left-isolator-close", 2, CMD_AU_LEFT_INSULATOR_CLOSE, bytes({25, 0, 0}), "cmd 2 25 75",
        "get 2 25 isolatorLeft", "OK isolatorLeft=1");
    row("right-isolator-open", 2, CMD_AU_RIGHT_INSULATOR_OPEN, bytes({25, 0, 0}), "",
        "get 2 25 isolatorRight", "OK isolatorRight=0");
    row("right-isolator-close", 2, CMD_AU_RIGHT_INSULATOR_CLOSE, bytes({25, 0, 0}), "cmd 2 25 77",
        "get 2 25 isolatorRight", "OK isolatorRight=1");
    row("laser-on", 2, CMD_AU_LASER_ON, bytes({1, 0, 0}), "", "get 2 1 laser", "OK laser=1");
    row("laser-off", 2, CMD_AU_LASER_OFF, bytes({3, 0, 0}), "", "get 2 3 laser", "OK laser=0");
    row("module-relays-1-and-3-on", 1, CMD_AU_ZIRN_RELAY_ON + 5, bytes({54, 0, 0}), "", "reg 1 11811",
        "OK 257");
    row("module-relay-2-off", 1, CMD_AU_ZIRN_RELAY_OFF + 2, bytes({50, 0, 0}), "", "get 1 50 out2",
        "OK out2=0");
    row("power-module-relays-off", 2, CMD_AU_PONA_RELAYS_OFF, bytes({22, 0, 0}), "", "get 2 22 out1",
        "OK out1=0");
    row("power-module-relay-k1-on", 2, CMD_AU_PONA_RELAY_K1_ON, bytes({20, 0, 0}), "", "get 2 20 out1",
        "OK out1=1");
    row("power-module-relay-k2-on", 2, CMD_AU_PONA_RELAY_K2_ON, bytes({20, 0, 0}), "", "get 2 20 out2",
        "OK out2=1");
    row("set-address", 2, CMD_AU_SET_ADDRESS, bytes({3, 60, 0}), "", "reg 2 10029", "OK 1280");
    row("write-border-w1", 2, CMD_AU_WRITE_BORDER_W1, bytes({1, 77, 0}), "", "get 2 1 w1 unitW1",
        "OK w1=77 unitW1=77");
    row("write-border-w2", 2, CMD_AU_WRITE_BORDER_W2, bytes({1, 78, 0}), "", "get 2 1 w2", "OK w2=78");
    row("write-border-w3", 2, CMD_AU_WRITE_BORDER_W3, bytes({1, 79, 0}), "", "get 2 1 w3", "OK w3=79");

    row("unblock-one-unit", 1, CMD_WRITE_UNBLOCKED_BIT, bytes({22, 1}), "", "get 1 22 generalState blocked",
        "OK generalState=0 blocked=0");
    row("block-one-unit", 1, CMD_WRITE_UNBLOCKED_BIT, bytes({17, 0}), "", "get 1 17 generalState",
        "OK generalState=6");
    row("lo-mode", 2, CMD_WRITE_LO_MODE, bytes({14, 3}), "", "get 2 14 powerLo", "OK powerLo=3");
    row("constant", 2, CMD_WRITE_RYN_CONSTANT, bytes({2, 0x04, 0x0A}), "", "reg 2 2103", "OK 1034");
    row("clear-blocking", 1, CMD_CLEAR_CFG_UNBLOCKED, QByteArray(), "", "get 1 22 blocked", "OK blocked=0");
    row("clear-types", 1, CMD_CLEAR_CFG_TYPES, QByteArray(), "", "get 1 1 generalState", "OK generalState=8");
    row("clear-thresholds", 1, CMD_CLEAR_CFG_THRESHOLD_T, QByteArray(), "", "reg 1 5010", "OK 65535");
    row("clear-heat-flags", 1, CMD_CLEAR_CFG_HEAT_BITS, QByteArray(), "", "reg 1 5776 2", "OK 65535 65535");
    row("clear-output-initial-states", 1, CMD_CLEAR_CFG_OUTPUT_INIT, QByteArray(), "write 1 5725 0",
        "reg 1 5725", "OK 65535");
    row("clear-lo-initial-modes", 2, CMD_CLEAR_CFG_POWER_LO_INIT, QByteArray(), "", "reg 2 5589", "OK 65535");
    row("default-blocking", 1, CMD_DEFAULT_CFG_UNBLOCKED, QByteArray(), "", "get 1 22 generalState",
        "OK generalState=0");
    row("default-types", 1, CMD_DEFAULT_CFG_TYPES, QByteArray(), "write 1 5237 65535", "get 1 1 generalState",
        "OK generalState=0");
    row("default-thresholds", 1, CMD_DEFAULT_CFG_THRESHOLD_T, QByteArray(), "write 1 5010 65535",
        "reg 1 5010", "OK 14649");
    row("default-heat-flags", 1, CMD_DEFAULT_CFG_HEAT_BITS, QByteArray(), "write 1 5777 0", "reg 1 5777",
        "OK 65520");
    row("default-output-initial-states", 1, CMD_DEFAULT_CFG_OUTPUT_INIT, QByteArray(), "write 1 5725 0",
        "reg 1 5725", "OK 13104");
    row("default-lo-initial-modes", 2, CMD_DEFAULT_CFG_POWER_LO_INIT, QByteArray(), "write 2 5589 65535",
        "reg 2 5589", "OK 15");
    row("write-blocking", 1, CMD_WRITE_CFG_UNBLOCKED, bytes({1, 0xFF, 0xFE}), "", "get 1 17 generalState",
        "OK generalState=6");
    row("write-types", 1, CMD_WRITE_CFG_TYPES, bytes({0, 0x04, 0x02}), "", "get 1 1 generalState",
        "OK generalState=3");
    row("write-thresholds", 1, CMD_WRITE_CFG_THRESHOLD_T, bytes({10, 0x3C, 0x3C}), "", "reg 1 5010",
        "OK 15420");
    row("write-heat-flags", 1, CMD_WRITE_CFG_HEAT_BITS, bytes({1, 0, 0}), "", "reg 1 5777", "OK 0");
    row("write-output-initial-states", 1, CMD_WRITE_CFG_OUTPUT_INIT, bytes({12, 0, 0}), "", "reg 1 5725",
        "OK 0");
    row("write-lo-initial-modes", 2, CMD_WRITE_CFG_POWER_LO_INIT, bytes({3, 0, 0}), "", "reg 2 5589", "OK 0");
}

void TestSimLink::commands()
{
    QFETCH(int, controller);
    QFETCH(int, code);
    QFETCH(QByteArray, info);
    QFETCH(QString, setup);
    QFETCH(QString, check);
    QFETCH(QString, reply);

    SimProcess sim;
    QVERIFY2(sim.start(SimProcess::demoScenario(),
                       {QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--frozen")}),
             qPrintable(sim.errorString()));
    // Past the initialisation, with nothing waiting.
    QCOMPARE(sim.command(QStringLiteral("events %1 clear").arg(controller)), QStringLiteral("OK"));
    if (!setup.isEmpty()) {
        QVERIFY(sim.command(setup).startsWith(QLatin1String("OK")));
        QCOMPARE(sim.command(QStringLiteral("events %1 clear").arg(controller)), QStringLiteral("OK"));
    }
    ModbusLink link;
    link.setPortName(sim.linkPath());
    QVERIFY(link.openPort());
    const quint16 version = controller == 1 ? oldVersion : newVersion;
    // The default configuration needs the types the tool last read.
    const CommandCatalogue::Outcome types = CommandCatalogue::execute(
        link, quint8(controller), CMD_READ_TYPES, QByteArray(), version, QByteArray());
    QCOMPARE(types.result, int(ModbusProtocol::ResultOk));
    const CommandCatalogue::Outcome outcome = CommandCatalogue::execute(
        link, quint8(controller), code, info, version, ModbusProtocol::answerData(types.answer));
    QCOMPARE(outcome.result, int(ModbusProtocol::ResultOk));
    QCOMPARE(sim.command(check), reply);
    link.closePort();
}

void TestSimLink::resultCodesFollowInjectedFaults()
{
    // Late answers are held back far beyond the window: the next request always comes first and
    // drops them, so none can land in a later transaction however slow the machine is.
    SimProcess sim;
    QVERIFY2(sim.start(SimProcess::demoScenario(),
                       {QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--seed"),
                        QStringLiteral("11"), QStringLiteral("--late"), QStringLiteral("5000"),
                        QStringLiteral("--faults"),
                        QStringLiteral("noanswer=0.01,crc=0.03,truncated=0.01,extra=0.03,garbage=0.03,"
                                       "exception=0.03,late=0.01")}),
             qPrintable(sim.errorString()));
    ModbusLink link;
    link.setPortName(sim.linkPath());
    QVERIFY(link.openPort());

    // What the link must conclude from each injected fault.
    const QMap<QString, int> expectedResult = {
        {QStringLiteral("noanswer"), ModbusProtocol::ResultNoAnswer},
        {QStringLiteral("late"), ModbusProtocol::ResultNoAnswer},
        {QStringLiteral("crc"), ModbusProtocol::ResultCrcError},
        {QStringLiteral("truncated"), ModbusProtocol::ResultBadFrame},
        {QStringLiteral("extra"), ModbusProtocol::ResultBadFrame},
        {QStringLiteral("garbage"), ModbusProtocol::ResultBadFrame},
        {QStringLiteral("exception"), ModbusProtocol::ResultException},
    };
    // The counts once the simulator has taken in the given number of requests: which fault it drew
    // for a request is known only then, and a busy machine may let it lag behind.
    const auto countsAfter = [&sim](int frames) {
        QMap<QString, int> counts = sim.counts();
        QDeadlineTimer deadline(10000);
        while (counts.value(QStringLiteral("frames")) < frames && !deadline.hasExpired()) {
            QThread::msleep(5);
            counts = sim.counts();
        }
        return counts;
    };
    const int commands[] = {CMD_PING,          CMD_READ_RYN_REGISTERS, CMD_READ_TYPES, CMD_READ_GENERAL_STATE,
                            CMD_AU_RED_LED_ON, CMD_READ_CFG_UNBLOCKED};
    QMap<QString, int> before = sim.counts();
    QMap<int, int> results;
    int faults = 0;
    int lateUnderLoad = 0;
    for (int i = 0; i < 2400; ++i) {
        const int controller = 1 + i % 3;
        const int code = commands[i % 6];
        const CommandCatalogue::Outcome outcome =
            CommandCatalogue::execute(link, quint8(controller), code, QByteArray("\x19\x00\x00", 3),
                                      quint16(controller == 1 ? 14 : 17), QByteArray());
        const QMap<QString, int> after = countsAfter(i + 1);
        QCOMPARE(after.value(QStringLiteral("frames")), i + 1);
        QString injected;
        for (auto it = expectedResult.begin(); it != expectedResult.end(); ++it) {
            if (after.value(it.key()) != before.value(it.key()))
                injected = it.key();
        }
        before = after;
        ++results[outcome.result];
        if (injected.isEmpty() && outcome.result == ModbusProtocol::ResultNoAnswer) {
            // A sound answer that a loaded machine did not deliver within the window: no fault of the
            // line, and still no answer to the tool. Its bytes are let go before the next request.
            ++lateUnderLoad;
            QThread::msleep(100);
            continue;
        }
        const int expected =
            injected.isEmpty() ? int(ModbusProtocol::ResultOk) : expectedResult.value(injected);
        QVERIFY2(outcome.result == expected,
                 qPrintable(QStringLiteral("transaction %1 (code %2): fault \"%3\", result %4")
                                .arg(i)
                                .arg(code)
                                .arg(injected)
                                .arg(outcome.result)));
        if (outcome.result == ModbusProtocol::ResultException)
            QCOMPARE(int(outcome.exceptionCode), 6);
        faults += injected.isEmpty() ? 0 : 1;
    }
    if (lateUnderLoad > 0)
        qInfo("%d sound answers came too late for a loaded machine", lateUnderLoad);
    // Every kind of fault came up, and the simulator's own count agrees with what was seen.
    const QMap<QString, int> counts = sim.stop();
    for (auto it = expectedResult.begin(); it != expectedResult.end(); ++it)
        QVERIFY2(counts.value(it.key()) > 0, qPrintable(it.key()));
    QCOMPARE(counts.value(QStringLiteral("frames")), 2400);
    QCOMPARE(results.value(ModbusProtocol::ResultNoAnswer),
             counts.value(QStringLiteral("noanswer")) + counts.value(QStringLiteral("late")) + lateUnderLoad);
    QCOMPARE(results.value(ModbusProtocol::ResultCrcError), counts.value(QStringLiteral("crc")));
    QCOMPARE(2400 - results.value(ModbusProtocol::ResultOk), faults + lateUnderLoad);
}

void TestSimLink::pacedLineCarriesTheLargestAnswer()
{
    // At 19200 baud 255 bytes take 146 ms of line time: with the turnaround the answer must still
    // arrive within the tool's 202 ms window.
    SimProcess sim;
    QVERIFY2(sim.start(SimProcess::demoScenario(), {QStringLiteral("--frozen")}),
             qPrintable(sim.errorString()));
    ModbusLink link;
    link.setPortName(sim.linkPath());
    QVERIFY(link.openPort());
    for (const int code : {CMD_READ_TYPES, CMD_READ_CFG_TYPES, CMD_READ_GENERAL_STATE}) {
        const CommandCatalogue::Outcome outcome =
            CommandCatalogue::execute(link, 2, code, QByteArray(), newVersion, QByteArray());
        QCOMPARE(outcome.result, int(ModbusProtocol::ResultOk));
    }
}

QTEST_GUILESS_MAIN(TestSimLink)
#include "tst_simlink.moc"
