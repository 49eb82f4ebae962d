#include "simprocess.h"

#include <QDeadlineTimer>
#include <QDir>

SimProcess::SimProcess(QObject *parent)
    : QObject(parent)
{
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
}

SimProcess::~SimProcess()
{
    if (isRunning())
        stop(2000);
}

QString SimProcess::program()
{
    return QStringLiteral(RYN_SIM_PROGRAM);
}

QString SimProcess::sourcePath(const QString &relative)
{
    return QDir(QStringLiteral(RYN_SOURCE_DIR)).filePath(relative);
}

QString SimProcess::demoScenario()
{
    return sourcePath(QStringLiteral("data/sim/demo.json"));
}

bool SimProcess::isRunning() const
{
    return m_process.state() != QProcess::NotRunning;
}

bool SimProcess::start(const QString &scenario, const QStringList &options, int timeoutMs)
{
    if (isRunning()) {
        m_error = QStringLiteral("the simulator runs already");
        return false;
    }
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder for the link");
        return false;
    }
    m_stdout.clear();
    m_stderr.clear();
    m_linkPath.clear();
    // A simulator serving TCP needs no pseudo-terminal.
    const QStringList line = options.contains(QStringLiteral("--tcp"))
                                 ? QStringList()
                                 : QStringList{QStringLiteral("--link"), m_dir.filePath(QStringLiteral("ttyRYN"))};
    m_process.start(program(), line + QStringList{QStringLiteral("--scenario"), scenario} + options);
    if (!m_process.waitForStarted(timeoutMs)) {
        m_error = QStringLiteral("cannot start %1: %2").arg(program(), m_process.errorString());
        return false;
    }
    const QString ready = nextLine(timeoutMs);
    if (!ready.startsWith(QLatin1String("READY "))) {
        m_process.waitForFinished(1000);
        m_error = QStringLiteral("the simulator did not get ready: %1 %2").arg(ready, trace());
        if (isRunning())
            m_process.kill();
        return false;
    }
    m_linkPath = ready.mid(6);
    return true;
}

QString SimProcess::nextLine(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        m_stdout.append(m_process.readAllStandardOutput());
        const int end = m_stdout.indexOf('\n');
        if (end >= 0) {
            const QString line = QString::fromLocal8Bit(m_stdout.left(end));
            m_stdout.remove(0, end + 1);
            return line;
        }
        if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning) {
            m_stdout.append(m_process.readAllStandardOutput());
            if (m_stdout.contains('\n'))
                continue;
            return QString();
        }
        m_process.waitForReadyRead(int(qMax<qint64>(1, qMin<qint64>(50, deadline.remainingTime()))));
    }
}

QString SimProcess::command(const QString &line, int timeoutMs)
{
    if (!isRunning())
        return QString();
    m_process.write((line + QLatin1Char('\n')).toLocal8Bit());
    m_process.waitForBytesWritten(timeoutMs);
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const QString reply = nextLine(int(qMax<qint64>(0, deadline.remainingTime())));
        if (reply.isEmpty() || reply.startsWith(QLatin1String("OK")) ||
            reply.startsWith(QLatin1String("ERROR")))
            return reply;
    }
}

QMap<QString, int> SimProcess::counts(int timeoutMs)
{
    return parseCounts(command(QStringLiteral("counts"), timeoutMs));
}

QMap<QString, int> SimProcess::stop(int timeoutMs)
{
    if (!isRunning())
        return {};
    m_process.write("quit\n");
    if (!m_process.waitForFinished(timeoutMs)) {
        m_process.kill();
        m_process.waitForFinished(1000);
    }
    for (;;) {
        const QString line = nextLine(0);
        if (line.isEmpty() && !m_stdout.contains('\n'))
            return {};
        if (line.startsWith(QLatin1String("COUNTS ")))
            return parseCounts(line);
    }
}

void SimProcess::kill()
{
    if (!isRunning())
        return;
    m_process.kill();
    m_process.waitForFinished(5000);
}

QString SimProcess::trace()
{
    m_stderr.append(m_process.readAllStandardError());
    return QString::fromLocal8Bit(m_stderr);
}

QMap<QString, int> SimProcess::parseCounts(const QString &text)
{
    QMap<QString, int> counts;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int equals = word.indexOf(QLatin1Char('='));
        if (equals > 0)
            counts.insert(word.left(equals), word.mid(equals + 1).toInt());
    }
    return counts;
}
