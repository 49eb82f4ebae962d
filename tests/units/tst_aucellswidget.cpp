#include "aucellswidget.h"
#include "gridgeometry.h"

#include <QScrollArea>
#include <QtTest>

class TestAuCellsWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void valuesForAddressesWithoutCellChangeNothing_data();
    void valuesForAddressesWithoutCellChangeNothing();
    void address251TakesOnlyItsOwnState();
    void viewModeSignalsOnlyOnChange();
    void commandsPassUnchanged();
    void wrapLayoutFillsRowsInOrder_data();
    void wrapLayoutFillsRowsInOrder();
    void unscaledLayoutHas25Columns();
    void zoomInWrapMode();

private:
    QList<int> m_filter;
};

static QList<QColor> colours(const AuCellsWidget &grid)
{
    QList<QColor> result;
    for (int addr = 1; addr <= 251; ++addr)
        result.append(grid.cell(addr) ? grid.cell(addr)->colour() : QColor());
    return result;
}

void TestAuCellsWidget::initTestCase()
{
    Q_INIT_RESOURCE(images);
}

void TestAuCellsWidget::init()
{
    AuCellsWidget::sharedLayout() = AuCellsWidget::SharedLayout();
}

void TestAuCellsWidget::valuesForAddressesWithoutCellChangeNothing_data()
{
    QTest::addColumn<int>("addr");
    QTest::addRow("zero") << 0;
    QTest::addRow("252") << 252;
    QTest::addRow("negative") << -1;
    QTest::addRow("255-from-blanking") << 255;
}

void TestAuCellsWidget::valuesForAddressesWithoutCellChangeNothing()
{
    QFETCH(int, addr);
    AuCellsWidget grid(AuCell::SmokeCell, &m_filter);
    AuCell cell251(251, AuCell::SmokeCell, nullptr, nullptr);
    grid.registerCell251(&cell251);
    for (int unit = 1; unit <= 250; ++unit)
        grid.slotSetType(unit, SmokeDetector);
    const QList<QColor> before = colours(grid);
    grid.slotSetType(addr, SmokeDetector);
    grid.slotSetState(addr, 4);
    grid.slotSetFire(addr, true);
    grid.slotSetBlocking(addr, false);
    grid.slotSetConnection(addr, 1);
    grid.slotSetInsulators(addr, 0);
    grid.slotSetInput(addr, AuCell::Io1, 1, false);
    QCOMPARE(colours(grid), before);
}

void TestAuCellsWidget::address251TakesOnlyItsOwnState()
{
    AuCellsWidget grid(AuCell::GeneralCell, &m_filter);
    AuCell cell251(251, AuCell::GeneralCell, nullptr, nullptr);
    grid.registerCell251(&cell251);
    QCOMPARE(grid.cell(251), &cell251);
    grid.slotSetState(251, 4);
    QCOMPARE(cell251.colour(), QColor(QStringLiteral("silver")));
    grid.slotSetInsulators(251, 0);
    QCOMPARE(cell251.isolatorColour(true).alpha(), 0);
    grid.slotSetState251(9);
    QCOMPARE(cell251.colour(), QColor(QStringLiteral("magenta")));
    grid.slotSetType(251, SmokeDetector);
    QCOMPARE(cell251.labelText(AuCellValues::TypeLabel), auTypeName(SmokeDetector));
    // The registered cell follows the grid's filter and view mode.
    m_filter = {SmokeDetector};
    emit grid.signalFilterChanged();
    QCOMPARE(cell251.colour(), QColor(Qt::white));
    m_filter.clear();
    QCOMPARE(grid.cell(250)->colour(), QColor(QStringLiteral("silver")));
}

void TestAuCellsWidget::viewModeSignalsOnlyOnChange()
{
    AuCellsWidget grid(AuCell::GeneralCell, &m_filter);
    QSignalSpy spy(&grid, &AuCellsWidget::signalViewModeChanged);
    grid.slotViewModeChanged(0);
    QCOMPARE(spy.count(), 0);
    grid.slotViewModeChanged(2);
    grid.slotViewModeChanged(2);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(grid.viewMode(), AuCell::TempSmokeView);
}

void TestAuCellsWidget::commandsPassUnchanged()
{
    AuCellsWidget grid(AuCell::GeneralCell, &m_filter);
    QSignalSpy spy(&grid, &AuCellsWidget::signalSendCmd);
    emit grid.cell(17)->signalSendCmd(1101, QByteArray::fromHex("110000"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 1101);
    QCOMPARE(spy.at(0).at(1).toByteArray(), QByteArray::fromHex("110000"));
}

void TestAuCellsWidget::wrapLayoutFillsRowsInOrder_data()
{
    QTest::addColumn<int>("width");
    QTest::addRow("narrow") << 300;
    QTest::addRow("about-twelve") << 900;
    QTest::addRow("wide") << 2100;
}

void TestAuCellsWidget::wrapLayoutFillsRowsInOrder()
{
    QFETCH(int, width);
    AuCellsWidget grid(AuCell::GeneralCell, &m_filter);
    grid.resize(width, 300); // low enough to need the vertical scroll bar at every width
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    int columns = 0;
    while (columns < 250 && grid.cellPosition(columns + 1).x() == 0)
        ++columns;
    // The width decides the columns: one more would not fit the viewport.
    const int cellWidth = grid.cell(1)->width();
    const int viewport = grid.findChild<QScrollArea *>()->viewport()->width();
    QVERIFY(columns * (cellWidth + 1) <= viewport - 2);
    QVERIFY((columns + 1) * (cellWidth + 1) > viewport - 2);
    for (int addr = 1; addr <= 250; ++addr)
        QCOMPARE(grid.cellPosition(addr), QPoint((addr - 1) / columns, (addr - 1) % columns));
    const int rows = (250 + columns - 1) / columns;
    QCOMPARE(grid.layoutRowCount(), rows + 1);
    QCOMPARE(grid.cell(250)->size(), QSize(70, 70));
    QCOMPARE(AuCellsWidget::sharedLayout().cellSize, QSize(70, 70));
}

void TestAuCellsWidget::unscaledLayoutHas25Columns()
{
    AuCellsWidget::sharedLayout().scaleMode = false;
    AuCellsWidget grid(AuCell::IonistorCell, &m_filter);
    grid.resize(900, 600);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(grid.cellPosition(25), QPoint(0, 24));
    QCOMPARE(grid.cellPosition(26), QPoint(1, 0));
    QCOMPARE(grid.cellPosition(250), QPoint(9, 24));
    QCOMPARE(grid.layoutRowCount(), 10);
}

void TestAuCellsWidget::zoomInWrapMode()
{
    AuCellsWidget grid(AuCell::GeneralCell, &m_filter);
    grid.resize(900, 600);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.slotZoomInClicked();
    QCOMPARE(grid.cell(250)->size(), QSize(74, 74));
    QCOMPARE(AuCellsWidget::sharedLayout().cellSize, QSize(74, 74));
    grid.slotZoomOutClicked();
    grid.slotZoomOutClicked();
    QCOMPARE(grid.cell(1)->size(), QSize(67, 67));
    // Leaving wrap mode keeps the zoom: 25 columns of cells as wide as the wrapped ones.
    grid.slotWrapModeSwitched(false);
    QVERIFY(qAbs(grid.cell(1)->width() - 67) <= 1);
    QCOMPARE(grid.cellPosition(26), QPoint(1, 0));
}

QTEST_MAIN(TestAuCellsWidget)
#include "tst_aucellswidget.moc"
