#include "aucell.h"
#include "aucellswidget.h"
#include "auinfowidget.h"
#include "aupropertiesmodel.h"
#include "aupropertieswidget.h"
#include "aupropertycolumns.h"
#include "commandcodes.h"
#include "copyabletableview.h"
#include "eventsmodel.h"
#include "eventswidget.h"
#include "linemonitormodel.h"
#include "linemonitorwindow.h"
#include "linerecordtext.h"
#include "mainwindow.h"
#include "modalwatcher.h"
#include "modbusmaster.h"
#include "rynselectwidget.h"
#include "settings.h"
#include "simprogramfolder.h"
#include "workermonitoringlist.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include <condition_variable>
#include <mutex>

using namespace AuProperty;

namespace {

// The text the properties page shows for a unit in a property column; null when either is not shown.
QString cell(AuPropertiesWidget *page, int addr, int column)
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

QSet<int> listedAddresses(AuPropertiesWidget *page)
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

bool columnShown(AuPropertiesWidget *page, int column)
{
    const QAbstractItemModel *shown = page->view()->model();
    for (int c = 0; c < shown->columnCount(); ++c) {
        if (shown->headerData(c, Qt::Horizontal).toString() == auPropertyHeader(column))
            return true;
    }
    return false;
}


// The rows of the traffic monitor as "controller:command:result" texts, as the table shows them.
QStringList monitorRows(const LineMonitorWindow *monitor)
{
    QStringList rows;
    const QAbstractItemModel *table = monitor->view()->model();
    for (int row = 0; row < table->rowCount(); ++row) {
        auto text = [&](int column) { return table->index(row, column).data().toString(); };
        rows.append(text(LineRecordText::ColumnRyn) + QLatin1Char(':') + text(LineRecordText::ColumnCommand) +
                    QLatin1Char(':') + text(LineRecordText::ColumnResult));
    }
    return rows;
}

// What the worker sends and which answer carries an awaited change, noted in the worker's own
// thread (the window may lag far behind a fast line) and read under a standard mutex.
struct WorkerWatch
{
    std::mutex mutex;
    int sent = 0;
    int code = -1; // the block that carries the change
    int byte = 0;  // its byte in the block's data
    quint8 mask = 0;
    quint8 value = 0;
    int carriedAt = -1; // requests sent when the change arrived
};
WorkerWatch watch;

void watchWorker(ModbusMaster *worker)
{
    QObject::connect(
        worker, &ModbusMaster::signalPortTx, worker,
        [] {
            const std::lock_guard<std::mutex> lock(watch.mutex);
            ++watch.sent;
        },
        Qt::DirectConnection);
    QObject::connect(
        worker, &ModbusMaster::signalInfo, worker,
        [](int rynAddr, int, int cmdCode, int errCode, const QByteArray &info) {
            const std::lock_guard<std::mutex> lock(watch.mutex);
            if (watch.carriedAt < 0 && rynAddr == 1 && errCode == 0 && cmdCode == watch.code &&
                info.size() > watch.byte && (quint8(info.at(watch.byte)) & watch.mask) == watch.value)
                watch.carriedAt = watch.sent;
        },
        Qt::DirectConnection);
}

} // namespace

// The whole program against the simulated controllers of the demo line, on a pseudo-terminal.
class TestMainWindowSim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void findsMonitorsAndShowsTheDemoLine();
    void vanishedPortTurnsRedAndComesBack();
    void closingInTheMiddleOfATransaction();
    void propertiesPageOnTheDemoLine();
    void everyRaisedEventReachesTheLog();
    void lineMonitorShowsTheSearchAndMonitoring();

private:
    bool startSim(const QStringList &options);
    std::unique_ptr<MainWindow> makeWindow();
    static QString text(MainWindow &window, const char *name);
    static bool portIsGreen(MainWindow &window);

    std::unique_ptr<SimProgramFolder> m_folder;
};

void TestMainWindowSim::initTestCase()
{
    Q_INIT_RESOURCE(images);
}

void TestMainWindowSim::init()
{
    m_folder = std::make_unique<SimProgramFolder>();
    QVERIFY2(m_folder->errorString().isEmpty(), qPrintable(m_folder->errorString()));
}

void TestMainWindowSim::cleanup()
{
    m_folder.reset();
}

bool TestMainWindowSim::startSim(const QStringList &options)
{
    return m_folder->start(SimProcess::demoScenario(), options, 2);
}

std::unique_ptr<MainWindow> TestMainWindowSim::makeWindow()
{
    auto window = std::make_unique<MainWindow>();
    window->setLanguage(QStringLiteral("RU"));
    window->show();
    return window;
}

QString TestMainWindowSim::text(MainWindow &window, const char *name)
{
    return window.findChild<QLabel *>(QString::fromLatin1(name))->text();
}

bool TestMainWindowSim::portIsGreen(MainWindow &window)
{
    return window.findChild<QLabel *>(QStringLiteral("portStateLabel"))
        ->styleSheet()
        .contains(QLatin1String("green"));
}

void TestMainWindowSim::findsMonitorsAndShowsTheDemoLine()
{
    QVERIFY2(startSim({QStringLiteral("--baud"), QStringLiteral("0")}), qPrintable(m_folder->errorString()));
    auto window = makeWindow();
    QTRY_VERIFY_WITH_TIMEOUT(portIsGreen(*window), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!window->isSearching(), 10000);
    QCOMPARE(window->foundMask(), quint16(0b1110));
    RYNSelectWidget *panel = window->auInfoWidget()->selectWidget();
    for (int address = 1; address <= 8; ++address)
        QCOMPARE(panel->rynButton(address)->isEnabled(), address <= 3);
    QVERIFY(panel->rynButton(2)->isChecked());
    QCOMPARE(int(window->prgParams().rynAddr), 2);

    // The stored controller 2 is watched; switch to controller 1, whose unit 17 is a smoke detector.
    panel->rynButton(1)->click();
    AuCell *cell = window->auInfoWidget()->generalGrid()->cell(17);
    QTRY_COMPARE_WITH_TIMEOUT(cell->colour(), QColor(QStringLiteral("lawngreen")), 10000);
    QCOMPARE(m_folder->sim().command(QStringLiteral("state 1 17 fire")), QStringLiteral("OK"));
    QTRY_COMPARE_WITH_TIMEOUT(cell->colour(), QColor(Qt::red), 10000);

    // Its fire event reaches the log with its description, in the description's colours.
    auto *events = window->eventsWidget()->findChild<EventsModel *>();
    QTRY_VERIFY_WITH_TIMEOUT(
        [events] {
            for (int row = 0; row < events->rowCount(); ++row) {
                if (events->index(row, EventsModel::ColumnCode).data().toInt() != 1 ||
                    events->index(row, EventsModel::ColumnAuAddr).data().toInt() != 17)
                    continue;
                const QModelIndex desc = events->index(row, EventsModel::ColumnDesc);
                return desc.data().toString() == QStringLiteral("Пожар") &&
                       desc.data(Qt::BackgroundRole).value<QColor>() == QColor(Qt::red) &&
                       desc.data(Qt::ForegroundRole).value<QColor>() == QColor(Qt::white);
            }
            return false;
        }(),
        10000);

    QVERIFY(text(*window, "txCounter").toInt() > 20);
    QVERIFY(text(*window, "rxCounter").toInt() > 20);
    QCOMPARE(text(*window, "errorCounter"), QStringLiteral("0"));
}

void TestMainWindowSim::vanishedPortTurnsRedAndComesBack()
{
    QVERIFY2(startSim({QStringLiteral("--baud"), QStringLiteral("0")}), qPrintable(m_folder->errorString()));
    auto window = makeWindow();
    QTRY_VERIFY_WITH_TIMEOUT(portIsGreen(*window), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(window->foundMask() == 0b1110, 10000);

    SimProcess &sim = m_folder->sim();
    sim.stop();
    QTRY_VERIFY_WITH_TIMEOUT(!portIsGreen(*window), 20000);
    QVERIFY(!window->isPortOpened());

    QVERIFY2(sim.start(SimProcess::demoScenario(), {QStringLiteral("--baud"), QStringLiteral("0")}),
             qPrintable(sim.errorString()));
    // The port is tried again every 15 s; once open, the controllers are found again.
    QTRY_VERIFY_WITH_TIMEOUT(portIsGreen(*window), 40000);
    QTRY_VERIFY_WITH_TIMEOUT(window->foundMask() == 0b1110 && !window->isSearching(), 10000);
    RYNSelectWidget *panel = window->auInfoWidget()->selectWidget();
    QVERIFY(panel->rynButton(2)->isChecked());
}

void TestMainWindowSim::closingInTheMiddleOfATransaction()
{
    // At the line rate every answer takes tens of milliseconds, and late answers keep the worker
    // waiting out its whole answer window.
    QVERIFY2(startSim({QStringLiteral("--faults"), QStringLiteral("late=0.5"), QStringLiteral("--seed"),
                       QStringLiteral("3")}),
             qPrintable(m_folder->errorString()));
    auto window = makeWindow();
    QTRY_VERIFY_WITH_TIMEOUT(text(*window, "txCounter").toInt() > 15, 20000);
    window->close();
    QElapsedTimer timer;
    timer.start();
    window.reset();
    QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(Settings::readValue(QStringLiteral("Geometry"), QStringLiteral("MainWindow")).isValid());
    QCOMPARE(Settings::readValue(QStringLiteral("PortName"), QStringLiteral("System")).toString(),
             m_folder->sim().linkPath());
    QVERIFY(m_folder->sim().isRunning());
}

void TestMainWindowSim::propertiesPageOnTheDemoLine()
{
    QVERIFY2(startSim({QStringLiteral("--baud"), QStringLiteral("0")}), qPrintable(m_folder->errorString()));
    Settings::writeValue(1, QStringLiteral("RynAddr"), QStringLiteral("System"));
    auto shown = makeWindow();
    MainWindow &window = *shown;
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

    // A change on the loop is read within one cycle of the all-parameters reading (plus the event
    // polls between cycles), and shows. Requests are counted in the worker's own thread, where the
    // answers arrive: how far the window lags behind a fast line on a loaded machine does not count.
    const int cycle = monitoringList(window.worker()).size();
    QVERIFY(monitoringList(window.worker()).contains(51));
    watchWorker(window.worker());
    struct Change
    {
        QString line;
        int code;
        int byte;
        quint8 mask;
        quint8 value;
        std::function<bool()> shown;
    };
    const QList<Change> changes{
        {QStringLiteral("set 1 3 smoke 55"), 35, 3, 0xFF, 55,
         [page] { return cell(page, 3, Smoke) == QStringLiteral("55 ед."); }},
        {QStringLiteral("state 1 17 fire"), 8, 3, 0x01, 0x01,
         [page] { return cell(page, 17, Fire) == QStringLiteral("Да"); }},
    };
    const auto carriedAt = [] {
        const std::lock_guard<std::mutex> lock(watch.mutex);
        return watch.carriedAt;
    };
    for (const Change &change : changes) {
        {
            const std::lock_guard<std::mutex> lock(watch.mutex);
            watch.code = change.code;
            watch.byte = change.byte;
            watch.mask = change.mask;
            watch.value = change.value;
            watch.carriedAt = -1;
        }
        QCOMPARE(m_folder->sim().command(change.line), QStringLiteral("OK"));
        int before = 0;
        {
            const std::lock_guard<std::mutex> lock(watch.mutex);
            before = watch.sent;
        }
        QTRY_VERIFY_WITH_TIMEOUT(carriedAt() >= 0, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(change.shown(), 10000);
        const int requests = carriedAt() - before;
        QVERIFY2(requests <= cycle + 6,
                 qPrintable(QStringLiteral("%1: %2 requests, cycle %3").arg(change.line).arg(requests).arg(cycle)));
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

void TestMainWindowSim::everyRaisedEventReachesTheLog()
{
    QVERIFY2(startSim({QStringLiteral("--baud"), QStringLiteral("0")}), qPrintable(m_folder->errorString()));
    auto window = makeWindow();
    QTRY_VERIFY_WITH_TIMEOUT(window->foundMask() == 0b1110 && !window->isSearching(), 10000);
    // Besides the demo's own, bursts larger than one read on every controller.
    for (int round = 0; round < 100; ++round) {
        for (int controller = 1; controller <= 3; ++controller) {
            const QString line =
                QStringLiteral("event %1 %2 %3").arg(controller).arg(1 + round % 250).arg(16 + round % 2);
            QCOMPARE(m_folder->sim().command(line), QStringLiteral("OK"));
        }
    }
    QTest::qWait(2000); // the controllers' start-up reports come in while the tool reads
    QCOMPARE(m_folder->sim().command(QStringLiteral("freeze")).left(2), QStringLiteral("OK"));
    const auto value = [this](int controller, const char *name) {
        const QString reply =
            m_folder->sim().command(QStringLiteral("get %1 0 %2").arg(controller).arg(QLatin1String(name)));
        return SimProcess::parseCounts(reply).value(QString::fromLatin1(name), -1);
    };
    auto *events = window->eventsWidget()->findChild<EventsModel *>();
    const auto logged = [events](int controller) {
        int count = 0;
        for (int row = 0; row < events->rowCount(); ++row)
            count += events->index(row, EventsModel::ColumnRyn).data().toInt() == controller ? 1 : 0;
        return count;
    };
    for (int controller = 1; controller <= 3; ++controller) {
        QTRY_COMPARE_WITH_TIMEOUT(value(controller, "eventsWaiting"), 0, 20000);
        QCOMPARE(value(controller, "eventsLost"), 0);
        const int raised = value(controller, "eventsRaised");
        QVERIFY(raised >= 100);
        QTRY_COMPARE_WITH_TIMEOUT(logged(controller), raised, 5000);
    }
}

void TestMainWindowSim::lineMonitorShowsTheSearchAndMonitoring()
{
    QVERIFY2(startSim({QStringLiteral("--baud"), QStringLiteral("0")}), qPrintable(m_folder->errorString()));
    auto window = makeWindow();
    QTRY_VERIFY_WITH_TIMEOUT(!window->isSearching() && window->foundMask() == 0b1110, 10000);
    QAction *open = nullptr;
    for (QAction *action : window->findChildren<QAction *>()) {
        if (action->text() == QStringLiteral("Монитор линии ..."))
            open = action;
    }
    QVERIFY(open);
    open->trigger();
    LineMonitorWindow *monitor = window->lineMonitor();
    QVERIFY(monitor && monitor->isVisible());
    QCOMPARE(monitor->windowTitle(), QStringLiteral("Монитор линии"));

    window->auInfoWidget()->selectWidget()->searchButton()->click();
    QStringList search;
    for (int address = 1; address <= 8; ++address)
        search.append(QStringLiteral("%1:CMD_PING (0):%2")
                          .arg(address)
                          .arg(address <= 3 ? QStringLiteral("Успешно") : QStringLiteral("Нет ответа")));
    const QString monitoringRead = QStringLiteral("2:CMD_READ_GENERAL_STATE (18):Успешно");
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            const QStringList rows = monitorRows(monitor);
            const int first = rows.indexOf(search.first());
            return first >= 0 && rows.mid(first, 8) == search && rows.indexOf(monitoringRead, first) > first;
        }(),
        15000);

    // Closed, the monitor gets nothing more. Records the worker handed over before it heard of the
    // close may still be on their way on a busy machine: the count must settle, then stay.
    monitor->close();
    int kept = -1;
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            const int before = monitor->model()->keptCount();
            QTest::qWait(500);
            kept = monitor->model()->keptCount();
            return kept == before;
        }(),
        15000);
    QTest::qWait(1000);
    QCOMPARE(monitor->model()->keptCount(), kept);
}

QTEST_MAIN(TestMainWindowSim)
#include "tst_mainwindowsim.moc"
