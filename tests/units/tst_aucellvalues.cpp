#include "aucellvalues.h"
#include "gridgeometry.h"
#include "hardtypes.h"

#include <QtTest>

using Kind = AuCellTypes::CellKind;
using L = AuCellValues;

class TestAuCellValues : public QObject
{
    Q_OBJECT

private slots:
    void colourOfEveryCode_data();
    void colourOfEveryCode();
    void smokeGridPrecedence_data();
    void smokeGridPrecedence();
    void ionistorGrid_data();
    void ionistorGrid();
    void filteredUnitHidesAllButAddress_data();
    void filteredUnitHidesAllButAddress();
    void generalTexts_data();
    void generalTexts();
    void ionistorAndSmokeTexts();
    void modulePortsByNumber();
    void isolatorColours();
    void wrapColumns_data();
    void wrapColumns();
    void wrappedPositions();
    void zoomRounding();
    void unusableSizesRefused_data();
    void unusableSizesRefused();
};

void TestAuCellValues::colourOfEveryCode_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("colour");
    const struct
    {
        int code;
        const char *general;
        const char *ionistor;
        const char *smoke;
    } table[] = {
        {0, "lawngreen", "lawngreen", "lawngreen"},
        {1, "orange", "darkturquoise", "orange"},
        {2, "yellow", "orange", "yellow"},
        {3, "mediumpurple", "yellow", "gray"},
        {4, "red", "silver", "red"},
        {5, "cyan", "red", "gray"},
        {6, "peru", "gray", "peru"},
        {7, "gray", "gray", "gray"},
        {8, "silver", "lawngreen", "silver"},
        {9, "magenta", "darkturquoise", "gray"},
        {10, "gray", "orange", "mediumpurple"},
        {11, "gray", "yellow", "magenta"},
        {12, "gray", "silver", "gray"},
        {13, "gray", "gray", "gray"},
        {16, "white", "white", "white"},
        {-1, "gray", "gray", "gray"},
    };
    for (const auto &row : table) {
        const char *names[] = {row.general, row.ionistor, row.smoke};
        for (int kind = 0; kind < 3; ++kind) {
            QTest::addRow("kind%d-code%d-%s", kind, row.code, names[kind])
                << kind << row.code << QString::fromLatin1(names[kind]);
        }
    }
}

void TestAuCellValues::colourOfEveryCode()
{
    QFETCH(int, kind);
    QFETCH(int, code);
    QFETCH(QString, colour);
    QCOMPARE(AuCellValues::cellColour(Kind(kind), code), QColor(colour));
}

void TestAuCellValues::smokeGridPrecedence_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<bool>("unBlocked");
    QTest::addColumn<int>("connection");
    QTest::addColumn<int>("photo");
    QTest::addColumn<int>("sensor");
    QTest::addColumn<int>("fire");
    QTest::addColumn<int>("dustiness");
    QTest::addColumn<int>("code");
    QTest::addRow("normal") << 4 << false << true << 0 << 0 << 0 << 0 << 0 << 0;
    QTest::addRow("hidden-over-blocked") << 4 << true << false << 1 << 1 << 1 << 1 << 1 << 16;
    QTest::addRow("blocked-over-lost") << 4 << false << false << 1 << 1 << 1 << 1 << 1 << 6;
    QTest::addRow("lost-over-faulty") << 23 << false << true << 4 << 1 << 1 << 1 << 1 << 1;
    QTest::addRow("wrong-type-connection-not-lost") << 4 << false << true << 5 << 0 << 0 << 0 << 0 << 0;
    QTest::addRow("photo-fault-over-fire") << 24 << false << true << 0 << 1 << 0 << 1 << 1 << 2;
    QTest::addRow("sensor-fault-over-fire") << 4 << false << true << 0 << 0 << 3 << 1 << 2 << 2;
    QTest::addRow("fire-over-dustiness") << 4 << false << true << 0 << 0 << 0 << 1 << 2 << 4;
    QTest::addRow("critical-dust") << 4 << false << true << 0 << 0 << 0 << 0 << 1 << 10;
    QTest::addRow("limit-dust") << 4 << false << true << 0 << 0 << 0 << 0 << 2 << 11;
    QTest::addRow("dust-3-unknown") << 4 << false << true << 0 << 0 << 0 << 0 << 3 << -1;
    QTest::addRow("not-smoke-type-fire-ignored") << 2 << false << true << 0 << 0 << 0 << 1 << 0 << 8;
    QTest::addRow("not-smoke-type-hidden-stays-silver") << 2 << true << true << 0 << 0 << 0 << 0 << 0 << 8;
}

void TestAuCellValues::smokeGridPrecedence()
{
    QFETCH(int, type);
    QFETCH(bool, hidden);
    QFETCH(bool, unBlocked);
    QFETCH(int, connection);
    QFETCH(int, photo);
    QFETCH(int, sensor);
    QFETCH(int, fire);
    QFETCH(int, dustiness);
    QFETCH(int, code);
    AuCellValues values(7, AuCellTypes::SmokeCell);
    values.type = type;
    values.hidden = hidden;
    values.unBlocked = unBlocked;
    values.connection = quint8(connection);
    values.photo = quint8(photo);
    values.sensor = quint8(sensor);
    values.fire = fire;
    values.dustiness = quint8(dustiness);
    QCOMPARE(values.displayCode(), code);
}

void TestAuCellValues::ionistorGrid_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<bool>("charging");
    QTest::addRow("never-reported-silver") << 3 << 4 << false << QStringLiteral("silver") << false;
    QTest::addRow("discharged-charging") << 6 << 10 << false << QStringLiteral("orange") << true;
    QTest::addRow("needs-charge-charging") << 17 << 9 << false << QStringLiteral("darkturquoise") << true;
    QTest::addRow("overcharged") << 24 << 5 << false << QStringLiteral("red") << false;
    QTest::addRow("hidden-white-no-animation") << 24 << 10 << true << QStringLiteral("white") << false;
    QTest::addRow("non-ionistor-silver-whatever-state")
        << 4 << 5 << false << QStringLiteral("silver") << false;
    QTest::addRow("non-ionistor-never-charging") << 2 << 10 << false << QStringLiteral("silver") << false;
    QTest::addRow("non-ionistor-hidden-still-silver") << 2 << 0 << true << QStringLiteral("silver") << false;
}

void TestAuCellValues::ionistorGrid()
{
    QFETCH(int, type);
    QFETCH(int, state);
    QFETCH(bool, hidden);
    QFETCH(QString, colour);
    QFETCH(bool, charging);
    AuCellValues values(9, AuCellTypes::IonistorCell);
    values.type = type;
    values.state = state;
    values.hidden = hidden;
    QCOMPARE(AuCellValues::cellColour(values.kind, values.displayCode()), QColor(colour));
    QCOMPARE(values.charging(), charging);
}

void TestAuCellValues::filteredUnitHidesAllButAddress_data()
{
    QTest::addColumn<int>("kind");
    QTest::addRow("general") << int(AuCellTypes::GeneralCell);
    QTest::addRow("ionistor") << int(AuCellTypes::IonistorCell);
    QTest::addRow("smoke") << int(AuCellTypes::SmokeCell);
}

void TestAuCellValues::filteredUnitHidesAllButAddress()
{
    QFETCH(int, kind);
    AuCellValues values(42, Kind(kind));
    values.type = SmokeHeatDetector2; // belongs to every grid
    values.state = 0;
    values.voltage = 3.3;
    values.smoke = 12;
    values.hidden = true;
    QCOMPARE(values.displayCode(), AuCellValues::HiddenCode);
    QCOMPARE(AuCellValues::cellColour(values.kind, values.displayCode()), QColor(Qt::white));
    const AuCellValues::Texts texts = values.texts();
    for (int label = 0; label < L::LabelCount; ++label)
        QCOMPARE(texts[label], label == L::AddressLabel ? QStringLiteral("42") : QString());
}

void TestAuCellValues::generalTexts_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("state");
    QTest::addColumn<QStringList>("expected"); // label index, then text, in pairs
    const QString degree = QString(QChar(0x00B0));
    QTest::addRow("unconfigured-address-no-type-or-version")
        << 2 << 8
        << QStringList{QString::number(L::TypeLabel), QString(), QString::number(L::FirmwareLabel),
                       QString()};
    QTest::addRow("heat-temperatures")
        << 2 << 0
        << QStringList{
               QString::number(L::TemperatureLabel), QStringLiteral("t=35") + degree + QStringLiteral("C"),
               QString::number(L::ThresholdLabel),   QStringLiteral("70") + degree + QStringLiteral("C"),
               QString::number(L::FirmwareLabel),    QStringLiteral("17  ")};
    QTest::addRow("lo-mode-short") << 15 << 0
                                   << QStringList{QString::number(L::LoLabel), QStringLiteral("ПМ")};
    QTest::addRow("input-4-all-inputs")
        << 9 << 0 << QStringList{QString::number(L::Input1Label),  QStringLiteral("В1:р"),
                                 QString::number(L::Input4Label),  QStringLiteral("В4:-"),
                                 QString::number(L::Output1Label), QString()};
    QTest::addRow("input-2-no-inputs-3-4")
        << 8 << 0
        << QStringList{QString::number(L::Input2Label), QStringLiteral("В2:з"),
                       QString::number(L::Input3Label), QString()};
    QTest::addRow("input-relay-from-own-bank")
        << 13 << 0 << QStringList{QString::number(L::Input1Label),  QStringLiteral("В1:о"),
                                  QString::number(L::Output2Label), QStringLiteral("Р2:н"),
                                  QString::number(L::Input3Label),  QString()};
    QTest::addRow("relay-4-outputs") << 11 << 0
                                     << QStringList{QString::number(L::Output3Label), QStringLiteral("Р3:о"),
                                                    QString::number(L::Input1Label), QString()};
    QTest::addRow("valve-module") << 14 << 0
                                  << QStringList{QString::number(L::Valve1Label), QStringLiteral("З1:з"),
                                                 QString::number(L::Valve2Label), QStringLiteral("З2:-"),
                                                 QString::number(L::Input1Label), QString()};
    QTest::addRow("smoke-levels-no-resource-in-general")
        << 4 << 0 << QStringList{QString::number(L::SmokeLabel),    QStringLiteral("Тз=12 ед."),
                                 QString::number(L::SmokeMidLabel), QStringLiteral("Y=9 ед."),
                                 QString::number(L::ResourceLabel), QString()};
    QTest::addRow("ionistor-voltage-two-decimals")
        << 17 << 0 << QStringList{QString::number(L::VoltageLabel), QStringLiteral("3.25 В")};
}

void TestAuCellValues::generalTexts()
{
    QFETCH(int, type);
    QFETCH(int, state);
    QFETCH(QStringList, expected);
    AuCellValues values(3, AuCellTypes::GeneralCell);
    values.type = type;
    values.state = state;
    values.t_u = 128;
    values.thresholdT = 70;
    values.firmwareVersion = 17;
    values.powerLo = 2;
    values.smoke = 12;
    values.smokeMid = 9;
    values.voltage = 3.251;
    values.setInput(1, 0, false);
    values.setInput(2, 1, false);
    values.setInput(1, 2, true);
    values.setOutput(2, 3, true);
    values.setOutput(3, 2, false);
    values.setValve(1, 1);
    const AuCellValues::Texts texts = values.texts();
    for (int i = 0; i + 1 < expected.size(); i += 2)
        QCOMPARE(texts[expected.at(i).toInt()], expected.at(i + 1));
}

void TestAuCellValues::ionistorAndSmokeTexts()
{
    AuCellValues ionistor(5, AuCellTypes::IonistorCell);
    ionistor.type = HeatDetector2;
    ionistor.state = 0;
    ionistor.voltage = 4.5;
    QCOMPARE(ionistor.texts()[L::VoltageLabel], QStringLiteral("U=4.50 В"));
    QCOMPARE(ionistor.texts()[L::TypeLabel], QString());
    QCOMPARE(ionistor.texts()[L::TemperatureLabel], QString());

    AuCellValues smoke(6, AuCellTypes::SmokeCell);
    smoke.type = SmokeDetector;
    smoke.resource = 84;
    QCOMPARE(smoke.texts()[L::ResourceLabel], QStringLiteral("Р=84%"));
    QCOMPARE(smoke.texts()[L::SmokeLabel], QStringLiteral("Тз=0 ед."));
    smoke.type = FlameDetector;
    QCOMPARE(smoke.texts()[L::ResourceLabel], QString());
}

void TestAuCellValues::modulePortsByNumber()
{
    AuCellValues values(1, AuCellTypes::GeneralCell);
    QVERIFY(!values.setInput(0, 1, false));
    QVERIFY(!values.setInput(5, 1, false));
    QVERIFY(!values.setValve(3, 1));
    QVERIFY(values.setInput(3, 1, true)); // numbers 3 and 4 have one store
    QCOMPARE(int(values.input[2]), 1);
    QVERIFY(values.setOutput(2, 0, true));
    QCOMPARE(int(values.outputVexa2R2[1]), 0);
    QCOMPARE(int(values.output[1]), 4);
    QVERIFY(!values.setOutput(2, 0, true));
}

void TestAuCellValues::isolatorColours()
{
    QCOMPARE(AuCellValues::isolatorColour(0), QColor(QStringLiteral("darkred")));
    QCOMPARE(AuCellValues::isolatorColour(1).alpha(), 0);
    QCOMPARE(AuCellValues::isolatorColour(2), QColor(QStringLiteral("silver")));
}

void TestAuCellValues::wrapColumns_data()
{
    QTest::addColumn<int>("viewportWidth");
    QTest::addColumn<int>("cellWidth");
    QTest::addColumn<int>("columns");
    QTest::addRow("twelve-exactly") << 12 * 71 + 2 << 70 << 12;
    QTest::addRow("one-pixel-short-of-twelve") << 12 * 71 + 1 << 70 << 11;
    QTest::addRow("narrow-at-least-one") << 30 << 70 << 1;
    QTest::addRow("wide-at-most-250") << 100000 << 8 << 250;
}

void TestAuCellValues::wrapColumns()
{
    QFETCH(int, viewportWidth);
    QFETCH(int, cellWidth);
    QFETCH(int, columns);
    QCOMPARE(GridGeometry::wrapColumns(viewportWidth, cellWidth), columns);
}

void TestAuCellValues::wrappedPositions()
{
    QCOMPARE(GridGeometry::rowCount(12), 21);
    QCOMPARE(GridGeometry::rowOf(241, 12), 20);
    QCOMPARE(GridGeometry::columnOf(241, 12), 0);
    QCOMPARE(GridGeometry::columnOf(250, 12), 9);
    QCOMPARE(GridGeometry::rowCount(25), 10);
    QCOMPARE(GridGeometry::rowOf(26, 25), 1);
    QCOMPARE(GridGeometry::rowCount(250), 1);
}

void TestAuCellValues::zoomRounding()
{
    QCOMPARE(GridGeometry::zoomedIn(QSize(70, 70)), QSize(74, 74));  // 73.5 rounds up
    QCOMPARE(GridGeometry::zoomedOut(QSize(70, 70)), QSize(67, 67)); // 66.67
    QCOMPARE(GridGeometry::scaled(QSize(1800, 720), 80.0 / 70.0), QSize(2057, 823));
}

void TestAuCellValues::unusableSizesRefused_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("usable");
    QTest::addRow("invalid") << QSize() << false;
    QTest::addRow("zero") << QSize(0, 0) << false;
    QTest::addRow("tiny") << QSize(7, 70) << false;
    QTest::addRow("huge") << QSize(70, 5000) << false;
    QTest::addRow("normal") << QSize(70, 70) << true;
}

void TestAuCellValues::unusableSizesRefused()
{
    QFETCH(QSize, size);
    QFETCH(bool, usable);
    QCOMPARE(GridGeometry::isUsableCellSize(size), usable);
}

QTEST_GUILESS_MAIN(TestAuCellValues)
#include "tst_aucellvalues.moc"
