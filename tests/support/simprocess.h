#pragma once

#include <QMap>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Runs build/bin/ryn-sim for a test: starts it on a scenario with a pseudo-terminal link in a
// temporary folder (or, with the option "--tcp", on a TCP port), sends control lines and waits for their replies, and collects the fault counts.
// Blocking calls with time-outs, so a test reads top to bottom:
//
//     SimProcess sim;
//     QVERIFY2(sim.start(SimProcess::demoScenario(), {"--baud", "0"}), qPrintable(sim.errorString()));
//     port.setPortName(sim.linkPath());
//     QCOMPARE(sim.command("state 1 17 fire"), QString("OK"));
//     const QMap<QString, int> counts = sim.stop();   // frames, answered, broken, noanswer, crc, ...
//
// The simulator prints its trace on standard error when started with "--trace"; `trace()` holds it.
class SimProcess : public QObject
{
    Q_OBJECT

public:
    explicit SimProcess(QObject *parent = nullptr);
    ~SimProcess() override; // stops the simulator if it still runs

    static QString program();                           // the ryn-sim executable of this build
    static QString demoScenario();                      // data/sim/demo.json
    static QString sourcePath(const QString &relative); // a file of the source tree

    // Starts the simulator and waits for its READY line. `options` are passed on, for example
    // {"--baud", "0"} or {"--faults", "crc=0.1", "--seed", "7"}.
    bool start(const QString &scenario, const QStringList &options = {}, int timeoutMs = 10000);
    bool isRunning() const;
    // The port name the tool should open: the link, or "tcp://127.0.0.1:PORT".
    QString linkPath() const { return m_linkPath; }

    // Sends one control line and returns the reply ("OK ..." or "ERROR ..."); empty on time-out.
    QString command(const QString &line, int timeoutMs = 5000);
    // The counts as they stand ("counts" command).
    QMap<QString, int> counts(int timeoutMs = 5000);
    // Stops the simulator ("quit", then a kill after the time-out) and returns the counts it printed
    // on exit; empty when it printed none.
    QMap<QString, int> stop(int timeoutMs = 5000);
    // Kills the simulator at once, as a power cut would: nothing is said, nothing is saved.
    void kill();

    QString errorString() const { return m_error; }
    QString trace();

    // "frames=3 crc=1" -> {frames: 3, crc: 1}; words without "=" are skipped.
    static QMap<QString, int> parseCounts(const QString &text);

private:
    QString nextLine(int timeoutMs);

    QProcess m_process;
    QTemporaryDir m_dir;
    QString m_linkPath;
    QString m_error;
    QByteArray m_stdout;
    QByteArray m_stderr;
};
