#include "settings.h"
#include "startup.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <cstdio>

// A copy of this executable, run as a child from another directory, performs the real start-up.
static const char childVariable[] = "RYN_STARTUP_CHILD";

static int childMain(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTranslator first;
    QTranslator second;
    const QString language = prepareStartup(first, second);
    Settings::PrgParams params;
    Settings::readPrgParams(params);
    const QStringList lines{QDir::currentPath(),
                            Settings::fileName,
                            language,
                            params.portName,
                            QFile::exists(QStringLiteral("languages.ini")) ? QStringLiteral("languages")
                                                                           : QStringLiteral("none"),
                            QFileInfo(first.filePath()).fileName()};
    std::printf("%s\n", lines.join(QLatin1Char('\n')).toUtf8().constData());
    return 0;
}

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void languageFallbacks_data();
    void languageFallbacks();
    void startsFromAnotherWorkingDirectory();
    void settingsWhereTheProgramMayWrite_data();
    void settingsWhereTheProgramMayWrite();
};

void TestStartup::languageFallbacks_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    const QString program = QStringLiteral("tst_startup_EN.qm");
    const QString common = QStringLiteral("common_EN.qm");
    QTest::addRow("russian") << QStringLiteral("RU") << QStringList{program, common}
                             << QStringLiteral("qt_ru.qm") << QString();
    QTest::addRow("russian-lower-case")
        << QStringLiteral("ru") << QStringList{program} << QStringLiteral("qt_ru.qm") << QString();
    QTest::addRow("english-with-common")
        << QStringLiteral("EN") << QStringList{program, common} << program << common;
    QTest::addRow("english-without-common")
        << QStringLiteral("EN") << QStringList{program} << program << QString();
    QTest::addRow("english-without-catalogue")
        << QStringLiteral("EN") << QStringList{common} << QStringLiteral("qt_ru.qm") << QString();
    QTest::addRow("code-spelled-as-stored")
        << QStringLiteral("en") << QStringList{program, common} << QStringLiteral("qt_ru.qm") << QString();
    QTest::addRow("catalogue-is-a-directory")
        << QStringLiteral("EN") << QStringList{program + QStringLiteral("/")} << QStringLiteral("qt_ru.qm")
        << QString();
    QTest::addRow("catalogue-is-garbage")
        << QStringLiteral("EN") << QStringList{program + QStringLiteral("!")} << QStringLiteral("qt_ru.qm")
        << QString();
}

void TestStartup::languageFallbacks()
{
    QFETCH(QString, language);
    QFETCH(QStringList, files);
    QFETCH(QString, first);
    QFETCH(QString, second);
    const QString catalogue = QCoreApplication::applicationDirPath() + QStringLiteral("/testryn_EN.qm");
    QVERIFY2(QFile::exists(catalogue), "the English catalogue is built next to the tests");
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    for (const QString &file : files) {
        if (file.endsWith(QLatin1Char('/'))) {
            QVERIFY(QDir().mkdir(file.chopped(1)));
        } else if (file.endsWith(QLatin1Char('!'))) {
            QFile garbage(file.chopped(1));
            QVERIFY(garbage.open(QIODevice::WriteOnly));
            garbage.write("not a catalogue");
        } else {
            QVERIFY(QFile::copy(catalogue, file));
        }
    }
    QTranslator firstTranslator;
    QTranslator secondTranslator;
    installTranslators(firstTranslator, secondTranslator, language);
    QCOMPARE(QFileInfo(firstTranslator.filePath()).fileName(), first);
    QCOMPARE(QFileInfo(secondTranslator.filePath()).fileName(), second);
    QDir::setCurrent(QDir::tempPath());
}

void TestStartup::startsFromAnotherWorkingDirectory()
{
    QTemporaryDir installed;
    QTemporaryDir elsewhere;
    const QString copy = installed.filePath(QStringLiteral("tst_startup"));
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));
    QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/testryn_EN.qm"),
                        installed.filePath(QStringLiteral("tst_startup_EN.qm"))));
    QFile ini(installed.filePath(QStringLiteral("TestRYN.ini")));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Lang]\nLang=EN\n[System]\nPortName=/dev/ttyS9\n");
    ini.close();
    QFile languages(installed.filePath(QStringLiteral("languages.ini")));
    QVERIFY(languages.open(QIODevice::WriteOnly));
    languages.close();

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(childVariable), QStringLiteral("1"));
    child.setProcessEnvironment(environment);
    child.setWorkingDirectory(elsewhere.path());
    child.start(copy, QStringList());
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitCode(), 0);
    const QStringList lines =
        QString::fromUtf8(child.readAllStandardOutput()).trimmed().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 6);
    QCOMPARE(QFileInfo(lines.at(0)).canonicalFilePath(), QFileInfo(installed.path()).canonicalFilePath());
    QCOMPARE(lines.at(1), QStringLiteral("TestRYN.ini"));
    QCOMPARE(lines.at(2), QStringLiteral("EN"));
    QCOMPARE(lines.at(3), QStringLiteral("/dev/ttyS9"));
    QCOMPARE(lines.at(4), QStringLiteral("languages"));
    QCOMPARE(lines.at(5), QStringLiteral("tst_startup_EN.qm"));
}

void TestStartup::settingsWhereTheProgramMayWrite_data()
{
    QTest::addColumn<bool>("folderWritable");
    QTest::addRow("portable-copy") << true;
    QTest::addRow("installed-package") << false;
}

// A portable copy keeps its settings beside itself; an installed program, whose folder it may not
// write, keeps them in the user's configuration folder and the user's event descriptions in the
// user's data folder.
void TestStartup::settingsWhereTheProgramMayWrite()
{
    QFETCH(bool, folderWritable);
    QStandardPaths::setTestModeEnabled(true);
    const StartupPaths paths = startupPaths(folderWritable);
    QCOMPARE(paths.inUserFolders, !folderWritable);
    if (folderWritable) {
        QCOMPARE(paths.settingsFile, QStringLiteral("TestRYN.ini"));
        QVERIFY(paths.userDataDir.isEmpty());
        return;
    }
    QCOMPARE(paths.settingsFile, QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
                                     .filePath(QStringLiteral("TestRYN.ini")));
    QVERIFY(QFileInfo(paths.settingsFile).isAbsolute());
    QCOMPARE(paths.userDataDir, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    QVERIFY(!paths.userDataDir.isEmpty());
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(childVariable))
        return childMain(argc, argv);
    QCoreApplication app(argc, argv);
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
