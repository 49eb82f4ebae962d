// The whole program, its main window shown offscreen, as a person runs it. Prints
//  (1) the time from process start to the first full grid of the demo line (every unit controller 1
//      of data/sim/demo.json configures has its type and general state on screen), against the line
//      time of the search and of the reads up to then (a fresh process for each round),
//  (2) the process's CPU with no port, and with a port but no controller answering,
//  (3) the process's CPU monitoring the general tab and the properties tab of the 250-unit controller
//      of data/sim/bench.json at 19200 baud, after a warm-up, with the times a second its threads
//      went to sleep and woke again,
//  (4) what one such sleep and wake costs on this machine with nothing done in between.
// CPU is the process clock over wall time, a share of one core; the median of the rounds is printed.
#include "benchtiming.h"
#include "linebench.h"
#include "linemonitorwindow.h"
#include "linerecord.h"
#include "mainwindow.h"
#include "auinfowidget.h"
#include "modbusmaster.h"
#include "modbusprotocol.h"
#include "settings.h"
#include "simprocess.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>
#include <vector>

#include <sys/resource.h>

namespace {

constexpr int Rounds = 3;
constexpr int demoController = 1;
constexpr int Address251 = 251;

qint64 monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// A settings file in a scratch folder, with the descriptions the log needs, for a window on `port`.
void prepareFolder(const QTemporaryDir &dir, const QString &port, int rynAddr)
{
    QDir::setCurrent(dir.path());
    QDir().mkpath(QStringLiteral("Resources"));
    QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/Resources/Messages.RU"),
                QStringLiteral("Resources/Messages.RU"));
    Settings::fileName = dir.filePath(QStringLiteral("TestRYN.ini"));
    Settings::PrgParams params;
    params.portName = port;
    params.rynAddr = rynAddr;
    params.eventsFromAllRyn = false;
    Settings::writePrgParams(params);
}

// The unit addresses a controller of a scenario file configures.
QSet<int> configuredAddresses(const QString &scenario, int rynAddr)
{
    QFile file(scenario);
    file.open(QIODevice::ReadOnly);
    QSet<int> addresses;
    for (const QJsonValue controller : QJsonDocument::fromJson(file.readAll()).object().value(QLatin1String("controllers")).toArray()) {
        if (controller.toObject().value(QLatin1String("address")).toInt() != rynAddr)
            continue;
        for (const QJsonValue unit : controller.toObject().value(QLatin1String("units")).toArray()) {
            const QJsonObject u = unit.toObject();
            if (u.contains(QLatin1String("address")))
                addresses.insert(u.value(QLatin1String("address")).toInt());
            const QStringList range = u.value(QLatin1String("addresses")).toString().split(QLatin1Char('-'));
            if (range.size() == 2) {
                for (int addr = range[0].toInt(); addr <= range[1].toInt(); ++addr)
                    addresses.insert(addr);
            }
        }
    }
    return addresses;
}

// What a transaction needs of the line: its answer at 11 bits a character and the simulator's
// turnaround, or the whole answer window when nothing came (the requests reach the pseudo-terminal at
// once, so they are left out, as in bench_line).
double lineMs(const LineRecord &record)
{
    if (record.request.isEmpty())
        return 0;
    return record.answer.isEmpty() ? ModbusProtocol::answerWindowMs : bytesMs(record.answer.size()) + turnaroundMs;
}

// Child process: the program's window on the demo line; prints when every configured unit of the
// selected controller has its type and state shown, and the line time of the transactions until then.
int firstGrid(const QString &port)
{
    QTemporaryDir dir;
    prepareFolder(dir, port, demoController);
    const QSet<int> wanted = configuredAddresses(SimProcess::demoScenario(), demoController);
    QSet<int> typed;
    QSet<int> stated;
    double line = 0;
    int transactions = 0;
    bool done = false;
    qint64 doneWallMs = 0;

    const qint64 windowStartNs = monotonicNs();
    MainWindow window;
    const qint64 windowBuiltNs = monotonicNs();
    qint64 firstRequestNs = 0;
    // Recording from the start: the search's probes are the first transactions.
    emit window.lineMonitor()->signalMonitoring(true);
    QObject::connect(window.worker(), &ModbusMaster::signalLineRecords, &window,
                     [&](const LineRecordList &records, int) {
                         if (!firstRequestNs && !records.isEmpty()) {
                             // Records carry wall-clock milliseconds; the monotonic clock is what the
                             // parent measures with.
                             const qint64 ageMs = QDateTime::currentMSecsSinceEpoch() - records.first().startedMs;
                             firstRequestNs = monotonicNs() - ageMs * 1000000;
                         }
                         for (const LineRecord &record : records) {
                             // The transaction whose answer completed the grid reaches here after
                             // it: it counts, the ones still running then do not.
                             if (done && record.startedMs + record.durationMs > doneWallMs)
                                 break;
                             line += lineMs(record);
                             ++transactions;
                         }
                     });
    const auto check = [&] {
        if (done || !typed.contains(wanted) || !stated.contains(wanted))
            return;
        done = true;
        doneWallMs = QDateTime::currentMSecsSinceEpoch();
        // The cells repaint from the event loop: the moment counts once that has run.
        QTimer::singleShot(0, &window, [&] {
            const qint64 shownNs = monotonicNs();
            const double cpuMs = threadCpuMs();
            // The records of the last transactions leave the worker in a batch a little later.
            QTimer::singleShot(300, &window, [&, shownNs, cpuMs] {
                std::printf("GRID %lld %.1f %d %lld %lld %lld %.1f\n", shownNs, line, transactions,
                            windowStartNs, windowBuiltNs, firstRequestNs, cpuMs);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        });
    };
    QObject::connect(&window, &MainWindow::signalSetType, &window, [&](int addr, int) {
        typed.insert(addr);
        check();
    });
    QObject::connect(&window, &MainWindow::signalSetGeneralState, &window, [&](int addr, int) {
        stated.insert(addr);
        check();
    });
    QObject::connect(&window, &MainWindow::signalSetGeneralState251, &window, [&](int) {
        stated.insert(Address251);
        check();
    });
    window.setLanguage(QStringLiteral("RU"));
    window.show();
    QTimer::singleShot(60000, &window, [] { QCoreApplication::exit(1); });
    return QCoreApplication::exec();
}

void benchFirstGrid()
{
    SimProcess sim;
    if (!sim.start(SimProcess::demoScenario(), {QStringLiteral("--baud"), QStringLiteral("19200")})) {
        std::fprintf(stderr, "ryn-sim: %s\n", qPrintable(sim.errorString()));
        return;
    }
    wait(4000); // the demo's controllers finish their own start first
    std::vector<double> totals;
    std::vector<double> beyond;
    for (int round = 0; round < Rounds; ++round) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const qint64 startNs = monotonicNs();
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--first-grid"), sim.linkPath()});
        child.waitForFinished(70000);
        const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split('\n').last().split(' ');
        if (fields.size() != 8 || fields[0] != "GRID") {
            std::printf("round %d: no full grid\n", round + 1);
            continue;
        }
        const double totalMs = (fields[1].toLongLong() - startNs) / 1e6;
        const double line = fields[2].toDouble();
        std::printf("round %d: process start to the first full grid %.0f ms, line time of its %d transactions "
                    "%.0f ms, beyond the line %.0f ms\n",
                    round + 1, totalMs, fields[3].toInt(), line, totalMs - line);
        const auto sinceStart = [&](int field) { return (fields[field].toLongLong() - startNs) / 1e6; };
        const double loaded = sinceStart(4);
        const double built = sinceStart(5);
        const double firstRequest = sinceStart(6);
        std::printf("    loading and the application %.0f ms, the main window built %.0f ms, from then to the "
                    "first request %.0f ms, from it to the full grid %.0f ms beyond the line; GUI thread CPU %.0f ms\n",
                    loaded, built - loaded, firstRequest - built, totalMs - firstRequest - line, fields[7].toDouble());
        totals.push_back(totalMs);
        beyond.push_back(totalMs - line);
        wait(1000);
    }
    if (!totals.empty())
        std::printf("start to the first full grid of the demo line: %.0f ms, %.0f ms beyond the line time "
                    "(medians of %zu)\n",
                    median(totals), median(beyond), totals.size());
    sim.stop();
}

// Counts the paint events of each kind of widget (class and object name, with its ancestors'):
// what the window repaints while it watches the line.
class PaintCounter : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            QString key = QString::fromLatin1(watched->metaObject()->className()) + QLatin1Char(' ') +
                          watched->objectName();
            // Two ancestors tell most widgets apart.
            const QObject *parent = watched->parent();
            for (int level = 0; level < 2 && parent; ++level, parent = parent->parent())
                key += QStringLiteral(" in ") + QString::fromLatin1(parent->metaObject()->className()) +
                       QLatin1Char(' ') + parent->objectName();
            ++counts[key];
        }
        return false;
    }
    void print(int msecs) const
    {
        QList<QPair<int, QString>> sorted;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            sorted.append({it.value(), it.key()});
        std::sort(sorted.begin(), sorted.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
        for (int i = 0; i < qMin(15, sorted.size()); ++i)
            std::printf("  %6.1f paints/s  %s\n", sorted[i].first * 1000.0 / msecs, qPrintable(sorted[i].second));
    }
    QMap<QString, int> counts;
};

// The times the process's threads have given up the processor, waiting (for a timer, the port, an
// event) or pushed off it.
long contextSwitches()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_nvcsw + usage.ru_nivcsw;
}

// The process's share of one core over each of the rounds of `msecs`, after `warmUpMs`.
double processCpu(const char *what, int warmUpMs, int msecs)
{
    wait(warmUpMs);
    std::vector<double> shares;
    std::vector<double> wakes;
    for (int round = 0; round < Rounds; ++round) {
        const double cpuStart = cpuMs(CLOCK_PROCESS_CPUTIME_ID);
        const long switchesStart = contextSwitches();
        QElapsedTimer wall;
        wall.start();
        wait(msecs);
        shares.push_back((cpuMs(CLOCK_PROCESS_CPUTIME_ID) - cpuStart) * 100.0 / wall.elapsed());
        wakes.push_back((contextSwitches() - switchesStart) * 1000.0 / wall.elapsed());
    }
    std::printf(
        "whole tool, %s: %.3f %% of a core (median of %d x %d s; %.3f .. %.3f), %.0f wakes a second\n", what,
        median(shares), Rounds, msecs / 1000, *std::min_element(shares.begin(), shares.end()),
        *std::max_element(shares.begin(), shares.end()), median(wakes));
    std::fflush(stdout);
    return median(shares);
}

// With RYN_BENCH_PAINTS set, what the window paints in 10 s of monitoring.
void countPaints(const char *what)
{
    if (!qEnvironmentVariableIsSet("RYN_BENCH_PAINTS"))
        return;
    PaintCounter paints;
    qApp->installEventFilter(&paints);
    wait(10000);
    qApp->removeEventFilter(&paints);
    std::printf("paint events monitoring %s:\n", what);
    paints.print(10000);
}

// What a thread's sleep and wake cost on this machine, with nothing done in between: the part of the
// figures above that no code of the tool can take away, for each time one of its threads waits.
void wakeCost()
{
    constexpr int wakes = 300;
    std::vector<double> costs;
    for (int round = 0; round < Rounds; ++round) {
        const double start = threadCpuMs();
        for (int wake = 0; wake < wakes; ++wake)
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        costs.push_back((threadCpuMs() - start) * 1000.0 / wakes);
    }
    std::printf("a thread's sleep of 30 ms and wake with nothing to do: %.1f us of CPU (median of %d x %d; "
                "%.1f .. %.1f)\n",
                median(costs), Rounds, wakes, *std::min_element(costs.begin(), costs.end()),
                *std::max_element(costs.begin(), costs.end()));
    std::fflush(stdout);
}

void benchMonitoring(SimProcess &sim)
{
    QTemporaryDir dir;
    prepareFolder(dir, sim.linkPath(), 1);
    MainWindow window;
    window.setLanguage(QStringLiteral("RU"));
    window.show();
    processCpu("monitoring the general tab of 250 units", 20000, 20000);
    countPaints("the general tab");
    window.auInfoWidget()->tabWidget()->setCurrentIndex(AuInfoWidget::PropertiesTab);
    processCpu("monitoring with the properties tab shown", 20000, 20000);
    countPaints("the properties tab");
    wakeCost();
}

bool startBenchSim(SimProcess &sim)
{
    if (sim.start(SimProcess::sourcePath(QStringLiteral("data/sim/bench.json")),
                  {QStringLiteral("--baud"), QStringLiteral("19200")}))
        return true;
    std::fprintf(stderr, "ryn-sim: %s\n", qPrintable(sim.errorString()));
    return false;
}

void benchIdle()
{
    {
        QTemporaryDir dir;
        prepareFolder(dir, QString(), 0);
        MainWindow window;
        window.setLanguage(QStringLiteral("RU"));
        window.show();
        processCpu("no port", 3000, 10000);
    }
    SimProcess sim;
    if (!startBenchSim(sim))
        return;
    sim.command(QStringLiteral("silence 1"));
    {
        QTemporaryDir dir;
        prepareFolder(dir, sim.linkPath(), 1);
        MainWindow window;
        window.setLanguage(QStringLiteral("RU"));
        window.show();
        processCpu("port but no controller", 5000, 20000);
    }
    sim.command(QStringLiteral("revive 1"));
    benchMonitoring(sim);
    sim.stop();
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(quietDebug);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(images);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--first-grid"))
        return firstGrid(args[2]);

    const QString only = args.value(1);
    if (only.isEmpty() || only == QLatin1String("start"))
        benchFirstGrid();
    if (only.isEmpty() || only == QLatin1String("cpu"))
        benchIdle();
    // Monitoring alone, for a profiler.
    if (only == QLatin1String("monitor")) {
        SimProcess sim;
        if (startBenchSim(sim))
            benchMonitoring(sim);
    }
    return 0;
}
