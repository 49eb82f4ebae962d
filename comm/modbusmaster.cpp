#include "modbusmaster.h"

#include "commandcatalogue.h"
#include "commandcodes.h"
#include "commandid.h"
#include "commandnames.h"
#include "commlogging.h"
#include "eventbuffer.h"
#include "linemonitorfeed.h"
#include "monitoring.h"
#include "registermap.h"
#include "unitpacking.h"

#include <QThread>
#include <QTimer>

#include <mutex>

using namespace ModbusProtocol;

namespace {

// Guards the command queue and the last answers, which the GUI thread also reads. A standard mutex:
// ThreadSanitizer sees its locking, not that of a QMutex (a futex of Qt's own).
std::mutex queueMutex;
ModbusMaster *theInstance = nullptr;

constexpr int eventInitDone = 0x66;

bool isConfigRead(int cmdCode)
{
    switch (cmdCode) {
    case CMD_READ_CFG_THRESHOLD_T:
    case CMD_READ_CFG_UNBLOCKED:
    case CMD_READ_CFG_TYPES:
    case CMD_READ_CFG_POWER_LO_INIT:
    case CMD_READ_CFG_OUTPUT_INIT:
    case CMD_READ_CFG_HEAT_BITS:
        return true;
    default:
        return false;
    }
}

// The writes of one unit's configuration entries: their results go to the configuration dialog too.
bool isConfigWrite(int cmdCode)
{
    return cmdCode >= CMD_WRITE_CFG_UNBLOCKED && cmdCode <= CMD_WRITE_CFG_POWER_LO_INIT;
}

} // namespace

ModbusMaster::ModbusMaster(const QString &portName, int rynAddr, bool eventsFromAllRyn, QObject *parent)
    : ModbusMaster(portName, rynAddr, eventsFromAllRyn, Options(), parent)
{}

ModbusMaster::ModbusMaster(const QString &portName, int rynAddr, bool eventsFromAllRyn,
                           const Options &options, QObject *parent)
    : QObject(parent)
    , m_options(options)
    , m_rynAddr(rynAddr)
    , m_portName(portName)
    , m_eventsFromAllRyn(eventsFromAllRyn)
    , m_probes(options.probeEveryMs)
{
    theInstance = this;
    qRegisterMetaType<LineRecordList>("LineRecordList");
    m_lineFeed = new LineMonitorFeed([this] { return wallMs(); }, this);
    connect(m_lineFeed, &LineMonitorFeed::signalLineRecords, this, &ModbusMaster::signalLineRecords);
    if (!m_options.ownThread)
        return;
    m_thread = new QThread;
    connect(m_thread, &QThread::started, this, &ModbusMaster::init);
    connect(m_thread, &QThread::finished, this, &ModbusMaster::stop);
    connect(m_thread, &QThread::finished, this, &QObject::deleteLater);
    connect(m_thread, &QThread::finished, m_thread, &QObject::deleteLater);
    moveToThread(m_thread);
}

ModbusMaster::~ModbusMaster()
{
    {
        const std::lock_guard<std::mutex> locker(queueMutex);
        qDeleteAll(m_commandQueue);
        m_commandQueue.clear();
    }
    if (theInstance == this)
        theInstance = nullptr;
}

ModbusMaster *ModbusMaster::instance()
{
    return theInstance;
}

QDateTime ModbusMaster::now() const
{
    return m_options.now ? m_options.now() : QDateTime::currentDateTime();
}

qint64 ModbusMaster::wallMs() const
{
    return m_options.now ? m_options.now().toMSecsSinceEpoch() : QDateTime::currentMSecsSinceEpoch();
}

QList<int> ModbusMaster::knownRyns() const
{
    return m_known.list();
}

QTimer *ModbusMaster::lineRecordTimer() const
{
    return m_lineFeed->timer();
}

int ModbusMaster::queuedCommands() const
{
    const std::lock_guard<std::mutex> locker(queueMutex);
    return m_commandQueue.size();
}

bool ModbusMaster::isUnitReachable(int auAddr) const
{
    if (auAddr == 0)
        return true;
    const std::lock_guard<std::mutex> locker(queueMutex);
    const QByteArray states = m_lastAnswers.value(CMD_READ_GENERAL_STATE);
    return UnitPacking::nibble(states, auAddr) != 1;
}

bool ModbusMaster::isUnitTyped(int auAddr) const
{
    if (auAddr < 1 || auAddr > 250)
        return true;
    const std::lock_guard<std::mutex> locker(queueMutex);
    const QByteArray types = m_lastAnswers.value(CMD_READ_TYPES);
    const int index = UnitPacking::byteIndexOfUnit(auAddr);
    if (index >= types.size())
        return true;
    // No device has type 0: a controller may report it for an address with nothing there.
    const quint8 type = quint8(types.at(index));
    return type != 0xFF && type != 0;
}

void ModbusMaster::init()
{
    m_link = std::make_unique<ModbusLink>(m_options.portFactory);
    if (m_options.linkClock)
        m_link->setClock(m_options.linkClock);
    if (m_options.sleeper)
        m_link->setSleeper(m_options.sleeper);
    m_link->setPortOpenedHandler([this](bool ok) { portOpened(ok); });
    m_link->setStripEcho(m_stripEcho);
    m_link->setEchoHandler([this](int echoes) { emit signalEchoCount(echoes); });

    m_tickTimer = new QTimer(this);
    m_tickTimer->setSingleShot(true);
    m_tickTimer->setInterval(tickMs);
    connect(m_tickTimer, &QTimer::timeout, this, &ModbusMaster::doModbus, Qt::QueuedConnection);
    m_afterInitTimer = new QTimer(this);
    m_afterInitTimer->setSingleShot(true);
    m_afterInitTimer->setInterval(afterInitMs);
    connect(m_afterInitTimer, &QTimer::timeout, this, &ModbusMaster::doAfterRynInit, Qt::QueuedConnection);
    m_borderTimer = new QTimer(this);
    m_borderTimer->setSingleShot(true);
    m_borderTimer->setInterval(borderReadDelayMs);
    connect(m_borderTimer, &QTimer::timeout, this, &ModbusMaster::doReadIppThreshold, Qt::QueuedConnection);
    m_lineFeed->start([this] { return m_link->now(); });
    slotRecordLine(m_lineFeed->isEnabled());

    m_link->setPortName(m_portName);
    if (!m_link->hasPort()) {
        emit signalPortOpened(false);
        emit signalPortAccessDenied(false);
        emit signalPortOpenError(QString());
        return;
    }
    if (openPort()) {
        m_probes.restart(m_link->now());
        startTicking();
    }
}

bool ModbusMaster::openPort()
{
    const bool opened = m_link->openPort();
    portOpened(opened);
    return opened;
}

// A port that opens starts the quick search for the controllers that were on its line afresh.
void ModbusMaster::portOpened(bool isOk)
{
    if (isOk)
        m_probes.portOpened(m_link->now());
    emit signalPortOpened(isOk);
    emit signalPortAccessDenied(!isOk && m_link->isAccessDenied());
    emit signalPortOpenError(isOk ? QString() : m_link->openError());
}

void ModbusMaster::noteFound(int rynAddr)
{
    m_known.add(rynAddr);
    m_probes.noteFound(rynAddr);
}

void ModbusMaster::reinit(QString portName)
{
    stopTicking();
    // Commands typed for the old line (a search's probes, a reset) must not reach the new one.
    failQueuedCommands();
    failPendingReading();
    m_link->resetFailures();
    // Another line has other controllers.
    if (portName != m_portName)
        m_probes.forgetFormer();
    m_link->setPortName(portName);
    m_portName = portName;
    if (portName.isEmpty()) {
        emit signalPortOpened(false);
        emit signalPortAccessDenied(false);
        emit signalPortOpenError(QString());
        return;
    }
    const bool opened = openPort();
    m_known.restartRound();
    m_known.clear();
    m_probes.restart(m_link->now());
    if (opened)
        startTicking();
}

void ModbusMaster::slotSetStripEcho(bool strip)
{
    m_stripEcho = strip;
    if (m_link)
        m_link->setStripEcho(strip);
}

void ModbusMaster::startTicking()
{
    m_ticking = true;
    if (m_tickTimer)
        m_tickTimer->start(tickMs);
}

// Something may have work for the line: tick at once instead of sleeping on.
void ModbusMaster::wake()
{
    if (m_ticking && m_tickTimer && (!m_tickTimer->isActive() || m_tickTimer->interval() > tickMs))
        m_tickTimer->start(tickMs);
}

// Ticks follow each other while there is work; otherwise the worker sleeps until the next
// background probe, or until a command or a change of selection wakes it.
void ModbusMaster::scheduleTick()
{
    if (!m_ticking || !m_tickTimer)
        return;
    if (hasWork()) {
        m_tickTimer->start(tickMs);
    } else if (m_probes.hasMissing(m_known.list())) {
        const qint64 untilProbe = m_probes.msUntilDue(m_link->now(), m_known.list());
        m_tickTimer->start(int(qBound<qint64>(tickMs, untilProbe, m_options.probeEveryMs)));
    } else {
        m_tickTimer->stop();
    }
}

// Whether the next tick would do anything on the line (or finish an abort).
bool ModbusMaster::hasWork() const
{
    if (m_readingRyns || m_readingAborted || queuedCommands() > 0 || probeDue())
        return true;
    if (m_cycleActive && m_rynAddr != 0)
        return true;
    return !m_known.isEmpty() && (m_eventsFromAllRyn || m_rynAddr != 0);
}

void ModbusMaster::failQueuedCommands()
{
    QList<ModbusCommand *> stale;
    {
        const std::lock_guard<std::mutex> locker(queueMutex);
        stale.swap(m_commandQueue);
    }
    for (ModbusCommand *command : qAsConst(stale)) {
        refuseCommand(command->rynAddr, command->id, command->cmdCode);
        delete command;
    }
}

// A command that never reaches the line ends where an executed one would: the configuration dialog
// hears of its reads and writes too, or it would wait for them for ever.
void ModbusMaster::refuseCommand(int rynAddr, int id, int cmdCode)
{
    m_lineFeed->recordRefusal(rynAddr, cmdCode, ResultPortError);
    if (isConfigRead(cmdCode) || isConfigWrite(cmdCode))
        emit signalConfigInfo(rynAddr, id, cmdCode, ResultPortError, QByteArray());
    emit signalInfo(rynAddr, id, cmdCode, ResultPortError, QByteArray());
}

// A reading the line can no longer serve ends at once, every controller still waiting reported as
// not read: otherwise its progress would wait for ever.
void ModbusMaster::failPendingReading()
{
    const QList<int> pending = m_rynsToRead;
    if (m_readingRyns)
        readRyn(m_savedRynAddr);
    m_rynsToRead.clear();
    m_readingRyns = false;
    m_readingAborted = false;
    for (int rynAddr : pending)
        emit signalRynReadingCompleted(rynAddr, false);
}

void ModbusMaster::stopTicking()
{
    m_ticking = false;
    if (m_tickTimer)
        m_tickTimer->stop();
}

void ModbusMaster::startStopTimer(bool isStart)
{
    if (isStart)
        startTicking();
    else
        stopTicking();
}

void ModbusMaster::stop()
{
    stopTicking();
    failQueuedCommands();
    failPendingReading();
    if (m_link && m_link->hasPort()) {
        m_link->closePort();
        QThread::msleep(100);
    }
}

void ModbusMaster::slotAddCommand(int rynAddr, int id, int cmdCode, QByteArray info)
{
    // Without a running line a queued command would wait and fire much later, unexpectedly.
    if (!m_ticking) {
        refuseCommand(rynAddr, id, cmdCode);
        return;
    }
    if (cmdCode >= CMD_AU_WRITE_BORDER_W1 && cmdCode <= CMD_AU_WRITE_BORDER_W3) {
        m_pendingBorderReads |= quint16(1u << (cmdCode - CMD_AU_WRITE_BORDER_W1));
        if (m_borderTimer)
            m_borderTimer->start();
    }
    auto *command = new ModbusCommand{id, rynAddr, cmdCode, info};
    {
        const std::lock_guard<std::mutex> locker(queueMutex);
        m_commandQueue.append(command);
    }
    wake();
}

std::unique_ptr<ModbusCommand> ModbusMaster::takeCommand()
{
    const std::lock_guard<std::mutex> locker(queueMutex);
    if (m_commandQueue.isEmpty())
        return nullptr;
    return std::unique_ptr<ModbusCommand>(m_commandQueue.takeFirst());
}

void ModbusMaster::putAtHead(int cmdCode)
{
    setLastAnswer(cmdCode, QByteArray());
    auto *command = new ModbusCommand{nextCommandId(), m_rynAddr, cmdCode, QByteArray()};
    const std::lock_guard<std::mutex> locker(queueMutex);
    m_commandQueue.prepend(command);
}

void ModbusMaster::setLastAnswer(int cmdCode, const QByteArray &data)
{
    const std::lock_guard<std::mutex> locker(queueMutex);
    m_lastAnswers.insert(cmdCode, data);
}

void ModbusMaster::clearLastAnswers()
{
    const std::lock_guard<std::mutex> locker(queueMutex);
    for (auto it = m_lastAnswers.begin(); it != m_lastAnswers.end(); ++it)
        it.value().clear();
}

// Monitoring reads another controller from now on: what was read of the one before must not stand
// for the new one's own (a default configuration built from the last types would write the other
// controller's unit types into this one).
void ModbusMaster::readRyn(int rynAddr)
{
    if (rynAddr != m_rynAddr) {
        clearLastAnswers();
        m_lastRead.clear();
        m_version = defaultVersion;
    }
    m_rynAddr = rynAddr;
}

void ModbusMaster::slotSetAddr(int rynAddr)
{
    m_readingRyns = false;
    if (rynAddr == 0) {
        m_monitoringPosition = 0;
        clearLastAnswers();
        m_rynAddr = 0;
        m_restartMonitoring = true;
        return;
    }
    if (!m_link || !m_link->hasPort())
        return;
    if (m_link->isOpen() && m_ticking) {
        stopTicking();
        m_rynAddr = rynAddr;
        startTicking();
    } else {
        m_rynAddr = rynAddr;
    }
    m_monitoringPosition = 0;
    clearLastAnswers();
    m_restartMonitoring = true;
    m_version = defaultVersion;
    doAfterRynInit();
}

void ModbusMaster::slotEnentsFromAllRyn(bool fromAll)
{
    m_eventsFromAllRyn = fromAll;
    wake();
}

void ModbusMaster::slotTabCurrenChanged(int index)
{
    m_tabIndex = index;
    m_restartMonitoring = true;
}

void ModbusMaster::slotViewModeChanged(int mode)
{
    m_viewMode = mode;
    m_restartMonitoring = true;
}

void ModbusMaster::slotShowAuParams()
{
    m_auParamsShown = true;
    m_restartMonitoring = true;
}

void ModbusMaster::slotHideAuParams()
{
    m_auParamsShown = false;
    m_restartMonitoring = true;
}

void ModbusMaster::slotTrendsShown(bool shown)
{
    if (shown == m_trendsShown)
        return;
    m_trendsShown = shown;
    m_restartMonitoring = true;
}

void ModbusMaster::slotReadRyns(QList<int> rynAddrs)
{
    if (rynAddrs != m_rynsToRead)
        m_rynsToRead = rynAddrs;
    if (m_rynsToRead.isEmpty())
        return;
    if (!m_ticking) {
        failPendingReading();
        return;
    }
    // A second request while one runs must not take the controller being read for the user's own.
    if (!m_readingRyns)
        m_savedRynAddr = m_rynAddr;
    m_readingRyns = true;
    m_restartMonitoring = true;
    m_version = defaultVersion;
    wake();
}

void ModbusMaster::slotReadingRynsAborted()
{
    m_readingAborted = true;
    wake();
}

void ModbusMaster::doAfterRynInit()
{
    m_readPolicy = Monitoring::defaultPolicy();
    for (auto it = m_readPolicy.cbegin(); it != m_readPolicy.cend(); ++it)
        m_lastRead.remove(it.key());
}

void ModbusMaster::doReadIppThreshold()
{
    for (int bit = 0; bit < 3; ++bit) {
        if (!(m_pendingBorderReads & (1u << bit)))
            continue;
        m_pendingBorderReads &= quint16(~(1u << bit));
        putAtHead(CMD_READ_IPP_W1 + bit);
    }
    wake();
}

void ModbusMaster::doModbus()
{
    if (m_readingAborted) {
        m_rynsToRead.clear();
        readRyn(m_savedRynAddr);
        m_readingRyns = false;
        m_readingAborted = false;
        m_restartMonitoring = true;
        m_version = defaultVersion;
        doAfterRynInit();
    }
    std::unique_ptr<ModbusCommand> command;
    if (!m_readingRyns)
        command = takeCommand();
    if (command)
        executeCommand(*command);
    else if (!m_readingRyns && probeDue())
        probeMissingRyn();
    else
        monitoringStep();
    scheduleTick();
}

bool ModbusMaster::probeDue() const
{
    return m_link && m_probes.isDue(m_link->now(), m_known.list());
}

// A probe of a missing address between other transactions. It is no search: it neither forgets the
// known controllers nor counts as a failure anywhere, so absent addresses alarm nobody and never
// make the port be re-created. An address that answers joins the known controllers and is reported
// as a found one (identifier 0: nobody queued it).
void ModbusMaster::probeMissingRyn()
{
    const int address = m_probes.take(m_link->now(), m_known.list());
    m_lineFeed->begin(address, CMD_PING);
    emit signalPortTx();
    const CommandCatalogue::Outcome outcome =
        CommandCatalogue::execute(*m_link, quint8(address), CMD_PING, QByteArray(), m_version, QByteArray());
    if (outcome.result != ResultOk)
        return;
    noteFound(address);
    emit signalInfo(address, 0, CMD_PING, ResultOk, outcome.answer);
}

void ModbusMaster::executeCommand(const ModbusCommand &command)
{
    m_lineFeed->begin(command.rynAddr, command.cmdCode);
    emit signalPortTx();
    CommandCatalogue::Hooks hooks;
    hooks.portTx = [this] { emit signalPortTx(); };
    hooks.portRx = [this](int result, const QByteArray &answer) { emit signalPortRx(result, answer); };
    const CommandCatalogue::Outcome outcome =
        CommandCatalogue::execute(*m_link, quint8(command.rynAddr), command.cmdCode, command.info, m_version,
                                  m_lastAnswers.value(CMD_READ_TYPES), hooks);
    m_link->account(outcome.result);
    if (!m_lineFeed->hasTransactions())
        m_lineFeed->recordRefusal(command.rynAddr, command.cmdCode, outcome.result);

    QByteArray info = outcome.answer;
    if (outcome.result == ResultException)
        info = QByteArray(1, char(outcome.exceptionCode));
    if (isConfigRead(command.cmdCode)) {
        if (outcome.result == ResultOk)
            info = answerData(outcome.answer);
        setLastAnswer(command.cmdCode, info);
        emit signalConfigInfo(command.rynAddr, command.id, command.cmdCode, outcome.result, info);
    } else if (isConfigWrite(command.cmdCode)) {
        emit signalConfigInfo(command.rynAddr, command.id, command.cmdCode, outcome.result, info);
    } else if (command.cmdCode >= CMD_READ_IPP_W1 && command.cmdCode <= CMD_READ_IPP_W3 &&
               outcome.answer.size() == 255) {
        info = answerData(outcome.answer);
    }
    emit signalInfo(command.rynAddr, command.id, command.cmdCode, outcome.result, info);
    if (outcome.result != ResultOk)
        return;

    if (command.cmdCode == CMD_PING) {
        if (command.rynAddr == 1)
            m_known.clear();
        if (!m_known.contains(command.rynAddr))
            noteFound(command.rynAddr);
    } else if (command.cmdCode >= CMD_AU_READ_BORDER_W1 && command.cmdCode <= CMD_AU_READ_BORDER_W3) {
        putAtHead(command.cmdCode - (CMD_AU_READ_BORDER_W1 - CMD_READ_IPP_W1));
    }
}

void ModbusMaster::reportFailure(int result, quint8 exceptionCode)
{
    emit signalPortRx(result, result == ResultException ? QByteArray(1, char(exceptionCode)) : QByteArray());
}

void ModbusMaster::monitoringStep()
{
    // With no controller selected there is no cycle to finish; a cycle left open would stop the
    // event polls of every other controller.
    if (m_rynAddr == 0 && !m_readingRyns)
        m_cycleActive = false;
    int polled = -1;
    if (!m_cycleActive && !m_readingRyns) {
        if (m_known.isEmpty())
            return;
        polled = pollEvents();
    }
    const bool selectedPolled = m_cycleActive || polled == m_rynAddr;
    if (!m_readingRyns && (m_rynAddr == 0 || !selectedPolled))
        return;
    if (m_restartMonitoring) {
        restartMonitoring();
        if (m_restartMonitoring)
            return;
    }
    readMonitoringItem();
}

int ModbusMaster::pollEvents()
{
    int polled = m_rynAddr;
    if (m_eventsFromAllRyn) {
        polled = m_known.nextInRound();
    }
    // Address 0 is the broadcast address: nobody answers a read there.
    if (polled == 0)
        return polled;

    m_lineFeed->begin(polled, CommandNames::eventReadCode);
    emit signalPortTx();
    bool staleAcknowledgement = m_staleAcknowledgements.contains(polled);
    const EventBuffer::ReadResult read = EventBuffer::read(*m_link, quint8(polled), now(), staleAcknowledgement);
    if (staleAcknowledgement)
        m_staleAcknowledgements.insert(polled);
    else
        m_staleAcknowledgements.remove(polled);
    if (!read.events.isEmpty()) {
        emit signalEvents(read.events);
        for (const ModbusEvent &event : read.events) {
            if (event.evCode == eventInitDone && m_afterInitTimer)
                m_afterInitTimer->start();
        }
    }
    if (read.result != ResultOk) {
        reportFailure(read.result, read.exceptionCode);
        if (polled != m_rynAddr) {
            if (read.result == ResultNoAnswer) {
                if (m_known.countNoAnswer(polled) > rynFailureLimit) {
                    emit signalDisableRyn(polled);
                    m_known.drop(polled);
                }
            } else {
                m_known.countAnswer(polled);
            }
        }
        return polled;
    }
    if (read.events.isEmpty())
        emit signalPortRx(ResultOk, QByteArray());
    if (polled != m_rynAddr)
        m_known.countAnswer(polled);
    return polled;
}

void ModbusMaster::restartMonitoring()
{
    if (m_readingRyns && !m_rynsToRead.isEmpty())
        readRyn(m_rynsToRead.first());
    qCDebug(lcComm) << "RESTART MONITORING! *********************************";
    m_lineFeed->begin(m_rynAddr, CMD_READ_TYPES);
    emit signalPortTx();
    const CommandCatalogue::Outcome outcome = CommandCatalogue::execute(
        *m_link, quint8(m_rynAddr), CMD_READ_TYPES, QByteArray(), m_version, QByteArray());
    m_link->account(outcome.result);
    if (outcome.result != ResultOk) {
        reportFailure(outcome.result, outcome.exceptionCode);
        if (m_readingRyns)
            finishRynReading(false);
        return;
    }
    const QByteArray data = answerData(outcome.answer);
    const QByteArray last = m_lastAnswers.value(CMD_READ_TYPES);
    if (last.isEmpty() || data != last) {
        emit signalInfo(m_rynAddr, 0, CMD_READ_TYPES, ResultOk, data);
        setLastAnswer(CMD_READ_TYPES, data);
    } else {
        emit signalPortRx(ResultOk, QByteArray());
    }
    m_restartMonitoring = false;
    rebuildMonitoringList();
    m_monitoringPosition = 1;
    m_cycleActive = true;
}

void ModbusMaster::rebuildMonitoringList()
{
    const int mode =
        (m_auParamsShown || m_trendsShown || m_readingRyns) ? int(Monitoring::AllParameters) : m_tabIndex;
    m_monitoringList = Monitoring::buildList(mode, m_viewMode, m_lastAnswers.value(CMD_READ_TYPES));
    m_monitoringPosition = 0;
}

bool ModbusMaster::isDue(int cmdCode) const
{
    if (m_readingRyns)
        return true;
    const int policy = m_readPolicy.value(cmdCode);
    // Only a timed policy reads the clock: a local time looks at the time zone file, and most of the
    // list is read every cycle.
    const QDateTime when = policy == Monitoring::ReadEveryMinute ? now() : QDateTime();
    return Monitoring::isDue(policy, m_lastRead.value(cmdCode), when);
}

void ModbusMaster::readMonitoringItem()
{
    if (m_monitoringPosition == 0 && !m_monitoringList.isEmpty())
        m_cycleActive = true;
    bool failed = false;
    bool succeeded = false;
    if (m_monitoringPosition < m_monitoringList.size()) {
        const int code = m_monitoringList.at(m_monitoringPosition);
        if (!isDue(code)) {
            if (++m_monitoringPosition >= m_monitoringList.size()) {
                m_monitoringPosition = 0;
                m_cycleActive = false;
            }
            return;
        }
        m_lineFeed->begin(m_rynAddr, code);
        emit signalPortTx();
        const CommandCatalogue::Outcome outcome = CommandCatalogue::execute(
            *m_link, quint8(m_rynAddr), code, QByteArray(), m_version, m_lastAnswers.value(CMD_READ_TYPES));
        m_link->account(outcome.result);
        if (outcome.result != ResultOk) {
            reportFailure(outcome.result, outcome.exceptionCode);
            reportRead(code, outcome.result);
            failed = true;
        } else {
            if (m_readPolicy.contains(code))
                m_lastRead.insert(code, now());
            if (outcome.answer.size() < 6) {
                emit signalPortRx(ResultBadFrame, QByteArray());
                reportRead(code, ResultBadFrame);
                failed = true;
            } else {
                const QByteArray data = answerData(outcome.answer);
                bool readAgain = false;
                if (code == CMD_READ_RYN_REGISTERS && data.size() >= 4) {
                    const quint16 readWith = m_version;
                    m_version = quint16(quint8(data.at(2)) * 256 + quint8(data.at(3)));
                    // A reading gets one cycle per controller: a block read with the other layout's
                    // length is read again at once, or the controller's document would lack (or
                    // borrow) the registers only the long block holds, its operating time.
                    readAgain = m_readingRyns &&
                                RegisterMap::isShortLayout(readWith) != RegisterMap::isShortLayout(m_version);
                }
                if (data != m_lastAnswers.value(code)) {
                    emit signalInfo(m_rynAddr, 0, code, ResultOk, data);
                    setLastAnswer(code, data);
                    reportRead(code, ResultOk);
                    if (code == CMD_READ_TYPES) {
                        qCDebug(lcComm) << "?????????? Types Changed ?????";
                        rebuildMonitoringList();
                        m_monitoringPosition = 1;
                        m_cycleActive = true;
                        return;
                    }
                } else {
                    emit signalPortRx(ResultOk, QByteArray());
                    reportRead(code, ResultOk);
                }
                if (readAgain)
                    return;
                succeeded = true;
            }
        }
    }
    if (++m_monitoringPosition >= m_monitoringList.size()) {
        m_monitoringPosition = 0;
        m_cycleActive = false;
        if (m_readingRyns && succeeded)
            finishRynReading(true);
    }
    if (m_readingRyns && failed)
        finishRynReading(false);
}

void ModbusMaster::reportRead(int cmdCode, int result)
{
    if (m_trendsShown)
        emit signalMonitoringRead(m_rynAddr, cmdCode, result);
}

void ModbusMaster::finishRynReading(bool success)
{
    if (!m_rynsToRead.isEmpty())
        m_rynsToRead.removeFirst();
    emit signalRynReadingCompleted(m_rynAddr, success);
    if (m_rynsToRead.isEmpty()) {
        readRyn(m_savedRynAddr);
        m_readingRyns = false;
        // The once-only and once-a-minute blocks were last read from other controllers: the views
        // show their values until the restored controller's own are read again.
        doAfterRynInit();
    }
    m_restartMonitoring = true;
    m_version = defaultVersion;
}

void ModbusMaster::slotRecordLine(bool on)
{
    m_lineFeed->setEnabled(on);
    if (!m_link)
        return;
    // Off, the link calls nobody: the line costs nothing for a monitor that is closed.
    if (on)
        m_link->setObserver([this](const ModbusLink::Trace &trace) { m_lineFeed->recordTransaction(trace); });
    else
        m_link->setObserver(ModbusLink::Observer());
}
