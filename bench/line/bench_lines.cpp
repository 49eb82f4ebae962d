// The monitoring cycle on the lines besides a local serial port, against that port on the same run:
// ryn-sim at 19200 baud with one controller of 250 units (data/sim/bench.json) on a pseudo-terminal,
// the same served as a serial device server over TCP loopback, and on a pseudo-terminal that echoes
// every request. Each worker monitors the general tab in turn, three rounds, so that a change in the
// machine's load falls on all alike. Prints each line's cycle ratio (cycle time over the pure line
// time of what came back, echo included, plus the 3 ms turnaround) and its worker thread's CPU.
#include "benchtiming.h"
#include "linebench.h"
#include "modbusmaster.h"
#include "recorder.h"
#include "simprocess.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>
#include <ctime>
#include <memory>
#include <pthread.h>

namespace {

struct Line
{
    const char *name;
    QStringList options;
    std::unique_ptr<SimProcess> sim;
    Recorder recorder;
    ModbusMaster *master = nullptr;
    clockid_t clock = CLOCK_THREAD_CPUTIME_ID;
    double ratioSum = 0;
    double cpuSum = 0;
};

clockid_t threadClock(QObject *inThread)
{
    clockid_t clock = CLOCK_THREAD_CPUTIME_ID;
    QMetaObject::invokeMethod(
        inThread, [&clock] { pthread_getcpuclockid(pthread_self(), &clock); }, Qt::BlockingQueuedConnection);
    return clock;
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(quietDebug);
    QCoreApplication app(argc, argv);
    qRegisterMetaType<ModbusProtocol::EventList>("ModbusProtocol::EventList");
    constexpr int rounds = 3;
    constexpr int settleMs = 12000; // the first cycles after a selection read the once-only blocks
    constexpr int measureMs = 20000;

    Line lines[] = {{"serial (pseudo-terminal)", {}, {}, {}, nullptr, {}, 0, 0},
                    {"TCP loopback", {QStringLiteral("--tcp"), QStringLiteral("0")}, {}, {}, nullptr, {}, 0, 0},
                    {"echoing pseudo-terminal", {QStringLiteral("--echo")}, {}, {}, nullptr, {}, 0, 0}};
    for (Line &line : lines) {
        line.sim = std::make_unique<SimProcess>();
        if (!line.sim->start(SimProcess::sourcePath(QStringLiteral("data/sim/bench.json")),
                             QStringList{QStringLiteral("--baud"), QStringLiteral("19200")} + line.options)) {
            std::fprintf(stderr, "ryn-sim: %s\n", qPrintable(line.sim->errorString()));
            return 1;
        }
        line.master = recordingWorker(line.sim->linkPath(), line.recorder);
        line.master->workerThread()->start();
        line.clock = threadClock(line.master);
        search(line.master);
        std::printf("%s: ryn-sim --baud 19200 %s on %s\n", line.name, qPrintable(line.options.join(QLatin1Char(' '))),
                    qPrintable(line.sim->linkPath()));
    }
    for (int round = 0; round < rounds; ++round) {
        for (Line &line : lines) {
            QMetaObject::invokeMethod(line.master, "slotTabCurrenChanged", Q_ARG(int, 0));
            QMetaObject::invokeMethod(line.master, "slotSetAddr", Q_ARG(int, 1));
            wait(settleMs);
            const qint64 from = line.recorder.nowNs();
            const double cpuStart = cpuMs(line.clock);
            wait(measureMs);
            const double cpu = (cpuMs(line.clock) - cpuStart) * 100 / measureMs;
            const Cycles c = cycles(line.recorder.since(from), 1);
            QMetaObject::invokeMethod(line.master, "slotSetAddr", Q_ARG(int, 0));
            std::printf("round %d, %s: cycle ratio %.4f (%d cycles of %.0f transactions, %d unanswered); worker "
                        "CPU %.3f %%\n",
                        round + 1, line.name, ratio(c), c.count, double(c.transactions) / qMax(1, c.count),
                        c.unanswered, cpu);
            line.ratioSum += ratio(c);
            line.cpuSum += cpu;
        }
    }
    const double serial = lines[0].ratioSum / rounds;
    for (const Line &line : lines) {
        const double mean = line.ratioSum / rounds;
        std::printf("%s: cycle ratio %.4f (%+.2f %% against the serial line), worker CPU %.3f %% of a core\n",
                    line.name, mean, (mean / serial - 1) * 100, line.cpuSum / rounds);
    }
    for (Line &line : lines) {
        line.master->workerThread()->quit();
        line.master->workerThread()->wait();
        line.sim->stop();
    }
    return 0;
}
