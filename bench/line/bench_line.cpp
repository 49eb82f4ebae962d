// The worker on a paced line: ryn-sim at 19200 baud on a pseudo-terminal, one controller with a loop
// of 250 units of every type (data/sim/bench.json). Prints
//  (1) the time of a monitoring cycle divided by the pure line time of its answers (answer bytes at
//      11 bits a character plus the simulator's 3 ms turnaround, for every transaction of the cycle),
//  (2) the worker thread's CPU with no port, with a port but no controller, and while monitoring,
//  (3) the time from a state change in the simulator to its update signal,
//  (4) the cycle ratio with the line monitor closed and open (recording every transaction), in turns,
//  (5) the all-parameters cycle ratio with the trend window closed and open with 20 series, in turns,
// and the CPU of the whole tool (main window, offscreen) monitoring the general tab.
// `bench_line trends` measures (5) alone.
#include "benchtiming.h"
#include "commandcodes.h"
#include "commandid.h"
#include "linebench.h"
#include "linemonitormodel.h"
#include "linemonitorwindow.h"
#include "mainwindow.h"
#include "modbusmaster.h"
#include "modbusprotocol.h"
#include "recorder.h"
#include "registermap.h"
#include "responsedecoder.h"
#include "settings.h"
#include "simprocess.h"
#include "trendfeed.h"
#include "trendswindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <pthread.h>
#include <vector>

namespace {

constexpr int benchUnit = 245; // a smoke detector
constexpr int generalStateFire = 4;

// Percent of one core that `clock` used over `msecs` of wall time.
double cpuPercent(clockid_t clock, int msecs)
{
    const double cpuStart = cpuMs(clock);
    QElapsedTimer wall;
    wall.start();
    wait(msecs);
    return (cpuMs(clock) - cpuStart) * 100.0 / wall.elapsed();
}

clockid_t threadClock(QObject *inThread)
{
    clockid_t clock = CLOCK_THREAD_CPUTIME_ID;
    QMetaObject::invokeMethod(
        inThread, [&clock] { pthread_getcpuclockid(pthread_self(), &clock); }, Qt::BlockingQueuedConnection);
    return clock;
}

void call(ModbusMaster *master, const char *slot, int value)
{
    QMetaObject::invokeMethod(master, slot, Q_ARG(int, value));
}

void printCycles(const char *what, const Cycles &c)
{
    const double allMs = c.wallMs + c.probeMs;
    std::printf("%s: %d cycles of %.0f transactions, %.1f ms each on the line and %.1f ms in all: "
                "ratio %.4f (%d unanswered); background probes %d, %.2f %% of the time\n",
                what, c.count, double(c.transactions) / qMax(1, c.count), c.lineMs / qMax(1, c.count),
                c.wallMs / qMax(1, c.count), c.wallMs / qMax(1e-9, c.lineMs), c.unanswered, c.probes,
                c.probeMs * 100 / qMax(1e-9, allMs));
}

// Waits for the decoder to report the unit's general state; -1 after 20 s.
double latencyMs(SimProcess &sim, ResponseDecoder &decoder, const QString &state, int expected)
{
    QEventLoop loop;
    QElapsedTimer timer;
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    const QMetaObject::Connection connection =
        QObject::connect(&decoder, &ResponseDecoder::signalSetGeneralState, &loop, [&](int addr, int value) {
            if (addr == benchUnit && value == expected)
                loop.quit();
        });
    timer.start();
    sim.command(QStringLiteral("state 1 %1 %2").arg(benchUnit).arg(state));
    loop.exec();
    QObject::disconnect(connection);
    const double ms = timer.nsecsElapsed() / 1e6;
    return ms >= 20000 ? -1 : ms;
}

// The general tab's cycle ratio with the line monitor closed, with the worker recording for a model
// that no window shows, and with the monitor open, in turns, so that a change in the machine's load
// falls on all alike. The CPU of the worker thread and of the whole process beside each.
void benchLineMonitor(ModbusMaster *master, const Recorder &recorder, clockid_t workerClock)
{
    constexpr int rounds = 3;
    constexpr int phaseMs = 20000;
    LineMonitorWindow monitor;
    LineMonitorModel unseen;
    QObject::connect(&monitor, &LineMonitorWindow::signalMonitoring, master, &ModbusMaster::slotRecordLine);
    QObject::connect(master, &ModbusMaster::signalLineRecords, &monitor, &LineMonitorWindow::slotLineRecords);
    QObject::connect(master, &ModbusMaster::signalLineRecords, &unseen, &LineMonitorModel::slotLineRecords);
    const char *names[] = {"closed", "recording, no window", "open"};
    double sums[3] = {0, 0, 0};
    for (int round = 0; round < rounds; ++round) {
        for (int phase = 0; phase < 3; ++phase) {
            if (phase == 1)
                QMetaObject::invokeMethod(master, "slotRecordLine", Q_ARG(bool, true));
            if (phase == 2)
                monitor.show();
            const qint64 from = recorder.nowNs();
            const double workerStart = cpuMs(workerClock);
            const double processStart = cpuMs(CLOCK_PROCESS_CPUTIME_ID);
            wait(phaseMs);
            const Cycles c = cycles(recorder.since(from), 1);
            std::printf("line monitor %s, round %d: cycle ratio %.4f (%d cycles); CPU worker %.3f %%, process "
                        "%.2f %%\n",
                        names[phase], round + 1, ratio(c), c.count,
                        (cpuMs(workerClock) - workerStart) * 100 / phaseMs,
                        (cpuMs(CLOCK_PROCESS_CPUTIME_ID) - processStart) * 100 / phaseMs);
            sums[phase] += ratio(c);
        }
        monitor.hide();
    }
    std::printf("cycle ratio of the general tab, line monitor closed %.4f, recording without a window %.4f "
                "(%+.2f %%), open %.4f (%+.2f %%); %d transactions recorded\n",
                sums[0] / rounds, sums[1] / rounds, (sums[1] / sums[0] - 1) * 100, sums[2] / rounds,
                (sums[2] / sums[0] - 1) * 100, unseen.keptCount());
}

// The all-parameters cycle ratio with a unit's parameter window open (the trend window closed) and
// with the trend window open, showing 20 series of the loop, recording and repainting, in turns. Both
// read every block, so the difference is the trend window's own cost.
// The recorder hears the decoder from the start, as the main window's does.
void connectTrends(ModbusMaster *master, ResponseDecoder &decoder, TrendRecorder &trends)
{
    connectTrendFeed(&decoder, &trends);
    trends.slotRynSelected(1);
    QObject::connect(master, &ModbusMaster::signalMonitoringRead, &trends, &TrendRecorder::slotMonitoringRead);
    QObject::connect(&trends, &TrendRecorder::signalReadEverything, master, &ModbusMaster::slotTrendsShown);
}

void benchTrends(ModbusMaster *master, TrendRecorder &trends, const Recorder &recorder, clockid_t workerClock)
{
    constexpr int rounds = 8;
    constexpr int phaseMs = 40000; // six cycles of all parameters
    QList<TrendSeries> series;
    for (TrendCatalogue::Reading reading : TrendCatalogue::controllerReadings().mid(0, 4))
        series << TrendSeries{1, 0, reading};
    for (int addr = 1; addr <= 250 && series.size() < 20; ++addr) {
        for (TrendCatalogue::Reading reading : TrendCatalogue::unitReadings(trends.unitType(addr))) {
            if (series.size() < 20)
                series << TrendSeries{1, addr, reading};
        }
    }
    for (const TrendSeries &one : series)
        trends.addSeries(one);
    TrendsWindow window(&trends);
    QMetaObject::invokeMethod(master, "slotShowAuParams");
    wait(15000);
    // Closed and open take turns, in the order closed-open, then open-closed, so that a change of the
    // machine's load over the run weighs on both; each round's pair gives one difference.
    std::vector<double> ratios[2];
    std::vector<double> differences;
    for (int round = 0; round < rounds; ++round) {
        double pair[2] = {0, 0};
        for (int step = 0; step < 2; ++step) {
            const int phase = round % 2 == 0 ? step : 1 - step;
            window.setVisible(phase == 1);
            wait(7000); // the restart and a cycle begun before it
            const qint64 from = recorder.nowNs();
            const double workerStart = cpuMs(workerClock);
            const double processStart = cpuMs(CLOCK_PROCESS_CPUTIME_ID);
            wait(phaseMs);
            const Cycles c = cycles(recorder.since(from), 1);
            std::printf("trend window %s, round %d: cycle ratio %.4f (%d cycles); CPU worker %.3f %%, process "
                        "%.2f %%\n",
                        phase == 0 ? "closed" : "open", round + 1, ratio(c), c.count,
                        (cpuMs(workerClock) - workerStart) * 100 / phaseMs,
                        (cpuMs(CLOCK_PROCESS_CPUTIME_ID) - processStart) * 100 / phaseMs);
            pair[phase] = ratio(c);
            ratios[phase].push_back(ratio(c));
        }
        differences.push_back((pair[1] / pair[0] - 1) * 100);
    }
    window.hide();
    std::sort(differences.begin(), differences.end());
    std::printf("cycle ratio of all parameters over %d rounds (medians), trend window closed %.4f, open with %d "
                "series %.4f; open against closed %+.2f %% (rounds from %+.2f %% to %+.2f %%); %lld samples "
                "recorded\n",
                rounds, median(ratios[0]), int(series.size()), median(ratios[1]), median(differences),
                differences.front(), differences.back(), trends.store().sampleCount());
    QMetaObject::invokeMethod(master, "slotHideAuParams");
}

void benchTrendsAlone(SimProcess &sim)
{
    Recorder recorder;
    ModbusMaster *master = recordingWorker(sim.linkPath(), recorder);
    ResponseDecoder decoder;
    decodeAnswers(master, decoder);
    TrendRecorder trends;
    connectTrends(master, decoder, trends);
    QThread *thread = master->workerThread();
    thread->start();
    const clockid_t clock = threadClock(master);
    search(master);
    call(master, "slotSetAddr", 1);
    call(master, "slotTabCurrenChanged", 0);
    wait(15000);
    benchTrends(master, trends, recorder, clock);
    thread->quit();
    thread->wait();
}

void benchWorker(SimProcess &sim)
{
    {
        auto *idle = new ModbusMaster(QString(), 0, true);
        QThread *thread = idle->workerThread();
        thread->start();
        const clockid_t clock = threadClock(idle);
        wait(500);
        std::printf("worker thread, no port: %.3f %% of a core over 10 s\n", cpuPercent(clock, 10000));
        thread->quit();
        thread->wait();
    }

    Recorder recorder;
    ModbusMaster *master = recordingWorker(sim.linkPath(), recorder);
    ResponseDecoder decoder;
    decodeAnswers(master, decoder);
    TrendRecorder trends;
    connectTrends(master, decoder, trends);
    QThread *thread = master->workerThread();
    thread->start();
    const clockid_t clock = threadClock(master);

    sim.command(QStringLiteral("silence 1"));
    search(master);
    qint64 from = recorder.nowNs();
    const double noController = cpuPercent(clock, 30000);
    std::printf("worker thread, port but no controller: %.3f %% of a core over 30 s (%d background probes)\n",
                noController, int(recorder.since(from).size()));

    sim.command(QStringLiteral("revive 1"));
    search(master);
    call(master, "slotSetAddr", 1);
    call(master, "slotTabCurrenChanged", 0);
    wait(15000); // the first cycles read the once-only blocks
    from = recorder.nowNs();
    const double general = cpuPercent(clock, 30000);
    const Cycles generalCycles = cycles(recorder.since(from), 1);
    std::printf("worker thread, monitoring the general tab: %.3f %% of a core over 30 s\n", general);
    printCycles("general tab", generalCycles);

    benchLineMonitor(master, recorder, clock);
    benchTrends(master, trends, recorder, clock);

    // A change at a random moment of the cycle, and back.
    std::vector<double> latencies;
    for (int round = 0; round < 10; ++round) {
        wait(int(QRandomGenerator::global()->bounded(2000)));
        const bool fire = round % 2 == 0;
        latencies.push_back(latencyMs(sim, decoder, fire ? QStringLiteral("fire") : QStringLiteral("normal"),
                                      fire ? generalStateFire : 0));
    }
    std::sort(latencies.begin(), latencies.end());
    double mean = 0;
    for (double latency : latencies)
        mean += latency / latencies.size();
    const double bound =
        generalCycles.wallMs / qMax(1, generalCycles.count) +
        lineMs(ModbusProtocol::readAnswerLength(RegisterMap::readBlock(CMD_READ_GENERAL_STATE, 15).count));
    std::printf("state change to its update signal, general tab: mean %.0f ms, worst %.0f ms over %d changes "
                "(one cycle and one block: %.0f ms)\n",
                mean, latencies.back(), int(latencies.size()), bound);

    call(master, "slotTabCurrenChanged", 3);
    QMetaObject::invokeMethod(master, "slotShowAuParams");
    wait(20000);
    from = recorder.nowNs();
    const double all = cpuPercent(clock, 60000);
    std::printf("worker thread, monitoring all parameters: %.3f %% of a core over 60 s\n", all);
    printCycles("all parameters", cycles(recorder.since(from), 1));

    thread->quit();
    thread->wait();
}

void benchWindow(SimProcess &sim)
{
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QDir().mkpath(QStringLiteral("Resources"));
    QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/Resources/Messages.RU"),
                QStringLiteral("Resources/Messages.RU"));
    Settings::fileName = QStringLiteral("TestRYN.ini");
    Settings::PrgParams params;
    params.portName = sim.linkPath();
    params.rynAddr = 1;
    params.eventsFromAllRyn = false;
    Settings::writePrgParams(params);
    {
        MainWindow window;
        window.setLanguage(QStringLiteral("RU"));
        window.show();
        wait(20000);
        std::printf(
            "whole tool (main window offscreen), monitoring the general tab: %.3f %% of a core over 30 s\n",
            cpuPercent(CLOCK_PROCESS_CPUTIME_ID, 30000));
    }
    QDir::setCurrent(QDir::tempPath());
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(quietDebug);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(images);
    qRegisterMetaType<ModbusProtocol::EventList>("ModbusProtocol::EventList");

    SimProcess sim;
    if (!sim.start(SimProcess::sourcePath(QStringLiteral("data/sim/bench.json")),
                   {QStringLiteral("--baud"), QStringLiteral("19200")})) {
        std::fprintf(stderr, "ryn-sim: %s\n", qPrintable(sim.errorString()));
        return 1;
    }
    std::printf("ryn-sim --baud 19200 on %s, controller 1 with 250 units of every type\n",
                qPrintable(sim.linkPath()));
    if (argc > 1 && QByteArray(argv[1]) == "trends") {
        benchTrendsAlone(sim);
    } else {
        benchWorker(sim);
        benchWindow(sim);
    }
    sim.stop();
    return 0;
}
