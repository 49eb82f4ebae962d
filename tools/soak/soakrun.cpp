#include "soakrun.h"

#include "eventsmodel.h"
#include "mainwindow.h"
#include "modbusmaster.h"
#include "settings.h"
#include "simprocess.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTextStream>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int controllers = 3; // the demo line
constexpr int recoveryGoalMs = 20000;
constexpr double duplicateGoal = 0.05;
constexpr double memoryGrowthGoal = 0.10;

const QStringList faultNames{QStringLiteral("noanswer"),  QStringLiteral("crc"),     QStringLiteral("truncated"),
                             QStringLiteral("extra"),     QStringLiteral("garbage"), QStringLiteral("exception"),
                             QStringLiteral("late")};

QString eventKey(int controller, int unit, int param, int input)
{
    return QStringLiteral("%1/%2/%3/%4").arg(controller).arg(unit).arg(param).arg(input);
}

double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

qint64 cpuMicroseconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000 + usage.ru_utime.tv_usec +
           usage.ru_stime.tv_usec;
}

void say(const QString &line)
{
    std::fprintf(stderr, "%s\n", qPrintable(line));
}

} // namespace

SoakRun::SoakRun(const Options &options, QObject *parent)
    : QObject(parent)
    , m_options(options)
    , m_random(options.seed)
{}

SoakRun::~SoakRun()
{
    m_window.reset();
    if (m_sim)
        m_sim->stop();
}

QStringList SoakRun::simOptions() const
{
    // Each start of the simulator draws other faults.
    QStringList options{QStringLiteral("--baud"), QString::number(m_options.baud), QStringLiteral("--seed"),
                        QString::number(m_options.seed + quint32(m_kills))};
    if (!m_options.faults.isEmpty())
        options << QStringLiteral("--faults") << m_options.faults;
    return options;
}

bool SoakRun::setUp()
{
    if (!m_dir.isValid())
        return false;
    // The tool runs in a folder of its own, with the description files it ships with.
    const QString shipped = QCoreApplication::applicationDirPath() + QStringLiteral("/Resources");
    QDir().mkpath(m_dir.filePath(QStringLiteral("Resources")));
    for (const QString &name : QDir(shipped).entryList(QDir::Files))
        QFile::copy(shipped + QLatin1Char('/') + name, m_dir.filePath(QStringLiteral("Resources/") + name));
    QDir::setCurrent(m_dir.path());
    Settings::fileName = QStringLiteral("TestRYN.ini");

    m_sim = std::make_unique<SimProcess>();
    if (!startSim())
        return false;
    Settings::PrgParams params;
    params.portName = m_sim->linkPath();
    params.portDisable = false;
    params.rynAddr = 1;
    params.eventsFromAllRyn = true;
    Settings::writePrgParams(params);

    m_window = std::make_unique<MainWindow>();
    m_window->setLanguage(QStringLiteral("RU"));
    m_window->show();
    auto *model = m_window->findChild<EventsModel *>();
    if (!model)
        return false;
    connect(model, &QAbstractItemModel::rowsInserted, this,
            [this, model](const QModelIndex &, int first, int last) { eventsShown(*model, first, last); });
    ModbusMaster *worker = ModbusMaster::instance();
    connect(worker, &ModbusMaster::signalPortOpened, this, [this](bool opened) {
        ++(opened ? m_portOpenings : m_portFailures);
    });
    // Every answer that names its controller: probes, monitoring reads and event reads with events
    // (each controller raises some at every start).
    connect(worker, &ModbusMaster::signalInfo, this, [this](int rynAddr, int, int, int result) {
        if (result == 0)
            answered(rynAddr);
    });
    connect(worker, &ModbusMaster::signalEvents, this, [this](const ModbusProtocol::EventList &events) {
        for (const ModbusEvent &event : events)
            answered(event.rynAddr);
    });
    return true;
}

bool SoakRun::startSim()
{
    if (!m_sim->start(SimProcess::demoScenario(), simOptions())) {
        say(QStringLiteral("ryn-sim did not start: ") + m_sim->errorString());
        return false;
    }
    m_simUp = true;
    return true;
}

bool SoakRun::run()
{
    if (!setUp())
        return false;
    m_clock.start();
    m_lastCpuUs = cpuMicroseconds();
    QEventLoop loop;
    m_loop = &loop;

    m_raiseTimer = new QTimer(this);
    m_raiseTimer->setInterval(m_options.eventIntervalMs);
    connect(m_raiseTimer, &QTimer::timeout, this, &SoakRun::raiseEvent);
    m_raiseTimer->start();
    m_killTimer = new QTimer(this);
    m_killTimer->setSingleShot(true);
    connect(m_killTimer, &QTimer::timeout, this, &SoakRun::killSim);
    scheduleKill();
    m_sampleTimer = new QTimer(this);
    m_sampleTimer->setInterval(m_options.sampleMs);
    connect(m_sampleTimer, &QTimer::timeout, this, &SoakRun::sample);
    m_sampleTimer->start();
    m_drainTimer = new QTimer(this);
    m_drainTimer->setInterval(1000);
    connect(m_drainTimer, &QTimer::timeout, this, &SoakRun::checkDrained);
    QTimer::singleShot(m_options.seconds * 1000, this, &SoakRun::endRaising);

    loop.exec();
    m_loop = nullptr;
    addFaultCounts();
    return printSummary();
}

void SoakRun::scheduleKill()
{
    if (m_options.restartMaxSeconds <= 0)
        return;
    const int seconds = m_options.restartMinSeconds +
                        int(m_random.bounded(quint32(qMax(1, m_options.restartMaxSeconds - m_options.restartMinSeconds))));
    m_killTimer->start(seconds * 1000);
}

// One event at a time, round the controllers; unit, parameter and input number tell it apart.
void SoakRun::raiseEvent()
{
    if (!m_simUp)
        return;
    const int controller = 1 + m_sequence % controllers;
    const int n = m_sequence / controllers;
    const int unit = 1 + n % 250;
    const int param = (n / 250) % 256;
    const int input = n / (250 * 256);
    const QString reply = m_sim->command(QStringLiteral("event %1 %2 %3 %4 %5")
                                             .arg(controller)
                                             .arg(unit)
                                             .arg(soakEventCode)
                                             .arg(param)
                                             .arg(input));
    if (reply != QLatin1String("OK")) {
        say(QStringLiteral("raising an event failed: ") + reply);
        return;
    }
    ++m_sequence;
    m_raised.insert(eventKey(controller, unit, param, input));
}

// As a power cut would: whatever the controllers still hold goes down with them. Those events are
// the simulator's loss, not the tool's, and are counted apart.
void SoakRun::killSim()
{
    addFaultCounts();
    if (m_awaitingRecovery) {
        QStringList answered;
        for (int controller = 1; controller <= controllers; ++controller) {
            if (m_answeredSinceRestart.contains(controller))
                answered.append(QString::number(controller));
        }
        say(QStringLiteral("%1 s: not recovered; since the restart only controllers [%2] answered")
                .arg(m_clock.elapsed() / 1000)
                .arg(answered.join(QLatin1Char(' '))));
    }
    m_wentDown += waitingEvents();
    m_sim->kill();
    m_simUp = false;
    m_awaitingRecovery = false;
    ++m_kills;
    const int downMs = m_options.downMinMs +
                       int(m_random.bounded(quint32(qMax(1, m_options.downMaxMs - m_options.downMinMs))));
    say(QStringLiteral("%1 s: simulator killed, back in %2 ms").arg(m_clock.elapsed() / 1000).arg(downMs));
    QTimer::singleShot(downMs, this, &SoakRun::restartSim);
}

void SoakRun::restartSim()
{
    if (!startSim()) {
        m_loop->exit(1);
        return;
    }
    m_restartedAt = m_clock.elapsed();
    m_awaitingRecovery = true;
    m_answeredSinceRestart.clear();
    if (!m_ending)
        scheduleKill();
}

// The tool has recovered once every controller of the line answered it again.
void SoakRun::answered(int rynAddr)
{
    if (!m_awaitingRecovery)
        return;
    m_answeredSinceRestart.insert(rynAddr);
    for (int controller = 1; controller <= controllers; ++controller) {
        if (!m_answeredSinceRestart.contains(controller))
            return;
    }
    m_awaitingRecovery = false;
    const qint64 took = m_clock.elapsed() - m_restartedAt;
    m_recoveryMs.append(took);
    say(QStringLiteral("%1 s: every controller answered again after %2 ms").arg(m_clock.elapsed() / 1000).arg(took));
}

void SoakRun::eventsShown(const EventsModel &model, int first, int last)
{
    for (int row = first; row <= last; ++row) {
        const ModbusEvent &event = model.eventAt(row);
        if (event.evCode == soakEventCode)
            ++m_shown[eventKey(event.rynAddr, event.auAddr, event.addParam, event.inputNumber)];
    }
}

void SoakRun::endRaising()
{
    m_ending = true;
    m_raiseTimer->stop();
    m_killTimer->stop();
    m_endedRaisingAt = m_clock.elapsed();
    say(QStringLiteral("%1 s: no more events; waiting for the log to take in the last ones")
            .arg(m_clock.elapsed() / 1000));
    m_drainTimer->start();
}

void SoakRun::checkDrained()
{
    if (!m_simUp)
        return; // a restart is on its way
    const bool timeUp = m_clock.elapsed() - m_endedRaisingAt > m_options.drainSeconds * 1000;
    if (lostEvents() == 0 || timeUp) {
        m_drainTimer->stop();
        m_sampleTimer->stop();
        // Events a controller still holds at the end were never read: late, not lost.
        m_stillWaiting = waitingEvents();
        m_loop->quit();
    }
}

// The run's events the controllers hold, not yet acknowledged by the tool.
QSet<QString> SoakRun::waitingEvents()
{
    QSet<QString> waiting;
    for (int controller = 1; controller <= controllers; ++controller) {
        const QStringList words = m_sim->command(QStringLiteral("events %1").arg(controller))
                                      .split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (const QString &word : words.mid(2)) {
            const QStringList fields = word.split(QLatin1Char('/')); // unit/code/param/input
            if (fields.size() == 4 && fields.at(1).toInt() == soakEventCode)
                waiting.insert(eventKey(controller, fields.at(0).toInt(), fields.at(2).toInt(),
                                        fields.at(3).toInt()));
        }
    }
    return waiting;
}

int SoakRun::lostEvents() const
{
    int lost = 0;
    for (const QString &event : m_raised) {
        if (!m_shown.contains(event) && !m_wentDown.contains(event) && !m_stillWaiting.contains(event))
            ++lost;
    }
    return lost;
}

void SoakRun::addFaultCounts()
{
    if (!m_simUp)
        return;
    const QMap<QString, int> counts = m_sim->counts();
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        m_faultCounts[it.key()] += it.value();
}

void SoakRun::sample()
{
    const qint64 now = m_clock.elapsed();
    const qint64 cpu = cpuMicroseconds();
    Sample sample;
    sample.atMs = now;
    sample.rssMb = residentMb();
    sample.cpuPercent = double(cpu - m_lastCpuUs) / 10.0 / double(qMax<qint64>(1, now - m_lastSampleMs));
    m_lastCpuUs = cpu;
    m_lastSampleMs = now;
    m_samples.append(sample);
    say(QStringLiteral("%1 s: RSS %2 MB, CPU %3 %, %4 events raised, %5 shown, controller %6 watched")
            .arg(now / 1000, 4)
            .arg(sample.rssMb, 0, 'f', 1)
            .arg(sample.cpuPercent, 0, 'f', 1)
            .arg(m_raised.size())
            .arg(m_shown.size())
            .arg(m_window->selectedRyn()));
}

bool SoakRun::printSummary() const
{
    int duplicates = 0;
    int wentDownShown = 0;
    for (auto it = m_shown.cbegin(); it != m_shown.cend(); ++it)
        duplicates += it.value() - 1;
    for (const QString &event : m_wentDown)
        wentDownShown += m_shown.contains(event) ? 1 : 0;
    QStringList strays;
    for (auto it = m_shown.cbegin(); it != m_shown.cend(); ++it) {
        if (!m_raised.contains(it.key()))
            strays.append(it.key());
    }
    for (const QString &event : m_wentDown) {
        if (!m_raised.contains(event))
            strays.append(event);
    }
    if (!strays.isEmpty())
        say(QStringLiteral("never raised, yet seen: ") + strays.mid(0, 20).join(QLatin1Char(' ')));
    const int lost = lostEvents();
    const double duplicateShare = m_raised.isEmpty() ? 0 : double(duplicates) / double(m_raised.size());
    const bool cleanLine = m_options.faults.isEmpty();

    QList<Sample> warm;
    for (const Sample &sample : m_samples) {
        if (sample.atMs >= m_options.warmUpSeconds * 1000)
            warm.append(sample);
    }
    const double rssWarm = warm.isEmpty() ? 0 : warm.first().rssMb;
    const double rssEnd = warm.isEmpty() ? 0 : warm.last().rssMb;
    double rssMax = rssWarm;
    double cpuSum = 0;
    for (const Sample &sample : warm) {
        rssMax = qMax(rssMax, sample.rssMb);
        cpuSum += sample.cpuPercent;
    }
    const double cpuMean = warm.isEmpty() ? 0 : cpuSum / warm.size();
    const bool memoryFlat = rssWarm > 0 && rssEnd <= rssWarm * (1 + memoryGrowthGoal);
    const qint64 slowest = m_recoveryMs.isEmpty() ? 0 : *std::max_element(m_recoveryMs.cbegin(), m_recoveryMs.cend());
    qint64 recoverySum = 0;
    for (const qint64 ms : m_recoveryMs)
        recoverySum += ms;
    const bool recovered = m_recoveryMs.size() == m_kills && slowest <= recoveryGoalMs;
    int spoiled = 0;
    for (const QString &name : faultNames)
        spoiled += m_faultCounts.value(name);

    const bool noLoss = lost == 0;
    const bool fewDuplicates = cleanLine ? duplicates == 0 : duplicateShare < duplicateGoal;
    const auto verdict = [](bool met) { return met ? QStringLiteral("met") : QStringLiteral("MISSED"); };

    QTextStream out(stdout);
    out << "\n| Soak run | Figure | Goal |\n|---|---|---|\n";
    out << QStringLiteral("| Length, line | %1 s, %2 baud, %3 | |\n")
               .arg(m_options.seconds)
               .arg(m_options.baud)
               .arg(cleanLine ? QStringLiteral("clean line") : QStringLiteral("faults ") + m_options.faults);
    out << QStringLiteral("| Answers the simulator spoiled / requests it saw | %1 / %2 | |\n")
               .arg(spoiled)
               .arg(m_faultCounts.value(QStringLiteral("frames")));
    out << QStringLiteral("| Events raised | %1 | |\n").arg(m_raised.size());
    out << QStringLiteral("| Events in the log | %1 | |\n").arg(m_shown.size());
    out << QStringLiteral("| Went down with a killed simulator (of them shown) | %1 (%2) | |\n")
               .arg(m_wentDown.size())
               .arg(wentDownShown);
    out << QStringLiteral("| Still waiting in a controller at the end (never read) | %1 | |\n").arg(m_stillWaiting.size());
    out << QStringLiteral("| Events lost by the tool | %1 | 0: %2 |\n").arg(lost).arg(verdict(noLoss));
    out << QStringLiteral("| Duplicates | %1 (%2 %) | %3: %4 |\n")
               .arg(duplicates)
               .arg(100.0 * duplicateShare, 0, 'f', 2)
               .arg(cleanLine ? QStringLiteral("none on a clean line") : QStringLiteral("< 5 %"))
               .arg(verdict(fewDuplicates));
    out << QStringLiteral("| Simulator restarts / port openings by the tool (failed) | %1 / %2 (%3) | |\n")
               .arg(m_kills)
               .arg(m_portOpenings)
               .arg(m_portFailures);
    out << QStringLiteral("| Talking again after a restart: mean / slowest | %1 s / %2 s | every one < 20 s: %3 |\n")
               .arg(m_recoveryMs.isEmpty() ? 0.0 : double(recoverySum) / m_recoveryMs.size() / 1000.0, 0, 'f', 1)
               .arg(double(slowest) / 1000.0, 0, 'f', 1)
               .arg(verdict(recovered));
    out << QStringLiteral("| Memory (RSS) after %1 s / highest / at the end | %2 / %3 / %4 MB | flat (< 10 % growth): %5 |\n")
               .arg(m_options.warmUpSeconds)
               .arg(rssWarm, 0, 'f', 1)
               .arg(rssMax, 0, 'f', 1)
               .arg(rssEnd, 0, 'f', 1)
               .arg(verdict(memoryFlat));
    out << QStringLiteral("| CPU of the tool after warm-up, mean | %1 % of a core | |\n").arg(cpuMean, 0, 'f', 1);
    out.flush();
    return noLoss && fewDuplicates && recovered && memoryFlat;
}
