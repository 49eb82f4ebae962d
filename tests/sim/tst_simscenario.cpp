#include "simbus.h"
#include "simregistermap.h"
#include "simscenario.h"

#include <QSet>
#include <QtTest>

// Scenario files: a mistake gets a message that names its place, and the demo scenario holds what the
// demo and the end-to-end tests rely on.
class TestSimScenario : public QObject
{
    Q_OBJECT

private slots:
    void mistakesAreNamed_data();
    void mistakesAreNamed();
    void addressLists_data();
    void addressLists();
    void demoScenarioCoversTheLine();
    void blocksDoNotOverlap();
};

void TestSimScenario::mistakesAreNamed_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("message");

    const auto one = [](const char *units) -> QByteArray {
        return QByteArray(R"({"controllers":[{"address":1,"units":[)") + units + "]}]}";
    };
    QTest::addRow("not-json") << QByteArray("{\"controllers\": [") << QStringLiteral("not valid JSON");
    QTest::addRow("not-an-object") << QByteArray("[]") << QStringLiteral("must be a JSON object");
    QTest::addRow("unknown-top-level-key")
        << QByteArray(R"({"controlers":[]})") << QStringLiteral("\"controlers\"");
    QTest::addRow("no-controllers") << QByteArray(R"({"controllers":[]})")
                                    << QStringLiteral("non-empty array");
    QTest::addRow("controller-address-9")
        << QByteArray(R"({"controllers":[{"address":9}]})") << QStringLiteral("controllers[0]");
    QTest::addRow("controller-address-twice")
        << QByteArray(R"({"controllers":[{"address":2},{"address":2}]})") << QStringLiteral("controllers[1]");
    QTest::addRow("unknown-controller-value")
        << QByteArray(R"({"controllers":[{"address":1,"versoin":15}]})") << QStringLiteral("\"versoin\"");
    QTest::addRow("controller-value-out-of-range")
        << QByteArray(R"({"controllers":[{"address":1,"supply24":300}]})")
        << QStringLiteral("supply24 must lie in 0..255");
    QTest::addRow("constant-index-32")
        << QByteArray(R"({"controllers":[{"address":1,"constants":{"current":{"32":1}}}]})")
        << QStringLiteral("index 0..31");
    QTest::addRow("unit-without-address") << one(R"({"type":4})") << QStringLiteral("units[0]");
    QTest::addRow("unit-without-type") << one(R"({"address":3})") << QStringLiteral("\"type\"");
    QTest::addRow("unit-address-252")
        << one(R"({"address":252,"type":4})") << QStringLiteral("outside 1..251");
    QTest::addRow("reversed-address-range")
        << one(R"({"addresses":"20-10","type":4})") << QStringLiteral("\"addresses\"");
    QTest::addRow("unknown-unit-value")
        << one(R"({"address":1,"type":4,"smok":3})") << QStringLiteral("\"smok\"");
    QTest::addRow("unit-value-out-of-range")
        << one(R"({"address":1,"type":4,"dust":4})") << QStringLiteral("dust must lie in 0..3");
    QTest::addRow("unit-value-not-a-number")
        << one(R"({"address":1,"type":4,"smoke":"high"})") << QStringLiteral("must be a number");
    QTest::addRow("unknown-state") << one(R"({"address":1,"type":4,"state":"burning"})")
                                   << QStringLiteral("unknown state \"burning\"");
    QTest::addRow("configuration-entry-too-large")
        << one(R"({"address":1,"type":15,"loMode":16})") << QStringLiteral("0..15");
    QTest::addRow("configuration-of-251") << one(R"({"address":251,"type":4,"configType":4})")
                                          << QStringLiteral("no entry in configuration block 102");
    QTest::addRow("timeline-entry-without-line")
        << QByteArray(R"({"controllers":[{"address":1}],"timeline":[{"at":3}]})")
        << QStringLiteral("timeline[0]");
    QTest::addRow("repeat-shorter-than-the-timeline")
        << QByteArray(
               R"({"controllers":[{"address":1}],"timelineRepeat":5,"timeline":[{"at":9,"do":"time"}]})")
        << QStringLiteral("timelineRepeat");
}

void TestSimScenario::mistakesAreNamed()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, message);
    SimBus bus;
    SimScenario::Contents contents;
    QString error;
    QVERIFY(!SimScenario::parse(json, bus, &contents, &error));
    QVERIFY2(error.contains(message), qPrintable(error));
}

void TestSimScenario::addressLists_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("addresses");
    QTest::addRow("single") << QStringLiteral("7") << QList<int>{7};
    QTest::addRow("range") << QStringLiteral("3-5") << QList<int>{3, 4, 5};
    QTest::addRow("range-and-single") << QStringLiteral("1-2, 9") << QList<int>{1, 2, 9};
    QTest::addRow("garbage") << QStringLiteral("1-x") << QList<int>{};
    QTest::addRow("three-ends") << QStringLiteral("1-2-3") << QList<int>{};
}

void TestSimScenario::addressLists()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, addresses);
    QCOMPARE(SimScenario::parseAddresses(text), addresses);
}

void TestSimScenario::demoScenarioCoversTheLine()
{
    SimBus bus;
    SimScenario::Contents contents;
    QString error;
    QVERIFY2(SimScenario::load(QStringLiteral(RYN_DEMO_SCENARIO), bus, &contents, &error), qPrintable(error));
    QVERIFY(bus.addresses().size() >= 3);
    QVERIFY(!contents.timeline.isEmpty());

    QSet<int> types;
    QSet<int> versions;
    QSet<int> generalStates;
    QSet<int> outputStates;
    QSet<int> valveStates;
    bool unitAt251 = false;
    bool charging = false;
    bool dusty = false;
    for (const int address : bus.addresses()) {
        const SimController *controller = bus.controller(address);
        versions.insert(controller->version() < 15 ? 14 : 15);
        unitAt251 = unitAt251 || controller->unit(251).isPresent();
        for (int unit = 1; unit <= SimController::maxAddress; ++unit) {
            const SimUnit &record = controller->unit(unit);
            if (!record.isPresent())
                continue;
            types.insert(record.type());
            generalStates.insert(controller->generalState(unit));
            charging = charging || record.value(SimUnit::Charging);
            dusty = dusty || record.value(SimUnit::Dust) > 0;
            for (int n = 0; n < SimUnit::outputCount(record.type()); ++n)
                outputStates.insert(record.value(SimUnit::Field(SimUnit::Out1 + n)));
            if (record.type() == 14) {
                valveStates.insert(record.value(SimUnit::Valve1));
                valveStates.insert(record.value(SimUnit::Valve2));
            }
        }
    }
    for (int type = 1; type <= 24; ++type)
        QVERIFY2(types.contains(type), qPrintable(QStringLiteral("no unit of type %1").arg(type)));
    QCOMPARE(versions, (QSet<int>{14, 15}));
    QVERIFY(unitAt251);
    QVERIFY(charging);
    QVERIFY(dusty);
    // Lost, fault, wrong type, blocked, unconfigured and double address.
    for (const int state : {1, 2, 3, 6, 8, 9})
        QVERIFY2(generalStates.contains(state), qPrintable(QStringLiteral("no unit in state %1").arg(state)));
    QCOMPARE(outputStates, (QSet<int>{0, 1, 2, 3}));
    QCOMPARE(valveStates, (QSet<int>{0, 1, 2, 3}));
    // Controller 2 has been running for 190000 s when the line starts: 2 days, 4 hours, 46:40.
    QCOMPARE(int(bus.controller(2)->registerValue(1002)), (46 << 6) | 40);
    QCOMPARE(int(bus.controller(2)->registerValue(1003)), (2 << 5) | 4);
}

void TestSimScenario::blocksDoNotOverlap()
{
    QVector<SimRegisterMap::Block> blocks = SimRegisterMap::unitBlocks() + SimRegisterMap::configBlocks();
    std::sort(
        blocks.begin(), blocks.end(),
        [](const SimRegisterMap::Block &a, const SimRegisterMap::Block &b) { return a.start < b.start; });
    for (int i = 1; i < blocks.size(); ++i)
        QVERIFY2(blocks.at(i - 1).start + blocks.at(i - 1).count <= blocks.at(i).start,
                 qPrintable(QStringLiteral("block %1 runs into block %2")
                                .arg(blocks.at(i - 1).code)
                                .arg(blocks.at(i).code)));
    QCOMPARE(blocks.last().start + blocks.last().count - 1, SimRegisterMap::unitLast);
}

QTEST_GUILESS_MAIN(TestSimScenario)
#include "tst_simscenario.moc"
