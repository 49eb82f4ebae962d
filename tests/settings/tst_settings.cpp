#include "settings.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void withoutFileNameNothingIsWritten();
    void firstRunInEmptyDirectory();
    void recordRoundTrip();
    void garbageValuesKeepTheirType_data();
    void garbageValuesKeepTheirType();
    void cyrillicValuesSurvive();
    void unwritableFileReportedOnce_data();
    void unwritableFileReportedOnce();
    void unreadableLineIsNoWriteFailure();

private:
    QTemporaryDir *m_dir = nullptr;
};

void TestSettings::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
    Settings::fileName = QStringLiteral("TestRYN.ini");
}

void TestSettings::cleanup()
{
    Settings::setWriteFailureHandler(nullptr);
    Settings::fileName.clear();
    QDir::setCurrent(QDir::tempPath());
    delete m_dir;
    m_dir = nullptr;
}

void TestSettings::withoutFileNameNothingIsWritten()
{
    Settings::fileName.clear();
    QCOMPARE(
        Settings::readValue(QStringLiteral("Lang"), QStringLiteral("Lang"), QStringLiteral("RU")).toString(),
        QStringLiteral("RU"));
    Settings::writeValue(QStringLiteral("EN"), QStringLiteral("Lang"), QStringLiteral("Lang"));
    Settings::PrgParams params;
    params.portName = QStringLiteral("untouched");
    QVERIFY(!Settings::readPrgParams(params));
    QCOMPARE(params.portName, QStringLiteral("untouched"));
    QVERIFY(!Settings::writePrgParams(params));
    QVERIFY(QDir(m_dir->path()).entryList(QDir::Files).isEmpty());
}

void TestSettings::firstRunInEmptyDirectory()
{
    Settings::PrgParams params;
    QVERIFY(Settings::readPrgParams(params));
    QCOMPARE(params.portName, QStringLiteral("COM1"));
    QCOMPARE(params.portDisable, false);
    QCOMPARE(int(params.rynAddr), 1);
    QCOMPARE(params.evCount, 50000);
    QCOMPARE(params.eventsFromAllRyn, true);
    QCOMPARE(params.stripEcho, true);
    QCOMPARE(
        Settings::readValue(QStringLiteral("Lang"), QStringLiteral("Lang"), QStringLiteral("RU")).toString(),
        QStringLiteral("RU"));
    QVERIFY(!QFile::exists(QStringLiteral("TestRYN.ini")));
    QVERIFY(Settings::writePrgParams(params));
    QVERIFY(QFile::exists(QStringLiteral("TestRYN.ini")));
}

void TestSettings::recordRoundTrip()
{
    Settings::PrgParams written;
    written.portName = QStringLiteral("/dev/ttyUSB3");
    written.portDisable = true;
    written.rynAddr = 7;
    written.evCount = 1234;
    written.eventsFromAllRyn = false;
    written.portName = QStringLiteral("tcp://[::1]:4001");
    written.stripEcho = false;
    QVERIFY(Settings::writePrgParams(written));
    Settings::PrgParams read;
    QVERIFY(Settings::readPrgParams(read));
    QCOMPARE(read.portName, written.portName);
    QCOMPARE(read.portDisable, true);
    QCOMPARE(int(read.rynAddr), 7);
    QCOMPARE(read.evCount, 1234);
    QCOMPARE(read.eventsFromAllRyn, false);
    QCOMPARE(read.stripEcho, false);
}

void TestSettings::garbageValuesKeepTheirType_data()
{
    QTest::addColumn<QByteArray>("system");
    QTest::addColumn<bool>("portDisable");
    QTest::addColumn<int>("rynAddr");
    QTest::addColumn<int>("evCount");
    QTest::addColumn<bool>("fromAll");
    QTest::addColumn<bool>("stripEcho");
    QTest::addRow("words-everywhere")
        << QByteArray("PortDisable=maybe\nRynAddr=abc\nEvCount=lots\nEventsFromAllRyn=x\nStripEcho=x\n")
        << false << 1 << 50000 << true << true;
    QTest::addRow("address-beyond-a-byte") << QByteArray("RynAddr=300\n") << false << 1 << 50000 << true << true;
    QTest::addRow("negative-address") << QByteArray("RynAddr=-1\n") << false << 1 << 50000 << true << true;
    QTest::addRow("zero-address-means-none") << QByteArray("RynAddr=0\n") << false << 0 << 50000 << true << true;
    QTest::addRow("event-count-too-small") << QByteArray("EvCount=0\n") << false << 1 << 100 << true << true;
    QTest::addRow("event-count-too-large") << QByteArray("EvCount=9999999\n") << false << 1 << 50000 << true << true;
    QTest::addRow("numeric-booleans")
        << QByteArray("PortDisable=1\nEventsFromAllRyn=0\nStripEcho=0\n") << true << 1 << 50000 << false << false;
    QTest::addRow("empty-values") << QByteArray("PortDisable=\nRynAddr=\nEvCount=\nStripEcho=\n") << false << 1
                                  << 50000 << true << true;
}

void TestSettings::garbageValuesKeepTheirType()
{
    QFETCH(QByteArray, system);
    QFETCH(bool, portDisable);
    QFETCH(int, rynAddr);
    QFETCH(int, evCount);
    QFETCH(bool, fromAll);
    QFETCH(bool, stripEcho);
    QFile file(QStringLiteral("TestRYN.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[System]\n" + system);
    file.close();
    Settings::PrgParams params;
    QVERIFY(Settings::readPrgParams(params));
    QCOMPARE(params.portDisable, portDisable);
    QCOMPARE(int(params.rynAddr), rynAddr);
    QCOMPARE(params.evCount, evCount);
    QCOMPARE(params.eventsFromAllRyn, fromAll);
    QCOMPARE(params.stripEcho, stripEcho);
}

void TestSettings::cyrillicValuesSurvive()
{
    const QString text = QStringLiteral("C:\\Users\\Инженер\\Отчёт о состоянии АУ и RYN");
    Settings::writeValue(text, QStringLiteral("ReportFileNameTemplate"),
                         QStringLiteral("AuPropertiesWidget"));
    QCOMPARE(
        Settings::readValue(QStringLiteral("ReportFileNameTemplate"), QStringLiteral("AuPropertiesWidget"))
            .toString(),
        text);
    QCOMPARE(Settings::readValue(QStringLiteral("Missing"), QStringLiteral("AuPropertiesWidget"), 5).toInt(),
             5);
}

void TestSettings::unwritableFileReportedOnce_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<bool>("rootWrites"); // root may write it all the same: then nothing can fail

    QTest::addRow("folder-in-its-place") << QStringLiteral("TestRYN.ini") << QStringLiteral("folder") << false;
    QTest::addRow("read-only-file") << QStringLiteral("TestRYN.ini") << QStringLiteral("read-only-file") << true;
    QTest::addRow("read-only-folder") << QStringLiteral("locked/TestRYN.ini") << QStringLiteral("read-only-folder")
                                      << true;
}

void TestSettings::unwritableFileReportedOnce()
{
    QFETCH(QString, fileName);
    QFETCH(QString, setup);
    QFETCH(bool, rootWrites);
    if (rootWrites && geteuid() == 0)
        QSKIP("root writes a read-only file or folder: the write cannot fail here");
    const QByteArray before = "[System]\nPortName=/dev/ttyS7\n";
    if (setup == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(fileName));
    } else if (setup == QLatin1String("read-only-file")) {
        QFile file(fileName);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(before);
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::ReadOwner));
    } else {
        QVERIFY(QDir().mkdir(QStringLiteral("locked")));
        QVERIFY(QFile::setPermissions(QStringLiteral("locked"), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }
    Settings::fileName = fileName;
    QStringList reported;
    Settings::setWriteFailureHandler([&reported](const QString &path) { reported.append(path); });

    Settings::PrgParams params;
    params.portName = QStringLiteral("/dev/ttyUSB0");
    QVERIFY(!Settings::writePrgParams(params));
    QCOMPARE(reported, QStringList{QDir::current().absoluteFilePath(fileName)});
    // Told once: the next failures are quiet, yet each still says it failed.
    QVERIFY(!Settings::writeValue(QStringLiteral("EN"), QStringLiteral("Lang"), QStringLiteral("Lang")));
    QVERIFY(!Settings::writePrgParams(params));
    QCOMPARE(reported.size(), 1);
    if (setup == QLatin1String("read-only-file")) {
        QFile file(fileName);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }
    // A new handler (the window of a new run) hears of the next failure again.
    Settings::setWriteFailureHandler([&reported](const QString &path) { reported.append(path); });
    QVERIFY(!Settings::writeValue(1, QStringLiteral("X"), QString()));
    QCOMPARE(reported.size(), 2);
    // So that the temporary folder can be removed.
    QFile::setPermissions(QStringLiteral("locked"), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                        QFileDevice::ExeOwner);
}

void TestSettings::unreadableLineIsNoWriteFailure()
{
    const QString fileName = QStringLiteral("TestRYN.ini");
    // A line QSettings cannot read is no reason to say the file was not written: it is.
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("System]\nPortName=\"C:\\COM1;x\"\nRynAddr=@Variant(\\0\\0\\0\\x7f\n");
    file.close();
    Settings::fileName = fileName;
    QStringList reported;
    Settings::setWriteFailureHandler([&reported](const QString &path) { reported.append(path); });
    Settings::PrgParams params;
    params.rynAddr = 5;
    QVERIFY(Settings::writePrgParams(params));
    QVERIFY(Settings::writeValue(QStringLiteral("EN"), QStringLiteral("Lang"), QStringLiteral("Lang")));
    QCOMPARE(reported, QStringList());
    Settings::PrgParams read;
    QVERIFY(Settings::readPrgParams(read));
    QCOMPARE(int(read.rynAddr), 5);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
