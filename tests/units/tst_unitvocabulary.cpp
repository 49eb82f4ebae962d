#include "auunitrecord.h"
#include "hardtypes.h"
#include "unitconversions.h"
#include "unittexts.h"

#include <QSet>
#include <QtTest>

using TextFunction = QString (*)(int, bool);
Q_DECLARE_METATYPE(TextFunction)

class TestUnitVocabulary : public QObject
{
    Q_OBJECT

private slots:
    void typeGroups_data();
    void typeGroups();
    void typeNames_data();
    void typeNames();
    void everyLabelledTypeHasItsOwnLabel();
    void valueTexts_data();
    void valueTexts();
    void thermistorToCelsius_data();
    void thermistorToCelsius();
    void loVoltageOfFullScale();
    void newRecordSaysNothingIsReported();
};

// Which groups a type belongs to, as a string of letters: a wrong membership shows a unit wrongly.
static QString groupsOf(int type)
{
    QString groups;
    groups += isFireType(type) ? QLatin1Char('F') : QLatin1Char('-');
    groups += isHeatType(type) ? QLatin1Char('H') : QLatin1Char('-');
    groups += isSmokeType(type) ? QLatin1Char('S') : QLatin1Char('-');
    groups += isFlameType(type) ? QLatin1Char('P') : QLatin1Char('-');
    groups += isIonistorType(type) ? QLatin1Char('I') : QLatin1Char('-');
    groups += isVexaInputType(type) ? QLatin1Char('V') : QLatin1Char('-');
    groups += isRelayOutputType(type) ? QLatin1Char('R') : QLatin1Char('-');
    groups += isLoType(type) ? QLatin1Char('L') : QLatin1Char('-');
    return groups;
}

void TestUnitVocabulary::typeGroups_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("groups");
    QTest::addRow("call-point-fire-only") << 1 << QStringLiteral("F-------");
    QTest::addRow("heat") << 2 << QStringLiteral("FH------");
    QTest::addRow("heat-with-ionistor") << 3 << QStringLiteral("FH--I---");
    QTest::addRow("smoke") << 4 << QStringLiteral("F-S-----");
    QTest::addRow("flame") << 5 << QStringLiteral("F--P----");
    QTest::addRow("flame-with-ionistor") << 6 << QStringLiteral("F--PI---");
    QTest::addRow("start-button-no-group") << 7 << QStringLiteral("--------");
    QTest::addRow("input-2") << 8 << QStringLiteral("-----V--");
    QTest::addRow("input-4") << 9 << QStringLiteral("-----V--");
    QTest::addRow("relay-2") << 10 << QStringLiteral("------R-");
    QTest::addRow("relay-4") << 11 << QStringLiteral("------R-");
    QTest::addRow("call-point-with-cover-not-fire") << 12 << QStringLiteral("--------");
    QTest::addRow("input-relay-both") << 13 << QStringLiteral("-----VR-");
    QTest::addRow("valve-module-not-input") << 14 << QStringLiteral("--------");
    QTest::addRow("lo-module-a") << 15 << QStringLiteral("-------L");
    QTest::addRow("lo-module-b") << 16 << QStringLiteral("-------L");
    QTest::addRow("control-module-with-ionistor") << 17 << QStringLiteral("----I---");
    QTest::addRow("power-module") << 20 << QStringLiteral("--------");
    QTest::addRow("smoke-heat") << 23 << QStringLiteral("FHS-----");
    QTest::addRow("smoke-heat-with-ionistor") << 24 << QStringLiteral("FHS-I---");
    QTest::addRow("controller") << 100 << QStringLiteral("--------");
    QTest::addRow("undefined") << 255 << QStringLiteral("--------");
    QTest::addRow("zero") << 0 << QStringLiteral("--------");
}

void TestUnitVocabulary::typeGroups()
{
    QFETCH(int, type);
    QFETCH(QString, groups);
    QCOMPARE(groupsOf(type), groups);
}

void TestUnitVocabulary::typeNames_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("labelled");
    QTest::addColumn<QString>("exact");
    QTest::addRow("undefined-shows-dots") << 255 << true << QStringLiteral("...");
    QTest::addRow("controller-labelled") << 100 << true << QString();
    QTest::addRow("cover-call-point-unlabelled") << 12 << false << QString();
    QTest::addRow("zero-unlabelled") << 0 << false << QString();
    QTest::addRow("unknown-25-unlabelled") << 25 << false << QString();
    QTest::addRow("negative-unlabelled") << -4 << false << QString();
}

void TestUnitVocabulary::typeNames()
{
    QFETCH(int, type);
    QFETCH(bool, labelled);
    QFETCH(QString, exact);
    QCOMPARE(!auTypeName(type).isEmpty(), labelled);
    if (!exact.isEmpty())
        QCOMPARE(auTypeName(type), exact);
}

void TestUnitVocabulary::everyLabelledTypeHasItsOwnLabel()
{
    QSet<QString> seen;
    for (int type = 1; type <= 24; ++type) {
        if (type == 12)
            continue;
        const QString name = auTypeName(type);
        QVERIFY2(!name.isEmpty(), qPrintable(QString::number(type)));
        QVERIFY2(!seen.contains(name), qPrintable(name));
        seen.insert(name);
    }
}

void TestUnitVocabulary::valueTexts_data()
{
    QTest::addColumn<TextFunction>("function");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("longForm");
    QTest::addColumn<QString>("text");
    QTest::addRow("connection-no-answer") << &connectionText << 4 << true << QStringLiteral("Не отвечает");
    QTest::addRow("connection-out-of-range") << &connectionText << 6 << true << QString();
    QTest::addRow("ionistor-charging-partly")
        << &ionistorText << 9 << true << QStringLiteral("Частично разряж.");
    QTest::addRow("ionistor-overcharge") << &ionistorText << 5 << true << QStringLiteral("Перезаряд");
    QTest::addRow("ionistor-13-no-text") << &ionistorText << 13 << true << QString();
    QTest::addRow("input-short-short-circuit") << &inputText << 3 << false << QStringLiteral("к");
    QTest::addRow("input-long-unknown") << &inputText << 4 << true << QStringLiteral("Не определено");
    QTest::addRow("input-short-out-of-range") << &inputText << 5 << false << QString();
    QTest::addRow("output-short-fault") << &outputText << 3 << false << QStringLiteral("н");
    QTest::addRow("output-long-on") << &outputText << 1 << true << QStringLiteral("Включен");
    QTest::addRow("valve-short-intermediate") << &valveText << 0 << false << QStringLiteral("п");
    QTest::addRow("valve-long-open") << &valveText << 2 << true << QStringLiteral("Задвижка открыта");
    QTest::addRow("lo-short-reverse-blinking") << &loPowerText << 4 << false << QStringLiteral("ОМ");
    QTest::addRow("lo-short-unknown") << &loPowerText << 5 << false << QStringLiteral("-");
    QTest::addRow("lo-long-direct") << &loPowerText << 1 << true << QStringLiteral("Прямое");
    QTest::addRow("heater-short-circuit") << &heaterText << 6 << true << QStringLiteral("КЗ");
    QTest::addRow("sensor-2-no-text") << &sensorText << 2 << true << QString();
    QTest::addRow("laser-unknown") << &laserText << 3 << true << QStringLiteral("Не определено");
    QTest::addRow("pyro-7-faulty") << &pyroText << 7 << true << QStringLiteral("Неисправен");
    QTest::addRow("pyro-0-unknown") << &pyroText << 0 << true << QStringLiteral("Не определено");
    QTest::addRow("supply-0-low") << &powerSupplyText << 0 << true << QStringLiteral("Пониженное");
    QTest::addRow("call-point-released") << &buttonText << 0 << true << QStringLiteral("Не нажата");
    QTest::addRow("start-button-released") << &startButtonText << 2 << true << QStringLiteral("Не нажата");
    QTest::addRow("start-button-0-unknown")
        << &startButtonText << 0 << true << QStringLiteral("Не определено");
    QTest::addRow("cover-open") << &coverText << 1 << true << QStringLiteral("Открыта");
    QTest::addRow("channel-differential") << &channelTypeText << 1 << true << QStringLiteral("мд");
    QTest::addRow("channel-5-number") << &channelTypeText << 5 << true << QStringLiteral("5");
    QTest::addRow("processor-known") << &procTypeText << 3 << true << QStringLiteral("PIC18F26K40");
    QTest::addRow("processor-9-number") << &procTypeText << 9 << true << QStringLiteral("9");
    QTest::addRow("short-falls-back-to-long") << &dustinessText << 2 << false << QStringLiteral("Предельная");
}

void TestUnitVocabulary::valueTexts()
{
    QFETCH(TextFunction, function);
    QFETCH(int, value);
    QFETCH(bool, longForm);
    QFETCH(QString, text);
    QCOMPARE(function(value, longForm), text);
}

void TestUnitVocabulary::thermistorToCelsius_data()
{
    QTest::addColumn<int>("raw");
    QTest::addColumn<int>("celsius");
    QTest::addRow("hottest-1") << 1 << 235;
    QTest::addRow("50") << 50 << 69;
    QTest::addRow("100") << 100 << 45;
    QTest::addRow("128-rounds-up-from-34.8") << 128 << 35;
    QTest::addRow("200") << 200 << 9;
    QTest::addRow("coldest-254") << 254 << -52;
    QTest::addRow("zero-no-reading") << 0 << -273;
    QTest::addRow("full-scale-no-reading") << 255 << -273;
}

void TestUnitVocabulary::thermistorToCelsius()
{
    QFETCH(int, raw);
    QFETCH(int, celsius);
    QCOMPARE(::thermistorToCelsius(quint8(raw)), celsius);
}

void TestUnitVocabulary::loVoltageOfFullScale()
{
    QCOMPARE(loVoltage(255), 29.64375);
    QCOMPARE(QString::number(loVoltage(255), 'f', 1), QStringLiteral("29.6"));
    QCOMPARE(loVoltage(0), 0.0);
}

void TestUnitVocabulary::newRecordSaysNothingIsReported()
{
    const AuUnitRecord record(5);
    QCOMPARE(record.address, 5);
    QCOMPARE(record.type, 255);
    QCOMPARE(record.generalState, 8);
    QCOMPARE(record.ionistorState, 4);
    QCOMPARE(record.laser, 3);
    QCOMPARE(record.sensor, 3);
    QCOMPARE(record.heater, 4);
    QCOMPARE(record.powerLo, 5);
    QCOMPARE(record.powerLoInit, 5);
    QCOMPARE(record.lo, 3);
    QCOMPARE(record.insulatorLeft, 2);
    QCOMPARE(record.insulatorRight, 2);
    QCOMPARE(record.buttonIPR_IPRV, 2);
    QCOMPARE(int(record.unBlocked), 1);
    for (int n = 0; n < 4; ++n) {
        QCOMPARE(record.input[n], 4);
        QCOMPARE(record.output[n], 4);
        QCOMPARE(record.outputInit[n], 4);
    }
    QCOMPARE(record.inputVexa2R2[1], 4);
    QCOMPARE(record.outputVexa2R2[1], 4);
    QCOMPARE(record.valve[1], 4);
}

QTEST_GUILESS_MAIN(TestUnitVocabulary)
#include "tst_unitvocabulary.moc"
