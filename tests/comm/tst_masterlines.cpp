#include "commandcodes.h"
#include "commandid.h"
#include "mastersignals.h"
#include "modbusmaster.h"
#include "responsedecoder.h"
#include "simprocess.h"

#include <QTcpServer>
#include <QtTest>

#include <memory>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int send(ModbusMaster *master, int rynAddr, int cmdCode, const QByteArray &info = QByteArray())
{
    const int id = nextCommandId();
    QMetaObject::invokeMethod(master, "slotAddCommand", Q_ARG(int, rynAddr), Q_ARG(int, id), Q_ARG(int, cmdCode),
                              Q_ARG(QByteArray, info));
    return id;
}

// An executive command's info for the controller itself.
const QByteArray controllerTarget(3, '\0');

void search(ModbusMaster *master, int last)
{
    for (int address = 1; address <= last; ++address)
        send(master, address, CMD_PING);
}

QSet<int> found(const QSignalSpy &info)
{
    QSet<int> addresses;
    for (const QList<QVariant> &arguments : info) {
        if (arguments.at(2).toInt() == CMD_PING && arguments.at(3).toInt() == 0)
            addresses.insert(arguments.at(0).toInt());
    }
    return addresses;
}

// Results 2 and 3, as the main window counts them, from the answers to commands and monitoring.
int linkErrors(const QSignalSpy &info, const QSignalSpy &rx)
{
    int errors = 0;
    for (const QList<QVariant> &arguments : info)
        errors += arguments.at(3).toInt() == 2 || arguments.at(3).toInt() == 3 ? 1 : 0;
    for (const QList<QVariant> &arguments : rx)
        errors += arguments.at(0).toInt() == 2 || arguments.at(0).toInt() == 3 ? 1 : 0;
    return errors;
}

bool hasEvent(const QSignalSpy &events, int rynAddr, int auAddr, int evCode)
{
    for (const QList<QVariant> &arguments : events) {
        for (const ModbusEvent &event : arguments.at(0).value<ModbusProtocol::EventList>()) {
            if (event.rynAddr == rynAddr && event.auAddr == auAddr && event.evCode == evCode)
                return true;
        }
    }
    return false;
}

// The requests the simulator took in, in order, from its trace.
QStringList requestsSeen(const QString &trace)
{
    QStringList requests;
    for (const QString &line : trace.split(QLatin1Char('\n'))) {
        const QStringList parts = line.split(QStringLiteral("  "));
        if (parts.size() >= 3 && parts.at(1) == QLatin1String("RX"))
            requests.append(parts.at(2));
    }
    return requests;
}

// A loopback port nobody listens on: a connection to it is refused.
quint16 closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort();
}

// A loopback listener that never accepts, its queue already full: the system drops further
// connection requests, so a connection to it neither succeeds nor fails.
struct SilentHost
{
    int listener = -1;
    int filler = -1;
    quint16 port = 0;

    SilentHost()
    {
        listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(listener, reinterpret_cast<sockaddr *>(&address), length) != 0 || ::listen(listener, 0) != 0)
            return;
        ::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length);
        filler = ::socket(AF_INET, SOCK_STREAM, 0);
        if (::connect(filler, reinterpret_cast<sockaddr *>(&address), length) == 0)
            port = ntohs(address.sin_port);
    }
    ~SilentHost()
    {
        ::close(filler);
        ::close(listener);
    }
};

} // namespace

// The worker on the lines an engineer meets besides a plain serial port: a serial device server (RTU
// over TCP) and adapters that echo the requests.
class TestMasterLines : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void findsMonitorsCommandsAndReadsEvents_data();
    void findsMonitorsCommandsAndReadsEvents();
    void sameRequestsOnEveryLine();
    void echoLeftInPlaceIsALinkError();
    void droppedConnectionComesBack();
    void unreachableServer_data();
    void unreachableServer();
};

void TestMasterLines::initTestCase()
{
    qRegisterMetaType<ModbusProtocol::EventList>("ModbusProtocol::EventList");
}

void TestMasterLines::findsMonitorsCommandsAndReadsEvents_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("echoes");
    const QString tcp = QStringLiteral("--tcp");
    const QString echo = QStringLiteral("--echo");
    QTest::addRow("tcp") << QStringList{tcp, QStringLiteral("0")} << false;
    QTest::addRow("echo") << QStringList{echo} << true;
    QTest::addRow("partial-echo") << QStringList{echo, QStringLiteral("partial")} << true;
    QTest::addRow("tcp-echo") << QStringList{tcp, QStringLiteral("0"), echo} << true;
}

void TestMasterLines::findsMonitorsCommandsAndReadsEvents()
{
    QFETCH(QStringList, options);
    QFETCH(bool, echoes);
    SimProcess sim;
    QVERIFY2(sim.start(SimProcess::demoScenario(), QStringList{QStringLiteral("--baud"), QStringLiteral("0")} + options),
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
    QSignalSpy rx(&relay, &MasterSignals::signalPortRx);
    QSignalSpy events(&relay, &MasterSignals::signalEvents);
    QSignalSpy echoCount(&relay, &MasterSignals::signalEchoCount);
    QSignalSpy fire(&decoder, &ResponseDecoder::signalSetFire);
    QVERIFY(relay.startThread());

    search(master, 8);
    QTRY_COMPARE_WITH_TIMEOUT(info.size(), 8, 10000);
    QCOMPARE(found(info), (QSet<int>{1, 2, 3}));

    QMetaObject::invokeMethod(master, "slotTabCurrenChanged", Q_ARG(int, 2));
    QMetaObject::invokeMethod(master, "slotSetAddr", Q_ARG(int, 1));
    QTRY_VERIFY_WITH_TIMEOUT(!fire.isEmpty(), 10000);
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

    const int relayId = send(master, 1, CMD_RYN_FIRE_RELAY_ON, controllerTarget);
    const auto relayResult = [&info, relayId] {
        for (const QList<QVariant> &arguments : info) {
            if (arguments.at(1).toInt() == relayId)
                return arguments.at(3).toInt();
        }
        return -1;
    };
    QTRY_COMPARE_WITH_TIMEOUT(relayResult(), 0, 10000);
    QCOMPARE(sim.command(QStringLiteral("reg 1 1001")), QStringLiteral("OK 4"));

    QCOMPARE(sim.command(QStringLiteral("event 3 44 16")), QStringLiteral("OK"));
    QTRY_VERIFY_WITH_TIMEOUT(hasEvent(events, 3, 44, 16), 10000);

    QVERIFY(relay.stopThread());
    QCOMPARE(linkErrors(info, rx), 0);
    QVERIFY(!echoCount.isEmpty());
    QCOMPARE(echoCount.last().at(0).toInt() > 0, echoes);
}

void TestMasterLines::sameRequestsOnEveryLine()
{
    QList<QStringList> seen;
    const QStringList lines[] = {{}, {QStringLiteral("--tcp"), QStringLiteral("0")},
                                 {QStringLiteral("--tcp"), QStringLiteral("0"), QStringLiteral("--echo")}};
    for (const QStringList &line : lines) {
        SimProcess sim;
        QVERIFY2(sim.start(SimProcess::demoScenario(),
                           QStringList{QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--trace")} + line),
                 qPrintable(sim.errorString()));
        ModbusMaster::Options options;
        options.probeEveryMs = 600000; // no background probes: the same requests every run
        auto *master = new ModbusMaster(sim.linkPath(), 0, false, options);
        MasterSignals relay(master);
        QSignalSpy info(&relay, &MasterSignals::signalInfo);
        QVERIFY(relay.startThread());
        search(master, 8);
        send(master, 2, CMD_RYN_FIRE_RELAY_ON, controllerTarget);
        send(master, 1, CMD_READ_TYPES);
        send(master, 3, CMD_READ_RYN_REGISTERS);
        QTRY_COMPARE_WITH_TIMEOUT(info.size(), 11, 10000);
        QVERIFY(relay.stopThread());
        sim.stop();
        seen.append(requestsSeen(sim.trace()));
        QCOMPARE(seen.last().size(), 11);
    }
    QCOMPARE(seen.at(1), seen.at(0));
    QCOMPARE(seen.at(2), seen.at(0));
}

void TestMasterLines::echoLeftInPlaceIsALinkError()
{
    SimProcess sim;
    QVERIFY2(sim.start(SimProcess::demoScenario(),
                       {QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--echo")}),
             qPrintable(sim.errorString()));
    auto *master = new ModbusMaster(sim.linkPath(), 0, false);
    master->slotSetStripEcho(false);
    MasterSignals relay(master);
    QSignalSpy info(&relay, &MasterSignals::signalInfo);
    QSignalSpy rx(&relay, &MasterSignals::signalPortRx);
    QVERIFY(relay.startThread());
    search(master, 8);
    QTRY_COMPARE_WITH_TIMEOUT(info.size(), 8, 10000);
    QVERIFY(relay.stopThread());
    QVERIFY(found(info).isEmpty());
    QCOMPARE(linkErrors(info, rx), 8);
}

void TestMasterLines::droppedConnectionComesBack()
{
    auto sim = std::make_unique<SimProcess>();
    QVERIFY2(sim->start(SimProcess::demoScenario(), {QStringLiteral("--baud"), QStringLiteral("0"),
                                                     QStringLiteral("--tcp"), QStringLiteral("0")}),
             qPrintable(sim->errorString()));
    const QString portName = sim->linkPath();
    const QString where = portName.mid(portName.indexOf(QLatin1String("//")) + 2);
    ModbusMaster::Options options;
    options.probeEveryMs = 250;
    auto *master = new ModbusMaster(portName, 0, true, options);
    MasterSignals relay(master);
    QSignalSpy opened(&relay, &MasterSignals::signalPortOpened);
    QSignalSpy info(&relay, &MasterSignals::signalInfo);
    QSignalSpy events(&relay, &MasterSignals::signalEvents);
    QVERIFY(relay.startThread());
    search(master, 3);
    QTRY_COMPARE_WITH_TIMEOUT(found(info), (QSet<int>{1, 2, 3}), 10000);

    sim->kill();
    QTRY_VERIFY_WITH_TIMEOUT(!opened.last().at(0).toBool(), 20000);

    // The server is back with its controllers; what their buffers hold meanwhile all arrives, once.
    sim = std::make_unique<SimProcess>();
    QVERIFY2(sim->start(SimProcess::demoScenario(),
                        {QStringLiteral("--baud"), QStringLiteral("0"), QStringLiteral("--tcp"), where}),
             qPrintable(sim->errorString()));
    for (int i = 0; i < 12; ++i)
        QCOMPARE(sim->command(QStringLiteral("event %1 210 199 %2").arg(1 + i % 3).arg(i)), QStringLiteral("OK"));
    QTRY_VERIFY_WITH_TIMEOUT(opened.last().at(0).toBool(), 20000);
    const auto arrived = [&events] {
        QMap<int, int> times;
        for (const QList<QVariant> &arguments : qAsConst(events)) {
            for (const ModbusEvent &event : arguments.at(0).value<ModbusProtocol::EventList>()) {
                if (event.auAddr == 210)
                    ++times[event.addParam];
            }
        }
        return times;
    };
    QTRY_COMPARE_WITH_TIMEOUT(arrived().size(), 12, 30000);
    for (int count : arrived())
        QCOMPARE(count, 1);
    QVERIFY(relay.stopThread());
}

void TestMasterLines::unreachableServer_data()
{
    QTest::addColumn<QString>("portName");
    QTest::addColumn<QString>("reason");
    QTest::addRow("refused") << QStringLiteral("tcp://127.0.0.1:%1").arg(closedPort())
                             << QStringLiteral("сервер отказал в соединении");
    QTest::addRow("refused-ipv6") << QStringLiteral("tcp://[::1]:%1").arg(closedPort())
                                  << QStringLiteral("сервер отказал в соединении");
    QTest::addRow("never-answers") << QStringLiteral("tcp://127.0.0.1:silent") << QStringLiteral("не ответил");
    // A name no look-up can find (a label longer than 63 characters), rejected without asking the network.
    QTest::addRow("unknown-name") << QStringLiteral("tcp://%1.example:4001").arg(QString(64, QLatin1Char('a')))
                                  << QStringLiteral("не найден");
    QTest::addRow("no-port") << QStringLiteral("tcp://127.0.0.1") << QStringLiteral("не указан порт");
}

void TestMasterLines::unreachableServer()
{
    QFETCH(QString, portName);
    QFETCH(QString, reason);
    SilentHost silent;
    QVERIFY(silent.port != 0);
    portName.replace(QLatin1String("silent"), QString::number(silent.port));
    auto *master = new ModbusMaster(portName, 0, true);
    MasterSignals relay(master);
    QSignalSpy opened(&relay, &MasterSignals::signalPortOpened);
    QSignalSpy openError(&relay, &MasterSignals::signalPortOpenError);
    QSignalSpy info(&relay, &MasterSignals::signalInfo);
    QVERIFY(!relay.startThread());
    QTRY_VERIFY_WITH_TIMEOUT(!openError.isEmpty(), 5000);
    QVERIFY2(openError.last().at(0).toString().contains(reason), qPrintable(openError.last().at(0).toString()));
    QVERIFY(!opened.first().at(0).toBool());
    // The worker is not stuck: a command is refused at once, never kept for later.
    send(master, 1, CMD_PING);
    QTRY_COMPARE_WITH_TIMEOUT(info.size(), 1, 5000);
    QCOMPARE(info.first().at(3).toInt(), 4);
    QVERIFY(relay.stopThread());
}

QTEST_GUILESS_MAIN(TestMasterLines)
#include "tst_masterlines.moc"
