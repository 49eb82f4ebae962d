#include "commandcodes.h"
#include "commandid.h"
#include "mastersignals.h"
#include "modbusmaster.h"
#include "responsedecoder.h"
#include "simprocess.h"

#include <QElapsedTimer>
#include <QPair>
#include <QThread>
#include <QtTest>

#include <optional>

namespace {

// Sends the worker in its thread a controller search, a ping to each address 1..last; returns the
// pings' identifiers.
QList<int> search(ModbusMaster *master, int last)
{
    QList<int> ids;
    for (int address = 1; address <= last; ++address) {
        ids.append(nextCommandId());
        QMetaObject::invokeMethod(master, "slotAddCommand", Q_ARG(int, address), Q_ARG(int, ids.last()),
                                  Q_ARG(int, CMD_PING), Q_ARG(QByteArray, QByteArray()));
    }
    return ids;
}

// The first answer in `info` with these address, identifier and code; its result and data.
std::optional<QPair<int, QByteArray>> answer(const QSignalSpy &info, int rynAddr, int id, int cmdCode)
{
    for (const QList<QVariant> &arguments : info) {
        if (arguments.at(0).toInt() == rynAddr && arguments.at(1).toInt() == id && arguments.at(2).toInt() == cmdCode)
            return qMakePair(arguments.at(3).toInt(), arguments.at(4).toByteArray());
    }
    return std::nullopt;
}

// The requests with function 16 (a write) to a controller that the simulator's trace shows.
QList<QByteArray> writesTo(SimProcess &sim, int rynAddr)
{
    QList<QByteArray> writes;
    const QString start = QStringLiteral("  RX  %1 10 ").arg(rynAddr, 2, 16, QLatin1Char('0')).toUpper();
    for (const QString &line : sim.trace().split(QLatin1Char('\n'))) {
        const int at = line.indexOf(start);
        if (at >= 0)
            writes.append(QByteArray::fromHex(line.mid(at + 6).toLatin1()));
    }
    return writes;
}

} // namespace

// The worker in its own thread against the simulated controllers of the demo line.
class TestMasterSim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void findsMonitorsAndReportsLiveChanges();
    void searchFindsEveryControllerUnderFaults_data();
    void searchFindsEveryControllerUnderFaults();
    void noEventLostUnderFaults();
    void lastAnswersReadWhileTheWorkerWrites();
    void defaultConfigurationOnlyFromTheControllersOwnTypes();
};

void TestMasterSim::initTestCase()
{
    qRegisterMetaType<ModbusProtocol::EventList>("ModbusProtocol::EventList");
    qRegisterMetaType<QList<int>>("QList<int>");
}

void TestMasterSim::findsMonitorsAndReportsLiveChanges()
{
    SimProcess sim;
    QVERIFY2(sim.start(SimProcess::demoScenario(), {QStringLiteral("--baud"), QStringLiteral("0")}),
             qPrintable(sim.errorString()));
    auto *master = new ModbusMaster(sim.linkPath(), 0, true);
    ResponseDecoder decoder;
    connect(master, &ModbusMaster::signalInfo, &decoder,
            [&decoder](int, int, int cmdCode, int errCode, const QByteArray &info) {
                if (ResponseDecoder::decodes(cmdCode, errCode))
                    decoder.enqueue(cmdCode, info);
            });
    MasterSignals relay(master);
    QSignalSpy info(&relay, &MasterSignals::signalInfo);
    QSignalSpy events(&relay, &MasterSignals::signalEvents);
    QSignalSpy fire(&decoder, &ResponseDecoder::signalSetFire);
    QVERIFY(relay.startThread());

    search(master, 8);
    QTRY_COMPARE_WITH_TIMEOUT(info.size(), 8, 10000);
    QList<int> found;
    for (const QList<QVariant> &arguments : info) {
        if (arguments.at(3).toInt() == 0)
            found.append(arguments.at(0).toInt());
    }
    QCOMPARE(found, (QList<int>{1, 2, 3}));

    // The smoke tab reads the fire block of a loop with smoke detectors.
    QMetaObject::invokeMethod(master, "slotTabCurrenChanged", Q_ARG(int, 2));
    QMetaObject::invokeMethod(master, "slotSetAddr", Q_ARG(int, 1));
    QTRY_VERIFY_WITH_TIMEOUT(!fire.isEmpty(), 10000);
    fire.clear();
    QCOMPARE(sim.command(QStringLiteral("state 1 17 fire")), QStringLiteral("OK"));
    QTRY_VERIFY_WITH_TIMEOUT(
        [&fire] {
            for (const QList<QVariant> &arguments : fire) {
                if (arguments.at(0).toInt() == 17 && arguments.at(1).toBool())
                    return true;
            }
            return false;
        }(),
        10000);

    // An event raised on controller 3, which is not selected, arrives through the rotation.
    events.clear();
    QCOMPARE(sim.command(QStringLiteral("event 3 44 16")), QStringLiteral("OK"));
    QTRY_VERIFY_WITH_TIMEOUT(
        [&events] {
            for (const QList<QVariant> &arguments : events) {
                for (const ModbusEvent &event : arguments.at(0).value<ModbusProtocol::EventList>()) {
                    if (event.rynAddr == 3 && event.auAddr == 44 && event.evCode == 16)
                        return true;
                }
            }
            return false;
        }(),
        10000);

    QVERIFY(relay.stopThread());
    const QMap<QString, int> counts = sim.stop();
    QVERIFY(counts.value(QStringLiteral("answered")) > 20);
}

void TestMasterSim::searchFindsEveryControllerUnderFaults_data()
{
    QTest::addColumn<QString>("seed");
    for (const char *seed : {"2", "5", "9"})
        QTest::newRow(seed) << QString::fromLatin1(seed);
}

void TestMasterSim::searchFindsEveryControllerUnderFaults()
{
    QFETCH(QString, seed);
    SimProcess sim;
    QVERIFY2(sim.start(SimProcess::demoScenario(),
                       {QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--seed"), seed,
                        QStringLiteral("--faults"),
                        QStringLiteral("crc=0.1,late=0.1,noanswer=0.05,truncated=0.05")}),
             qPrintable(sim.errorString()));
    ModbusMaster::Options options;
    options.probeEveryMs = 250; // the line's pace does not matter here, only that probes come again
    auto *master = new ModbusMaster(sim.linkPath(), 0, true, options);
    MasterSignals relay(master);
    QSignalSpy info(&relay, &MasterSignals::signalInfo);
    QSignalSpy events(&relay, &MasterSignals::signalEvents);
    QVERIFY(relay.startThread());

    const QList<int> probes = search(master, 8);
    QSet<int> foundBySearch;
    QSet<int> found;
    const auto collect = [&] {
        for (const QList<QVariant> &arguments : qAsConst(info)) {
            if (arguments.at(2).toInt() != CMD_PING || arguments.at(3).toInt() != 0)
                continue;
            found.insert(arguments.at(0).toInt());
            if (probes.contains(arguments.at(1).toInt()))
                foundBySearch.insert(arguments.at(0).toInt());
        }
        return found;
    };
    QTRY_COMPARE_WITH_TIMEOUT(collect(), (QSet<int>{1, 2, 3}), 20000);
    qInfo("seed %s: the search itself found %d of 3", qPrintable(seed), int(foundBySearch.size()));
    // Every controller found is polled for its events: the demo line's start-up reports come in.
    const auto eventsFromEveryController = [&events] {
        QSet<int> from;
        for (const QList<QVariant> &arguments : qAsConst(events)) {
            for (const ModbusEvent &event : arguments.at(0).value<ModbusProtocol::EventList>())
                from.insert(event.rynAddr);
        }
        return from.size() == 3;
    };
    QTRY_VERIFY_WITH_TIMEOUT(eventsFromEveryController(), 20000);
    QVERIFY(relay.stopThread());
    const QMap<QString, int> counts = sim.stop();
    QVERIFY(counts.value(QStringLiteral("crc")) + counts.value(QStringLiteral("late")) > 0);
}

void TestMasterSim::noEventLostUnderFaults()
{
    // Three controllers polled in turn, one of them monitored, on a line where a third of the
    // answers go wrong: every event raised arrives, however its reads and acknowledgements fared.
    SimProcess sim;
    QVERIFY2(sim.start(SimProcess::demoScenario(),
                       {QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--seed"),
                        QStringLiteral("4"), QStringLiteral("--faults"),
                        QStringLiteral("crc=0.08,truncated=0.04,extra=0.03,garbage=0.03,late=0.03,"
                                       "noanswer=0.04,exception=0.05")}),
             qPrintable(sim.errorString()));
    ModbusMaster::Options options;
    options.probeEveryMs = 250;
    auto *master = new ModbusMaster(sim.linkPath(), 0, true, options);
    MasterSignals relay(master);
    QSignalSpy info(&relay, &MasterSignals::signalInfo);
    QSignalSpy events(&relay, &MasterSignals::signalEvents);
    QVERIFY(relay.startThread());
    search(master, 3);
    const auto found = [&info] {
        QSet<int> addresses;
        for (const QList<QVariant> &arguments : qAsConst(info)) {
            if (arguments.at(2).toInt() == CMD_PING && arguments.at(3).toInt() == 0)
                addresses.insert(arguments.at(0).toInt());
        }
        return addresses;
    };
    QTRY_COMPARE_WITH_TIMEOUT(found(), (QSet<int>{1, 2, 3}), 20000);
    QMetaObject::invokeMethod(master, "slotSetAddr", Q_ARG(int, 1));

    // Each event is told apart by its controller, unit and parameter.
    QSet<QString> raised;
    for (int i = 0; i < 90; ++i) {
        const int controller = 1 + i % 3;
        const int unit = 200 + i / 30;
        QCOMPARE(sim.command(QStringLiteral("event %1 %2 199 %3").arg(controller).arg(unit).arg(i)),
                 QStringLiteral("OK"));
        raised.insert(QStringLiteral("%1/%2/%3").arg(controller).arg(unit).arg(i));
        if (i % 3 == 2)
            QTest::qWait(150);
    }
    QMap<QString, int> received;
    const auto collect = [&] {
        for (const QList<QVariant> &arguments : qAsConst(events)) {
            for (const ModbusEvent &event : arguments.at(0).value<ModbusProtocol::EventList>()) {
                if (event.evCode == 199)
                    ++received[QStringLiteral("%1/%2/%3").arg(event.rynAddr).arg(event.auAddr).arg(event.addParam)];
            }
        }
        events.clear();
        return received.size();
    };
    // Every raised event must come; one lost keeps the test waiting until the time-out, then named.
    QElapsedTimer waited;
    waited.start();
    while (collect() < raised.size() && waited.elapsed() < 60000)
        QTest::qWait(50);
    QVERIFY(relay.stopThread());
    const QMap<QString, int> counts = sim.stop();

    QStringList lost;
    int duplicates = 0;
    for (const QString &event : qAsConst(raised)) {
        if (!received.contains(event))
            lost.append(event);
        duplicates += qMax(0, received.value(event) - 1);
    }
    qInfo("%d events raised, %d duplicates; %d answers spoiled", int(raised.size()), duplicates,
          counts.value(QStringLiteral("crc")) + counts.value(QStringLiteral("truncated")) +
              counts.value(QStringLiteral("late")) + counts.value(QStringLiteral("noanswer")) +
              counts.value(QStringLiteral("exception")));
    QVERIFY2(lost.isEmpty(), qPrintable(QStringLiteral("lost: ") + lost.join(QLatin1Char(' '))));
}

void TestMasterSim::lastAnswersReadWhileTheWorkerWrites()
{
    // The unit menus ask the worker about its last answers from the window's thread while the worker
    // stores new ones: every answer read whole (a sanitizer build sees any access without the lock).
    SimProcess sim;
    QVERIFY2(sim.start(SimProcess::demoScenario(), {QStringLiteral("--baud"), QStringLiteral("0")}),
             qPrintable(sim.errorString()));
    auto *master = new ModbusMaster(sim.linkPath(), 1, true);
    MasterSignals relay(master);
    QVERIFY(relay.startThread());
    search(master, 1);
    QMetaObject::invokeMethod(master, "slotSetAddr", Q_ARG(int, 1));
    // Unit 1 of controller 1 answers, unit 15 is lost: once the states are read, both show so.
    QElapsedTimer reading;
    reading.start();
    bool statesRead = false;
    while (reading.elapsed() < 3000) {
        QVERIFY(master->isUnitReachable(1));
        QVERIFY(master->isUnitTyped(1));
        statesRead = statesRead || !master->isUnitReachable(15);
        QCoreApplication::processEvents();
    }
    QVERIFY(statesRead);
    QVERIFY(relay.stopThread());
}

void TestMasterSim::defaultConfigurationOnlyFromTheControllersOwnTypes()
{
    // A report run over 1..3 with controller 2 selected ends on controller 3, then monitoring goes
    // back to 2. A default configuration of 2 is built from the last types read: while 2's own are
    // not read (it is silent) the command is refused and nothing is written; once they are, exactly
    // they are written.
    SimProcess sim;
    QVERIFY2(sim.start(SimProcess::demoScenario(),
                       {QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--trace")}),
             qPrintable(sim.errorString()));
    auto *master = new ModbusMaster(sim.linkPath(), 0, true);
    MasterSignals relay(master);
    QSignalSpy info(&relay, &MasterSignals::signalInfo);
    QSignalSpy completed(&relay, &MasterSignals::signalRynReadingCompleted);
    QVERIFY(relay.startThread());
    const QList<int> probes = search(master, 3);
    QTRY_VERIFY_WITH_TIMEOUT(answer(info, 3, probes.last(), CMD_PING).has_value(), 10000);
    QMetaObject::invokeMethod(master, "slotSetAddr", Q_ARG(int, 2));
    QTRY_VERIFY_WITH_TIMEOUT(answer(info, 2, 0, CMD_READ_TYPES).has_value(), 10000);
    const QByteArray ownTypes = answer(info, 2, 0, CMD_READ_TYPES)->second;

    QCOMPARE(sim.command(QStringLiteral("silence 2")), QStringLiteral("OK"));
    QMetaObject::invokeMethod(master, "slotReadRyns", Q_ARG(QList<int>, (QList<int>{1, 2, 3})));
    QTRY_COMPARE_WITH_TIMEOUT(completed.size(), 3, 30000);
    QCOMPARE(completed.at(1), (QList<QVariant>{2, false}));
    QCOMPARE(completed.at(2), (QList<QVariant>{3, true}));

    const int refused = nextCommandId();
    QMetaObject::invokeMethod(master, "slotAddCommand", Q_ARG(int, 2), Q_ARG(int, refused),
                              Q_ARG(int, CMD_DEFAULT_CFG_TYPES), Q_ARG(QByteArray, QByteArray()));
    QTRY_VERIFY_WITH_TIMEOUT(answer(info, 2, refused, CMD_DEFAULT_CFG_TYPES).has_value(), 10000);
    QCOMPARE(answer(info, 2, refused, CMD_DEFAULT_CFG_TYPES)->first, int(ModbusProtocol::ResultNoTypes));
    QVERIFY(writesTo(sim, 2).isEmpty());

    info.clear();
    QCOMPARE(sim.command(QStringLiteral("revive 2")), QStringLiteral("OK"));
    QTRY_VERIFY_WITH_TIMEOUT(answer(info, 2, 0, CMD_READ_TYPES).has_value(), 10000);
    const int written = nextCommandId();
    QMetaObject::invokeMethod(master, "slotAddCommand", Q_ARG(int, 2), Q_ARG(int, written),
                              Q_ARG(int, CMD_DEFAULT_CFG_TYPES), Q_ARG(QByteArray, QByteArray()));
    QTRY_VERIFY_WITH_TIMEOUT(answer(info, 2, written, CMD_DEFAULT_CFG_TYPES).has_value(), 10000);
    QCOMPARE(answer(info, 2, written, CMD_DEFAULT_CFG_TYPES)->first, int(ModbusProtocol::ResultOk));
    QVERIFY(relay.stopThread());
    const QList<QByteArray> writes = writesTo(sim, 2);
    QCOMPARE(writes.size(), 1);
    // Address, function, start, count, byte count, then the data.
    const int byteCount = quint8(writes.first().at(6));
    QVERIFY(byteCount > 0 && byteCount <= ownTypes.size());
    QCOMPARE(writes.first().mid(7, byteCount), ownTypes.left(byteCount));
}

QTEST_GUILESS_MAIN(TestMasterSim)
#include "tst_mastersim.moc"
