#include "aufilterproxymodel.h"
#include "aupropertiesmodel.h"

#include <QAbstractItemModelTester>
#include <QtTest>

#include <memory>

using namespace AuProperty;

class TestAuFilterProxyModel : public QObject
{
    Q_OBJECT

private slots:
    void hiddenTypesAndEmptyColumns_data();
    void hiddenTypesAndEmptyColumns();
    void typeLabelsAndDashes();
    void requestsInOneTurnFilterOnce();
    void stateAndTypeRefilterByThemselves_data();
    void stateAndTypeRefilterByThemselves();
    void valuesAnnouncedOncePerTurn_data();
    void valuesAnnouncedOncePerTurn();
    void sourceGoneWithChangesGathered();
};

// A loop as the properties page wires it: units in state 8 are not listed.
struct Page
{
    ColumnValidRows valid;
    QList<int> hidden;
    AuPropertiesModel model{&valid};
    AuFilterProxyModel proxy{&hidden, &valid};

    Page()
    {
        proxy.setSourceModel(&model);
        proxy.setFilterKeyColumn(GeneralState);
        proxy.setFilterRegularExpression(QStringLiteral("^(?!%1$)").arg(8));
        QObject::connect(&model, &AuPropertiesModel::signalColumnValidRowsChanged, &proxy,
                         &AuFilterProxyModel::slotFilterChanged);
        QObject::connect(&model, &AuPropertiesModel::signalGeneralStateChanged, &proxy,
                         &AuFilterProxyModel::slotFilterChanged);
        // A smoke detector, an input module, a heat detector not configured, a relay module.
        const int units[][3] = {
            {1, SmokeDetector, 0}, {2, InputModule2, 0}, {3, HeatDetector, 8}, {4, RelayModule2, 1}};
        for (const auto &unit : units) {
            model.slotSetType(unit[0], unit[1]);
            model.slotSetGeneralState(unit[0], unit[2]);
        }
        proxy.flushPendingFilter();
    }

    QList<int> addresses() const
    {
        QList<int> result;
        for (int row = 0; row < proxy.rowCount(); ++row)
            result << model.record(proxy.mapToSource(proxy.index(row, 0)).row()).address;
        return result;
    }

    // The source columns shown, found by their headers (mapping an index needs a listed row).
    QList<int> columns() const
    {
        QList<int> result;
        for (int column = 0; column < proxy.columnCount(); ++column) {
            const QString header = proxy.headerData(column, Qt::Horizontal).toString();
            for (int source = 0; source < ColumnCount; ++source) {
                if (auPropertyHeader(source) == header)
                    result << source;
            }
        }
        return result;
    }
};

void TestAuFilterProxyModel::hiddenTypesAndEmptyColumns_data()
{
    QTest::addColumn<QList<int>>("hidden");
    QTest::addColumn<QList<int>>("addresses");
    QTest::addColumn<QList<int>>("shown");
    QTest::addColumn<QList<int>>("notShown");
    QTest::addRow("all-types-listed")
        << QList<int>{} << QList<int>{1, 2, 4}
        << QList<int>{1, 2, 6, 24, 38, 46} // the heat columns belong to the unlisted unit 3 only
        << QList<int>{0, 7, 19, 20, 30, 56};
    QTest::addRow("smoke-hidden") << QList<int>{SmokeDetector} << QList<int>{2, 4} << QList<int>{1, 38, 46}
                                  << QList<int>{0, 6, 24, 28};
    QTest::addRow("hidden-type-not-on-loop")
        << QList<int>{FlameDetector} << QList<int>{1, 2, 4} << QList<int>{1, 24} << QList<int>{0, 30};
    QTest::addRow("every-type-hidden") << QList<int>{SmokeDetector, InputModule2, RelayModule2}
                                       << QList<int>{} << QList<int>{} << QList<int>{0, 1, 2, 24, 38, 46};
}

void TestAuFilterProxyModel::hiddenTypesAndEmptyColumns()
{
    QFETCH(QList<int>, hidden);
    QFETCH(QList<int>, addresses);
    QFETCH(QList<int>, shown);
    QFETCH(QList<int>, notShown);
    Page page;
    page.hidden = hidden;
    page.proxy.slotFilterChanged();
    page.proxy.flushPendingFilter();
    QCOMPARE(page.addresses(), addresses);
    const QList<int> columns = page.columns();
    for (int column : shown)
        QVERIFY2(columns.contains(column), qPrintable(QString::number(column)));
    for (int column : notShown)
        QVERIFY2(!columns.contains(column), qPrintable(QString::number(column)));
}

void TestAuFilterProxyModel::typeLabelsAndDashes()
{
    Page page;
    page.model.slotSetFire(1, true);
    const auto cell = [&page](int addr, int column) {
        return page.proxy.mapFromSource(page.model.index(page.model.rowOfAddress(addr), column));
    };
    QCOMPARE(cell(1, Type).data().toString(), auTypeName(SmokeDetector));
    QCOMPARE(cell(2, Type).data().toString(), auTypeName(InputModule2));
    // A type without a label is named by its code, never left empty.
    page.model.slotSetType(5, ManualCallPointV);
    page.model.slotSetGeneralState(5, 0);
    page.proxy.flushPendingFilter();
    QCOMPARE(cell(5, Type).data().toString(), QStringLiteral("тип 12"));
    // The input module has no fire column, the smoke detector keeps it on screen.
    QCOMPARE(cell(2, Fire).data().toString(), QStringLiteral("-"));
    QCOMPARE(cell(1, Fire).data().toString(), QStringLiteral("Да"));
    QCOMPARE(cell(1, Fire).data(Qt::ForegroundRole).value<QColor>(), QColor(QStringLiteral("red")));
    QCOMPARE(cell(4, Address).data().toInt(), 4);
}

void TestAuFilterProxyModel::requestsInOneTurnFilterOnce()
{
    Page page;
    QSignalSpy applied(&page.proxy, &AuFilterProxyModel::signalFilterApplied);
    page.hidden = {SmokeDetector};
    for (int i = 0; i < 50; ++i) {
        page.proxy.slotFilterChanged();
        page.model.slotSetGeneralState(2, 0);
        page.model.slotSetType(4, RelayModule2);
    }
    // Nothing is re-run while the turn lasts; a reader flushes and sees the current filter.
    QCOMPARE(applied.count(), 0);
    QVERIFY(page.proxy.isFilterPending());
    QCOMPARE(page.addresses(), (QList<int>{1, 2, 4}));
    page.proxy.flushPendingFilter();
    QCOMPARE(applied.count(), 1);
    QCOMPARE(page.addresses(), (QList<int>{2, 4}));
    QVERIFY(!page.columns().contains(Smoke));
    QCoreApplication::processEvents();
    QCOMPARE(applied.count(), 1);

    // Without a flush, the next turn of the event loop brings the proxy up to date, once.
    page.hidden.clear();
    page.model.slotSetGeneralState(3, 0);
    page.proxy.slotFilterChanged();
    QTRY_COMPARE(applied.count(), 2);
    QCOMPARE(page.addresses(), (QList<int>{1, 2, 3, 4}));
    QVERIFY(page.columns().contains(Smoke));
    QVERIFY(page.columns().contains(ChannelType));
    QCoreApplication::processEvents();
    QCOMPARE(applied.count(), 2);
}

void TestAuFilterProxyModel::stateAndTypeRefilterByThemselves_data()
{
    QTest::addColumn<QList<int>>("hidden");
    QTest::addColumn<int>("addr");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("state");
    QTest::addColumn<QList<int>>("addresses");
    QTest::addColumn<bool>("heatShown");
    QTest::addRow("state-unlists") << QList<int>{} << 1 << int(SmokeDetector) << 8 << QList<int>{2, 4} << false;
    QTest::addRow("state-lists-with-its-columns")
        << QList<int>{} << 3 << int(HeatDetector) << 0 << QList<int>{1, 2, 3, 4} << true;
    QTest::addRow("type-hidden") << QList<int>{SmokeDetector} << 2 << int(SmokeDetector) << 0 << QList<int>{4}
                                 << false;
    QTest::addRow("type-brings-columns")
        << QList<int>{} << 2 << int(HeatDetector) << 0 << QList<int>{1, 2, 4} << true;
}

// Nobody asks for a re-filter: the type and state setters do on their own.
void TestAuFilterProxyModel::stateAndTypeRefilterByThemselves()
{
    QFETCH(QList<int>, hidden);
    QFETCH(int, addr);
    QFETCH(int, type);
    QFETCH(int, state);
    QFETCH(QList<int>, addresses);
    QFETCH(bool, heatShown);
    Page page;
    page.hidden = hidden;
    page.proxy.slotFilterChanged();
    page.proxy.flushPendingFilter();
    QCOMPARE(page.columns().contains(ThresholdT), false);
    page.model.slotSetType(addr, type);
    page.model.slotSetGeneralState(addr, state);
    QTRY_COMPARE(page.addresses(), addresses);
    QTRY_COMPARE(page.columns().contains(ThresholdT), heatShown);
}

void TestAuFilterProxyModel::valuesAnnouncedOncePerTurn_data()
{
    // What happens in the turn after unit 1's values and unit 4's link changed, three times over,
    // and what the proxy then tells its views: "changed" a proxy row and the first and last source
    // column shown of a block. No unit shown has voltages or a temperature: those blocks are not
    // shown, and only the smoke of unit 1 is told.
    QTest::addColumn<QString>("then");
    QTest::addColumn<QStringList>("told");
    const QStringList unit1{QStringLiteral("changed 0:24-24")};
    const QString unit4 = QStringLiteral("changed %1:5-5");
    QTest::addRow("turn-ends") << "" << (unit1 + QStringList{unit4.arg(2)});
    QTest::addRow("reader-flushes") << "flush" << (unit1 + QStringList{unit4.arg(2)});
    // Unit 1 leaves with the re-filter: only what is still shown is announced, where it now is.
    QTest::addRow("row-leaves") << "unlist" << QStringList{QStringLiteral("removed 0-0"), unit4.arg(1)};
    // A new unit: the changes go out before the rows move, while their rows stand.
    QTest::addRow("row-comes") << "append" << (unit1 + QStringList{unit4.arg(2), QStringLiteral("inserted 3-3")});
}

// A unit's values are one announcement per block of columns, once the turn ends or a reader asks,
// and never name a row that moved or went since.
void TestAuFilterProxyModel::valuesAnnouncedOncePerTurn()
{
    QFETCH(QString, then);
    QFETCH(QStringList, told);
    Page page;
    // The page's own filling announced: what follows is this turn's alone.
    QCoreApplication::processEvents();
    QAbstractItemModelTester tester(&page.proxy, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QStringList heard;
    QObject::connect(&page.proxy, &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                         QCOMPARE(topLeft.row(), bottomRight.row());
                         heard << QStringLiteral("changed %1:%2-%3")
                                      .arg(topLeft.row())
                                      .arg(page.proxy.mapToSource(topLeft).column())
                                      .arg(page.proxy.mapToSource(bottomRight).column());
                     });
    QObject::connect(&page.proxy, &QAbstractItemModel::rowsInserted, [&heard](const QModelIndex &, int first, int last) {
        heard << QStringLiteral("inserted %1-%2").arg(first).arg(last);
    });
    QObject::connect(&page.proxy, &QAbstractItemModel::rowsRemoved, [&heard](const QModelIndex &, int first, int last) {
        heard << QStringLiteral("removed %1-%2").arg(first).arg(last);
    });
    for (int round = 0; round < 3; ++round) {
        page.model.slotSetU(1, 3.4 + round);
        page.model.slotSetU1(1, 1.2 + round);
        page.model.slotSetU2(1, 1.3 + round);
        page.model.slotSetU3(1, 1.4 + round);
        page.model.slotSet_T_ULo(1, uchar(20 + round));
        page.model.slotSetThresholdT(1, uchar(50 + round));
        page.model.slotSetSmoke(1, uchar(30 + round));
        page.model.slotSetConnection(4, uchar(round + 1));
    }
    QVERIFY(heard.isEmpty());
    if (then == QLatin1String("flush")) {
        page.proxy.flushPending();
        QCOMPARE(heard, told);
    } else if (then == QLatin1String("unlist")) {
        page.model.slotSetGeneralState(1, 8);
    } else if (then == QLatin1String("append")) {
        page.model.slotSetType(9, SmokeDetector);
        page.model.slotSetGeneralState(9, 0);
    }
    QCoreApplication::processEvents();
    QCOMPARE(heard, told);
}

// The loop's model deleted in the turn its values changed: the proxy is left empty, and the turn
// ends without announcing rows that are gone.
void TestAuFilterProxyModel::sourceGoneWithChangesGathered()
{
    ColumnValidRows valid;
    QList<int> hidden;
    AuFilterProxyModel proxy(&hidden, &valid);
    auto *model = new AuPropertiesModel(&valid);
    proxy.setSourceModel(model);
    model->slotSetType(1, SmokeDetector);
    model->slotSetGeneralState(1, 0);
    QCoreApplication::processEvents();
    QSignalSpy changed(&proxy, &QAbstractItemModel::dataChanged);
    model->slotSetSmoke(1, 40);
    delete model;
    QCoreApplication::processEvents();
    proxy.flushPending();
    QCOMPARE(changed.count(), 0);
    QCOMPARE(proxy.rowCount(), 0);
}

QTEST_MAIN(TestAuFilterProxyModel)
#include "tst_aufilterproxymodel.moc"
