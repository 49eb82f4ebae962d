#include "aucellparametersmodel.h"
#include "aucellswidget.h"
#include "auconfigurationdialog.h"
#include "aufilterproxymodel.h"
#include "auinfowidget.h"
#include "aumenu.h"
#include "aupropertiesmodel.h"
#include "aupropertieswidget.h"
#include "aureledialog.h"
#include "copyabletableview.h"
#include "menupicker.h"
#include "modalwatcher.h"
#include "settings.h"
#include "tableexport.h"

#include <QClipboard>
#include <QDialog>
#include <QInputDialog>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

using namespace AuProperty;

using TypeSummary = QMap<HardTypes, QPair<QString, QString>>;

class TestAuPropertiesWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void listsConfiguredUnitsWithValues_data();
    void listsConfiguredUnitsWithValues();
    void typeFilterHidesRowsAndEmptyColumns_data();
    void typeFilterHidesRowsAndEmptyColumns();
    void parameterWindowFromAGrid();
    void templatesInTheSettings_data();
    void templatesInTheSettings();
    void reportTitle_data();
    void reportTitle();
    void readersSeeChangesOfTheSameTurn_data();
    void readersSeeChangesOfTheSameTurn();
    void rowMenuCommandsTheClickedUnit_data();
    void rowMenuCommandsTheClickedUnit();
    void configurationFromTheRowMenu();

private:
    QTemporaryDir *m_dir = nullptr;
    QTableWidget m_reportTable;
    QTableWidget m_protocolTable;
};

namespace {

// The texts of one source column down the listed rows; empty when the column is not shown.
QStringList columnTexts(const AuPropertiesWidget &page, int sourceColumn)
{
    const QAbstractItemModel *shown = page.view()->model();
    const QString header = auPropertyHeader(sourceColumn);
    QStringList texts;
    for (int column = 0; column < shown->columnCount(); ++column) {
        if (shown->headerData(column, Qt::Horizontal).toString() != header)
            continue;
        for (int row = 0; row < shown->rowCount(); ++row)
            texts << shown->index(row, column).data().toString();
    }
    return texts;
}

QStringList addresses(const AuPropertiesWidget &page)
{
    return columnTexts(page, Address);
}

// The address cell of a unit's row in the table; invalid when the unit is not listed.
QModelIndex rowOf(const AuPropertiesWidget &page, int addr)
{
    const QAbstractItemModel *shown = page.view()->model();
    for (int column = 0; column < shown->columnCount(); ++column) {
        if (shown->headerData(column, Qt::Horizontal).toString() != auPropertyHeader(Address))
            continue;
        for (int row = 0; row < shown->rowCount(); ++row) {
            if (shown->index(row, column).data().toInt() == addr)
                return shown->index(row, column);
        }
    }
    return QModelIndex();
}

// A smoke detector, an input module and a heat detector, all in normal state.
void feedMixedLoop(AuPropertiesModel *model)
{
    const int units[][2] = {{1, SmokeDetector}, {2, InputModule2}, {3, HeatDetector}};
    for (const auto &unit : units) {
        model->slotSetType(unit[0], unit[1]);
        model->slotSetGeneralState(unit[0], 0);
    }
}

} // namespace

void TestAuPropertiesWidget::initTestCase()
{
    Q_INIT_RESOURCE(images);
    qRegisterMetaType<TypeSummary>();
}

void TestAuPropertiesWidget::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
    Settings::fileName = QStringLiteral("TestRYN.ini");
}

void TestAuPropertiesWidget::cleanup()
{
    Settings::fileName.clear();
    QDir::setCurrent(QDir::tempPath());
    delete m_dir;
    m_dir = nullptr;
}

void TestAuPropertiesWidget::listsConfiguredUnitsWithValues_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("listed");
    QTest::addRow("normal") << 0 << true;
    QTest::addRow("fire") << 4 << true;
    QTest::addRow("not-configured") << 8 << false;
    QTest::addRow("double-address") << 9 << true;
}

void TestAuPropertiesWidget::listsConfiguredUnitsWithValues()
{
    QFETCH(int, state);
    QFETCH(bool, listed);
    const QList<int> noFilter;
    AuPropertiesWidget page(&m_reportTable, &m_protocolTable, &noFilter);
    AuPropertiesModel *model = page.model();
    model->slotSetType(5, SmokeDetector);
    model->slotSetGeneralState(5, 0);
    model->slotSetSmoke(5, 48);
    model->slotSetType(7, SmokeDetector);
    model->slotSetFirmwareVersion(7, 12);
    model->slotSetGeneralState(7, state);
    model->slotSetGeneralState251(state);
    QTRY_VERIFY(!page.proxyModel()->isFilterPending());

    const QStringList expected =
        listed ? QStringList{QStringLiteral("5"), QStringLiteral("7"), QStringLiteral("251")}
               : QStringList{QStringLiteral("5")};
    QCOMPARE(addresses(page), expected);
    QCOMPARE(columnTexts(page, Smoke).first(), QStringLiteral("48 ед."));
    QCOMPARE(columnTexts(page, Type).first(), auTypeName(SmokeDetector));
    // The general state decides the listing only: it is never a column.
    QVERIFY(columnTexts(page, GeneralState).isEmpty());

    // A unit configured later comes into the list.
    model->slotSetGeneralState(7, 0);
    QTRY_VERIFY(addresses(page).contains(QStringLiteral("7")));

    QSignalSpy summary(&page, &AuPropertiesWidget::signalTypeVersionCountMap);
    page.sendTypeVersionCountMap();
    QCOMPARE(summary.count(), 1);
    const auto types = summary.first().first().value<TypeSummary>();
    QCOMPARE(types.value(SmokeDetector), qMakePair(QStringLiteral("0/12"), QStringLiteral("2")));
}

void TestAuPropertiesWidget::typeFilterHidesRowsAndEmptyColumns_data()
{
    QTest::addColumn<QList<int>>("hidden");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QList<int>>("shownColumns");
    QTest::addColumn<QList<int>>("hiddenColumns");
    QTest::addRow("nothing-hidden") << QList<int>{} << QStringList{"1", "2", "3"}
                                    << QList<int>{Smoke, Input1, Temperature} << QList<int>{Output1};
    QTest::addRow("smoke-hidden") << QList<int>{SmokeDetector} << QStringList{"2", "3"}
                                  << QList<int>{Input1, Temperature} << QList<int>{Smoke, Dustiness};
    QTest::addRow("inputs-and-heat-hidden")
        << QList<int>{InputModule2, InputModule2A, InputModule4, HeatDetector, HeatDetector2}
        << QStringList{"1"} << QList<int>{Smoke, Fire} << QList<int>{Input1, Temperature};
    QTest::addRow("everything-hidden") << QList<int>{SmokeDetector, InputModule2, HeatDetector}
                                       << QStringList{} << QList<int>{} << QList<int>{Address, Type, Smoke};
}

void TestAuPropertiesWidget::typeFilterHidesRowsAndEmptyColumns()
{
    QFETCH(QList<int>, hidden);
    QFETCH(QStringList, listed);
    QFETCH(QList<int>, shownColumns);
    QFETCH(QList<int>, hiddenColumns);
    AuInfoWidget tabs(&m_reportTable, &m_protocolTable);
    AuPropertiesWidget *page = tabs.propertiesWidget();
    QCOMPARE(tabs.propertiesModel(), page->model());
    feedMixedLoop(page->model());

    tabs.slotFilterChanged(hidden);
    QTRY_COMPARE(addresses(*page), listed);
    for (int column : shownColumns)
        QVERIFY2(!columnTexts(*page, column).isEmpty(), qPrintable(auPropertyHeader(column)));
    const QAbstractItemModel *shown = page->view()->model();
    for (int column : hiddenColumns) {
        for (int c = 0; c < shown->columnCount(); ++c)
            QVERIFY2(shown->headerData(c, Qt::Horizontal).toString() != auPropertyHeader(column),
                     qPrintable(auPropertyHeader(column)));
    }

    // Lifting the filter brings everything back.
    tabs.slotFilterChanged({});
    QTRY_COMPARE(addresses(*page), (QStringList{"1", "2", "3"}));
}

void TestAuPropertiesWidget::parameterWindowFromAGrid()
{
    AuInfoWidget tabs(&m_reportTable, &m_protocolTable);
    AuPropertiesWidget *page = tabs.propertiesWidget();
    feedMixedLoop(page->model());
    page->model()->slotSetSmoke(1, 61);
    QSignalSpy shown(page, qOverload<>(&AuPropertiesWidget::signalShowAuParams));
    QSignalSpy hidden(page, &AuPropertiesWidget::signalHideAuParams);

    QString title;
    QStringList rows;
    int shownWhileOpen = -1;
    int hiddenWhileOpen = -1;
    QString retitled;
    whenModal<QDialog>([&](QDialog *dialog) {
        title = dialog->windowTitle();
        shownWhileOpen = shown.count();
        hiddenWhileOpen = hidden.count();
        const QAbstractItemModel *list = page->parametersView()->model();
        for (int row = 0; row < list->rowCount(); ++row)
            rows << list->index(row, 0).data().toString() + QLatin1Char('=') +
                        list->index(row, 1).data().toString();
        // Asked for another unit while open: the same window shows it, the worker goes on reading.
        emit tabs.generalGrid()->signalShowAuParams(2);
        retitled = dialog->windowTitle();
        hiddenWhileOpen += hidden.count();
        dialog->accept();
    });
    emit tabs.smokeGrid()->signalShowAuParams(1);

    QCOMPARE(title, QStringLiteral("АУ адрес 1"));
    QCOMPARE(retitled, QStringLiteral("АУ адрес 2"));
    QCOMPARE(shownWhileOpen, 1);
    QCOMPARE(shown.count(), 1);
    QCOMPARE(hiddenWhileOpen, 0);
    QCOMPARE(hidden.count(), 1);
    QCOMPARE(page->parametersDialog()->size(), QSize(500, 500));
    QVERIFY(rows.contains(auPropertyHeader(Type) + QLatin1Char('=') + auTypeName(SmokeDetector)));
    QVERIFY(rows.contains(auPropertyHeader(Smoke) + QStringLiteral("=61 ед.")));
    for (const QString &row : qAsConst(rows))
        QVERIFY2(!row.startsWith(auPropertyHeader(Input1)) && !row.startsWith(auPropertyHeader(Address)),
                 qPrintable(row));
}

void TestAuPropertiesWidget::templatesInTheSettings_data()
{
    QTest::addColumn<QVariant>("stored");        // invalid: no key
    QTest::addColumn<QString>("expectedReport"); // empty: the default
    QTest::addRow("absent") << QVariant() << QString();
    QTest::addRow("empty-falls-back") << QVariant(QString()) << QString();
    QTest::addRow("stored-kept") << QVariant(QStringLiteral("/srv/out/R")) << QStringLiteral("/srv/out/R");
}

void TestAuPropertiesWidget::templatesInTheSettings()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, expectedReport);
    const QString group = QStringLiteral("AuPropertiesWidget");
    if (stored.isValid())
        Settings::writeValue(stored, QStringLiteral("ReportFileNameTemplate"), group);
    const QList<int> noFilter;
    {
        AuPropertiesWidget page(&m_reportTable, &m_protocolTable, &noFilter);
        // The default names a file in the home folder, not one beside it.
        const QString report = AuPropertiesWidget::defaultReportFileNameTemplate();
        const QString protocol = AuPropertiesWidget::defaultProtocolFileNameTemplate();
        QCOMPARE(QFileInfo(report).absolutePath(), QDir::homePath());
        QCOMPARE(QFileInfo(report).fileName(), QStringLiteral("Отчёт о состоянии АУ и RYN"));
        QCOMPARE(QFileInfo(protocol).absolutePath(), QDir::homePath());
        QCOMPARE(QFileInfo(protocol).fileName(), QStringLiteral("Протокол обследования RYN"));

        QCOMPARE(page.reportFileNameTemplate(), expectedReport.isEmpty() ? report : expectedReport);
        QCOMPARE(page.protocolFileNameTemplate(), protocol);
        page.setProtocolFileNameTemplate(QStringLiteral("/srv/out/P"));
    }
    QSettings file(Settings::fileName, QSettings::IniFormat);
    QCOMPARE(file.value(QStringLiteral("AuPropertiesWidget/ProtocolFileNameTemplate")).toString(),
             QStringLiteral("/srv/out/P"));
    AuPropertiesWidget again(&m_reportTable, &m_protocolTable, &noFilter);
    QCOMPARE(again.protocolFileNameTemplate(), QStringLiteral("/srv/out/P"));
}

void TestAuPropertiesWidget::reportTitle_data()
{
    QTest::addColumn<QList<int>>("hidden");
    QTest::addColumn<QList<int>>("shownTypes");
    QTest::addRow("no-filter") << QList<int>{} << QList<int>{};
    // Hidden types keep the filter's order; shown ones go by code: only unit types with a label (12 has
    // none, nor has the controller's code 100).
    QTest::addRow("smoke-then-heat") << QList<int>{SmokeDetector, HeatDetector}
                                     << QList<int>{1,  3,  5,  6,  7,  8,  9,  10, 11, 13, 14,
                                                   15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
    QTest::addRow("relays-and-all-smoke")
        << QList<int>{RelayModule4, SmokeHeatDetector2, SmokeDetector, SmokeHeatDetector, RelayModule2}
        << QList<int>{1, 2, 3, 5, 6, 7, 8, 9, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22};
}

void TestAuPropertiesWidget::reportTitle()
{
    QFETCH(QList<int>, hidden);
    QFETCH(QList<int>, shownTypes);
    Settings::writeValue(3, QStringLiteral("RynAddr"), QStringLiteral("System"));
    AuPropertiesWidget page(&m_reportTable, &m_protocolTable, &hidden);
    QString expected = QStringLiteral("RYN адрес 3.\n");
    if (!hidden.isEmpty()) {
        QStringList hiddenNames;
        for (int type : hidden)
            hiddenNames << auTypeName(type);
        QStringList shownNames;
        for (int type : shownTypes)
            shownNames << auTypeName(type);
        expected += QStringLiteral("Применён фильтр. Скрытые типы: ") +
                    hiddenNames.join(QStringLiteral(", ")) + QStringLiteral(".\nОтображаемые типы: ") +
                    shownNames.join(QStringLiteral(", ")) + QStringLiteral(".\n");
    }
    QCOMPARE(page.reportTitle(3), expected);

    // A right-click titles the table's own exports for the current controller and offers them.
    emit page.view()->customContextMenuRequested(QPoint(10, 200));
    QCOMPARE(page.view()->title(), expected);
    QTRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget *>(page.plainMenu()));
    QCOMPARE(page.plainMenu()->actions(), page.view()->actions());
    page.plainMenu()->close();
}

void TestAuPropertiesWidget::readersSeeChangesOfTheSameTurn_data()
{
    QTest::addColumn<QString>("reader");
    QTest::addColumn<QString>("change");
    for (const QString &reader : {QStringLiteral("copy"), QStringLiteral("csv")}) {
        for (const QString &change :
             {QStringLiteral("configured"), QStringLiteral("filtered"), QStringLiteral("retyped")})
            QTest::addRow("%s-%s", qPrintable(reader), qPrintable(change)) << reader << change;
    }
}

// Values and filters arrive in bursts and the table re-filters once the burst is over; a copy or an
// export made in the middle of a burst must still hold what the table is about to show.
void TestAuPropertiesWidget::readersSeeChangesOfTheSameTurn()
{
    QFETCH(QString, reader);
    QFETCH(QString, change);
    AuInfoWidget tabs(&m_reportTable, &m_protocolTable);
    AuPropertiesWidget *page = tabs.propertiesWidget();
    AuPropertiesModel *model = page->model();
    feedMixedLoop(model);
    model->slotSetType(9, InputModule4);
    model->slotSetGeneralState(9, 8);
    QTRY_VERIFY(!page->proxyModel()->isFilterPending());

    QString present;
    QString absent;
    if (change == QLatin1String("configured")) {
        // The row itself shows at once; the columns only it fills come with the re-filter.
        model->slotSetGeneralState(9, 0);
        present = auPropertyHeader(Input3);
    } else if (change == QLatin1String("filtered")) {
        tabs.slotFilterChanged({SmokeDetector});
        absent = auTypeName(SmokeDetector);
    } else {
        model->slotSetType(1, RelayModule2);
        present = auPropertyHeader(Output1);
        absent = auTypeName(SmokeDetector);
    }
    QVERIFY(page->proxyModel()->isFilterPending());

    QString text;
    if (reader == QLatin1String("copy")) {
        page->view()->slotCopyAll();
        text = QGuiApplication::clipboard()->text();
    } else {
        const ExportResult written =
            exportModelsCsv({page->proxyModel()}, QString(), QStringLiteral("r.csv"));
        QVERIFY(written.ok);
        QFile file(written.fileName);
        QVERIFY(file.open(QIODevice::ReadOnly));
        text = QTextCodec::codecForName("Windows-1251")->toUnicode(file.readAll());
    }
    if (!present.isEmpty())
        QVERIFY2(text.contains(present), qPrintable(text));
    if (!absent.isEmpty())
        QVERIFY2(!text.contains(absent), qPrintable(text));
}

void TestAuPropertiesWidget::rowMenuCommandsTheClickedUnit_data()
{
    QTest::addColumn<int>("addr");
    QTest::addColumn<int>("state");
    QTest::addColumn<QStringList>("path"); // empty: only whether a menu opens
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QStringList>("expected");
    QTest::addRow("blocking-off") << 3 << 0
                                  << QStringList{QStringLiteral("Блокировка"), QStringLiteral("ВЫКЛ.")}
                                  << true << QStringList{QStringLiteral("send 1300 030100")};
    QTest::addRow("relays-from-the-recorded-outputs")
        << 4 << 0 << QStringList{QStringLiteral("Реле Zirn"), QStringLiteral("ВЫКЛ. ...")} << true
        << QStringList{QStringLiteral("send 1114 040000")};
    QTest::addRow("properties") << 1 << 0 << QStringList{QStringLiteral("Свойства ...")} << true
                                << QStringList{QStringLiteral("params 1")};
    QTest::addRow("address-251") << 251 << 0 << QStringList() << true << QStringList();
    QTest::addRow("address-251-doubled") << 251 << 9 << QStringList() << false << QStringList();
}

void TestAuPropertiesWidget::rowMenuCommandsTheClickedUnit()
{
    QFETCH(int, addr);
    QFETCH(int, state);
    QFETCH(QStringList, path);
    QFETCH(bool, opens);
    QFETCH(QStringList, expected);
    const QList<int> hidden;
    AuPropertiesWidget page(&m_reportTable, &m_protocolTable, &hidden);
    AuPropertiesModel *model = page.model();
    feedMixedLoop(model);
    model->slotSetType(4, RelayModule4);
    model->slotSetGeneralState(4, 0);
    model->slotSetOutput(4, AuCellTypes::Io2, 1, false);
    model->slotSetType(251, SmokeDetector);
    model->slotSetGeneralState251(state);
    page.resize(900, 400);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.flushPendingFilter();
    const QModelIndex index = rowOf(page, addr);
    QVERIFY(index.isValid());

    QStringList requests;
    connect(&page, &AuPropertiesWidget::signalSendCmd, this, [&requests](int code, const QByteArray &info) {
        requests << QStringLiteral("send %1 %2").arg(code).arg(QString::fromLatin1(info.toHex()));
    });
    connect(&page, qOverload<int>(&AuPropertiesWidget::signalShowAuParams), this,
            [&requests](int unit) { requests << QStringLiteral("params %1").arg(unit); });
    // The relay dialog shows relay 2 on, as the table recorded it; the other dialogs are answered plainly.
    ModalAnswerer answerer([](QWidget *modal) {
        if (auto *relays = qobject_cast<AuReleDialog *>(modal))
            relays->okButton()->click();
        else if (auto *input = qobject_cast<QInputDialog *>(modal)) {
            input->setIntValue(5);
            input->accept();
        } else if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
    });
    MenuPicker picker(path);
    emit page.view()->customContextMenuRequested(page.view()->visualRect(index).center());
    QTest::qWait(30);
    QCOMPARE(picker.opened, opens);
    QCOMPARE(requests, expected);
    if (opens) {
        QCOMPARE(page.view()->currentIndex().row(), index.row());
        // The table's own actions follow the unit's commands.
        QCOMPARE(
            page.unitMenu()->actions().mid(page.unitMenu()->actions().size() - page.view()->actions().size()),
            page.view()->actions());
    }
}

void TestAuPropertiesWidget::configurationFromTheRowMenu()
{
    const QList<int> hidden;
    AuPropertiesWidget page(&m_reportTable, &m_protocolTable, &hidden);
    feedMixedLoop(page.model());
    page.configurationDialog()->slotRynSelected(1);
    page.resize(900, 400);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.flushPendingFilter();
    QSignalSpy sent(&page, &AuPropertiesWidget::signalSendCmd);
    QString title;
    ModalAnswerer answerer([&title](QWidget *modal) {
        if (auto *dialog = qobject_cast<AuConfigurationDialog *>(modal)) {
            title = dialog->windowTitle();
            dialog->reject();
        }
    });
    MenuPicker picker({QStringLiteral("Конфигурирование ...")});
    const QModelIndex heatDetector = rowOf(page, 3);
    QVERIFY(heatDetector.isValid());
    emit page.view()->customContextMenuRequested(page.view()->visualRect(heatDetector).center());
    QCOMPARE(title, QStringLiteral("Конфигурационные параметры ИПТ по адресу 3"));
    // The dialog's reads leave through the page, for the main window to send.
    QCOMPARE(sent.size(), 6);
    QCOMPARE(sent.first().at(0).toInt(), 101);
}

QTEST_MAIN(TestAuPropertiesWidget)
#include "tst_aupropertieswidget.moc"
