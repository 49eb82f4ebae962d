#include "settings.h"
#include "simbus.h"
#include "simcontrol.h"
#include "simframe.h"
#include "simrequestframer.h"
#include "simscenario.h"
#include "simserialline.h"
#include "simtcpline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
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

// "--echo" alone means a full echo; "--echo partial" (or "full") names the kind. The parser knows no
// option with an optional value, so the bare form is given its value here.
QStringList withEchoValue(QStringList arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) != QLatin1String("--echo"))
            continue;
        const bool named = i + 1 < arguments.size() && (arguments.at(i + 1) == QLatin1String("partial") ||
                                                        arguments.at(i + 1) == QLatin1String("full"));
        if (named) {
            arguments[i] += QLatin1Char('=') + arguments.takeAt(i + 1);
        } else {
            arguments[i] = QStringLiteral("--echo=full");
        }
    }
    return arguments;
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
    const QCommandLineOption tcpOption(
        QStringLiteral("tcp"),
        Tr::tr("Serve as a serial device server on a TCP port instead (RTU over TCP), on loopback unless an "
               "address is given; port 0 takes a free one."),
        QStringLiteral("[address:]port"));
    const QCommandLineOption echoOption(
        QStringLiteral("echo"),
        Tr::tr("Echo every request in front of its answer, as some RS-485 adapters do: \"--echo\" (the whole "
               "request) or \"--echo partial\" (a random end of it)."),
        QStringLiteral("kind"));
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
    parser.addOptions({linkOption, portOption, tcpOption, echoOption, scenarioOption, baudOption, turnaroundOption, lateOption,
                       gapOption, faultsOption, seedOption, frozenOption, traceOption, settingsOption});
    parser.process(withEchoValue(QCoreApplication::arguments()));

    if (!parser.positionalArguments().isEmpty()) {
        fail(Tr::tr("unexpected argument: %1").arg(parser.positionalArguments().constFirst()));
        return 2;
    }
    if (int(parser.isSet(linkOption)) + int(parser.isSet(portOption)) + int(parser.isSet(tcpOption)) != 1) {
        fail(Tr::tr("give one of --link PATH, --port DEVICE or --tcp [ADDRESS:]PORT"));
        return 2;
    }
    const QString echo = parser.isSet(echoOption) ? parser.value(echoOption) : QString();
    if (!echo.isEmpty() && echo != QLatin1String("full") && echo != QLatin1String("partial")) {
        fail(Tr::tr("--echo takes nothing, or \"partial\""));
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
    const quint32 seed = parser.isSet(seedOption) ? parser.value(seedOption).toUInt() : contents.seed;
    bus.faults().setSeed(seed);
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

    SimSerialLine serialLine;
    SimTcpLine tcpLine;
    SimLine &line = parser.isSet(tcpOption) ? static_cast<SimLine &>(tcpLine) : serialLine;
    line.setBaud(baud);
    line.setTurnaroundMs(turnaround);
    line.setIdleGapMs(gap);
    bool opened = false;
    if (parser.isSet(tcpOption))
        opened = tcpLine.listen(parser.value(tcpOption), &error);
    else if (parser.isSet(linkOption))
        opened = serialLine.openPseudoTerminal(QFileInfo(parser.value(linkOption)).absoluteFilePath(), &error);
    else
        opened = serialLine.openDevice(parser.value(portOption), baud ? baud : 19200, &error);
    if (!opened) {
        fail(error);
        return 1;
    }
    const QString portName = parser.isSet(tcpOption)    ? tcpLine.portName()
                             : parser.isSet(linkOption) ? serialLine.linkPath()
                                                        : serialLine.farEnd();
    const QString farEnd = parser.isSet(tcpOption) ? portName : serialLine.farEnd();
    if (parser.isSet(settingsOption)) {
        Settings::fileName = parser.value(settingsOption);
        Settings::writeValue(portName, QStringLiteral("PortName"), QStringLiteral("System"));
        Settings::writeValue(false, QStringLiteral("PortDisable"), QStringLiteral("System"));
    }

    const bool trace = parser.isSet(traceOption);
    // The echo is what the adapter heard of the request: all of it, or (its receiver switched on late)
    // an end of it, one byte short of the whole at most.
    QRandomGenerator echoRandom(seed);
    const auto echoOf = [&](const QByteArray &request) {
        if (echo.isEmpty() || request.isEmpty())
            return QByteArray();
        if (echo == QLatin1String("full") || request.size() < 2)
            return request;
        return request.right(1 + int(echoRandom.bounded(request.size() - 1)));
    };
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
            const QByteArray echoed = echoOf(frame);
            if (bus.handleFrame(frame, &answer)) {
                const int burstFrom = answer.burstFrom >= 0 ? answer.burstFrom + echoed.size() : -1;
                line.send(echoed + answer.bytes, burstFrom, answer.extraDelayMs);
                if (trace && !answer.note.isEmpty())
                    traceLine(QStringLiteral("--"), answer.note);
            } else {
                if (!echoed.isEmpty())
                    line.send(echoed, -1, 0);
                if (trace)
                    traceLine(QStringLiteral("--"), Tr::tr("no answer: %1").arg(answer.note));
            }
        }
    };
    QObject::connect(&line, &SimLine::bytesReceived, &application,
                     [&](const QByteArray &bytes) { handleFrames(framer.feed(bytes)); });
    QObject::connect(&line, &SimLine::lineIdle, &application,
                     [&]() { handleFrames(framer.lineIdle()); });
    if (trace) {
        QObject::connect(&tcpLine, &SimTcpLine::clientConnected, &application, [](const QString &peer) {
            traceLine(QStringLiteral("--"), Tr::tr("connected: %1").arg(peer));
        });
        QObject::connect(&tcpLine, &SimTcpLine::clientDisconnected, &application,
                         [] { traceLine(QStringLiteral("--"), Tr::tr("disconnected")); });
        QObject::connect(&line, &SimLine::sendingStarted, &application, [](const QByteArray &bytes) {
            traceLine(QStringLiteral("TX"), SimFrame::hex(bytes));
        });
        QObject::connect(&line, &SimLine::answerDropped, &application, [](int unsent) {
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
                                                 portName, farEnd));
    const int result = application.exec();
    serialLine.close();
    tcpLine.close();
    printLine(QStringLiteral("COUNTS ") + bus.countsText());
    return result;
}
