#pragma once

#include "backgroundprobes.h"
#include "knowncontrollers.h"
#include "linerecorder.h" // the batching of signalLineRecords
#include "modbuscommand.h"
#include "modbuslink.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>

#include <functional>
#include <memory>

class LineMonitorFeed;
class QThread;
class QTimer;

// The single owner of the serial link. It lives in a thread of its own and, tick by tick, either runs
// the oldest queued command or one step of monitoring the selected controller and the event buffers.
class ModbusMaster : public QObject
{
    Q_OBJECT

public:
    // For tests: the port, the clocks and whether the worker gets a thread of its own.
    struct Options
    {
        bool ownThread = true;
        ModbusLink::PortFactory portFactory;
        ModbusLink::Clock linkClock;
        ModbusLink::Sleeper sleeper;
        std::function<QDateTime()> now;
        int probeEveryMs = probeIntervalMs; // tests on a real line shorten it
    };

    static constexpr int portFailureLimit = ModbusLink::portFailureLimit;
    static constexpr int rynFailureLimit = 3;
    static constexpr quint16 defaultVersion = 0;
    static constexpr int tickMs = 1;
    static constexpr int afterInitMs = 35000;
    static constexpr int borderReadDelayMs = 10000;
    // Addresses that did not answer are probed again in the background, one every 11 s: a missing
    // address costs one answer window (about 207 ms with the request), so the probes take under 2 %
    // of the line, and with all eight missing each is probed again within 88 s.
    static constexpr int probeIntervalMs = 11000;
    // A controller that was on this line before and is missing now (its search probe spoiled after
    // the port came back, say) is asked again at once: every second, ten times, before it falls back
    // to the slow round of the others.
    static constexpr int formerProbeIntervalMs = BackgroundProbes::formerIntervalMs;
    static constexpr int formerProbeAttempts = BackgroundProbes::formerAttempts;

    ModbusMaster(const QString &portName, int rynAddr, bool eventsFromAllRyn, QObject *parent = nullptr);
    ModbusMaster(const QString &portName, int rynAddr, bool eventsFromAllRyn, const Options &options,
                 QObject *parent = nullptr);
    ~ModbusMaster() override;

    // The worker's thread; the owner starts it (and quits and waits for it at shutdown).
    QThread *workerThread() const { return m_thread; }

    // The one worker, for the unit menus' questions about the last answers.
    static ModbusMaster *instance();

    // Safe from any thread. True when the block was never read. A unit is typed when the types
    // block gives it a type (not 255, and not 0, which no device has), reachable unless its general
    // state is 1 (connection lost).
    bool isUnitReachable(int auAddr) const;
    bool isUnitTyped(int auAddr) const;

    // State for tests and diagnostics; read them in the worker's thread.
    QList<int> monitoringList() const { return m_monitoringList; }
    int monitoringPosition() const { return m_monitoringPosition; }
    QList<int> knownRyns() const;
    int selectedRyn() const { return m_rynAddr; }
    int queuedCommands() const;
    bool isTicking() const { return m_ticking; }
    QTimer *tickTimer() const { return m_tickTimer; }
    QTimer *afterInitTimer() const { return m_afterInitTimer; }
    QTimer *borderTimer() const { return m_borderTimer; }
    QTimer *lineRecordTimer() const;

signals:
    void signalPortOpened(bool isOk);
    // Follows every open: true when the port could not be opened for want of permission.
    void signalPortAccessDenied(bool denied);
    // Follows every open: why the port could not be opened, when the port says; empty otherwise.
    void signalPortOpenError(QString reason);
    // Echoes of the requests taken off in front of answers since the port was last opened.
    void signalEchoCount(int echoes);
    void signalPortTx();
    void signalPortRx(int errType, QByteArray answer);
    void signalInfo(int rynAddr, int id, int cmdCode, int errCode, QByteArray info);
    void signalConfigInfo(int rynAddr, int id, int cmdCode, int errCode, QByteArray info);
    void signalEvents(ModbusProtocol::EventList events);
    void signalDisableRyn(int rynAddr);
    void signalRynReadingCompleted(int rynAddr, bool success);
    // The traffic monitor's records in the order of the transactions, at most one batch every 100 ms;
    // `lost` counts records that found the worker's buffer full since the last batch.
    void signalLineRecords(LineRecordList records, int lost);
    // While trends are shown: every monitoring read of a block, changed or not, with its result,
    // after the block's data (when they changed) went out in signalInfo. A trend samples on it.
    void signalMonitoringRead(int rynAddr, int cmdCode, int result);

public slots:
    void init();
    void reinit(QString portName);
    // Whether an echo of the request in front of an answer is taken off (the default) or left, as
    // on a line without echo, where such an answer is a link error.
    void slotSetStripEcho(bool strip);
    void slotAddCommand(int rynAddr, int id, int cmdCode, QByteArray info);
    void slotSetAddr(int rynAddr);
    void slotEnentsFromAllRyn(bool fromAll);
    void stop();
    void startStopTimer(bool isStart);
    void slotTabCurrenChanged(int index);
    void slotViewModeChanged(int mode);
    void slotShowAuParams();
    void slotHideAuParams();
    // A trend window shows series: every parameter is read, as for a unit's parameter window, and
    // each read is reported (signalMonitoringRead).
    void slotTrendsShown(bool shown);
    void slotReadRyns(QList<int> rynAddrs);
    void slotReadingRynsAborted();
    void doModbus();
    void doAfterRynInit();
    void doReadIppThreshold();
    // Records every transaction for the traffic monitor while on; off by default.
    void slotRecordLine(bool on);

private:
    void startTicking();
    void stopTicking();
    void wake();
    void scheduleTick();
    bool hasWork() const;
    void failQueuedCommands();
    void refuseCommand(int rynAddr, int id, int cmdCode);
    void failPendingReading();
    bool probeDue() const;
    void noteFound(int rynAddr);
    void portOpened(bool isOk);
    void probeMissingRyn();
    bool openPort();
    std::unique_ptr<ModbusCommand> takeCommand();
    void putAtHead(int cmdCode);
    void executeCommand(const ModbusCommand &command);
    void monitoringStep();
    int pollEvents();
    void restartMonitoring();
    void readMonitoringItem();
    void reportRead(int cmdCode, int result);
    void finishRynReading(bool success);
    void rebuildMonitoringList();
    void setLastAnswer(int cmdCode, const QByteArray &data);
    void clearLastAnswers();
    void readRyn(int rynAddr);
    bool isDue(int cmdCode) const;
    void reportFailure(int result, quint8 exceptionCode);
    QDateTime now() const;
    qint64 wallMs() const; // the same clock in milliseconds since the epoch

    Options m_options;
    QThread *m_thread = nullptr;
    std::unique_ptr<ModbusLink> m_link;
    QTimer *m_tickTimer = nullptr;
    QTimer *m_afterInitTimer = nullptr;
    QTimer *m_borderTimer = nullptr;
    bool m_ticking = false;

    int m_rynAddr = 0;
    quint16 m_version = defaultVersion;
    QString m_portName;
    bool m_stripEcho = true;
    bool m_eventsFromAllRyn = true;
    KnownControllers m_known;
    BackgroundProbes m_probes;
    QSet<int> m_staleAcknowledgements; // controllers whose last event read did not arrive intact

    QList<ModbusCommand *> m_commandQueue; // owned; guarded by the queue mutex
    QList<int> m_monitoringList;
    int m_monitoringPosition = 0;
    bool m_cycleActive = false;
    bool m_restartMonitoring = false;
    int m_tabIndex = 0;
    int m_viewMode = 0;
    bool m_auParamsShown = false;
    bool m_trendsShown = false;

    bool m_readingRyns = false;
    bool m_readingAborted = false;
    QList<int> m_rynsToRead;
    int m_savedRynAddr = 0;

    QMap<int, QByteArray> m_lastAnswers; // written under the queue mutex: the GUI thread reads it
    QMap<int, int> m_readPolicy;
    QMap<int, QDateTime> m_lastRead;
    quint16 m_pendingBorderReads = 0;

    LineMonitorFeed *m_lineFeed = nullptr; // a child: it moves to the worker's thread with it
};
