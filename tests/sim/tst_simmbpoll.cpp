#include "simprocess.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

// A standard Modbus master that nobody here wrote (mbpoll, libmodbus) reads and writes ryn-sim over a
// pseudo-terminal at the paced line rate: what it gets must be what the simulator holds.
class TestSimMbpoll : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void reads_data();
    void reads();
    void writeCarriesOutACommand();
    void faultsAreCountedOnExit();

private:
    QString m_mbpoll;
    SimProcess m_sim;
};

namespace {

QStringList mbpollArguments(const QString &link, int slave, int start, int count)
{
    return {QStringLiteral("-m"),    QStringLiteral("rtu"),   QStringLiteral("-b"),
            QStringLiteral("19200"), QStringLiteral("-P"),    QStringLiteral("none"),
            QStringLiteral("-s"),    QStringLiteral("2"),     QStringLiteral("-a"),
            QString::number(slave),  QStringLiteral("-0"),    QStringLiteral("-r"),
            QString::number(start),  QStringLiteral("-c"),    QString::number(count),
            QStringLiteral("-t"),    QStringLiteral("4:hex"), QStringLiteral("-1"),
            QStringLiteral("-o"),    QStringLiteral("0.8"),   link};
}

// mbpoll prints "[976]: 	0x000E" for each register read, and the failure otherwise.
QList<int> registersIn(const QString &output)
{
    QList<int> values;
    const QRegularExpression line(QStringLiteral(R"(^\[(\d+)\]:\s+0x([0-9A-Fa-f]{4}))"),
                                  QRegularExpression::MultilineOption);
    auto match = line.globalMatch(output);
    while (match.hasNext())
        values.append(match.next().captured(2).toInt(nullptr, 16));
    return values;
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(10000))
        process.kill();
    return QString::fromLocal8Bit(process.readAll());
}

} // namespace

void TestSimMbpoll::initTestCase()
{
    m_mbpoll = QStandardPaths::findExecutable(QStringLiteral("mbpoll"));
    if (m_mbpoll.isEmpty())
        QSKIP("mbpoll is not installed (Debian package mbpoll)");
    QVERIFY2(m_sim.start(SimProcess::demoScenario()), qPrintable(m_sim.errorString()));
}

void TestSimMbpoll::cleanupTestCase()
{
    m_sim.stop();
}

void TestSimMbpoll::reads_data()
{
    QTest::addColumn<int>("slave");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("expected"); // empty: the simulator's own view of the registers
    QTest::addColumn<QString>("failure");

    QTest::addRow("old-controller-type-and-version") << 1 << 976 << 2 << QList<int>{1, 14} << QString();
    QTest::addRow("new-controller-type-and-version") << 2 << 976 << 2 << QList<int>{2, 17} << QString();
    QTest::addRow("old-controller-supplies")
        << 1 << 994 << 2 << QList<int>{110 << 8 | 214, 40 << 8 | 121} << QString();
    QTest::addRow("new-controller-major-version") << 2 << 1000 << 1 << QList<int>{4} << QString();
    QTest::addRow("new-controller-constants-at-2102") << 2 << 2102 << 32 << QList<int>() << QString();
    QTest::addRow("types-125-register-block") << 1 << 10000 << 125 << QList<int>() << QString();
    QTest::addRow("general-state-block") << 2 << 11441 << 64 << QList<int>() << QString();
    QTest::addRow("address-outside-the-map")
        << 1 << 3000 << 1 << QList<int>() << QStringLiteral("Illegal data address");
    QTest::addRow("absent-controller-is-silent")
        << 5 << 976 << 1 << QList<int>() << QStringLiteral("timed out");
}

void TestSimMbpoll::reads()
{
    QFETCH(int, slave);
    QFETCH(int, start);
    QFETCH(int, count);
    QFETCH(QList<int>, expected);
    QFETCH(QString, failure);

    const QString output = run(m_mbpoll, mbpollArguments(m_sim.linkPath(), slave, start, count));
    if (!failure.isEmpty()) {
        QVERIFY2(output.contains(failure), qPrintable(output));
        QVERIFY(registersIn(output).isEmpty());
        return;
    }
    const QList<int> values = registersIn(output);
    QVERIFY2(values.size() == count, qPrintable(output));
    if (expected.isEmpty()) {
        const QString reply = m_sim.command(QStringLiteral("reg %1 %2 %3").arg(slave).arg(start).arg(count));
        for (const QString &word : reply.mid(3).split(QLatin1Char(' ')))
            expected.append(word.toInt());
    }
    QCOMPARE(values, expected);
}

void TestSimMbpoll::writeCarriesOutACommand()
{
    // Registers 5222..5223 := unit 5, red LED on (68); no parameters.
    QStringList arguments = mbpollArguments(m_sim.linkPath(), 1, 5222, 2);
    arguments.removeAt(arguments.indexOf(QStringLiteral("-c")) + 1);
    arguments.removeAll(QStringLiteral("-c"));
    arguments << QString::number(5 << 8 | 68) << QStringLiteral("0");
    const QString output = run(m_mbpoll, arguments);
    QVERIFY2(output.contains(QStringLiteral("Written 2 references")), qPrintable(output));
    QCOMPARE(m_sim.command(QStringLiteral("get 1 5 redLed")), QStringLiteral("OK redLed=1"));
}

void TestSimMbpoll::faultsAreCountedOnExit()
{
    SimProcess sim;
    QVERIFY2(sim.start(SimProcess::demoScenario(), {QStringLiteral("--baud"), QStringLiteral("0"),
                                                    QStringLiteral("--faults"), QStringLiteral("crc=1")}),
             qPrintable(sim.errorString()));
    const QString output = run(m_mbpoll, mbpollArguments(sim.linkPath(), 2, 976, 4));
    QVERIFY2(registersIn(output).isEmpty(), qPrintable(output));
    const QMap<QString, int> counts = sim.stop();
    QVERIFY(counts.value(QStringLiteral("crc")) >= 1);
    QCOMPARE(counts.value(QStringLiteral("crc")), counts.value(QStringLiteral("answered")));
    QCOMPARE(counts.value(QStringLiteral("noanswer")), 0);
}

QTEST_GUILESS_MAIN(TestSimMbpoll)
#include "tst_simmbpoll.moc"
