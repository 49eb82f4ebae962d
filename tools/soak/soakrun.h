#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QRandomGenerator>
#include <QSet>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class EventsModel;
class MainWindow;
class QEventLoop;
class QTimer;
class SimProcess;

// The whole tool against the simulated demo line for a long while: a faulty line, events raised at
// a steady rate, the simulator killed and started again now and then. Counts what the event log
// shows against what was raised, how long the tool takes to talk again after each restart, and
// samples its memory and CPU.
class SoakRun : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        int seconds = 600;
        QString faults; // ryn-sim's --faults; empty: a clean line
        int baud = 19200;
        int eventIntervalMs = 500;
        int restartMinSeconds = 40;
        int restartMaxSeconds = 120;
        int downMinMs = 1000;
        int downMaxMs = 5000;
        int sampleMs = 10000;
        int warmUpSeconds = 60;
        int drainSeconds = 60;
        quint32 seed = 1;
    };

    // The tool's own code for the events the run raises: one the simulated controllers never use.
    static constexpr int soakEventCode = 199;

    explicit SoakRun(const Options &options, QObject *parent = nullptr);
    ~SoakRun() override;

    // Runs to the end and prints the summary on standard output; true when every goal was met.
    bool run();

private:
    struct Sample
    {
        qint64 atMs = 0;
        double rssMb = 0;
        double cpuPercent = 0;
    };

    bool setUp();
    bool startSim();
    QStringList simOptions() const;
    void raiseEvent();
    void killSim();
    void restartSim();
    void scheduleKill();
    void endRaising();
    void checkDrained();
    void answered(int rynAddr);
    QSet<QString> waitingEvents();
    void eventsShown(const EventsModel &model, int first, int last);
    void sample();
    void addFaultCounts();
    int lostEvents() const;
    bool printSummary() const;

    Options m_options;
    QTemporaryDir m_dir;
    std::unique_ptr<SimProcess> m_sim;
    std::unique_ptr<MainWindow> m_window;
    QRandomGenerator m_random;
    QElapsedTimer m_clock;
    QEventLoop *m_loop = nullptr;
    QTimer *m_raiseTimer = nullptr;
    QTimer *m_killTimer = nullptr;
    QTimer *m_sampleTimer = nullptr;
    QTimer *m_drainTimer = nullptr;

    int m_sequence = 0;
    QSet<QString> m_raised;
    QHash<QString, int> m_shown; // event -> how often the log showed it
    QSet<QString> m_wentDown;    // waiting in a controller when the simulator was killed
    QSet<QString> m_stillWaiting; // waiting in a controller at the end: never read
    bool m_simUp = false;
    bool m_ending = false;
    qint64 m_endedRaisingAt = 0;
    int m_kills = 0;
    bool m_awaitingRecovery = false;
    qint64 m_restartedAt = 0;
    QSet<int> m_answeredSinceRestart;
    QList<qint64> m_recoveryMs;
    int m_portOpenings = 0;
    int m_portFailures = 0;
    QMap<QString, int> m_faultCounts;
    QList<Sample> m_samples;
    qint64 m_lastCpuUs = 0;
    qint64 m_lastSampleMs = 0;
};
