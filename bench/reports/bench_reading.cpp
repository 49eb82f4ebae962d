// A report run's reading on a paced line: ryn-sim at 19200 baud on a pseudo-terminal, the worker
// reading the chosen controllers one after another, every parameter of each, while the GUI thread
// decodes the answers. For each controller it prints the time from the previous completion (for the
// first: from the moment the worker takes the request) to its completion, and the line time of the
// frames that reading needed: request and answer bytes at 11 bits a character plus the simulator's
// 3 ms turnaround, for every transaction. Also the wait for a read in progress when the run is asked
// for, and the ratio against the answers' line time alone (a pseudo-terminal does not pace requests).
#include "benchtiming.h"
#include "linebench.h"
#include "modbusmaster.h"
#include "recorder.h"
#include "responsedecoder.h"
#include "simprocess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>

#include <cstdio>
#include <vector>

namespace {

struct Completion
{
    int rynAddr = 0;
    bool success = false;
    qint64 ns = 0;
};

struct Figures
{
    int transactions = 0;
    double wallMs = 0;
    double lineMs = 0;       // request and answer bytes plus turnaround
    double answerLineMs = 0; // answer bytes plus turnaround
};

Figures figures(const std::vector<Transaction> &transactions, qint64 fromNs, qint64 toNs)
{
    Figures result;
    result.wallMs = (toNs - fromNs) / 1e6;
    for (const Transaction &transaction : transactions) {
        if (transaction.writtenNs < fromNs || transaction.writtenNs >= toNs)
            continue;
        ++result.transactions;
        result.lineMs += bytesMs(transaction.request.size() + transaction.answerBytes) + turnaroundMs;
        result.answerLineMs += bytesMs(transaction.answerBytes) + turnaroundMs;
    }
    return result;
}

void benchScenario(const char *what, const QString &scenario, int selected, const QList<int> &ryns, int runs)
{
    SimProcess sim;
    if (!sim.start(SimProcess::sourcePath(scenario), {QStringLiteral("--baud"), QStringLiteral("19200")})) {
        std::fprintf(stderr, "ryn-sim: %s\n", qPrintable(sim.errorString()));
        return;
    }
    Recorder recorder;
    ModbusMaster *master = recordingWorker(sim.linkPath(), recorder);
    ResponseDecoder decoder;
    decodeAnswers(master, decoder);
    QMutex mutex;
    std::vector<Completion> completions;
    // Taken in the worker's thread, the moment it reports.
    QObject::connect(
        master, &ModbusMaster::signalRynReadingCompleted, master,
        [&](int rynAddr, bool success) {
            QMutexLocker locker(&mutex);
            completions.push_back({rynAddr, success, recorder.nowNs()});
        },
        Qt::DirectConnection);
    QThread *thread = master->workerThread();
    thread->start();
    search(master);
    QMetaObject::invokeMethod(master, "slotSetAddr", Q_ARG(int, selected));
    wait(10000); // monitoring of the selected controller under way, once-only blocks read

    std::printf("%s, ryn-sim --baud 19200, controllers", what);
    for (int ryn : ryns)
        std::printf(" %d", ryn);
    std::printf(" read while controller %d was monitored\n", selected);
    std::vector<Figures> totals(size_t(ryns.size()));
    double waitMs = 0;
    for (int run = 0; run < runs; ++run) {
        {
            QMutexLocker locker(&mutex);
            completions.clear();
        }
        const qint64 askedNs = recorder.nowNs();
        qint64 takenNs = 0;
        QMetaObject::invokeMethod(master, [&] {
            takenNs = recorder.nowNs();
            master->slotReadRyns(ryns);
        });
        QElapsedTimer timeout;
        timeout.start();
        for (;;) {
            wait(20);
            QMutexLocker locker(&mutex);
            if (int(completions.size()) >= ryns.size() || timeout.elapsed() > 120000)
                break;
        }
        std::vector<Completion> done;
        {
            QMutexLocker locker(&mutex);
            done = completions;
        }
        const std::vector<Transaction> transactions = recorder.since(askedNs);
        waitMs += (takenNs - askedNs) / 1e6;
        qint64 fromNs = takenNs;
        for (size_t k = 0; k < done.size() && k < totals.size(); ++k) {
            const Figures f = figures(transactions, fromNs, done[k].ns);
            std::printf("  run %d, controller %d (%s): %d transactions, %.3f s, line %.3f s: ratio %.4f "
                        "(answers only %.4f)\n",
                        run + 1, done[k].rynAddr, done[k].success ? "read" : "FAILED", f.transactions,
                        f.wallMs / 1000, f.lineMs / 1000, f.wallMs / f.lineMs, f.wallMs / f.answerLineMs);
            totals[k].transactions += f.transactions;
            totals[k].wallMs += f.wallMs;
            totals[k].lineMs += f.lineMs;
            totals[k].answerLineMs += f.answerLineMs;
            fromNs = done[k].ns;
        }
        wait(3000); // back to monitoring between runs
    }
    Figures all;
    for (size_t k = 0; k < totals.size(); ++k) {
        const Figures &t = totals[k];
        std::printf("controller %d over %d runs: %.3f s each (line %.3f s), ratio %.4f, answers only %.4f\n",
                    ryns.at(int(k)), runs, t.wallMs / runs / 1000, t.lineMs / runs / 1000,
                    t.wallMs / t.lineMs, t.wallMs / t.answerLineMs);
        all.wallMs += t.wallMs;
        all.lineMs += t.lineMs;
        all.answerLineMs += t.answerLineMs;
    }
    std::printf("whole run: %.3f s (line %.3f s), ratio %.4f, answers only %.4f; a read in progress held "
                "the start %.1f ms on average\n\n",
                all.wallMs / runs / 1000, all.lineMs / runs / 1000, all.wallMs / all.lineMs,
                all.wallMs / all.answerLineMs, waitMs / runs);
    std::fflush(stdout);
    thread->quit();
    thread->wait();
    sim.stop();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    qRegisterMetaType<ModbusProtocol::EventList>("ModbusProtocol::EventList");
    const int runs = argc > 1 ? QByteArray(argv[1]).toInt() : 3;
    benchScenario("demo line", QStringLiteral("data/sim/demo.json"), 2, {1, 2, 3}, qMax(1, runs));
    benchScenario("bench line (250 units of every type)", QStringLiteral("data/sim/bench.json"), 1, {1},
                  qMax(1, runs));
    return 0;
}
