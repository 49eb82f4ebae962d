#include "aupropertiesmodel.h"

#include <QtTest>

#include <functional>

using namespace AuProperty;
using Io = AuCellTypes::IoNumber;
using Feed = std::function<void(AuPropertiesModel &, int)>;
Q_DECLARE_METATYPE(Feed)

// A value as the decoder delivers it, for unit `a`.
#define FEED(call) Feed([](AuPropertiesModel &m, [[maybe_unused]] int a) { m.call; })

namespace {
QStringList rowTexts(const AuPropertiesModel &model, int row)
{
    QStringList texts;
    for (int column = 0; column < ColumnCount; ++column)
        texts << model.index(row, column).data().toString();
    return texts;
}
} // namespace

class TestAuPropertiesModel : public QObject
{
    Q_OBJECT

private slots:
    void cellTextAndColour_data();
    void cellTextAndColour();
    void meaningfulColumnsPerType_data();
    void meaningfulColumnsPerType();
    void announcedColumns_data();
    void announcedColumns();
    void repeatedValueAnnouncesNothing_data() { announcedColumns_data(); }
    void repeatedValueAnnouncesNothing();
    void firstValueAppendsAnUnknownUnit();
    void addressesOutsideTheLoopAreIgnored_data();
    void addressesOutsideTheLoopAreIgnored();
    void numbersOutsideTheirRangeStoreNothing_data();
    void numbersOutsideTheirRangeStoreNothing();
    void typeChangeMovesTheUnitBetweenColumns();
    void decimalsInTheModelsLocale();
    void typeSummary_data();
    void typeSummary();
    void loModeBoldWhenDriving_data();
    void loModeBoldWhenDriving();
    void headers();
};

// Columns as "a-b,c" ranges: short to write in a table and easy to read in a failure.
static QString ranges(const QList<int> &columns)
{
    QStringList parts;
    for (int i = 0; i < columns.size();) {
        int j = i;
        while (j + 1 < columns.size() && columns.at(j + 1) == columns.at(j) + 1)
            ++j;
        parts << (i == j ? QString::number(columns.at(i))
                         : QStringLiteral("%1-%2").arg(columns.at(i)).arg(columns.at(j)));
        i = j + 1;
    }
    return parts.join(QLatin1Char(','));
}

static QString degrees(int value)
{
    return QString::number(value) + QChar(0x00B0) + QLatin1Char('C');
}

void TestAuPropertiesModel::cellTextAndColour_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<Feed>("feed");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("colour");
    const QString none;
    // clang-format off
    QTest::addRow("connection-rx-errors") << 4 << FEED(slotSetConnection(a, 3)) << 5 << "Ошибки приёма" << "darkgoldenrod";
    QTest::addRow("processor-name") << 2 << FEED(slotSetProcType(a, 2)) << 4 << "PIC18F25K40" << none;
    QTest::addRow("firmware-number") << 4 << FEED(slotSetFirmwareVersion(a, 17)) << 3 << "17" << none;
    QTest::addRow("fire-red") << 4 << FEED(slotSetFire(a, true)) << 6 << "Да" << "red";
    QTest::addRow("storage-opened-blue") << 3 << FEED(slotSetHeater(a, 1)) << 8 << "Вскрытие" << "#0066CC";
    QTest::addRow("resistance-128-dash") << 6 << FEED(slotSet_R_NE(a, 128)) << 9 << "\u2013" << none;
    QTest::addRow("resistance-127-ohms") << 6 << FEED(slotSet_R_NE(a, 127)) << 9 << "127 Ом." << none;
    QTest::addRow("u-two-decimals") << 17 << FEED(slotSetU(a, 3.456)) << 10 << "3.46 В" << none;
    QTest::addRow("ionistor-partly-blue") << 3 << FEED(slotSetIonistorState(a, 9)) << 14 << "Частично разряж." << "#0066CC";
    QTest::addRow("charging-bit-red") << 3 << FEED(slotSetIonistorState(a, 9)) << 15 << "Вкл." << "red";
    QTest::addRow("left-isolator-low-bits") << 255 << FEED(slotSetInsulators(a, 6)) << 16 << "Не определено" << "purple";
    QTest::addRow("right-isolator-high-bits") << 255 << FEED(slotSetInsulators(a, 6)) << 17 << "Замкнут" << "green";
    QTest::addRow("blocked-red") << 255 << FEED(slotSetBlocking(a, false)) << 18 << "Да" << "red";
    QTest::addRow("channel-max-differential") << 2 << FEED(slotSetIptChannelType(a, 1)) << 19 << "мд" << none;
    QTest::addRow("temperature-from-thermistor") << 2 << FEED(slotSet_T_ULo(a, 128)) << 20 << degrees(35) << none;
    QTest::addRow("threshold-as-is") << 24 << FEED(slotSetThresholdT(a, 60)) << 21 << degrees(60) << none;
    QTest::addRow("sensor-faulty") << 2 << FEED(slotSetSensor(a, 1)) << 22 << "Неисправен" << "darkgoldenrod";
    QTest::addRow("led-from-sensor") << 4 << FEED(slotSetSensor(a, 3)) << 29 << "Не определено" << "purple";
    QTest::addRow("smoke-units") << 4 << FEED(slotSetSmoke(a, 12)) << 24 << "12 ед." << none;
    QTest::addRow("dust-limit-crimson") << 24 << FEED(slotSetDustiness(a, 2)) << 26 << "Предельная" << "crimson";
    QTest::addRow("resource-84-red") << 4 << FEED(slotSetIPD_resource(a, 84)) << 28 << "84%" << "red";
    QTest::addRow("resource-85-green") << 4 << FEED(slotSetIPD_resource(a, 85)) << 28 << "85%" << "green";
    QTest::addRow("laser-on-red") << 5 << FEED(slotSetLaser(a, 1)) << 30 << "Включен" << "red";
    QTest::addRow("pyro-7-faulty-uncoloured") << 6 << FEED(slotSetPyrosensor(a, 7)) << 31 << "Неисправен" << none;
    QTest::addRow("border-w2") << 5 << FEED(slotSetIPP_W(a, AuCellTypes::W2, 11)) << 36 << "11 ед." << none;
    QTest::addRow("input-2-short") << 8 << FEED(slotSetInput(a, Io::Io2, 3, false)) << 39 << "КЗ" << "darkgoldenrod";
    QTest::addRow("input-3-one-store") << 9 << FEED(slotSetInput(a, Io::Io3, 1, true)) << 40 << "Замкнут" << "red";
    QTest::addRow("input-relay-own-bank") << 13 << FEED(slotSetInput(a, Io::Io1, 2, true)) << 38 << "Обрыв" << "darkgoldenrod";
    QTest::addRow("input-relay-not-plain-bank") << 13 << FEED(slotSetInput(a, Io::Io1, 1, false)) << 38 << "Не определено" << "purple";
    QTest::addRow("input-module-not-relay-bank") << 8 << FEED(slotSetInput(a, Io::Io1, 1, true)) << 38 << "Не определено" << "purple";
    QTest::addRow("valve-between-orangered") << 14 << FEED(slotSetValve(a, AuCellTypes::Valve1, 0)) << 38 << "Промежуточное пол." << "orangered";
    QTest::addRow("adc-1-200") << 8 << FEED(slotSetInputADC(a, Io::Io1, 200)) << 42 << "200 ед." << none;
    QTest::addRow("adc-1-leaves-adc-2") << 8 << FEED(slotSetInputADC(a, Io::Io1, 200)) << 43 << "0 ед." << none;
    QTest::addRow("output-on-red") << 10 << FEED(slotSetOutput(a, Io::Io1, 1, false)) << 46 << "Включен" << "red";
    QTest::addRow("input-relay-output-bank") << 13 << FEED(slotSetOutput(a, Io::Io2, 0, true)) << 47 << "Выключен" << "green";
    QTest::addRow("initial-output-3") << 11 << FEED(slotSetOutputInit(a, Io::Io3, 3)) << 52 << "Неисправность" << "darkgoldenrod";
    QTest::addRow("call-point-pressed") << 1 << FEED(slotSetButtonIPR_IPRV(a, 1)) << 54 << "Нажата" << "red";
    QTest::addRow("start-button-released") << 7 << FEED(slotSetButtonUDP(a, 2)) << 54 << "Не нажата" << "green";
    QTest::addRow("start-button-not-call-point-value") << 7 << FEED(slotSetButtonIPR_IPRV(a, 1)) << 54 << "Не определено" << "purple";
    QTest::addRow("cover-open") << 12 << FEED(slotSetTamperUDP_IPRV(a, 1)) << 55 << "Открыта" << "orangered";
    QTest::addRow("lo-mode-blinking") << 15 << FEED(slotSetPowerLo(a, 2)) << 56 << "Прям. с миганием" << "crimson";
    QTest::addRow("lo-voltage-from-byte") << 15 << FEED(slotSet_T_ULo(a, 255)) << 58 << "29.6 В" << none;
    QTest::addRow("mains-low") << 15 << FEED(slotSetPowerSupply(a, 0)) << 59 << "Пониженное" << "orangered";
    QTest::addRow("main-power-fault") << 16 << FEED(slotSetOp(a, 1)) << 60 << "Неисправность" << "darkgoldenrod";
    QTest::addRow("lo-line-break") << 15 << FEED(slotSetLo(a, 2)) << 62 << "Обрыв" << "darkgoldenrod";
    QTest::addRow("mean-current") << 255 << FEED(slotSetAverageAmperage(a, 1.26)) << 63 << "1.3 мА" << none;
    QTest::addRow("no-answer-counter-16-bit") << 4 << FEED(slotSetNoResponseCounter(a, 300)) << 65 << "300 ед." << none;
    QTest::addRow("extra-data") << 4 << FEED(slotSetAdditionData(a, 7)) << 66 << "7" << none;
    // clang-format on
}

void TestAuPropertiesModel::cellTextAndColour()
{
    QFETCH(int, type);
    QFETCH(Feed, feed);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, colour);
    ColumnValidRows valid;
    AuPropertiesModel model(&valid);
    model.setNumberLocale(QLocale::c());
    model.slotSetType(17, type);
    feed(model, 17);
    const QModelIndex cell = model.index(model.rowOfAddress(17), column);
    QCOMPARE(cell.data().toString(), text);
    const QVariant foreground = cell.data(Qt::ForegroundRole);
    QCOMPARE(foreground.isValid(), !colour.isEmpty());
    if (!colour.isEmpty())
        QCOMPARE(foreground.value<QColor>(), QColor(colour));
    QCOMPARE(cell.data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
}

void TestAuPropertiesModel::meaningfulColumnsPerType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("columns");
    const QString common = QStringLiteral("1-5,16-18,63-66");
    const auto with = [&common](const char *own) {
        QList<int> columns;
        for (const QString &part : (common + QLatin1Char(',') + QLatin1String(own)).split(QLatin1Char(','))) {
            const QStringList ends = part.split(QLatin1Char('-'));
            for (int c = ends.first().toInt(); c <= ends.last().toInt(); ++c)
                columns.append(c);
        }
        std::sort(columns.begin(), columns.end());
        return ranges(columns);
    };
    QTest::addRow("call-point") << 1 << with("6,54");
    QTest::addRow("heat") << 2 << with("6-7,19-22");
    QTest::addRow("heat-ionistor") << 3 << with("6-15,19-22");
    QTest::addRow("smoke") << 4 << with("6,23-29");
    QTest::addRow("flame") << 5 << with("6,30-37");
    QTest::addRow("flame-ionistor") << 6 << with("6,8-15,30-37");
    QTest::addRow("start-button") << 7 << with("54-55");
    QTest::addRow("input-2") << 8 << with("38-39,42-43");
    QTest::addRow("input-4") << 9 << with("38-45");
    QTest::addRow("relay-2") << 10 << with("46-47,50-51");
    QTest::addRow("relay-4") << 11 << with("46-53");
    QTest::addRow("call-point-cover") << 12 << with("54-55");
    QTest::addRow("input-relay") << 13 << with("38-39,42-43,46-47,50-51");
    QTest::addRow("valve-module") << 14 << with("38-39,42-43");
    QTest::addRow("lo-a") << 15 << with("56-62");
    QTest::addRow("lo-b") << 16 << with("56-62");
    QTest::addRow("control-ionistor") << 17 << with("8-15");
    QTest::addRow("power-module") << 20 << common;
    QTest::addRow("smoke-heat") << 23 << with("6-7,20-29");
    QTest::addRow("smoke-heat-ionistor") << 24 << with("6-15,20-22,24,26-29");
    QTest::addRow("controller") << 100 << common;
    QTest::addRow("undefined") << 255 << common;
    QTest::addRow("zero") << 0 << common;
}

void TestAuPropertiesModel::meaningfulColumnsPerType()
{
    QFETCH(int, type);
    QFETCH(QString, columns);
    ColumnValidRows valid;
    AuPropertiesModel model(&valid);
    model.slotSetFire(9, true);
    model.slotSetType(17, type);
    QCOMPARE(ranges(model.meaningfulColumns(17)), columns);
    // What the cells show, and the validity map the proxy reads, agree with the list.
    const int row = model.rowOfAddress(17);
    const QList<int> listed = model.meaningfulColumns(17);
    QVERIFY(!model.index(row, GeneralState).data().isNull());
    for (int column = 1; column < ColumnCount; ++column) {
        const QModelIndex cell = model.index(row, column);
        QCOMPARE(cell.data().isNull(), !listed.contains(column));
        if (!listed.contains(column))
            QVERIFY2(!cell.data(Qt::ForegroundRole).isValid(), qPrintable(QString::number(column)));
        QCOMPARE(valid.value(column).contains(row), listed.contains(column));
    }
}

void TestAuPropertiesModel::announcedColumns_data()
{
    QTest::addColumn<Feed>("feed");
    QTest::addColumn<QString>("columns");
    QTest::addColumn<int>("addr");
    // clang-format off
    QTest::addRow("type") << FEED(slotSetType(a, 2)) << "2-66" << 250;
    QTest::addRow("general-state") << FEED(slotSetGeneralState(a, 0)) << "0" << 250;
    QTest::addRow("general-state-251") << FEED(slotSetGeneralState251(0)) << "0" << 251;
    QTest::addRow("ionistor") << FEED(slotSetIonistorState(a, 0)) << "14-15" << 250;
    QTest::addRow("u") << FEED(slotSetU(a, 1)) << "10" << 250;
    QTest::addRow("u1") << FEED(slotSetU1(a, 1)) << "11" << 250;
    QTest::addRow("u2") << FEED(slotSetU2(a, 1)) << "12" << 250;
    QTest::addRow("u3") << FEED(slotSetU3(a, 1)) << "13" << 250;
    QTest::addRow("temperature-byte") << FEED(slotSet_T_ULo(a, 1)) << "20;58" << 250;
    QTest::addRow("threshold") << FEED(slotSetThresholdT(a, 1)) << "21" << 250;
    QTest::addRow("smoke") << FEED(slotSetSmoke(a, 1)) << "24" << 250;
    QTest::addRow("mean-smoke") << FEED(slotSetSmokeMid(a, 1)) << "25" << 250;
    QTest::addRow("fire-threshold") << FEED(slotSetIPD_FireThreshold(a, 1)) << "27" << 250;
    QTest::addRow("resource") << FEED(slotSetIPD_resource(a, 1)) << "28" << 250;
    QTest::addRow("photo") << FEED(slotSetPhoto(a, 1)) << "23" << 250;
    QTest::addRow("dustiness") << FEED(slotSetDustiness(a, 1)) << "26" << 250;
    QTest::addRow("laser") << FEED(slotSetLaser(a, 1)) << "30" << 250;
    QTest::addRow("pyrosensor") << FEED(slotSetPyrosensor(a, 1)) << "31" << 250;
    QTest::addRow("s1") << FEED(slotSetCumulaterS1(a, 1)) << "32" << 250;
    QTest::addRow("s2") << FEED(slotSetCumulaterS2(a, 1)) << "33" << 250;
    QTest::addRow("pyro-timer") << FEED(slotSetPyroTimer(a, 1)) << "34" << 250;
    QTest::addRow("border") << FEED(slotSetIPP_W(a, AuCellTypes::W3, 1)) << "35-37" << 250;
    QTest::addRow("counter") << FEED(slotSetNoResponseCounter(a, 1)) << "65" << 250;
    QTest::addRow("extra-data") << FEED(slotSetAdditionData(a, 1)) << "66" << 250;
    QTest::addRow("firmware") << FEED(slotSetFirmwareVersion(a, 1)) << "3" << 250;
    QTest::addRow("mains") << FEED(slotSetPowerSupply(a, 1)) << "59" << 250;
    QTest::addRow("main-power") << FEED(slotSetOp(a, 1)) << "60" << 250;
    QTest::addRow("reserve-power") << FEED(slotSetRp(a, 1)) << "61" << 250;
    QTest::addRow("lo-line") << FEED(slotSetLo(a, 1)) << "62" << 250;
    QTest::addRow("lo-mode") << FEED(slotSetPowerLo(a, 1)) << "56" << 250;
    QTest::addRow("lo-initial-mode") << FEED(slotSetPowerLoInit(a, 1)) << "57" << 250;
    QTest::addRow("isolators") << FEED(slotSetInsulators(a, 1)) << "16-17" << 250;
    QTest::addRow("input") << FEED(slotSetInput(a, Io::Io2, 1, true)) << "38-41" << 250;
    QTest::addRow("output") << FEED(slotSetOutput(a, Io::Io3, 1, false)) << "46-49" << 250;
    QTest::addRow("initial-output") << FEED(slotSetOutputInit(a, Io::Io1, 1)) << "50-53" << 250;
    QTest::addRow("valve") << FEED(slotSetValve(a, AuCellTypes::Valve2, 1)) << "38-39" << 250;
    QTest::addRow("adc") << FEED(slotSetInputADC(a, Io::Io1, 1)) << "42-45" << 250;
    QTest::addRow("standby-current") << FEED(slotSetSbAmperage(a, 1)) << "64" << 250;
    QTest::addRow("mean-current") << FEED(slotSetAverageAmperage(a, 1)) << "63" << 250;
    QTest::addRow("call-point-button") << FEED(slotSetButtonIPR_IPRV(a, 1)) << "54" << 250;
    QTest::addRow("cover") << FEED(slotSetTamperUDP_IPRV(a, 1)) << "55" << 250;
    QTest::addRow("start-button") << FEED(slotSetButtonUDP(a, 1)) << "54" << 250;
    QTest::addRow("sensor") << FEED(slotSetSensor(a, 1)) << "22;29" << 250;
    QTest::addRow("connection") << FEED(slotSetConnection(a, 1)) << "5" << 250;
    QTest::addRow("fire") << FEED(slotSetFire(a, true)) << "6" << 250;
    QTest::addRow("pre-alarm") << FEED(slotSetPreAlarm(a, true)) << "7" << 250;
    QTest::addRow("storage") << FEED(slotSetHeater(a, 1)) << "8" << 250;
    QTest::addRow("storage-resistance") << FEED(slotSet_R_NE(a, 1)) << "9" << 250;
    QTest::addRow("blocking") << FEED(slotSetBlocking(a, false)) << "18" << 250;
    QTest::addRow("processor") << FEED(slotSetProcType(a, 1)) << "4" << 250;
    QTest::addRow("heat-channel") << FEED(slotSetIptChannelType(a, 1)) << "19" << 250;
    // clang-format on
}

void TestAuPropertiesModel::announcedColumns()
{
    QFETCH(Feed, feed);
    QFETCH(QString, columns);
    QFETCH(int, addr);
    ColumnValidRows valid;
    AuPropertiesModel model(&valid);
    model.slotSetType(5, 4);
    model.slotSetType(250, 4);
    model.slotSetType(251, 4);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    feed(model, 250);
    QStringList announced;
    for (const QList<QVariant> &args : changed) {
        const QModelIndex first = args.at(0).toModelIndex();
        const QModelIndex last = args.at(1).toModelIndex();
        QCOMPARE(first.row(), model.rowOfAddress(addr));
        QCOMPARE(last.row(), first.row());
        announced << (first.column() == last.column()
                          ? QString::number(first.column())
                          : QStringLiteral("%1-%2").arg(first.column()).arg(last.column()));
    }
    QCOMPARE(announced.join(QLatin1Char(';')), columns);
    QCOMPARE(inserted.count(), 0);
}

// The decoder sends every value of every cycle; only a change may make the views repaint or re-filter.
void TestAuPropertiesModel::repeatedValueAnnouncesNothing()
{
    QFETCH(Feed, feed);
    QFETCH(int, addr);
    ColumnValidRows valid;
    AuPropertiesModel model(&valid);
    model.slotSetType(addr, 4);
    feed(model, addr);
    const QStringList before = rowTexts(model, model.rowOfAddress(addr));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy validity(&model, &AuPropertiesModel::signalColumnValidRowsChanged);
    QSignalSpy states(&model, &AuPropertiesModel::signalGeneralStateChanged);
    feed(model, addr);
    QCOMPARE(changed.count() + validity.count() + states.count(), 0);
    QCOMPARE(rowTexts(model, model.rowOfAddress(addr)), before);
}

void TestAuPropertiesModel::firstValueAppendsAnUnknownUnit()
{
    ColumnValidRows valid;
    AuPropertiesModel model(&valid);
    model.slotSetType(3, 2);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy validity(&model, &AuPropertiesModel::signalColumnValidRowsChanged);
    model.slotSetFire(17, true);
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.at(0).at(1).toInt(), 1);
    QCOMPARE(inserted.at(0).at(2).toInt(), 1);
    QCOMPARE(model.rowOfAddress(17), 1);
    QCOMPARE(model.rowOfAddress(18), -1);
    const AuUnitRecord record = model.record(1);
    QCOMPARE(record.address, 17);
    QCOMPARE(record.type, 255);
    QCOMPARE(record.generalState, 8);
    QCOMPARE(int(record.fire), 1);
    // Not a fire type yet: nothing to show, but the unit's address counts for the address column.
    QVERIFY(model.index(1, Fire).data().isNull());
    QVERIFY(valid.value(Address).contains(1));
    QCOMPARE(validity.count(), 1);

    model.slotSetFire(17, true);
    QCOMPARE(inserted.count(), 1);
    model.slotSetType(17, 4);
    QCOMPARE(model.index(1, Fire).data().toString(), QStringLiteral("Да"));
    QCOMPARE(validity.count(), 2);
    QCOMPARE(model.recordCount(), 2);
    QCOMPARE(model.record(2).address, 0);
}

void TestAuPropertiesModel::addressesOutsideTheLoopAreIgnored_data()
{
    QTest::addColumn<Feed>("feed");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("stateSignals");
    QTest::addRow("zero") << FEED(slotSetFire(0, true)) << 0 << 0;
    QTest::addRow("252") << FEED(slotSetType(252, 4)) << 0 << 0;
    QTest::addRow("state-of-251-by-address") << FEED(slotSetGeneralState(251, 0)) << 0 << 0;
    QTest::addRow("state-of-251-own-slot") << FEED(slotSetGeneralState251(0)) << 1 << 1;
    QTest::addRow("other-values-of-251") << FEED(slotSetConnection(251, 2)) << 1 << 0;
    QTest::addRow("state-of-250") << FEED(slotSetGeneralState(250, 0)) << 1 << 1;
}

void TestAuPropertiesModel::addressesOutsideTheLoopAreIgnored()
{
    QFETCH(Feed, feed);
    QFETCH(int, rows);
    QFETCH(int, stateSignals);
    ColumnValidRows valid;
    AuPropertiesModel model(&valid);
    QSignalSpy states(&model, &AuPropertiesModel::signalGeneralStateChanged);
    feed(model, 0);
    QCOMPARE(model.rowCount(), rows);
    QCOMPARE(states.count(), stateSignals);
    if (rows == 1 && stateSignals == 1)
        QCOMPARE(model.index(0, GeneralState).data().toInt(), 0);
}

void TestAuPropertiesModel::numbersOutsideTheirRangeStoreNothing_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<Feed>("feed");
    // clang-format off
    QTest::addRow("input-5") << 9 << FEED(slotSetInput(a, Io(5), 1, false));
    QTest::addRow("initial-output-5") << 11 << FEED(slotSetOutputInit(a, Io(5), 1));
    QTest::addRow("valve-3") << 14 << FEED(slotSetValve(a, AuCellTypes::ValveNumber(3), 1));
    QTest::addRow("border-4") << 5 << FEED(slotSetIPP_W(a, AuCellTypes::IPP_W_Number(4), 1));
    // clang-format on
}

void TestAuPropertiesModel::numbersOutsideTheirRangeStoreNothing()
{
    QFETCH(int, type);
    QFETCH(Feed, feed);
    ColumnValidRows valid;
    AuPropertiesModel model(&valid);
    model.slotSetType(17, type);
    const QStringList before = rowTexts(model, 0);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    feed(model, 17);
    feed(model, 18);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(rowTexts(model, 0), before);
}

void TestAuPropertiesModel::typeChangeMovesTheUnitBetweenColumns()
{
    ColumnValidRows valid;
    AuPropertiesModel model(&valid);
    model.slotSetType(17, SmokeDetector);
    model.slotSetType(18, SmokeDetector);
    model.slotSetSmoke(17, 30);
    QSignalSpy validity(&model, &AuPropertiesModel::signalColumnValidRowsChanged);
    model.slotSetType(17, InputModule2);
    QCOMPARE(validity.count(), 1);
    for (int column : {int(Fire), int(Smoke), int(Resource), int(Led)}) {
        QCOMPARE(valid.value(column), QSet<int>{1});
        QVERIFY(model.index(0, column).data().isNull());
    }
    for (int column : {int(Input1), int(Input2), int(Adc1), int(Adc2)}) {
        QCOMPARE(valid.value(column), QSet<int>{0});
        QVERIFY(!model.index(0, column).data().isNull());
    }
    QCOMPARE(valid.value(Address), (QSet<int>{0, 1}));
    QVERIFY(!valid.contains(GeneralState));
}

void TestAuPropertiesModel::decimalsInTheModelsLocale()
{
    ColumnValidRows valid;
    AuPropertiesModel model(&valid);
    model.setNumberLocale(QLocale::c());
    model.slotSetType(17, ControlModuleC);
    model.slotSetU(17, 3.456);
    model.slotSetAverageAmperage(17, 1.26);
    model.slotSetType(15, ControlModuleA);
    model.slotSet_T_ULo(15, 255);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    // The views learn that every cell may read differently.
    model.setNumberLocale(QLocale(QLocale::Russian, QLocale::Russia));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().at(1).toModelIndex(), model.index(1, ColumnCount - 1));
    QCOMPARE(model.index(model.rowOfAddress(17), U).data().toString(), QStringLiteral("3,46 В"));
    QCOMPARE(model.index(model.rowOfAddress(17), AverageAmperage).data().toString(),
             QStringLiteral("1,3 мА"));
    QCOMPARE(model.index(model.rowOfAddress(15), LoVoltage).data().toString(), QStringLiteral("29,6 В"));
}

void TestAuPropertiesModel::typeSummary_data()
{
    QTest::addColumn<QList<int>>("units"); // address, type, firmware version, ...
    QTest::addColumn<QString>("summary");
    QTest::addRow("one-version") << QList<int>{1, 4, 12, 2, 4, 12} << "4:12:2";
    QTest::addRow("mixed-lowest-highest") << QList<int>{1, 4, 12, 2, 4, 9, 3, 4, 10} << "4:9/12:3";
    QTest::addRow("undefined-left-out") << QList<int>{1, 255, 3, 2, 2, 5} << "2:5:1";
    // Addresses with nothing there are no units of any type.
    QTest::addRow("empty-addresses-left-out") << QList<int>{1, 0, 0, 2, 0, 0, 3, 4, 7} << "4:7:1";
    // The unit at 251 waits for an address of its own: no unit of the loop yet.
    QTest::addRow("address-251-left-out") << QList<int>{1, 4, 24, 251, 4, 0, 2, 4, 24} << "4:24:2";
    QTest::addRow("ordered-by-code") << QList<int>{1, 9, 1, 2, 2, 7, 3, 9, 1} << "2:7:1 9:1:2";
    QTest::addRow("empty") << QList<int>{} << "";
}

void TestAuPropertiesModel::typeSummary()
{
    QFETCH(QList<int>, units);
    QFETCH(QString, summary);
    ColumnValidRows valid;
    AuPropertiesModel model(&valid);
    model.slotSetFirmwareVersion(200, 44); // heard of, type never reported
    for (int i = 0; i + 2 < units.size(); i += 3) {
        model.slotSetType(units.at(i), units.at(i + 1));
        model.slotSetFirmwareVersion(units.at(i), uchar(units.at(i + 2)));
    }
    const QMap<HardTypes, QPair<QString, QString>> map = model.typeVersionCountMap();
    QStringList parts;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        parts << QStringLiteral("%1:%2:%3").arg(int(it.key())).arg(it.value().first, it.value().second);
    QCOMPARE(parts.join(QLatin1Char(' ')), summary);
}

void TestAuPropertiesModel::loModeBoldWhenDriving_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("bold");
    QTest::addRow("off-plain") << 0 << false;
    QTest::addRow("direct-bold") << 1 << true;
    QTest::addRow("unknown-plain") << 5 << false;
}

void TestAuPropertiesModel::loModeBoldWhenDriving()
{
    QFETCH(int, mode);
    QFETCH(bool, bold);
    ColumnValidRows valid;
    AuPropertiesModel model(&valid);
    model.slotSetType(40, ControlModuleB);
    model.slotSetPowerLo(40, uchar(mode));
    model.slotSetPowerLoInit(40, uchar(mode));
    for (int column : {int(LoMode), int(LoModeInit)}) {
        const QVariant font = model.index(0, column).data(Qt::FontRole);
        QCOMPARE(font.isValid() && font.value<QFont>().weight() == 75, bold);
    }
    QVERIFY(!model.index(0, PowerSupply).data(Qt::FontRole).isValid());
}

void TestAuPropertiesModel::headers()
{
    ColumnValidRows valid;
    AuPropertiesModel model(&valid);
    QCOMPARE(model.columnCount(), 67);
    const QStringList expected = {QStringLiteral("Состояние общее"), QStringLiteral("R НЭ"),
                                  QStringLiteral("Средняя задымлённость (Y)"), QStringLiteral("U пит. ЛО"),
                                  QStringLiteral("Доп. данные")};
    const int columns[] = {0, 9, 25, 58, 66};
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(model.headerData(columns[i], Qt::Horizontal).toString(), expected.at(i));
        QCOMPARE(model.headerData(columns[i], Qt::Horizontal, Qt::ToolTipRole).toString(), expected.at(i));
        QCOMPARE(model.headerData(columns[i], Qt::Horizontal, Qt::FontRole).value<QFont>().weight(), 75);
    }
    QVERIFY(!model.headerData(0, Qt::Vertical).isValid());
    QVERIFY(!model.headerData(67, Qt::Horizontal).isValid());
}

QTEST_MAIN(TestAuPropertiesModel)
#include "tst_aupropertiesmodel.moc"
