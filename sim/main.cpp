#include "settings.h"
#include "simbus.h"
#include "simcontrol.h"
#include "simframe.h"
#include "simrequestframer.h"
#include "simscenario.h"
#include "simserialline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(RynSim)
};

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    const ssize_t ignored = ::write(signalPipe[1], &byte, 1);
    Q_UNUSED(ignored)
}

// Machine-readable lines (READY, replies, COUNTS) go to standard output, one flushed line each.
void printLine(const QString &line)
{
    std::fputs(line.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// The trace and diagnostics go to standard error.
void traceLine(const QString &tag, const QString &text)
{
    const QString line = QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")) +
                         QStringLiteral("  ") + tag + QStringLiteral("  ") + text;
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

void fail(const QString &message)
{
    std::fputs((QStringLiteral("ryn-sim: ") + message + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ryn-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        Tr::tr("Simulated RYN controllers on a serial line. Control lines are read from standard input."));
    parser.addHelpOption();
    const QCommandLineOption linkOption(
        QStringLiteral("link"),
        Tr::tr("Create a pseudo-terminal and publish its far end as a symbolic link "
               "at <path>."),
        QStringLiteral("path"));
    const QCommandLineOption portOption(QStringLiteral("port"), Tr::tr("Serve a real serial device instead."),
                                        QStringLiteral("device"));
    const QCommandLineOption scenarioOption(
        QStringLiteral("scenario"), Tr::tr("The scenario file (default: sim/demo.json next to the program)."),
        QStringLiteral("file"));
    const QCommandLineOption baudOption(QStringLiteral("baud"),
                                        Tr::tr("Line rate the answers are paced at; 0 answers at once."),
                                        QStringLiteral("rate"), QStringLiteral("19200"));
    const QCommandLineOption turnaroundOption(
        QStringLiteral("turnaround"),
        Tr::tr("Milliseconds between a request and its answer (default 3, 0 with --baud 0)."),
        QStringLiteral("ms"));
    const QCommandLineOption lateOption(QStringLiteral("late"),
                                        Tr::tr("Delay of a late answer in milliseconds."),
                                        QStringLiteral("ms"), QStringLiteral("250"));
    const QCommandLineOption gapOption(QStringLiteral("gap"),
                                       Tr::tr("Silence in milliseconds that ends a request on the line."),
                                       QStringLiteral("ms"), QStringLiteral("20"));
    const QCommandLineOption faultsOption(
        QStringLiteral("faults"),
        Tr::tr("Fault rates, for example noanswer=0.02,crc=0.01 (names: noanswer, "
               "crc, truncated, extra, garbage, exception, late)."),
        QStringLiteral("rates"));
    const QCommandLineOption seedOption(QStringLiteral("seed"), Tr::tr("Seed of the fault injection."),
                                        QStringLiteral("number"));
    const QCommandLineOption frozenOption(
        QStringLiteral("frozen"), Tr::tr("Start with time standing still (control lines freeze and thaw)."));
    const QCommandLineOption traceOption(QStringLiteral("trace"),
                                         Tr::tr("Print every request and answer in hex on standard error."));
    const QCommandLineOption settingsOption(
        QStringLiteral("settings"),
        Tr::tr("Point \"System\"/\"PortName\" of this settings file at the line and enable the port."),
        QStringLiteral("file"));
    parser.addOptions({linkOption, portOption, scenarioOption, baudOption, turnaroundOption, lateOption,
                       gapOption, faultsOption, seedOption, frozenOption, traceOption, settingsOption});
    parser.process(application);

    if (parser.isSet(linkOption) == parser.isSet(portOption)) {
        fail(Tr::tr("give either --link PATH or --port DEVICE"));
        return 2;
    }
    bool ok = false;
    const int baud = parser.value(baudOption).toInt(&ok);
    if (!ok || baud < 0) {
        fail(Tr::tr("--baud takes a line rate, or 0"));
        return 2;
    }
    const int turnaround =
        parser.isSet(turnaroundOption) ? parser.value(turnaroundOption).toInt(&ok) : (baud ? 3 : 0);
    const int late = parser.value(lateOption).toInt(&ok);
    const int gap = parser.value(gapOption).toInt();
    if (turnaround < 0 || late < 0 || gap < 1) {
        fail(Tr::tr("--turnaround, --late and --gap take milliseconds"));
        return 2;
    }

    SimBus bus;
    SimScenario::Contents contents;
    QString error;
    const QString scenario =
        parser.isSet(scenarioOption)
            ? parser.value(scenarioOption)
            : QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("sim/demo.json"));
    if (!SimScenario::load(scenario, bus, &contents, &error)) {
        fail(error);
        return 1;
    }
    bus.setLateMs(late);
    bus.faults().setSeed(parser.isSet(seedOption) ? parser.value(seedOption).toUInt() : contents.seed);
    if (parser.isSet(faultsOption)) {
        error = bus.faults().setRates(parser.value(faultsOption));
        if (!error.isEmpty()) {
            fail(error);
            return 2;
        }
    }
    SimControl control(bus);
    control.setTimeline(contents.timeline, contents.repeatMs);
    control.setFrozen(parser.isSet(frozenOption));

    SimSerialLine line;
    line.setBaud(baud);
    line.setTurnaroundMs(turnaround);
    line.setIdleGapMs(gap);
    const bool opened =
        parser.isSet(linkOption)
            ? line.openPseudoTerminal(QFileInfo(parser.value(linkOption)).absoluteFilePath(), &error)
            : line.openDevice(parser.value(portOption), baud ? baud : 19200, &error);
    if (!opened) {
        fail(error);
        return 1;
    }
    const QString portName = parser.isSet(linkOption) ? line.linkPath() : line.farEnd();
    if (parser.isSet(settingsOption)) {
        Settings::fileName = parser.value(settingsOption);
        Settings::writeValue(portName, QStringLiteral("PortName"), QStringLiteral("System"));
        Settings::writeValue(false, QStringLiteral("PortDisable"), QStringLiteral("System"));
    }

    const bool trace = parser.isSet(traceOption);
    SimRequestFramer framer;
    const auto handleFrames = [&](const QList<QByteArray> &frames) {
        for (const QByteArray &broken : framer.takeBroken()) {
            bus.brokenRequest(broken);
            if (trace)
                traceLine(QStringLiteral("!!"),
                          Tr::tr("broken request dropped: %1").arg(SimFrame::hex(broken)));
        }
        for (const QByteArray &frame : frames) {
            if (trace)
                traceLine(QStringLiteral("RX"), SimFrame::hex(frame));
            SimBus::Answer answer;
            if (bus.handleFrame(frame, &answer)) {
                line.send(answer.bytes, answer.burstFrom, answer.extraDelayMs);
                if (trace && !answer.note.isEmpty())
                    traceLine(QStringLiteral("--"), answer.note);
            } else if (trace) {
                traceLine(QStringLiteral("--"), Tr::tr("no answer: %1").arg(answer.note));
            }
        }
    };
    QObject::connect(&line, &SimSerialLine::bytesReceived, &application,
                     [&](const QByteArray &bytes) { handleFrames(framer.feed(bytes)); });
    QObject::connect(&line, &SimSerialLine::lineIdle, &application,
                     [&]() { handleFrames(framer.lineIdle()); });
    if (trace) {
        QObject::connect(&line, &SimSerialLine::sendingStarted, &application, [](const QByteArray &bytes) {
            traceLine(QStringLiteral("TX"), SimFrame::hex(bytes));
        });
        QObject::connect(&line, &SimSerialLine::answerDropped, &application, [](int unsent) {
            traceLine(QStringLiteral("--"),
                      Tr::tr("answer dropped, %1 bytes unsent: a new request came").arg(unsent));
        });
    }

    // The world moves on in steps of a tenth of a second, measured against the clock.
    QElapsedTimer clock;
    clock.start();
    qint64 simulatedMs = 0;
    QTimer tick;
    tick.setInterval(100);
    QObject::connect(&tick, &QTimer::timeout, &application, [&]() {
        const qint64 now = clock.elapsed();
        const int step = int(now - simulatedMs);
        simulatedMs = now;
        for (const QString &done : control.advance(step))
            traceLine(QStringLiteral(">>"), done);
    });
    tick.start();

    // Control lines on standard input; at its end the simulator goes on until it is stopped. Started in
    // the background of a terminal, reading would stop the process: the read fails instead, and the
    // simulator goes on without control lines.
    std::signal(SIGTTIN, SIG_IGN);
    QByteArray input;
    QSocketNotifier stdinNotifier(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&stdinNotifier, &QSocketNotifier::activated, &application, [&]() {
        char buffer[1024];
        const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (count <= 0) {
            stdinNotifier.setEnabled(false);
            return;
        }
        input.append(buffer, int(count));
        int end = 0;
        while ((end = input.indexOf('\n')) >= 0) {
            const QString text = QString::fromLocal8Bit(input.left(end));
            input.remove(0, end + 1);
            printLine(control.execute(text));
            if (control.quitRequested()) {
                QCoreApplication::quit();
                return;
            }
        }
    });

    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) == 0) {
        auto *signalNotifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &application);
        QObject::connect(signalNotifier, &QSocketNotifier::activated, &application, &QCoreApplication::quit);
        struct sigaction action = {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        for (const int number : {SIGINT, SIGTERM, SIGHUP})
            sigaction(number, &action, nullptr);
    }

    printLine(QStringLiteral("READY ") + portName);
    if (trace)
        traceLine(QStringLiteral("--"), Tr::tr("serving controllers %1 on %2 (%3)")
                                            .arg(QStringList([&bus]() {
                                                     QStringList list;
                                                     for (const int address : bus.addresses())
                                                         list.append(QString::number(address));
                                                     return list;
                                                 }())
                                                     .join(QLatin1Char(',')),
                                                 portName, line.farEnd()));
    const int result = application.exec();
    line.close();
    printLine(QStringLiteral("COUNTS ") + bus.countsText());
    return result;
}
