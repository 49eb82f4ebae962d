#include "commandcodes.h"
#include "commandid.h"
#include "commandnames.h"
#include "fakeslave.h"
#include "modbusmaster.h"
#include "registermap.h"
#include "scriptedport.h"

#include <QTimer>
#include <QtTest>

using namespace ModbusProtocol;
using Chunks = QList<ScriptedPort::Chunk>;
// Turns a controller's answer into what arrives instead.
using Spoil = std::function<Chunks(const Chunks &answer)>;
Q_DECLARE_METATYPE(Spoil)

// A line of fake controllers and a worker driven tick by tick on a virtual clock.
class Line
{
public:
    explicit Line(QList<int> present = {}, int selected = 0, bool fromAll = false)
    {
        for (int address : present)
            addController(address);
        ModbusMaster::Options options;
        options.ownThread = false;
        options.portFactory = [this](const QString &) {
            auto port = std::make_unique<ScriptedPort>();
            port->responder = [this](const QByteArray &request) { return route(request); };
            port->now = m_port ? m_port->now : m_lastNow;
            port->onDestroyed = [this](const ScriptedPort &gone) {
                m_lastNow = gone.now;
                if (m_port == &gone)
                    m_port = nullptr;
            };
            m_port = port.get();
            ++portsCreated;
            return port;
        };
        options.linkClock = [this] { return clock(); };
        options.sleeper = [this](int msecs) {
            if (m_port)
                m_port->advance(msecs);
        };
        options.now = [this] { return start.addMSecs(clock()); };
        master = std::make_unique<ModbusMaster>(QStringLiteral("line"), 0, fromAll, options);
        master->init();
        if (selected > 0) {
            search();
            master->slotSetAddr(selected);
        }
        forget();
    }

    // The worker goes first: deleting it deletes the port, which reports to this line.
    ~Line() { master.reset(); }

    FakeSlave &addController(int address)
    {
        auto slave = std::make_shared<FakeSlave>(quint8(address));
        slave->memory[RegisterMap::versionRegister] = 15;
        slave->memory.replace(10000, 0xFFFF); // no units until a test places some
        for (int i = 1; i < 125; ++i)
            slave->memory[10000 + i] = 0xFFFF;
        slaves.insert(address, slave);
        return *slave;
    }

    // Places a unit of a type on a controller's loop.
    void setType(int address, int unit, int type)
    {
        FakeSlave &slave = *slaves.value(address);
        const int reg = 10000 + (unit - 1) / 2;
        quint16 value = slave.memory.at(reg);
        value = (unit % 2 == 1) ? quint16((value & 0xFF00) | type) : quint16((value & 0x00FF) | (type << 8));
        slave.memory[reg] = value;
    }

    void tick(int count = 1)
    {
        for (int i = 0; i < count; ++i)
            master->doModbus();
    }

    // A controller search: one probe to each address.
    void search()
    {
        for (int address = 1; address <= 8; ++address)
            master->slotAddCommand(address, nextCommandId(), CMD_PING, QByteArray());
        tick(8);
    }

    // The worker's own thread on the virtual clock: it sleeps as long as its tick timer says, then
    // ticks. Returns the number of ticks.
    int run(int msecs)
    {
        const qint64 end = clock() + msecs;
        int ticks = 0;
        while (clock() < end && master->tickTimer()->isActive()) {
            m_port->advance(master->tickTimer()->interval());
            tick();
            ++ticks;
        }
        return ticks;
    }

    void forget()
    {
        m_port->requests.clear();
        m_port->requestTimes.clear();
    }

    ScriptedPort *port() const { return m_port; }

    // The requests since the last call, as "address:what": ev for the event count, evs for events,
    // the read code, or w<register> for a write.
    QStringList traffic()
    {
        QStringList result;
        for (const QByteArray &request : m_port->requests)
            result.append(describe(request));
        forget();
        return result;
    }

    // Only the read codes of the selected controller's monitoring.
    QStringList readCodes()
    {
        QStringList codes;
        for (const QString &entry : traffic()) {
            const QString what = entry.section(QLatin1Char(':'), 1);
            if (!what.startsWith(QLatin1String("ev")) && !what.startsWith(QLatin1Char('w')))
                codes.append(what);
        }
        return codes;
    }

    static QString describe(const QByteArray &request)
    {
        const int address = quint8(request.at(0));
        const int start = quint8(request.at(2)) * 256 + quint8(request.at(3));
        const int count = quint8(request.at(4)) * 256 + quint8(request.at(5));
        QString what;
        if (start == RegisterMap::readBlock(CMD_PING, 0).start &&
            count == RegisterMap::readBlock(CMD_PING, 0).count) {
            what = QStringLiteral("ping");
        } else if (request.at(1) == 0x10) {
            what = QStringLiteral("w%1").arg(start);
        } else if (start == 0) {
            what = QStringLiteral("ev");
        } else if (start == 1) {
            what = QStringLiteral("evs");
        } else {
            for (int code = 0; code <= 107 && what.isEmpty(); ++code) {
                for (quint16 version : {quint16(14), quint16(15)}) {
                    const RegisterMap::Block block = RegisterMap::readBlock(code, version);
                    if (block.code >= 0 && block.start == start && block.count == count) {
                        what = QString::number(code);
                        break;
                    }
                }
            }
        }
        return QStringLiteral("%1:%2").arg(address).arg(what);
    }

    QDateTime start{QDate(2026, 12, 8), QTime(9, 0)};
    QMap<int, std::shared_ptr<FakeSlave>> slaves;
    std::unique_ptr<ModbusMaster> master;
    int portsCreated = 0;
    // Changes what comes back on the line: noise, silence, someone else's answer.
    std::function<QList<ScriptedPort::Chunk>(const QByteArray &request, QList<ScriptedPort::Chunk> answer)>
        spoil;

private:
    QList<ScriptedPort::Chunk> route(const QByteArray &request)
    {
        const auto slave = slaves.value(quint8(request.at(0)));
        const QList<ScriptedPort::Chunk> answer =
            slave ? slave->respond(request) : QList<ScriptedPort::Chunk>();
        return spoil ? spoil(request, answer) : answer;
    }

    qint64 clock() const { return m_port ? m_port->now : m_lastNow; }

    ScriptedPort *m_port = nullptr;
    qint64 m_lastNow = 0; // the clock of the last port the link deleted
};

// Delivers a timer's timeout as its own expiry would: through the connections it was given.
static void fire(QTimer *timer)
{
    QMetaObject::invokeMethod(timer, "timeout");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
}

static QStringList codes(std::initializer_list<int> list)
{
    QStringList result;
    for (int code : list)
        result.append(QString::number(code));
    return result;
}

class TestModbusMaster : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void searchFindsControllers();
    void nothingOnTheLineWithoutControllers();
    void noEventPollOfAddressZero();
    void deselectingMidCycleKeepsPollingEvents();
    void cycleFollowsTheTabAndViewMode_data();
    void cycleFollowsTheTabAndViewMode();
    void readPolicyOverTime();
    void initEventReArmsTheOnceOnlyBlocks();
    void commandsOvertakeMonitoring();
    void everyCommandIsAnsweredOnce();
    void eventRotationBetweenCycles();
    void silentControllerIsDropped();
    void selectedControllerIsNeverDropped();
    void typesChangeMidCycleRebuildsTheList();
    void onlyChangedBlocksAreReported();
    void multiControllerReading();
    void multiControllerReadingAborted();
    void readingWithoutARunningLineFails_data();
    void readingWithoutARunningLineFails();
    void readingTakesEachControllersWholeRegisterBlock();
    void readingEndRereadsTheRestoredBorders_data();
    void readingEndRereadsTheRestoredBorders();
    void borderReadIsFollowedByItsBlock();
    void borderWritesScheduleOneReReadEach();
    void configurationReadsAreReportedTwice();
    void configurationWritesReportTheirResults();
    void portIsRecreatedAfterElevenFailures();
    void commandsWithoutARunningLineFailAtOnce();
    void portWithoutPermissionIsReported_data();
    void portWithoutPermissionIsReported();
    void unitQueriesFromTheLastAnswers();
    void timersDriveTheirOwnWork_data();
    void timersDriveTheirOwnWork();
    void failedReadsAreReported_data();
    void failedReadsAreReported();
    void everyFailedReadReachesTheCounters_data();
    void everyFailedReadReachesTheCounters();
    void newSelectionStartsFromTheDefaultVersion();
    void failedEventPollsCountTowardsPortRecovery();
    void rotationGoesOnAfterARemoval();
    void portChangeForgetsTheOldLine_data();
    void portChangeForgetsTheOldLine();
    void lostSearchProbeIsMadeUpInTheBackground();
    void formerControllerIsSoughtAgainAtOnce_data();
    void formerControllerIsSoughtAgainAtOnce();
    void backgroundAnswerIsNoSearch();
    void backgroundProbesStayWithinTheirShare();
    void idleWorkerSleepsUntilThereIsWork_data();
    void idleWorkerSleepsUntilThereIsWork();
    void lineRecordOfATransaction_data();
    void lineRecordOfATransaction();
    void lineRecordsAreCompleteAndInOrder();
    void lineRecordsLeaveAtMostEvery100Ms();
    void lineRecordingOnlyWhileAsked();
    void lineRecordBufferIsBounded();
};

void TestModbusMaster::initTestCase()
{
    qRegisterMetaType<ModbusProtocol::EventList>("ModbusProtocol::EventList");
}

void TestModbusMaster::searchFindsControllers()
{
    Line line({2, 5});
    QSignalSpy info(line.master.get(), &ModbusMaster::signalInfo);
    for (int address = 1; address <= 8; ++address)
        line.master->slotAddCommand(address, 100 + address, CMD_PING, QByteArray());
    line.tick(8);
    QCOMPARE(line.master->knownRyns(), (QList<int>{2, 5}));
    QCOMPARE(info.size(), 8);
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(info.at(i).at(1).toInt(), 101 + i);
        QCOMPARE(info.at(i).at(3).toInt(), (i == 1 || i == 4) ? int(ResultOk) : int(ResultNoAnswer));
    }
    // A new search starting at address 1 forgets the controllers found before.
    line.slaves.remove(2);
    for (int address = 1; address <= 8; ++address)
        line.master->slotAddCommand(address, 200 + address, CMD_PING, QByteArray());
    line.slaves.insert(1, std::make_shared<FakeSlave>(1));
    line.tick(8);
    QCOMPARE(line.master->knownRyns(), (QList<int>{1, 5}));
}

void TestModbusMaster::nothingOnTheLineWithoutControllers()
{
    Line line;
    line.master->slotSetAddr(3);
    line.tick(50);
    QVERIFY(line.traffic().isEmpty());
}

void TestModbusMaster::noEventPollOfAddressZero()
{
    Line line({1, 2}, 1, false);
    line.master->slotSetAddr(0);
    line.traffic();
    line.tick(20);
    QVERIFY(line.traffic().isEmpty());
}

void TestModbusMaster::deselectingMidCycleKeepsPollingEvents()
{
    Line line({1, 2}, 1, true);
    line.tick(4); // controller 1's cycle is under way
    line.master->slotSetAddr(0);
    line.traffic();
    line.tick(6);
    QStringList polls = line.traffic();
    polls.sort();
    QCOMPARE(polls, (QStringList{QStringLiteral("1:ev"), QStringLiteral("1:ev"), QStringLiteral("1:ev"),
                                 QStringLiteral("2:ev"), QStringLiteral("2:ev"), QStringLiteral("2:ev")}));
}

void TestModbusMaster::cycleFollowsTheTabAndViewMode_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("viewMode");
    QTest::addColumn<QList<int>>("types");
    QTest::addColumn<QStringList>("firstCycle");
    QTest::addRow("general-version-smoke-only")
        << 0 << 1 << QList<int>{4} << codes({4, 5, 1, 2, 3, 58, 59, 60, 18, 23, 6});
    QTest::addRow("smoke-tab-without-smoke")
        << 2 << 0 << QList<int>{2} << codes({4, 5, 1, 2, 3, 58, 59, 60, 18, 7});
    QTest::addRow("ionistor-tab") << 1 << 0 << QList<int>{24, 4}
                                  << codes({4, 5, 1, 2, 3, 58, 59, 60, 18, 13, 14, 24});
    QTest::addRow("general-full-relays")
        << 0 << 0 << QList<int>{11} << codes({4, 5, 1, 2, 3, 58, 59, 60, 18, 23, 21, 22});
}

void TestModbusMaster::cycleFollowsTheTabAndViewMode()
{
    QFETCH(int, tab);
    QFETCH(int, viewMode);
    QFETCH(QList<int>, types);
    QFETCH(QStringList, firstCycle);
    Line line({1}, 1);
    for (int i = 0; i < types.size(); ++i)
        line.setType(1, i + 1, types.at(i));
    line.master->slotTabCurrenChanged(tab);
    line.master->slotViewModeChanged(viewMode);
    line.tick(firstCycle.size() - 1); // the restart reads two items in its first tick
    const QStringList traffic = line.traffic();
    QCOMPARE(traffic.first(), QStringLiteral("1:ev"));
    QCOMPARE(line.readCodes(), QStringList());
    QStringList read;
    for (const QString &entry : traffic) {
        if (entry != QLatin1String("1:ev"))
            read.append(entry.section(QLatin1Char(':'), 1));
    }
    QCOMPARE(read, firstCycle);
    QCOMPARE(traffic.count(QStringLiteral("1:ev")), 1);
}

void TestModbusMaster::readPolicyOverTime()
{
    Line line({1}, 1);
    line.master->slotViewModeChanged(1);
    line.tick(10); // the first cycle reads everything
    line.traffic();
    // Later cycles skip 58 (once a minute) and 59, 60 (once), one tick per skipped item.
    line.tick(11);
    QCOMPARE(line.readCodes(), codes({4, 5, 1, 2, 3, 18, 23, 6}));
    line.port()->advance(61000);
    line.tick(25);
    const QStringList later = line.readCodes();
    QCOMPARE(later.count(QStringLiteral("58")), 1);
    QCOMPARE(later.count(QStringLiteral("59")), 0);
    QCOMPARE(later.count(QStringLiteral("60")), 0);
}

void TestModbusMaster::initEventReArmsTheOnceOnlyBlocks()
{
    Line line({1}, 1);
    line.master->slotViewModeChanged(1);
    line.tick(30);
    line.traffic();
    QSignalSpy events(line.master.get(), &ModbusMaster::signalEvents);
    FakeSlave &slave = *line.slaves.value(1);
    slave.memory[0] = 1;
    slave.memory[1] = 0x0000;
    slave.memory[2] = 0x0066;
    QVERIFY(!line.master->afterInitTimer()->isActive());
    line.tick(12);
    QVERIFY(!events.isEmpty());
    QVERIFY(line.master->afterInitTimer()->isActive());
    QCOMPARE(line.master->afterInitTimer()->interval(), 35000);
    slave.memory[0] = 0;
    line.traffic();
    line.master->doAfterRynInit();
    line.tick(12);
    const QStringList codesRead = line.readCodes();
    QVERIFY(codesRead.contains(QStringLiteral("59")));
    QVERIFY(codesRead.contains(QStringLiteral("60")));
}

void TestModbusMaster::commandsOvertakeMonitoring()
{
    Line line({1}, 1);
    line.tick(3);
    line.traffic();
    QSignalSpy info(line.master.get(), &ModbusMaster::signalInfo);
    line.master->slotAddCommand(1, 501, CMD_AU_RED_LED_ON, QByteArray::fromHex("0c0000"));
    line.master->slotAddCommand(1, 502, CMD_RYN_RESET, QByteArray::fromHex("000000"));
    line.tick(3);
    const QStringList traffic = line.traffic();
    QCOMPARE(traffic.mid(0, 2), (QStringList{QStringLiteral("1:w5222"), QStringLiteral("1:w5222")}));
    QCOMPARE(traffic.size(), 3);
    QCOMPARE(info.at(0).at(1).toInt(), 501);
    QCOMPARE(info.at(1).at(1).toInt(), 502);
    QCOMPARE(line.slaves.value(1)->writes.at(0).second.first(), quint16(0x0C44));
}

void TestModbusMaster::everyCommandIsAnsweredOnce()
{
    Line line({1}, 1);
    QSignalSpy info(line.master.get(), &ModbusMaster::signalInfo);
    const QList<int> commands{CMD_READ_FIRE,       61,  CMD_RYN_RESET, CMD_DEFAULT_CFG_TYPES,
                              CMD_CLEAR_CFG_TYPES, 1500};
    for (int i = 0; i < commands.size(); ++i)
        line.master->slotAddCommand(1, 900 + i, commands.at(i), QByteArray(3, '\0'));
    line.tick(commands.size());
    QList<int> ids;
    QList<int> results;
    for (const QList<QVariant> &arguments : info) {
        if (arguments.at(1).toInt() >= 900) {
            ids.append(arguments.at(1).toInt());
            results.append(arguments.at(3).toInt());
        }
    }
    QCOMPARE(ids, (QList<int>{900, 901, 902, 903, 904, 905}));
    QCOMPARE(results, (QList<int>{ResultOk, ResultUnknownCommand, ResultOk, ResultNoTypes, ResultOk,
                                  ResultUnknownCommand}));
}

void TestModbusMaster::eventRotationBetweenCycles()
{
    Line line({1, 2, 3}, 2, true);
    line.master->slotViewModeChanged(1); // a short list: 11 items
    line.tick(40);
    const QStringList traffic = line.traffic();
    // Controllers 1 and 3 are polled only between cycles of controller 2.
    QStringList outline;
    bool inCycle = false;
    for (const QString &entry : traffic) {
        const bool selected = entry.startsWith(QLatin1String("2:"));
        if (!selected) {
            QVERIFY2(entry.endsWith(QLatin1String(":ev")), qPrintable(entry));
            inCycle = false;
            outline.append(entry);
        } else if (entry == QLatin1String("2:ev")) {
            QVERIFY(!inCycle);
            outline.append(entry);
        } else {
            inCycle = true;
        }
    }
    QCOMPARE(outline.mid(0, 6),
             (QStringList{QStringLiteral("1:ev"), QStringLiteral("2:ev"), QStringLiteral("3:ev"),
                          QStringLiteral("1:ev"), QStringLiteral("2:ev"), QStringLiteral("3:ev")}));
}

void TestModbusMaster::silentControllerIsDropped()
{
    Line line({1, 2, 3}, 1, true);
    line.master->slotViewModeChanged(1);
    QSignalSpy disabled(line.master.get(), &ModbusMaster::signalDisableRyn);
    line.slaves.value(3)->silent = true;
    int polls = 0;
    for (int i = 0; i < 200 && disabled.isEmpty(); ++i) {
        line.tick();
        polls += line.traffic().count(QStringLiteral("3:ev"));
    }
    QCOMPARE(disabled.size(), 1);
    QCOMPARE(disabled.first().at(0).toInt(), 3);
    QCOMPARE(polls, 4);
    QCOMPARE(line.master->knownRyns(), (QList<int>{1, 2}));
    line.tick(60);
    QVERIFY(!line.traffic().contains(QStringLiteral("3:ev")));
    // The rotation goes on over the others.
    line.tick(40);
    QVERIFY(line.traffic().contains(QStringLiteral("2:ev")));
}

void TestModbusMaster::selectedControllerIsNeverDropped()
{
    Line line({1, 2}, 1, true);
    QSignalSpy disabled(line.master.get(), &ModbusMaster::signalDisableRyn);
    line.slaves.value(1)->silent = true;
    line.tick(60);
    QVERIFY(disabled.isEmpty());
    QCOMPARE(line.master->knownRyns(), (QList<int>{1, 2}));
}

void TestModbusMaster::typesChangeMidCycleRebuildsTheList()
{
    Line line({1}, 1);
    line.setType(1, 1, 4);
    line.master->slotTabCurrenChanged(2);
    line.tick(25);
    line.traffic();
    QCOMPARE(line.master->monitoringList().size(), 19);
    line.setType(1, 7, 2); // a heat detector appears: the smoke tab list keeps its shape
    line.setType(1, 1, 2); // and the only smoke detector goes
    QSignalSpy info(line.master.get(), &ModbusMaster::signalInfo);
    for (int i = 0; i < 40 && info.isEmpty(); ++i)
        line.tick();
    QCOMPARE(info.first().at(2).toInt(), int(CMD_READ_TYPES));
    QCOMPARE(line.master->monitoringList(), (QList<int>{4, 5, 1, 2, 3, 58, 59, 60, 18, 7}));
    QCOMPARE(line.master->monitoringPosition(), 1);
    line.traffic();
    line.tick();
    QCOMPARE(line.readCodes(), codes({5}));
}

void TestModbusMaster::onlyChangedBlocksAreReported()
{
    Line line({1}, 1);
    line.master->slotViewModeChanged(1);
    QSignalSpy info(line.master.get(), &ModbusMaster::signalInfo);
    QSignalSpy rx(line.master.get(), &ModbusMaster::signalPortRx);
    line.tick(10);
    QCOMPARE(info.size(), 11); // every block of the first cycle is new
    info.clear();
    // Once the version is known the controller block is read at its full length: new once more.
    line.tick(11);
    QCOMPARE(info.size(), 1);
    QCOMPARE(info.first().at(2).toInt(), int(CMD_READ_RYN_REGISTERS));
    QCOMPARE(info.first().at(4).toByteArray().size(), 56);
    info.clear();
    line.tick(11);
    QVERIFY(info.isEmpty());
    line.slaves.value(1)->memory[11441] = 0x0040; // unit 3 reports fire
    line.tick(20);
    QCOMPARE(info.size(), 1);
    QCOMPARE(info.first().at(2).toInt(), int(CMD_READ_GENERAL_STATE));
    QCOMPARE(info.first().at(1).toInt(), 0);
    QCOMPARE(info.first().at(4).toByteArray().left(2), QByteArray::fromHex("0040"));
    QVERIFY(rx.size() > 20);
}

void TestModbusMaster::multiControllerReading()
{
    Line line({1, 2, 3}, 1);
    line.slaves.value(2)->silent = true;
    QSignalSpy completed(line.master.get(), &ModbusMaster::signalRynReadingCompleted);
    line.master->slotReadRyns({1, 2, 3});
    line.master->slotAddCommand(1, 700, CMD_RYN_RESET, QByteArray(3, '\0'));
    for (int i = 0; i < 400 && completed.size() < 3; ++i)
        line.tick();
    QCOMPARE(completed.size(), 3);
    QCOMPARE(completed.at(0), (QList<QVariant>{1, true}));
    QCOMPARE(completed.at(1), (QList<QVariant>{2, false}));
    QCOMPARE(completed.at(2), (QList<QVariant>{3, true}));
    // No command ran while reading; the reading used the list of all parameters.
    QVERIFY(!line.traffic().contains(QStringLiteral("1:w5222")));
    QCOMPARE(line.master->selectedRyn(), 1);
    QCOMPARE(line.master->queuedCommands(), 1);
    line.tick();
    QCOMPARE(line.traffic(), QStringList{QStringLiteral("1:w5222")});
}

void TestModbusMaster::multiControllerReadingAborted()
{
    Line line({1, 2, 3}, 3);
    QSignalSpy completed(line.master.get(), &ModbusMaster::signalRynReadingCompleted);
    line.master->slotReadRyns({1, 2});
    line.tick(5);
    line.master->slotReadingRynsAborted();
    line.tick();
    QCOMPARE(line.master->selectedRyn(), 3);
    line.tick(30);
    QVERIFY(completed.isEmpty());
    QCOMPARE(line.traffic().filter(QStringLiteral("2:")).size(), 0);
}

void TestModbusMaster::readingWithoutARunningLineFails_data()
{
    QTest::addColumn<QString>("when"); // the line goes before the reading, or during it
    QTest::addColumn<QString>("change"); // a new port name, or "stop"
    QTest::addRow("port-off-before") << QStringLiteral("before") << QString();
    QTest::addRow("port-switched-during") << QStringLiteral("during") << QStringLiteral("other");
    QTest::addRow("port-off-during") << QStringLiteral("during") << QString();
    QTest::addRow("worker-stopped-during") << QStringLiteral("during") << QStringLiteral("stop");
}

// A report run waits for every controller it asked for: when the line cannot read them, each one
// still gets its answer, as not read, and nothing of the run is left to fire later.
void TestModbusMaster::readingWithoutARunningLineFails()
{
    QFETCH(QString, when);
    QFETCH(QString, change);
    Line line({1, 2, 3}, 3);
    QSignalSpy completed(line.master.get(), &ModbusMaster::signalRynReadingCompleted);
    const auto goes = [&] {
        if (change == QLatin1String("stop"))
            line.master->stop();
        else
            line.master->reinit(change);
    };
    if (when == QLatin1String("before"))
        goes();
    line.master->slotReadRyns({1, 2});
    if (when == QLatin1String("during")) {
        line.tick(3);
        QVERIFY(completed.isEmpty());
        goes();
    }
    QCOMPARE(completed.size(), 2);
    QCOMPARE(completed.at(0), (QList<QVariant>{1, false}));
    QCOMPARE(completed.at(1), (QList<QVariant>{2, false}));
    QCOMPARE(line.master->selectedRyn(), 3);
    if (change == QLatin1String("other")) {
        line.forget();
        line.tick(20);
        QCOMPARE(completed.size(), 2);
    }
}

// Each controller is read once in a reading: the register block is read with the length its version
// needs, or a newer controller's document would lack its operating time (or keep the previous one's).
void TestModbusMaster::readingTakesEachControllersWholeRegisterBlock()
{
    Line line({1, 2, 3}, 2);
    line.slaves.value(1)->memory[RegisterMap::versionRegister] = 14;
    line.slaves.value(3)->memory[RegisterMap::versionRegister] = 17;
    line.tick(60);
    QSignalSpy info(line.master.get(), &ModbusMaster::signalInfo);
    QSignalSpy completed(line.master.get(), &ModbusMaster::signalRynReadingCompleted);
    line.traffic();
    line.master->slotReadRyns({1, 3, 2});
    for (int i = 0; i < 400 && completed.size() < 3; ++i)
        line.tick();
    QCOMPARE(completed.size(), 3);

    QMap<int, int> lastBlockBytes; // controller -> data bytes of its last register block reported
    for (const QList<QVariant> &answer : qAsConst(info)) {
        if (answer.at(2).toInt() == CMD_READ_RYN_REGISTERS)
            lastBlockBytes.insert(answer.at(0).toInt(), answer.at(4).toByteArray().size());
    }
    QCOMPARE(lastBlockBytes, (QMap<int, int>{{1, 52}, {2, 56}, {3, 56}}));
    // The newer controllers' blocks were read twice: first with the length a default version gives.
    const QStringList traffic = line.traffic();
    QCOMPARE(traffic.count(QStringLiteral("1:1")), 1);
    QCOMPARE(traffic.count(QStringLiteral("3:1")), 2);
    QCOMPARE(traffic.count(QStringLiteral("2:1")), 2);
}

void TestModbusMaster::readingEndRereadsTheRestoredBorders_data()
{
    QTest::addColumn<bool>("abort");
    QTest::addRow("reading-completed") << false;
    QTest::addRow("reading-aborted") << true;
}

void TestModbusMaster::readingEndRereadsTheRestoredBorders()
{
    QFETCH(bool, abort);
    Line line({1, 2}, 1);
    line.master->slotViewModeChanged(1);
    line.tick(10); // controller 1's first cycle reads its once-only borders W2, W3
    QSignalSpy completed(line.master.get(), &ModbusMaster::signalRynReadingCompleted);
    line.master->slotReadRyns({2});
    if (abort) {
        line.tick(8);
        line.master->slotReadingRynsAborted();
    } else {
        for (int i = 0; i < 200 && completed.isEmpty(); ++i)
            line.tick();
    }
    QCOMPARE(completed.size(), abort ? 0 : 1);
    line.traffic();
    line.tick(25);
    const QStringList traffic = line.traffic();
    QVERIFY(traffic.contains(QStringLiteral("1:59")));
    QVERIFY(traffic.contains(QStringLiteral("1:60")));
}

void TestModbusMaster::borderReadIsFollowedByItsBlock()
{
    Line line({1}, 1);
    line.tick(3);
    line.traffic();
    QSignalSpy info(line.master.get(), &ModbusMaster::signalInfo);
    line.master->slotAddCommand(1, 801, CMD_AU_READ_BORDER_W2, QByteArray::fromHex("050000"));
    line.master->slotAddCommand(1, 802, CMD_RYN_RESET, QByteArray(3, '\0'));
    line.tick(3);
    QCOMPARE(line.traffic().mid(0, 3),
             (QStringList{QStringLiteral("1:w5222"), QStringLiteral("1:59"), QStringLiteral("1:w5222")}));
    QCOMPARE(info.at(1).at(2).toInt(), int(CMD_READ_IPP_W2));
    QVERIFY(info.at(1).at(1).toInt() > 0);
    QCOMPARE(info.at(1).at(4).toByteArray().size(), 250); // data bytes only
}

void TestModbusMaster::borderWritesScheduleOneReReadEach()
{
    Line line({1}, 1);
    line.tick(3);
    line.master->slotAddCommand(1, 811, CMD_AU_WRITE_BORDER_W1, QByteArray::fromHex("050a00"));
    line.master->slotAddCommand(1, 812, CMD_AU_WRITE_BORDER_W3, QByteArray::fromHex("051400"));
    QVERIFY(line.master->borderTimer()->isActive());
    QCOMPARE(line.master->borderTimer()->interval(), 10000);
    line.tick(2);
    line.traffic();
    line.master->doReadIppThreshold();
    QCOMPARE(line.master->queuedCommands(), 2);
    line.tick(2);
    QStringList reads = line.traffic();
    reads.sort();
    QCOMPARE(reads, (QStringList{QStringLiteral("1:58"), QStringLiteral("1:60")}));
    line.master->doReadIppThreshold();
    QCOMPARE(line.master->queuedCommands(), 0);
}

void TestModbusMaster::configurationReadsAreReportedTwice()
{
    Line line({1}, 1);
    QSignalSpy config(line.master.get(), &ModbusMaster::signalConfigInfo);
    QSignalSpy info(line.master.get(), &ModbusMaster::signalInfo);
    line.master->slotAddCommand(1, 901, CMD_READ_CFG_UNBLOCKED, QByteArray());
    line.master->slotAddCommand(1, 902, CMD_READ_CFG_LO_MODE, QByteArray());
    line.tick(2);
    QCOMPARE(config.size(), 1);
    QCOMPARE(config.first().at(1).toInt(), 901);
    QCOMPARE(config.first().at(4).toByteArray().size(), 32);
    QCOMPARE(info.at(0).at(4).toByteArray().size(), 32);
    QCOMPARE(info.at(1).at(4).toByteArray().size(), 63 * 2 + 5); // the raw frame
}

void TestModbusMaster::configurationWritesReportTheirResults()
{
    Line line({1}, 1);
    QSignalSpy config(line.master.get(), &ModbusMaster::signalConfigInfo);
    QSignalSpy info(line.master.get(), &ModbusMaster::signalInfo);
    line.master->slotAddCommand(1, 911, CMD_WRITE_CFG_THRESHOLD_T, QByteArray::fromHex("083c3c"));
    line.tick();
    line.slaves.value(1)->silent = true;
    line.master->slotAddCommand(1, 912, CMD_WRITE_CFG_TYPES, QByteArray::fromHex("080202"));
    // Not a write of one unit's entries: the configuration dialog never asked for it.
    line.master->slotAddCommand(1, 913, CMD_CLEAR_CFG_TYPES, QByteArray());
    line.tick(2);
    QCOMPARE(config.size(), 2);
    QCOMPARE(config.at(0).at(1).toInt(), 911);
    QCOMPARE(config.at(0).at(2).toInt(), int(CMD_WRITE_CFG_THRESHOLD_T));
    QCOMPARE(config.at(0).at(3).toInt(), int(ResultOk));
    QCOMPARE(config.at(1).at(1).toInt(), 912);
    QCOMPARE(config.at(1).at(3).toInt(), int(ResultNoAnswer));
    QCOMPARE(info.size(), 3);
    QCOMPARE(line.slaves.value(1)->memory.at(5008), quint16(0x3c3c));
}

void TestModbusMaster::portIsRecreatedAfterElevenFailures()
{
    Line line({1}, 1);
    QSignalSpy opened(line.master.get(), &ModbusMaster::signalPortOpened);
    line.slaves.value(1)->silent = true;
    const int before = line.portsCreated;
    for (int i = 0; i < 11; ++i)
        line.master->slotAddCommand(1, 1000 + i, CMD_READ_FIRE, QByteArray());
    line.tick(11);
    QCOMPARE(line.portsCreated, before + 1);
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened.first().at(0).toBool(), true);
}

void TestModbusMaster::commandsWithoutARunningLineFailAtOnce()
{
    Line line({1}, 1);
    QSignalSpy opened(line.master.get(), &ModbusMaster::signalPortOpened);
    QSignalSpy info(line.master.get(), &ModbusMaster::signalInfo);
    line.master->reinit(QString());
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened.first().at(0).toBool(), false);
    QVERIFY(!line.master->isTicking());
    line.master->slotAddCommand(1, 1200, CMD_RYN_RESET, QByteArray(3, '\0'));
    QCOMPARE(info.size(), 1);
    QCOMPARE(info.first().at(3).toInt(), int(ResultPortError));
    QCOMPARE(line.master->queuedCommands(), 0);
}

void TestModbusMaster::portWithoutPermissionIsReported_data()
{
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("denied");
    QTest::addColumn<bool>("reported");
    QTest::addRow("opened") << true << false << false;
    QTest::addRow("no-permission") << false << true << true;
    QTest::addRow("missing-device") << false << false << false;
}

// A port the user may not open is told apart from one that is missing, so the window can say what
// to do about it.
void TestModbusMaster::portWithoutPermissionIsReported()
{
    QFETCH(bool, opens);
    QFETCH(bool, denied);
    QFETCH(bool, reported);
    ModbusMaster::Options options;
    options.ownThread = false;
    options.portFactory = [opens, denied](const QString &) {
        auto port = std::make_unique<ScriptedPort>();
        port->openSucceeds = opens;
        port->accessDenied = denied;
        return port;
    };
    ModbusMaster master(QStringLiteral("/dev/ttyUSB0"), 0, true, options);
    QSignalSpy opened(&master, &ModbusMaster::signalPortOpened);
    QSignalSpy access(&master, &ModbusMaster::signalPortAccessDenied);
    master.init();
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened.first().at(0).toBool(), opens);
    QCOMPARE(access.size(), 1);
    QCOMPARE(access.first().at(0).toBool(), reported);
    // Switched off, the port is no longer refused.
    master.reinit(QString());
    QCOMPARE(access.size(), 2);
    QCOMPARE(access.last().at(0).toBool(), false);
}

void TestModbusMaster::unitQueriesFromTheLastAnswers()
{
    Line line({1}, 1);
    QVERIFY(line.master->isUnitReachable(5));
    QVERIFY(line.master->isUnitTyped(5));
    line.setType(1, 5, 4);
    line.setType(1, 6, 2);
    line.setType(1, 9, 0);                            // what a controller may report for an empty address
    line.slaves.value(1)->memory[11441 + 1] = 0x0010; // unit 6: connection lost
    line.master->slotViewModeChanged(1);
    line.tick(12);
    QVERIFY(line.master->isUnitTyped(5));
    QVERIFY(line.master->isUnitTyped(6));
    QVERIFY(!line.master->isUnitTyped(7));
    QVERIFY(!line.master->isUnitTyped(8));
    QVERIFY(!line.master->isUnitTyped(9));
    QVERIFY(line.master->isUnitTyped(0));
    QVERIFY(line.master->isUnitTyped(251));
    QVERIFY(line.master->isUnitReachable(5));
    QVERIFY(!line.master->isUnitReachable(6));
    QVERIFY(line.master->isUnitReachable(0));
    line.master->slotSetAddr(0);
    QVERIFY(line.master->isUnitTyped(7));
    QVERIFY(line.master->isUnitReachable(6));
}

void TestModbusMaster::timersDriveTheirOwnWork_data()
{
    QTest::addColumn<QString>("timer");
    QTest::addColumn<QStringList>("expected"); // must all be among the requests that follow
    QTest::addRow("tick-runs-a-step") << QStringLiteral("tick") << QStringList{QStringLiteral("1:ev")};
    QTest::addRow("after-init-rearms-the-once-only-blocks")
        << QStringLiteral("afterInit") << QStringList{QStringLiteral("1:59"), QStringLiteral("1:60")};
    QTest::addRow("border-rereads-the-written-border")
        << QStringLiteral("border") << QStringList{QStringLiteral("1:58")};
}

void TestModbusMaster::timersDriveTheirOwnWork()
{
    QFETCH(QString, timer);
    QFETCH(QStringList, expected);
    Line line({1}, 1);
    line.master->slotViewModeChanged(1);
    line.tick(21); // two cycles: the once-only and once-a-minute blocks are read and then skipped
    line.traffic();
    if (timer == QLatin1String("tick")) {
        fire(line.master->tickTimer());
    } else if (timer == QLatin1String("afterInit")) {
        fire(line.master->afterInitTimer());
        line.tick(11);
    } else {
        line.master->slotAddCommand(1, 1300, CMD_AU_WRITE_BORDER_W1, QByteArray::fromHex("050a00"));
        line.tick();
        line.traffic();
        fire(line.master->borderTimer());
        line.tick();
    }
    const QStringList traffic = line.traffic();
    for (const QString &request : expected)
        QVERIFY2(traffic.contains(request), qPrintable(traffic.join(QLatin1Char(' '))));
}

// The controller's answer with unit 3 in fire: taken as data, it would be reported as a change.
static QByteArray withFire(const Chunks &answer, quint8 slave = 1)
{
    QByteArray frame = answer.first().bytes;
    frame[0] = char(slave);
    frame[4] = char(0x40);
    return FakeSlave::framed(frame.left(frame.size() - 2));
}

void TestModbusMaster::failedReadsAreReported_data()
{
    QTest::addColumn<Spoil>("spoil");
    QTest::addColumn<int>("result");
    QTest::addColumn<QByteArray>("reported");
    QTest::addRow("silence") << Spoil([](const Chunks &) { return Chunks(); }) << int(ResultNoAnswer)
                             << QByteArray();
    QTest::addRow("crc") << Spoil([](const Chunks &answer) {
        QByteArray frame = withFire(answer);
        frame[frame.size() - 1] = char(frame.at(frame.size() - 1) ^ 0x01);
        return Chunks{{5, frame}};
    }) << int(ResultCrcError)
                         << QByteArray();
    QTest::addRow("exception") << Spoil([](const Chunks &) {
        return Chunks{{5, FakeSlave::framed(QByteArray::fromHex("018304"))}};
    }) << int(ResultException) << QByteArray::fromHex("04");
    QTest::addRow("another-slaves-answer") << Spoil([](const Chunks &answer) {
        return Chunks{{5, withFire(answer, 2)}};
    }) << int(ResultBadFrame) << QByteArray();
}

void TestModbusMaster::failedReadsAreReported()
{
    QFETCH(Spoil, spoil);
    QFETCH(int, result);
    QFETCH(QByteArray, reported);
    Line line({1}, 1);
    line.master->slotViewModeChanged(1);
    line.tick(21);
    const quint16 generalState = RegisterMap::readBlock(CMD_READ_GENERAL_STATE, 15).start;
    line.spoil = [&](const QByteArray &request, const Chunks &answer) {
        const bool hit = quint8(request.at(2)) * 256 + quint8(request.at(3)) == generalState;
        return hit ? spoil(answer) : answer;
    };
    line.traffic();
    QSignalSpy rx(line.master.get(), &ModbusMaster::signalPortRx);
    QSignalSpy info(line.master.get(), &ModbusMaster::signalInfo);
    line.tick(11); // one cycle of the short list
    QVERIFY(line.traffic().contains(QStringLiteral("1:18")));
    int failures = 0;
    for (const QList<QVariant> &arguments : rx) {
        if (arguments.at(0).toInt() != ResultOk) {
            ++failures;
            QCOMPARE(arguments.at(0).toInt(), result);
            QCOMPARE(arguments.at(1).toByteArray(), reported);
        }
    }
    QCOMPARE(failures, 1);
    QVERIFY(info.isEmpty()); // nothing of the spoiled answer was taken as data
}

void TestModbusMaster::everyFailedReadReachesTheCounters_data()
{
    QTest::addColumn<QString>("read");  // as Line::describe names it, after the address
    QTest::addColumn<bool>("restart"); // monitoring starts over first, with the types read
    QTest::addColumn<Spoil>("spoil");
    const Spoil silence = [](const Chunks &) { return Chunks(); };
    const Spoil crc = [](const Chunks &answer) {
        Chunks spoiled = answer;
        QByteArray &frame = spoiled.last().bytes;
        frame[frame.size() - 1] = char(frame.at(frame.size() - 1) ^ 0x01);
        return spoiled;
    };
    QTest::addRow("event-poll-silent") << QStringLiteral("ev") << false << silence;
    QTest::addRow("general-state-silent") << QStringLiteral("18") << false << silence;
    QTest::addRow("general-state-crc") << QStringLiteral("18") << false << crc;
    QTest::addRow("types-at-restart-silent") << QStringLiteral("4") << true << silence;
    QTest::addRow("types-at-restart-crc") << QStringLiteral("4") << true << crc;
}

// The window counts what the worker's signals report: each read that failed on the line must come
// out of them as one failure, whichever step of the cycle made it.
void TestModbusMaster::everyFailedReadReachesTheCounters()
{
    QFETCH(QString, read);
    QFETCH(bool, restart);
    QFETCH(Spoil, spoil);
    Line line({1}, 1);
    line.master->slotViewModeChanged(1);
    line.tick(21);
    if (restart)
        line.master->slotTabCurrenChanged(1);
    int spoiled = 0;
    line.spoil = [&](const QByteArray &request, const Chunks &answer) {
        if (answer.isEmpty() || Line::describe(request) != QStringLiteral("1:") + read)
            return answer;
        ++spoiled;
        return spoil(answer);
    };
    QSignalSpy rx(line.master.get(), &ModbusMaster::signalPortRx);
    QSignalSpy info(line.master.get(), &ModbusMaster::signalInfo);
    line.tick(40);
    int failures = 0;
    for (const QList<QVariant> &arguments : rx)
        failures += arguments.at(0).toInt() != ResultOk ? 1 : 0;
    for (const QList<QVariant> &arguments : info)
        failures += arguments.at(3).toInt() != ResultOk ? 1 : 0;
    QVERIFY(spoiled > 0);
    QCOMPARE(failures, spoiled);
}

void TestModbusMaster::newSelectionStartsFromTheDefaultVersion()
{
    Line line({1, 2}, 1);
    line.slaves.value(2)->memory[RegisterMap::versionRegister] = 14;
    line.master->slotViewModeChanged(1);
    line.tick(21); // controller 1 is known to be a version 15 one: its long block is read
    const QByteArray longBlock = readHoldingRegisters(1, RegisterMap::controllerBlockStart, 28);
    QVERIFY(line.port()->requests.contains(longBlock));
    line.master->slotSetAddr(2);
    line.forget();
    line.tick(3);
    // Until controller 2 has told its version, its block is read in the layout every version has.
    QVERIFY(line.port()->requests.contains(readHoldingRegisters(2, RegisterMap::controllerBlockStart, 26)));
}

void TestModbusMaster::failedEventPollsCountTowardsPortRecovery()
{
    Line line({1, 2, 3}, 0, true);
    line.search();
    line.tick(3); // answered polls end the search's run of failures
    for (const auto &slave : qAsConst(line.slaves))
        slave->silent = true;
    QSignalSpy opened(line.master.get(), &ModbusMaster::signalPortOpened);
    const int before = line.portsCreated;
    line.tick(10);
    QCOMPARE(line.portsCreated, before);
    line.tick(); // the eleventh event poll in a row without an answer
    QCOMPARE(line.portsCreated, before + 1);
    QCOMPARE(opened.size(), 1);
}

void TestModbusMaster::rotationGoesOnAfterARemoval()
{
    Line line({1, 2, 3, 4}, 0, true);
    line.search();
    line.traffic();
    line.slaves.value(2)->silent = true;
    QSignalSpy disabled(line.master.get(), &ModbusMaster::signalDisableRyn);
    for (int i = 0; i < 40 && disabled.isEmpty(); ++i)
        line.tick();
    QCOMPARE(disabled.size(), 1);
    line.traffic();
    line.tick(6);
    QCOMPARE(line.traffic(),
             (QStringList{QStringLiteral("3:ev"), QStringLiteral("4:ev"), QStringLiteral("1:ev"),
                          QStringLiteral("3:ev"), QStringLiteral("4:ev"), QStringLiteral("1:ev")}));
}

void TestModbusMaster::portChangeForgetsTheOldLine_data()
{
    QTest::addColumn<QString>("change"); // the new port name, or "stop"
    QTest::addRow("other-port") << QStringLiteral("other");
    QTest::addRow("same-port-reopened") << QStringLiteral("line");
    QTest::addRow("port-switched-off") << QString();
    QTest::addRow("worker-stopped") << QStringLiteral("stop");
}

void TestModbusMaster::portChangeForgetsTheOldLine()
{
    QFETCH(QString, change);
    Line line({1, 2}, 0, true);
    line.search();
    line.tick(3);
    // Typed for the old line and still waiting: a search's probe, a reset, a read.
    line.master->slotAddCommand(8, 1401, CMD_PING, QByteArray());
    line.master->slotAddCommand(1, 1402, CMD_RYN_RESET, QByteArray(3, '\0'));
    line.master->slotAddCommand(2, 1403, CMD_READ_FIRE, QByteArray());
    QSignalSpy info(line.master.get(), &ModbusMaster::signalInfo);
    if (change == QLatin1String("stop"))
        line.master->stop();
    else
        line.master->reinit(change);
    QCOMPARE(info.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(info.at(i).at(1).toInt(), 1401 + i);
        QCOMPARE(info.at(i).at(3).toInt(), int(ResultPortError));
    }
    QCOMPARE(line.master->queuedCommands(), 0);
    if (change == QLatin1String("stop") || !line.port())
        return;
    line.forget();
    line.tick(20);
    const QStringList traffic = line.traffic();
    // The old commands never reach the line now, nor, on another line, the old controllers. The same
    // line's controllers are looked for again at once, and reported found.
    if (change != QLatin1String("line")) {
        QCOMPARE(traffic, QStringList());
        QCOMPARE(info.size(), 3);
        return;
    }
    for (int i = 3; i < info.size(); ++i)
        QCOMPARE(info.at(i).mid(1, 3), (QList<QVariant>{0, int(CMD_PING), int(ResultOk)}));
    for (const QString &request : traffic)
        QVERIFY2(request == QLatin1String("1:ping") || request == QLatin1String("2:ping") ||
                     request.endsWith(QLatin1String(":ev")),
                 qPrintable(request));
}

void TestModbusMaster::lostSearchProbeIsMadeUpInTheBackground()
{
    Line line({1, 2}, 0, true);
    bool lost = true; // the search's probe of controller 2 is lost to noise
    line.spoil = [&lost](const QByteArray &request, const QList<ScriptedPort::Chunk> &answer) {
        const bool drop = lost && request.at(0) == 2;
        lost = lost && !drop;
        return drop ? QList<ScriptedPort::Chunk>() : answer;
    };
    QSignalSpy info(line.master.get(), &ModbusMaster::signalInfo);
    line.search();
    QCOMPARE(info.at(1).at(3).toInt(), int(ResultNoAnswer));
    line.traffic();
    info.clear();
    line.run(ModbusMaster::probeIntervalMs + 1000);
    QCOMPARE(info.size(), 1);
    QCOMPARE(info.first(), (QList<QVariant>{2, 0, int(CMD_PING), int(ResultOk), info.first().at(4)}));
    QVERIFY(line.traffic().contains(QStringLiteral("2:ping")));
    line.tick(4);
    QVERIFY(line.traffic().contains(QStringLiteral("2:ev")));
}

void TestModbusMaster::formerControllerIsSoughtAgainAtOnce_data()
{
    QTest::addColumn<QString>("port");       // the port the worker is given again
    QTest::addColumn<bool>("staysSilent");   // controller 2 does not come back
    QTest::addColumn<int>("quickProbes");    // probes of 2 before the slow round is due
    QTest::addRow("same-line-found-at-once") << QStringLiteral("line") << false << 1;
    QTest::addRow("same-line-silent-ten-times") << QStringLiteral("line") << true << 10;
    QTest::addRow("other-line-slow-round-only") << QStringLiteral("other") << false << 0;
}

void TestModbusMaster::formerControllerIsSoughtAgainAtOnce()
{
    QFETCH(QString, port);
    QFETCH(bool, staysSilent);
    QFETCH(int, quickProbes);
    Line line({1, 2}, 0, true);
    line.search();
    QCOMPARE(line.master->knownRyns(), (QList<int>{1, 2}));

    // The port is opened again (after a failure, or the user chose it) and the search's probe of
    // controller 2 is spoiled.
    line.master->reinit(port);
    const qint64 slowRoundAt = line.port()->now + ModbusMaster::probeIntervalMs;
    bool probeLost = true;
    line.spoil = [&](const QByteArray &request, const Chunks &answer) {
        const bool drop = request.at(0) == 2 && (probeLost || staysSilent);
        probeLost = probeLost && !drop;
        return drop ? Chunks() : answer;
    };
    line.search();
    QCOMPARE(line.master->knownRyns(), QList<int>{1});
    line.forget();
    QSignalSpy info(line.master.get(), &ModbusMaster::signalInfo);
    const qint64 searched = line.port()->now;
    line.run(int(slowRoundAt - searched) - 10);

    QList<qint64> probesOf2;
    QSet<int> probed;
    for (int i = 0; i < line.port()->requests.size(); ++i) {
        const QByteArray &request = line.port()->requests.at(i);
        if (Line::describe(request).endsWith(QLatin1String(":ping"))) {
            probed.insert(request.at(0));
            if (request.at(0) == 2)
                probesOf2.append(line.port()->requestTimes.at(i) - searched);
        }
    }
    QCOMPARE(probesOf2.size(), quickProbes);
    // Addresses that never answered on this line keep to the slow round.
    QCOMPARE(probed - QSet<int>{2}, QSet<int>());
    if (quickProbes == 1) {
        QVERIFY(probesOf2.first() <= ModbusMaster::formerProbeIntervalMs);
        QCOMPARE(info.first(), (QList<QVariant>{2, 0, int(CMD_PING), int(ResultOk), info.first().at(4)}));
        QCOMPARE(line.master->knownRyns(), (QList<int>{1, 2}));
    }
}

void TestModbusMaster::backgroundAnswerIsNoSearch()
{
    Line line({1, 3}, 0, true);
    line.slaves.value(1)->silent = true;
    line.search();
    line.master->slotSetAddr(3);
    line.slaves.value(1)->silent = false;
    QSignalSpy info(line.master.get(), &ModbusMaster::signalInfo);
    // Address 1 answers a background probe; a search's probe of 1 would forget controller 3.
    const auto found = [&info] {
        for (const QList<QVariant> &arguments : qAsConst(info)) {
            if (arguments.at(2).toInt() == CMD_PING)
                return arguments.at(0).toInt();
        }
        return 0;
    };
    for (int i = 0; i < 100 && found() == 0; ++i)
        line.run(1000);
    QCOMPARE(found(), 1);
    line.traffic();
    line.tick(40);
    const QStringList traffic = line.traffic();
    QVERIFY(traffic.contains(QStringLiteral("1:ev")));
    QVERIFY(traffic.contains(QStringLiteral("3:ev")));
    QVERIFY(traffic.contains(QStringLiteral("3:18")));
}

void TestModbusMaster::backgroundProbesStayWithinTheirShare()
{
    Line line; // nobody answers: every address is missing
    QSignalSpy rx(line.master.get(), &ModbusMaster::signalPortRx);
    QSignalSpy info(line.master.get(), &ModbusMaster::signalInfo);
    QSignalSpy tx(line.master.get(), &ModbusMaster::signalPortTx);
    const int ports = line.portsCreated;
    const int runMs = 400000;
    const int ticks = line.run(runMs);
    const QList<qint64> times = line.port()->requestTimes;
    QMap<int, QList<qint64>> probed;
    for (int i = 0; i < times.size(); ++i)
        probed[quint8(line.port()->requests.at(i).at(0))].append(times.at(i));
    QCOMPARE(probed.keys(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    for (const QList<qint64> &at : qAsConst(probed)) {
        QVERIFY(at.first() <= 90000);
        for (int i = 1; i < at.size(); ++i)
            QVERIFY2(at.at(i) - at.at(i - 1) <= 90000, qPrintable(QString::number(at.at(i) - at.at(i - 1))));
    }
    // Each probe waits out one answer window.
    const double share = times.size() * (answerWindowMs + 1 + lineTimeMs(8)) / double(runMs);
    QVERIFY2(share <= 0.02, qPrintable(QString::number(share)));
    // Counted as sent, but neither reported as failures nor counted towards port recovery.
    QCOMPARE(tx.size(), times.size());
    QVERIFY(rx.isEmpty());
    QVERIFY(info.isEmpty());
    QCOMPARE(line.portsCreated, ports);
    // The worker woke for the probes only.
    QVERIFY2(ticks <= times.size() + 2, qPrintable(QString::number(ticks)));
}

void TestModbusMaster::idleWorkerSleepsUntilThereIsWork_data()
{
    QTest::addColumn<QList<int>>("present");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("fromAll");
    QTest::addColumn<bool>("busy");
    QTest::addRow("no-controller") << QList<int>{} << 0 << true << false;
    QTest::addRow("found-none-selected-own-events") << QList<int>{1} << 0 << false << false;
    QTest::addRow("found-none-selected-all-events") << QList<int>{1} << 0 << true << true;
    QTest::addRow("monitoring") << QList<int>{1} << 1 << false << true;
    QTest::addRow("all-eight-found-none-selected")
        << QList<int>{1, 2, 3, 4, 5, 6, 7, 8} << 0 << false << false;
}

void TestModbusMaster::idleWorkerSleepsUntilThereIsWork()
{
    QFETCH(QList<int>, present);
    QFETCH(int, selected);
    QFETCH(bool, fromAll);
    QFETCH(bool, busy);
    Line line(present, selected, fromAll);
    if (selected == 0)
        line.search();
    line.tick();
    line.forget();
    QTimer *tick = line.master->tickTimer();
    const bool ticking = tick->isActive() && tick->interval() == ModbusMaster::tickMs;
    QCOMPARE(ticking, busy);
    if (busy)
        return;
    // A command wakes the sleeping worker at once.
    line.master->slotAddCommand(1, 1500, CMD_READ_FIRE, QByteArray());
    QVERIFY(tick->isActive());
    QCOMPARE(tick->interval(), ModbusMaster::tickMs);
    line.tick();
    QCOMPARE(line.traffic(), QStringList{QStringLiteral("1:8")});
}

// The traffic monitor's records the worker sent, in order.
static LineRecordList lineRecords(const QSignalSpy &batches)
{
    LineRecordList records;
    for (const QList<QVariant> &batch : batches)
        records += batch.at(0).value<LineRecordList>();
    return records;
}

static QStringList requestsOf(const LineRecordList &records)
{
    QStringList requests;
    for (const LineRecord &record : records) {
        if (!record.request.isEmpty())
            requests.append(QString::fromLatin1(record.request.toHex()));
    }
    return requests;
}

static QStringList hexList(const QList<QByteArray> &frames)
{
    QStringList hex;
    for (const QByteArray &frame : frames)
        hex.append(QString::fromLatin1(frame.toHex()));
    return hex;
}

void TestModbusMaster::lineRecordOfATransaction_data()
{
    QTest::addColumn<int>("rynAddr");
    QTest::addColumn<int>("cmdCode");
    QTest::addColumn<Spoil>("spoil");
    QTest::addColumn<bool>("writeFails");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("exceptionCode");
    QTest::addColumn<int>("durationMs");
    const Spoil asAnswered = [](const Chunks &answer) { return answer; };
    const QByteArray ping1 = FakeSlave::framed(QByteArray::fromHex("010303d00001"));
    const QByteArray answer1 = FakeSlave::framed(QByteArray::fromHex("01030200 00"));
    QTest::addRow("good-answer") << 1 << int(CMD_PING) << asAnswered << false << ping1 << answer1
                                 << int(ResultOk) << 0 << 5;
    QTest::addRow("no-answer") << 3 << int(CMD_PING) << asAnswered << false
                               << FakeSlave::framed(QByteArray::fromHex("030303d00001")) << QByteArray()
                               << int(ResultNoAnswer) << 0 << answerWindowMs + 1;
    QTest::addRow("bad-frame") << 1 << int(CMD_PING) << Spoil([](const Chunks &) {
        return Chunks{{5, QByteArray::fromHex("0103")}};
    }) << false << ping1 << QByteArray::fromHex("0103")
                               << int(ResultBadFrame) << 0 << answerWindowMs + 1;
    QByteArray badCrc = answer1;
    badCrc[badCrc.size() - 1] = char(badCrc.at(badCrc.size() - 1) ^ 0x01);
    QTest::addRow("crc-error") << 1 << int(CMD_PING) << Spoil([badCrc](const Chunks &) {
        return Chunks{{5, badCrc}};
    }) << false << ping1 << badCrc << int(ResultCrcError)
                               << 0 << 5;
    const QByteArray exception = FakeSlave::framed(QByteArray::fromHex("018302"));
    QTest::addRow("exception") << 1 << int(CMD_PING) << Spoil([exception](const Chunks &) {
        return Chunks{{5, exception}};
    }) << false << ping1 << exception << int(ResultException)
                               << 2 << answerWindowMs + 1;
    QTest::addRow("port-error") << 1 << int(CMD_PING) << asAnswered << true << ping1 << QByteArray()
                                << int(ResultPortError) << 0 << 0;
    QTest::addRow("unknown-command") << 1 << 999 << asAnswered << false << QByteArray() << QByteArray()
                                     << int(ResultUnknownCommand) << 0 << 0;
    QTest::addRow("no-types") << 1 << int(CMD_DEFAULT_CFG_TYPES) << asAnswered << false << QByteArray()
                              << QByteArray() << int(ResultNoTypes) << 0 << 0;
}

void TestModbusMaster::lineRecordOfATransaction()
{
    QFETCH(int, rynAddr);
    QFETCH(int, cmdCode);
    QFETCH(Spoil, spoil);
    QFETCH(bool, writeFails);
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, answer);
    QFETCH(int, result);
    QFETCH(int, exceptionCode);
    QFETCH(int, durationMs);
    Line line({1});
    line.spoil = [spoil](const QByteArray &, const Chunks &answer) { return spoil(answer); };
    QSignalSpy batches(line.master.get(), &ModbusMaster::signalLineRecords);
    line.master->slotRecordLine(true);
    line.port()->advance(1234);
    const qint64 startedAt = line.port()->now;
    if (writeFails)
        line.port()->failWriteAt = 0;
    line.master->slotAddCommand(rynAddr, 77, cmdCode, QByteArray());
    line.tick();
    // The first record leaves at once.
    QCOMPARE(batches.size(), 1);
    QCOMPARE(batches.first().at(1).toInt(), 0);
    const LineRecordList records = lineRecords(batches);
    QCOMPARE(records.size(), 1);
    const LineRecord &record = records.first();
    QCOMPARE(record.rynAddr, rynAddr);
    QCOMPARE(record.cmdCode, cmdCode);
    QCOMPARE(record.request.toHex(), request.toHex());
    QCOMPARE(record.answer.toHex(), answer.toHex());
    QCOMPARE(record.result, result);
    QCOMPARE(int(record.exceptionCode), exceptionCode);
    QCOMPARE(record.durationMs, durationMs);
    QCOMPARE(record.startedMs, line.start.addMSecs(startedAt).toMSecsSinceEpoch());
}

void TestModbusMaster::lineRecordsAreCompleteAndInOrder()
{
    Line line({1, 2}, 1, true);
    line.master->slotViewModeChanged(1);
    // Controller 2 has an event waiting: each of its polls reads the count, the event and the count again.
    FakeSlave &second = *line.slaves.value(2);
    second.memory[RegisterMap::eventCountRegister] = 1;
    second.memory[RegisterMap::firstEventRegister] = 0x0203;
    second.memory[RegisterMap::firstEventRegister + 1] = 0x0466;
    // Every fifth answer is lost.
    int answers = 0;
    line.spoil = [&answers](const QByteArray &, const Chunks &answer) {
        return ++answers % 5 == 0 ? Chunks() : answer;
    };
    QSignalSpy batches(line.master.get(), &ModbusMaster::signalLineRecords);
    line.master->slotRecordLine(true);
    line.master->slotAddCommand(1, 501, CMD_WRITE_UNBLOCKED_BIT, QByteArray::fromHex("1100"));
    line.master->slotAddCommand(1, 502, 999, QByteArray());
    line.tick(40);
    line.port()->advance(LineRecorder::batchIntervalMs);
    fire(line.master->lineRecordTimer());

    const LineRecordList records = lineRecords(batches);
    // Every request on the line, and nothing else, in the order it went out.
    QCOMPARE(requestsOf(records), hexList(line.port()->requests));
    QStringList commands;
    for (const LineRecord &record : records) {
        if (record.rynAddr == 2 || record.cmdCode == CMD_WRITE_UNBLOCKED_BIT || record.cmdCode == 999)
            commands.append(QStringLiteral("%1:%2:%3").arg(record.rynAddr).arg(record.cmdCode).arg(
                record.request.isEmpty() ? 0 : int(quint8(record.request.at(1)))));
    }
    // The read-then-write gives two records, the refused code one, an event read three.
    const QString eventRead = QStringLiteral("2:%1:3").arg(CommandNames::eventReadCode);
    QCOMPARE(commands.mid(0, 6), (QStringList{QStringLiteral("1:1300:3"), QStringLiteral("1:1300:16"),
                                              QStringLiteral("1:999:0"), eventRead, eventRead, eventRead}));
    int failed = 0;
    for (const LineRecord &record : records) {
        QCOMPARE(record.answer.isEmpty(), record.result == ResultNoAnswer || record.cmdCode == 999);
        failed += record.result == ResultNoAnswer ? 1 : 0;
    }
    QCOMPARE(failed, answers / 5);
}

void TestModbusMaster::lineRecordsLeaveAtMostEvery100Ms()
{
    Line line({1}, 1);
    QList<qint64> sentAt;
    QList<int> sizes;
    LineRecordList records;
    connect(line.master.get(), &ModbusMaster::signalLineRecords, line.master.get(),
            [&](const LineRecordList &batch, int) {
                sentAt.append(line.port()->now);
                sizes.append(batch.size());
                records += batch;
            });
    line.master->slotRecordLine(true);
    line.forget();
    line.run(3000);
    // The transaction that ends less than 100 ms after the last batch waits for the timer.
    for (int i = 0; i < 3 && !line.master->lineRecordTimer()->isActive(); ++i)
        line.tick();
    QVERIFY(line.master->lineRecordTimer()->isActive());
    for (int i = 1; i < sentAt.size(); ++i)
        QVERIFY2(sentAt.at(i) - sentAt.at(i - 1) >= LineRecorder::batchIntervalMs,
                 qPrintable(QStringLiteral("%1 -> %2").arg(sentAt.at(i - 1)).arg(sentAt.at(i))));
    QVERIFY2(sentAt.size() >= 20, qPrintable(QString::number(sentAt.size())));
    QVERIFY(*std::max_element(sizes.begin(), sizes.end()) > 1);

    // A timer that fires early sends nothing before its time; the last records leave when it comes.
    const int batchesBefore = sentAt.size();
    const qint64 due = sentAt.last() + LineRecorder::batchIntervalMs;
    line.port()->now = due - 1;
    fire(line.master->lineRecordTimer());
    QCOMPARE(sentAt.size(), batchesBefore);
    QVERIFY(line.master->lineRecordTimer()->isActive());
    line.port()->now = due;
    fire(line.master->lineRecordTimer());
    QCOMPARE(sentAt.size(), batchesBefore + 1);
    QCOMPARE(requestsOf(records), hexList(line.port()->requests));
}

void TestModbusMaster::lineRecordingOnlyWhileAsked()
{
    Line line({1}, 1);
    QSignalSpy batches(line.master.get(), &ModbusMaster::signalLineRecords);
    line.run(500);
    QVERIFY(batches.isEmpty());

    line.master->slotRecordLine(true);
    line.run(500);
    QVERIFY(!batches.isEmpty());

    // What waits when the monitor closes is dropped; nothing follows.
    for (int i = 0; i < 3 && !line.master->lineRecordTimer()->isActive(); ++i)
        line.tick();
    line.master->slotRecordLine(false);
    batches.clear();
    line.run(500);
    line.port()->advance(LineRecorder::batchIntervalMs);
    fire(line.master->lineRecordTimer());
    QVERIFY(batches.isEmpty());
}

void TestModbusMaster::lineRecordBufferIsBounded()
{
    Line line;
    QSignalSpy batches(line.master.get(), &ModbusMaster::signalLineRecords);
    line.master->slotRecordLine(true);
    // Refused codes take no time on the line: they all fall into one interval.
    const int extra = 25;
    const int commands = 1 + LineRecorder::capacity + extra;
    for (int i = 0; i < commands; ++i)
        line.master->slotAddCommand(1, 600 + i, 999, QByteArray());
    line.tick(commands);
    QCOMPARE(batches.size(), 1);
    line.port()->advance(LineRecorder::batchIntervalMs);
    fire(line.master->lineRecordTimer());
    QCOMPARE(batches.size(), 2);
    QCOMPARE(batches.at(1).at(0).value<LineRecordList>().size(), LineRecorder::capacity);
    QCOMPARE(batches.at(1).at(1).toInt(), extra);
}

QTEST_GUILESS_MAIN(TestModbusMaster)
#include "tst_modbusmaster.moc"
