#include "aucellswidget.h"
#include "auinfowidget.h"
#include "aulegendwidget.h"
#include "rynselectwidget.h"
#include "settings.h"

#include <QComboBox>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTranslator>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

class TestAuInfoWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void selectedTabColourAndLegend_data();
    void selectedTabColourAndLegend();
    void valuesReachTheirGridOnly();
    void sameFilterListStillAnnounced();
    void filterFromThePanelHidesCellsEverywhere();
    void searchAndControllerChoice();
    void layoutSettingsSurviveARestart();
    void damagedCellSizeFallsBackToDefault();
    void viewModeNamesShowWhole_data();
    void viewModeNamesShowWhole();

private:
    QTemporaryDir *m_dir = nullptr;
    QTableWidget m_reportTable;
    QTableWidget m_protocolTable;
};

void TestAuInfoWidget::initTestCase()
{
    Q_INIT_RESOURCE(images);
}

void TestAuInfoWidget::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
    Settings::fileName = QStringLiteral("TestRYN.ini");
    AuCellsWidget::sharedLayout() = AuCellsWidget::SharedLayout();
}

void TestAuInfoWidget::cleanup()
{
    Settings::fileName.clear();
    QDir::setCurrent(QDir::tempPath());
    delete m_dir;
    m_dir = nullptr;
}

void TestAuInfoWidget::selectedTabColourAndLegend_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<bool>("legendShown");
    QTest::addColumn<int>("entries");
    QTest::addRow("ionistor-light-green")
        << 1 << QColor(Qt::green).lighter(150).name(QColor::HexArgb) << true << 7;
    QTest::addRow("smoke-dodgerblue") << 2 << QStringLiteral("#ff1e90ff") << true << 9;
    QTest::addRow("properties-yellow-no-legend") << 3 << QStringLiteral("yellow") << false << 0;
    QTest::addRow("back-to-general-crimson")
        << 0 << QColor(QStringLiteral("crimson")).lighter(150).name(QColor::HexArgb) << true << 10;
}

void TestAuInfoWidget::selectedTabColourAndLegend()
{
    QFETCH(int, index);
    QFETCH(QString, colour);
    QFETCH(bool, legendShown);
    QFETCH(int, entries);
    AuInfoWidget tabs(&m_reportTable, &m_protocolTable);
    tabs.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tabs));
    QSignalSpy spy(&tabs, &AuInfoWidget::signalTabCurrenChanged);
    tabs.tabWidget()->setCurrentIndex(3);
    tabs.tabWidget()->setCurrentIndex(index);

    QCOMPARE(spy.last().at(0).toInt(), index);
    QCOMPARE(tabs.tabWidget()->tabBar()->styleSheet(),
             QStringLiteral("QTabWidget QTabBar::tab:selected{background-color: %1;}").arg(colour));
    AuLegendWidget *legend = tabs.legendWidget();
    QCOMPARE(legend->isVisible(), legendShown);
    if (!legendShown)
        return;
    QCOMPARE(legend->kind(), index);
    const auto kind = AuCell::CellKind(index);
    QVERIFY(legend->cell251(kind)->isVisible());
    QCOMPARE(legend->cell251(AuCell::CellKind((index + 1) % 3))->isVisible(), false);
    // Only this grid's colours are listed, each entry coloured as its cells would be.
    const QList<QPair<int, QString>> expected = AuLegendWidget::entries(kind);
    QCOMPARE(expected.size(), entries);
    int shown = 0;
    for (const QLabel *label : legend->findChildren<QLabel *>()) {
        if (!label->isVisible() || label->styleSheet().isEmpty() || qobject_cast<const AuCell *>(label))
            continue;
        ++shown;
        const auto entry =
            std::find_if(expected.begin(), expected.end(),
                         [label](const QPair<int, QString> &e) { return e.second == label->text(); });
        QVERIFY2(entry != expected.end(), qPrintable(label->text()));
        QVERIFY(label->styleSheet().contains(AuCellValues::cellColour(kind, entry->first).name()));
    }
    QCOMPARE(shown, entries);
    const QList<QComboBox *> selectors = legend->findChildren<QComboBox *>();
    const int visibleSelectors = int(std::count_if(selectors.begin(), selectors.end(),
                                                   [](const QComboBox *box) { return box->isVisible(); }));
    QCOMPARE(visibleSelectors, 1);
}

void TestAuInfoWidget::valuesReachTheirGridOnly()
{
    AuInfoWidget tabs(&m_reportTable, &m_protocolTable);
    tabs.slotSetGeneralType(5, HeatDetector2);
    tabs.slotSetIonistorType(5, HeatDetector2);
    tabs.slotSetSmType(5, SmokeDetector);
    tabs.slotSetGeneralState(5, 0);
    tabs.slotSetIonistorState(5, 5);
    QCOMPARE(tabs.generalGrid()->cell(5)->colour(), QColor(QStringLiteral("lawngreen")));
    QCOMPARE(tabs.ionistorGrid()->cell(5)->colour(), QColor(Qt::red));

    tabs.slotSetSmFire(5, true);
    QCOMPARE(tabs.smokeGrid()->cell(5)->colour(), QColor(Qt::red));
    QCOMPARE(tabs.generalGrid()->cell(5)->colour(), QColor(QStringLiteral("lawngreen")));
    tabs.slotSetSmBlocking(5, false);
    QCOMPARE(tabs.smokeGrid()->cell(5)->colour(), QColor(QStringLiteral("peru")));

    tabs.slotSetGeneralVoltage(5, 3.5);
    QCOMPARE(tabs.generalGrid()->cell(5)->labelText(AuCellValues::VoltageLabel), QStringLiteral("3.50 В"));
    QCOMPARE(tabs.ionistorGrid()->cell(5)->labelText(AuCellValues::VoltageLabel), QStringLiteral("U=0.00 В"));

    tabs.slotSetGeneralState251(4);
    QCOMPARE(tabs.cell251(AuCell::GeneralCell)->colour(), QColor(Qt::red));
    QCOMPARE(tabs.cell251(AuCell::SmokeCell)->colour(), QColor(QStringLiteral("silver")));
}

void TestAuInfoWidget::sameFilterListStillAnnounced()
{
    AuInfoWidget tabs(&m_reportTable, &m_protocolTable);
    QSignalSpy spy(&tabs, &AuInfoWidget::signalFilterChanged);
    tabs.slotFilterChanged({4});
    tabs.slotFilterChanged({4});
    QCOMPARE(spy.count(), 2);
    QCOMPARE(tabs.filterTypes(), QList<int>{4});
}

void TestAuInfoWidget::filterFromThePanelHidesCellsEverywhere()
{
    AuInfoWidget tabs(&m_reportTable, &m_protocolTable);
    tabs.slotSetGeneralType(9, SmokeHeatDetector2);
    tabs.slotSetIonistorType(9, SmokeHeatDetector2);
    tabs.slotSetSmType(9, SmokeHeatDetector2);
    tabs.slotSetGeneralState(9, 0);
    emit tabs.selectWidget()->signalFilterChanged({23, 24});
    for (AuCellsWidget *grid : {tabs.generalGrid(), tabs.ionistorGrid(), tabs.smokeGrid()})
        QCOMPARE(grid->cell(9)->colour(), QColor(Qt::white));
    emit tabs.selectWidget()->signalFilterChanged({});
    QCOMPARE(tabs.generalGrid()->cell(9)->colour(), QColor(QStringLiteral("lawngreen")));
}

void TestAuInfoWidget::searchAndControllerChoice()
{
    AuInfoWidget tabs(&m_reportTable, &m_protocolTable);
    QSignalSpy search(&tabs, &AuInfoWidget::signalSearchRYN);
    tabs.selectWidget()->searchButton()->click();
    QCOMPARE(search.count(), 1);
    tabs.slotNeedSelectRyn(6);
    QVERIFY(tabs.selectWidget()->rynButton(6)->isChecked());
    tabs.slotNeedSelectRyn(0);
    QVERIFY(!tabs.selectWidget()->rynButton(6)->isChecked());
}

void TestAuInfoWidget::layoutSettingsSurviveARestart()
{
    {
        AuInfoWidget tabs(&m_reportTable, &m_protocolTable);
        tabs.resize(900, 400);
        tabs.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tabs));
        emit tabs.legendWidget()->signalZoomInClicked();
        QCOMPARE(AuCellsWidget::sharedLayout().cellSize, QSize(74, 74));
        tabs.legendWidget()->slotSetScaleAndWrapModes(true, false);
    }
    QSettings file(Settings::fileName, QSettings::IniFormat);
    QCOMPARE(file.value(QStringLiteral("AuCellsWidget/CellSize")).toSize(), QSize(74, 74));
    QCOMPARE(file.value(QStringLiteral("AuLegendWidget/LineWrap")).toBool(), false);
    AuCellsWidget::sharedLayout() = AuCellsWidget::SharedLayout();

    AuInfoWidget tabs(&m_reportTable, &m_protocolTable);
    QCOMPARE(AuCellsWidget::sharedLayout().cellSize, QSize(74, 74));
    QCOMPARE(AuCellsWidget::sharedLayout().wrapMode, false);
    QCOMPARE(AuCellsWidget::sharedLayout().scaleMode, true);
}

void TestAuInfoWidget::damagedCellSizeFallsBackToDefault()
{
    Settings::writeValue(QStringLiteral("garbage"), QStringLiteral("CellSize"),
                         QStringLiteral("AuCellsWidget"));
    Settings::writeValue(QSize(0, 0), QStringLiteral("ScrollWgtSize"), QStringLiteral("AuCellsWidget"));
    AuInfoWidget tabs(&m_reportTable, &m_protocolTable);
    tabs.resize(900, 400);
    tabs.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tabs));
    QCOMPARE(tabs.generalGrid()->cell(1)->size(), QSize(70, 70));
}

QTEST_MAIN(TestAuInfoWidget)
#include "tst_auinfowidget.moc"

void TestAuInfoWidget::viewModeNamesShowWhole_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QString>("fullView");
    QTest::addRow("russian") << QString() << QStringLiteral("Полная");
    QTest::addRow("english") << QStringLiteral("testryn_EN.qm") << QStringLiteral("Full");
}

// Every view-mode name must be readable whole in its selector, in either language.
void TestAuInfoWidget::viewModeNamesShowWhole()
{
    QFETCH(QString, catalogue);
    QFETCH(QString, fullView);
    QTranslator translator;
    if (!catalogue.isEmpty()) {
        QVERIFY(translator.load(QDir(QCoreApplication::applicationDirPath()).filePath(catalogue)));
        QCoreApplication::installTranslator(&translator);
    }
    AuLegendWidget legend;
    QCoreApplication::removeTranslator(&translator);
    legend.show();
    const QList<QComboBox *> selectors = legend.findChildren<QComboBox *>();
    QCOMPARE(selectors.size(), 3);
    QVERIFY(std::any_of(selectors.begin(), selectors.end(),
                        [&](const QComboBox *box) { return box->itemText(0) == fullView; }));
    for (QComboBox *selector : selectors) {
        QStyleOptionComboBox option;
        option.initFrom(selector);
        option.editable = false;
        option.frame = true;
        const QRect field =
            selector->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, selector);
        for (int i = 0; i < selector->count(); ++i) {
            const QString text = selector->itemText(i);
            QVERIFY2(field.width() >= selector->fontMetrics().horizontalAdvance(text), qPrintable(text));
        }
    }
}
