// ryn-soak: the whole tool against the simulated controllers for a long while (see tools/soak.sh).
#include "soakrun.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    Q_INIT_RESOURCE(images);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Runs TestRYN against ryn-sim for a while: a faulty line, events at a steady rate, the simulator "
        "killed and started again at random moments. Prints a summary; exits 1 when a goal was missed."));
    parser.addHelpOption();
    SoakRun::Options options;
    options.faults = QStringLiteral("noanswer=0.05,crc=0.06,truncated=0.04,extra=0.03,garbage=0.03,"
                                    "exception=0.04,late=0.05");
    const QCommandLineOption seconds(QStringLiteral("seconds"), QStringLiteral("Length of the run (600)."),
                                     QStringLiteral("s"), QString::number(options.seconds));
    const QCommandLineOption faults(QStringLiteral("faults"),
                                    QStringLiteral("ryn-sim's fault rates (30 % in all); \"off\" for a clean line."),
                                    QStringLiteral("rates"), options.faults);
    const QCommandLineOption baud(QStringLiteral("baud"), QStringLiteral("Line speed; 0: unpaced (19200)."),
                                  QStringLiteral("rate"), QString::number(options.baud));
    const QCommandLineOption every(QStringLiteral("event-ms"), QStringLiteral("One event raised every ms (500)."),
                                   QStringLiteral("ms"), QString::number(options.eventIntervalMs));
    const QCommandLineOption restartMin(QStringLiteral("restart-min"),
                                        QStringLiteral("Shortest time between kills of the simulator (40 s)."),
                                        QStringLiteral("s"), QString::number(options.restartMinSeconds));
    const QCommandLineOption restartMax(QStringLiteral("restart-max"),
                                        QStringLiteral("Longest time between kills (120 s); 0: never killed."),
                                        QStringLiteral("s"), QString::number(options.restartMaxSeconds));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the faults and moments (1)."),
                                  QStringLiteral("n"), QString::number(options.seed));
    parser.addOptions({seconds, faults, baud, every, restartMin, restartMax, seed});
    parser.process(application);

    options.seconds = parser.value(seconds).toInt();
    options.faults = parser.value(faults) == QLatin1String("off") ? QString() : parser.value(faults);
    options.baud = parser.value(baud).toInt();
    options.eventIntervalMs = qMax(10, parser.value(every).toInt());
    options.restartMinSeconds = parser.value(restartMin).toInt();
    options.restartMaxSeconds = parser.value(restartMax).toInt();
    options.seed = parser.value(seed).toUInt();
    options.warmUpSeconds = qMin(options.warmUpSeconds, options.seconds / 2);

    SoakRun soak(options);
    return soak.run() ? 0 : 1;
}
