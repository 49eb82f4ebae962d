#include "rynregistertexts.h"

#include <QtTest>

using namespace RynRegisterTexts;

class TestRynRegisterTexts : public QObject
{
    Q_OBJECT

private slots:
    void supplies_data();
    void supplies();
    void loopResistance_data();
    void loopResistance();
    void version_data();
    void version();
    void operatingTime_data();
    void operatingTime();
};

void TestRynRegisterTexts::supplies_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("word");
    QTest::addColumn<QString>("voltage");
    QTest::addColumn<QString>("current24");
    QTest::addColumn<QString>("current13");
    const QLocale c = QLocale::c();
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    QTest::addRow("rounds-11.984-up") << c << 0x0A6B << "12.0"
                                      << "13.6"
                                      << "9.0";
    QTest::addRow("no-current-is-plain-zero") << c << 0x006B << "12.0"
                                              << "0"
                                              << "0";
    QTest::addRow("lowest-current") << c << 0x0100 << "0.0"
                                    << "1.4"
                                    << "0.9";
    QTest::addRow("full-bytes") << c << 0xFFFF << "28.6"
                                << "346.8"
                                << "228.5";
    QTest::addRow("russian-decimal-comma") << russian << 0xFFFF << "28,6"
                                           << "346,8"
                                           << "228,5";
}

void TestRynRegisterTexts::supplies()
{
    QFETCH(QLocale, locale);
    QFETCH(int, word);
    QFETCH(QString, voltage);
    QFETCH(QString, current24);
    QFETCH(QString, current13);
    QCOMPARE(supplyVoltageText(quint16(word), locale), voltage);
    QCOMPARE(supply24CurrentText(quint16(word), locale), current24);
    QCOMPARE(supply13CurrentText(quint16(word), locale), current13);
}

void TestRynRegisterTexts::loopResistance_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("resistance");
    // The highest resistance has four digits before the separator: no group separator among them.
    QTest::addRow("english") << QLocale(QLocale::English, QLocale::UnitedStates) << "6553.5";
    QTest::addRow("russian") << QLocale(QLocale::Russian, QLocale::Russia) << "6553,5";
}

void TestRynRegisterTexts::loopResistance()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, resistance);
    QCOMPARE(loopResistanceText(0xFFFF, locale), resistance);
}

void TestRynRegisterTexts::version_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("minor"); // 977 rather than 1000
    QTest::addColumn<int>("word");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("report");
    QTest::addRow("minor-first") << "-" << true << 14 << "-14"
                                 << " \u2013 14";
    QTest::addRow("major-after-minor") << "-14" << false << 3 << "3-14"
                                       << "3 \u2013 14";
    QTest::addRow("minor-replaced") << "3-14" << true << 17 << "3-17"
                                    << "3 \u2013 17";
    QTest::addRow("major-replaced") << "3-17" << false << 65535 << "65535-17"
                                    << "65535 \u2013 17";
}

void TestRynRegisterTexts::version()
{
    QFETCH(QString, before);
    QFETCH(bool, minor);
    QFETCH(int, word);
    QFETCH(QString, after);
    QFETCH(QString, report);
    const QString version =
        minor ? versionWithMinor(before, quint16(word)) : versionWithMajor(before, quint16(word));
    QCOMPARE(version, after);
    QCOMPARE(reportVersionText(version), report);
}

void TestRynRegisterTexts::operatingTime_data()
{
    QTest::addColumn<int>("secondsMinutes"); // 1002
    QTest::addColumn<int>("hoursDays");      // 1003
    QTest::addColumn<QString>("text");
    QTest::addRow("days-unpadded") << 0x0107 << 0x0065 << "3:05:04:07";
    QTest::addRow("zero") << 0 << 0 << "0:00:00:00";
    QTest::addRow("bits-above-minutes-ignored") << 0xF000 << 0 << "0:00:00:00";
    QTest::addRow("every-field-full") << 0x0FFF << 0xFFFF << "2047:31:63:63";
}

void TestRynRegisterTexts::operatingTime()
{
    QFETCH(int, secondsMinutes);
    QFETCH(int, hoursDays);
    QFETCH(QString, text);
    OperatingTime time;
    setSecondsAndMinutes(time, quint16(secondsMinutes));
    setHoursAndDays(time, quint16(hoursDays));
    QCOMPARE(operatingTimeText(time), text);
}

QTEST_GUILESS_MAIN(TestRynRegisterTexts)
#include "tst_rynregistertexts.moc"
