#include "aucell.h"
#include "aucellswidget.h"
#include "auinfowidget.h"
#include "mainwindow.h"
#include "menupicker.h"
#include "modbusmaster.h"
#include "simprogramfolder.h"
#include "trendrecorder.h"
#include "trendswindow.h"
#include "workermonitoringlist.h"

#include <QtTest>

// The trend window of the whole program against the simulated line: opened from a unit's menu, fed
// by the decoder from the worker's reads, broken where the line fails.
class TestTrendsSim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void unitMenuTrendRecordsWhatTheLineSays();

private:
    std::unique_ptr<SimProgramFolder> m_folder;
    std::unique_ptr<MainWindow> m_window;
};

void TestTrendsSim::initTestCase()
{
    Q_INIT_RESOURCE(images);
    m_folder = std::make_unique<SimProgramFolder>();
    QVERIFY2(m_folder->start(SimProcess::demoScenario(), {QStringLiteral("--baud"), QStringLiteral("0")}, 1),
             qPrintable(m_folder->errorString()));
    m_window = std::make_unique<MainWindow>();
    m_window->setLanguage(QStringLiteral("RU"));
    m_window->show();
    QTRY_COMPARE_WITH_TIMEOUT(m_window->selectedRyn(), 1, 15000);
}

void TestTrendsSim::cleanupTestCase()
{
    m_window.reset();
    m_folder.reset();
}

void TestTrendsSim::unitMenuTrendRecordsWhatTheLineSays()
{
    AuCell *cell = m_window->auInfoWidget()->generalGrid()->cell(7);
    QTRY_VERIFY_WITH_TIMEOUT(cell->values().type == 4 && cell->values().state == 0, 15000);
    const QList<int> normalList = monitoringList(m_window->worker());
    QVERIFY(!normalList.contains(41)); // the fire thresholds are no part of the general tab's list
    QCOMPARE(m_folder->sim().command(QStringLiteral("set 1 7 smoke 61")), QStringLiteral("OK"));
    {
        MenuPicker picker({QStringLiteral("Тренд ...")});
        QTest::mouseClick(cell, Qt::RightButton);
        QVERIFY(picker.opened);
        QVERIFY(!picker.missing);
    }
    TrendsWindow *trends = m_window->trendsWindow();
    QTRY_VERIFY(trends->isVisible());
    TrendRecorder *recorder = trends->recorder();
    const TrendSeries smoke{1, 7, TrendCatalogue::Smoke};
    const TrendSeries supply{1, 0, TrendCatalogue::Supply24Voltage};
    QCOMPARE(recorder->series(), QList<TrendSeries>{smoke});
    recorder->addSeries(supply);
    // Every parameter is read while the window shows a series.
    QTRY_VERIFY_WITH_TIMEOUT(monitoringList(m_window->worker()).contains(41), 15000);

    const TrendStore &store = recorder->store();
    QTRY_VERIFY_WITH_TIMEOUT(store.count(smoke) >= 2 && store.last(smoke).value == 61.0, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(store.count(supply) >= 1 && qAbs(store.last(supply).value - 23.968) < 0.01, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(recorder->threshold(smoke) == 110.0, 20000);
    QCOMPARE(m_folder->sim().command(QStringLiteral("set 1 7 smoke 77")), QStringLiteral("OK"));
    QTRY_COMPARE_WITH_TIMEOUT(store.last(smoke).value, 77.0, 20000);

    // The line fails: a gap, and the samples before it stay.
    const int before = store.count(smoke);
    QCOMPARE(m_folder->sim().command(QStringLiteral("silence 1")), QStringLiteral("OK"));
    QTRY_VERIFY_WITH_TIMEOUT(store.last(smoke).isGap() && store.last(supply).isGap(), 20000);
    QVERIFY(store.count(smoke) > before);
    QCOMPARE(m_folder->sim().command(QStringLiteral("revive 1")), QStringLiteral("OK"));
    QTRY_VERIFY_WITH_TIMEOUT(!store.last(smoke).isGap() && store.last(smoke).value == 77.0, 30000);

    trends->close();
    QTRY_VERIFY_WITH_TIMEOUT(!monitoringList(m_window->worker()).contains(41), 15000);
    const int closedAt = store.count(smoke);
    QVERIFY(store.last(smoke).isGap());
    QTest::qWait(2000);
    QCOMPARE(store.count(smoke), closedAt); // nothing is recorded with the window closed
}

QTEST_MAIN(TestTrendsSim)
#include "tst_trendssim.moc"
