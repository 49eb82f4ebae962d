#include "aucellswidget.h"
#include "auinfowidget.h"
#include "aupropertiesmodel.h"
#include "aupropertieswidget.h"
#include "aupropertycolumns.h"
#include "copyabletableview.h"
#include "hardtypes.h"
#include "mainwindow.h"
#include "modalwatcher.h"
#include "modbusmaster.h"
#include "rynselectwidget.h"
#include "settings.h"
#include "simprocess.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace AuProperty;

// The properties page of the whole program against the simulated controllers of the demo line.
class TestPropertiesPageSim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void demoLoopOnThePage();

private:
    // The text the page shows for a unit in a property column; null when either is not shown.
    static QString cell(AuPropertiesWidget *page, int addr, int column);
    static QSet<int> listedAddresses(AuPropertiesWidget *page);
    static bool columnShown(AuPropertiesWidget *page, int column);
    static QList<int> monitoringList(ModbusMaster *worker);
    static int transmitted(MainWindow &window);

    QTemporaryDir *m_dir = nullptr;
    SimProcess *m_sim = nullptr;
};

void TestPropertiesPageSim::initTestCase()
{
    Q_INIT_RESOURCE(images);
}

void TestPropertiesPageSim::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(QDir::setCurrent(m_dir->path()));
    QVERIFY(QDir().mkpath(QStringLiteral("Resources")));
    QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/Resources/Messages.RU"),
                        QStringLiteral("Resources/Messages.RU")));
    Settings::fileName = QStringLiteral("TestRYN.ini");
    m_sim = new SimProcess;
}

void TestPropertiesPageSim::cleanup()
{
    delete m_sim;
    m_sim = nullptr;
    Settings::fileName.clear();
    QDir::setCurrent(QDir::tempPath());
    delete m_dir;
    m_dir = nullptr;
}

QString TestPropertiesPageSim::cell(AuPropertiesWidget *page, int addr, int column)
{
    const QAbstractItemModel *shown = page->view()->model();
    int addressColumn = -1;
    int valueColumn = -1;
    for (int c = 0; c < shown->columnCount(); ++c) {
        const QString header = shown->headerData(c, Qt::Horizontal).toString();
        if (header == auPropertyHeader(Address))
            addressColumn = c;
        if (header == auPropertyHeader(column))
            valueColumn = c;
    }
    for (int row = 0; addressColumn >= 0 && valueColumn >= 0 && row < shown->rowCount(); ++row) {
        if (shown->index(row, addressColumn).data().toInt() == addr)
            return shown->index(row, valueColumn).data().toString();
    }
    return QString();
}

QSet<int> TestPropertiesPageSim::listedAddresses(AuPropertiesWidget *page)
{
    QSet<int> addresses;
    const QAbstractItemModel *shown = page->view()->model();
    for (int c = 0; c < shown->columnCount(); ++c) {
        if (shown->headerData(c, Qt::Horizontal).toString() != auPropertyHeader(Address))
            continue;
        for (int row = 0; row < shown->rowCount(); ++row)
            addresses.insert(shown->index(row, c).data().toInt());
    }
    return addresses;
}

bool TestPropertiesPageSim::columnShown(AuPropertiesWidget *page, int column)
{
    const QAbstractItemModel *shown = page->view()->model();
    for (int c = 0; c < shown->columnCount(); ++c) {
        if (shown->headerData(c, Qt::Horizontal).toString() == auPropertyHeader(column))
            return true;
    }
    return false;
}

QList<int> TestPropertiesPageSim::monitoringList(ModbusMaster *worker)
{
    QList<int> list;
    QMetaObject::invokeMethod(
        worker, [&list, worker] { list = worker->monitoringList(); }, Qt::BlockingQueuedConnection);
    return list;
}

int TestPropertiesPageSim::transmitted(MainWindow &window)
{
    return window.findChild<QLabel *>(QStringLiteral("txCounter"))->text().toInt();
}

void TestPropertiesPageSim::demoLoopOnThePage()
{
    QVERIFY2(m_sim->start(SimProcess::demoScenario(), {QStringLiteral("--baud"), QStringLiteral("0")}),
             qPrintable(m_sim->errorString()));
    Settings::PrgParams params;
    params.portName = m_sim->linkPath();
    params.rynAddr = 1;
    QVERIFY(Settings::writePrgParams(params));
    MainWindow window;
    window.setLanguage(QStringLiteral("RU"));
    window.show();
    QTRY_VERIFY_WITH_TIMEOUT(!window.isSearching() && window.foundMask() == 0b1110, 10000);
    AuInfoWidget *tabs = window.auInfoWidget();
    AuPropertiesWidget *page = tabs->propertiesWidget();
    tabs->tabWidget()->setCurrentIndex(AuInfoWidget::PropertiesTab);

    // Controller 1: units 1..54 and 251, every one configured; values as the scenario sets them.
    QSet<int> demoLoop{251};
    for (int addr = 1; addr <= 54; ++addr)
        demoLoop.insert(addr);
    QTRY_COMPARE_WITH_TIMEOUT(listedAddresses(page), demoLoop, 15000);
    QTRY_COMPARE_WITH_TIMEOUT(cell(page, 3, Smoke), QStringLiteral("48 ед."), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(cell(page, 46, Adc1), QStringLiteral("201 ед."), 10000);
    QCOMPARE(cell(page, 22, Type), auTypeName(HeatDetector));
    QCOMPARE(cell(page, 22, Blocking), QStringLiteral("Да"));
    QCOMPARE(cell(page, 251, Type), auTypeName(SmokeDetector));

    // A change on the loop shows within one cycle of the all-parameters reading (plus the event
    // polls between cycles and the answer on its way).
    const int cycle = monitoringList(window.worker()).size();
    QVERIFY(monitoringList(window.worker()).contains(51));
    const QList<QPair<QString, std::function<bool()>>> changes{
        {QStringLiteral("set 1 3 smoke 55"),
         [page] { return cell(page, 3, Smoke) == QStringLiteral("55 ед."); }},
        {QStringLiteral("state 1 17 fire"), [page] { return cell(page, 17, Fire) == QStringLiteral("Да"); }},
    };
    for (const auto &change : changes) {
        QCoreApplication::processEvents(); // the count as the worker has it
        const int before = transmitted(window);
        // Counted the moment the value reaches the table (the answer is decoded as it arrives), not
        // when the test next looks.
        int seenAt = -1;
        const QMetaObject::Connection watch =
            connect(page->model(), &QAbstractItemModel::dataChanged, page, [&, check = change.second] {
                if (seenAt < 0 && check())
                    seenAt = transmitted(window);
            });
        QCOMPARE(m_sim->command(change.first), QStringLiteral("OK"));
        QTRY_VERIFY_WITH_TIMEOUT(seenAt >= 0, 10000);
        disconnect(watch);
        QVERIFY2(seenAt - before <= cycle + 6, qPrintable(QStringLiteral("%1: %2 requests, cycle %3")
                                                              .arg(change.first)
                                                              .arg(seenAt - before)
                                                              .arg(cycle)));
    }

    // Filtering the smoke detectors out hides their rows and the columns only they fill.
    QVERIFY(columnShown(page, Dustiness));
    tabs->selectWidget()->findChild<QCheckBox *>(QStringLiteral("1"))->click();
    QTRY_VERIFY(!listedAddresses(page).contains(3));
    QVERIFY(!listedAddresses(page).contains(251));
    QVERIFY(listedAddresses(page).contains(22));
    QVERIFY(!columnShown(page, Dustiness));
    QVERIFY(!columnShown(page, Smoke));
    QVERIFY(columnShown(page, Temperature));

    // Back on the general tab, the parameter window of a unit has the worker read all parameters
    // while it is open.
    tabs->tabWidget()->setCurrentIndex(AuInfoWidget::GeneralTab);
    QTRY_VERIFY_WITH_TIMEOUT(!monitoringList(window.worker()).contains(51), 10000);
    bool allWhileOpen = false;
    QString title;
    whenModal<QDialog>([&](QDialog *dialog) {
        title = dialog->windowTitle();
        QElapsedTimer waited;
        waited.start();
        while (!allWhileOpen && waited.elapsed() < 10000) {
            QTest::qWait(20);
            allWhileOpen = monitoringList(window.worker()).contains(51);
        }
        dialog->accept();
    });
    emit tabs->generalGrid()->signalShowAuParams(46);
    QCOMPARE(title, QStringLiteral("АУ адрес 46"));
    QVERIFY(allWhileOpen);
    QTRY_VERIFY_WITH_TIMEOUT(!monitoringList(window.worker()).contains(51), 10000);
}

QTEST_MAIN(TestPropertiesPageSim)
#include "tst_propertiespagesim.moc"
