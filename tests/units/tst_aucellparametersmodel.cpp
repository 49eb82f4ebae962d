#include "aucellparametersmodel.h"
#include "aupropertiesmodel.h"

#include <QtTest>

using namespace AuProperty;

class TestAuCellParametersModel : public QObject
{
    Q_OBJECT

private slots:
    void listFollowsTheUnitsType();
    void valuesOfTheUnitRepaintTheirRow_data();
    void valuesOfTheUnitRepaintTheirRow();
    void headers();
};

// The list as the window shows it: "property=value" per row.
static QStringList shown(const AuCellParametersModel &params)
{
    QStringList rows;
    for (int row = 0; row < params.rowCount(); ++row)
        rows << params.index(row, 0).data().toString() + QLatin1Char('=') +
                    params.index(row, 1).data().toString();
    return rows;
}

static int rowOf(const AuCellParametersModel &params, int column)
{
    for (int row = 0; row < params.rowCount(); ++row) {
        if (params.propertyColumn(row) == column)
            return row;
    }
    return -1;
}

void TestAuCellParametersModel::listFollowsTheUnitsType()
{
    ColumnValidRows valid;
    AuPropertiesModel units(&valid);
    units.slotSetType(5, SmokeDetector);
    AuCellParametersModel params(&units);
    QSignalSpy resets(&params, &QAbstractItemModel::modelReset);

    // Opened for a unit not heard of yet: empty until its first value arrives.
    params.slotSetAuAddr(17);
    QCOMPARE(params.rowCount(), 0);
    units.slotSetFire(18, true);
    QCOMPARE(resets.count(), 1);
    units.slotSetFire(17, true);
    QCOMPARE(resets.count(), 2);
    QCOMPARE(shown(params).first(), QStringLiteral("Тип=..."));
    QCOMPARE(rowOf(params, Address), -1);
    QCOMPARE(rowOf(params, Fire), -1);

    units.slotSetType(17, SmokeDetector);
    QCOMPARE(resets.count(), 3);
    QCOMPARE(shown(params).first(), QStringLiteral("Тип=") + auTypeName(SmokeDetector));
    QVERIFY(shown(params).contains(QStringLiteral("Пожар=Да")));
    QCOMPARE(params.index(rowOf(params, Fire), 1).data(Qt::ForegroundRole).value<QColor>(),
             QColor(QStringLiteral("red")));
    QCOMPARE(params.rowCount(), units.meaningfulColumns(17).size() - 1);

    units.slotSetType(17, InputModule2);
    QCOMPARE(resets.count(), 4);
    QCOMPARE(rowOf(params, Smoke), -1);
    QCOMPARE(rowOf(params, Fire), -1);
    QVERIFY(shown(params).contains(QStringLiteral("Вход 1=Не определено")));
    units.slotSetType(5, InputModule2);
    QCOMPARE(resets.count(), 4);
    // A type without a label is named by its code.
    units.slotSetType(17, ManualCallPointV);
    QCOMPARE(shown(params).first(), QStringLiteral("Тип=тип 12"));
}

void TestAuCellParametersModel::valuesOfTheUnitRepaintTheirRow_data()
{
    QTest::addColumn<int>("addr");
    QTest::addColumn<int>("column"); // the value fed, by the column it feeds
    QTest::addColumn<bool>("repainted");
    QTest::addRow("listed-value") << 17 << int(Smoke) << true;
    QTest::addRow("value-of-another-unit") << 18 << int(Smoke) << false;
    QTest::addRow("value-not-listed-for-type") << 17 << int(LoLine) << false;
    QTest::addRow("general-state-not-listed") << 17 << int(GeneralState) << false;
}

void TestAuCellParametersModel::valuesOfTheUnitRepaintTheirRow()
{
    QFETCH(int, addr);
    QFETCH(int, column);
    QFETCH(bool, repainted);
    ColumnValidRows valid;
    AuPropertiesModel units(&valid);
    units.slotSetType(17, SmokeDetector);
    units.slotSetType(18, SmokeDetector);
    AuCellParametersModel params(&units);
    params.slotSetAuAddr(17);
    QSignalSpy changed(&params, &QAbstractItemModel::dataChanged);
    QSignalSpy resets(&params, &QAbstractItemModel::modelReset);
    if (column == Smoke)
        units.slotSetSmoke(addr, 42);
    else if (column == LoLine)
        units.slotSetLo(addr, 1);
    else
        units.slotSetGeneralState(addr, 0);
    QCOMPARE(resets.count(), 0);
    QCOMPARE(changed.count(), repainted ? 1 : 0);
    if (repainted) {
        const QModelIndex cell = changed.at(0).at(0).toModelIndex();
        QCOMPARE(cell, changed.at(0).at(1).toModelIndex());
        QCOMPARE(cell.column(), 1);
        QCOMPARE(params.propertyColumn(cell.row()), column);
        QCOMPARE(cell.data().toString(), QStringLiteral("42 ед."));
    }
}

void TestAuCellParametersModel::headers()
{
    ColumnValidRows valid;
    AuPropertiesModel units(&valid);
    AuCellParametersModel params(&units);
    QCOMPARE(params.columnCount(), 2);
    QCOMPARE(params.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Свойство"));
    QCOMPARE(params.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Значение"));
    QCOMPARE(params.headerData(1, Qt::Horizontal, Qt::FontRole).value<QFont>().weight(), 75);
}

QTEST_MAIN(TestAuCellParametersModel)
#include "tst_aucellparametersmodel.moc"
