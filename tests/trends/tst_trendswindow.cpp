#include "aumenu.h"
#include "aumenucontext.h"
#include "menupicker.h"
#include "modalwatcher.h"
#include "modbusprotocol.h"
#include "settings.h"
#include "trendrecorder.h"
#include "trendswindow.h"

#include <qcustomplot.h>

#include <QLabel>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const TrendSeries smoke{1, 3, TrendCatalogue::Smoke};
const TrendSeries supply{1, 0, TrendCatalogue::Supply24Voltage};
} // namespace

class TestTrendsWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void settingsGroupKeepsTheSeries();
    void recordsWhileShown();
    void plotShowsSamplesGapsAndCursor();
    void unitThatDisappearsSaysSo();
    void csvThatCannotBeWrittenIsReported();
    void unitMenuOpensTheUnitsTrend();

private:
    // Unit 3 of controller 1 a smoke detector in normal state.
    void smokeDetectorOnLine(TrendRecorder &recorder);

    QTemporaryDir m_dir;
    qint64 m_now = 1700000000000;
};

void TestTrendsWindow::init()
{
    Settings::fileName = m_dir.filePath(QStringLiteral("TestRYN.ini"));
    QFile::remove(Settings::fileName);
}

void TestTrendsWindow::cleanup()
{
    Settings::fileName.clear();
}

void TestTrendsWindow::smokeDetectorOnLine(TrendRecorder &recorder)
{
    recorder.slotRynSelected(1);
    recorder.slotSetType(3, 4);
    recorder.slotSetGeneralState(3, 0);
}

void TestTrendsWindow::settingsGroupKeepsTheSeries()
{
    {
        TrendRecorder recorder;
        TrendsWindow window(&recorder);
        recorder.addSeries(smoke);
        recorder.addSeries(supply);
    }
    {
        QSettings ini(Settings::fileName, QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("TrendsWindow/Series")).toStringList(),
                 (QStringList{QString::number(smoke.code()), QString::number(supply.code())}));
        QVERIFY(ini.contains(QStringLiteral("TrendsWindow/Geometry")));
        QVERIFY(ini.contains(QStringLiteral("TrendsWindow/SplitterState")));
        // A hand-edited file: words and series that make no sense are left out, the rest is read.
        ini.setValue(QStringLiteral("TrendsWindow/Series"),
                     QStringList{QStringLiteral("smoke"), QString::number(smoke.code()), QStringLiteral("4294967295"),
                                 QString::number(TrendSeries{1, 5, TrendCatalogue::LoopResistance}.code())});
        ini.setValue(QStringLiteral("TrendsWindow/SpanSeconds"), QStringLiteral("-5"));
    }
    TrendRecorder recorder;
    TrendsWindow window(&recorder);
    QCOMPARE(recorder.series(), QList<TrendSeries>{smoke});
    QCOMPARE(window.followSpanSeconds(), 600.0);
    QVERIFY(window.graph(smoke));
}

void TestTrendsWindow::recordsWhileShown()
{
    TrendRecorder recorder;
    TrendsWindow window(&recorder);
    recorder.addSeries(supply);
    QSignalSpy readEverything(&recorder, &TrendRecorder::signalReadEverything);
    window.show();
    QVERIFY(recorder.isRecording());
    window.showMinimized(); // minimised goes on recording
    QVERIFY(recorder.isRecording());
    window.close();
    QVERIFY(!recorder.isRecording());
    QCOMPARE(readEverything.count(), 2);
    QCOMPARE(readEverything.at(0).at(0).toBool(), true);
    QCOMPARE(readEverything.at(1).at(0).toBool(), false);
}

void TestTrendsWindow::plotShowsSamplesGapsAndCursor()
{
    TrendRecorder recorder(nullptr, [this] { return m_now; });
    smokeDetectorOnLine(recorder);
    TrendsWindow window(&recorder);
    recorder.addSeries(smoke);
    window.show();
    recorder.slotSetSmoke(3, 48);
    recorder.slotSetIPD_FireThreshold(3, 120);
    recorder.slotMonitoringRead(1, 35, ModbusProtocol::ResultOk);
    m_now += 5000;
    recorder.slotMonitoringRead(1, 35, ModbusProtocol::ResultNoAnswer);
    m_now += 5000;
    recorder.slotSetSmoke(3, 60);
    recorder.slotMonitoringRead(1, 35, ModbusProtocol::ResultOk);
    window.refresh();
    QCPGraph *graph = window.graph(smoke);
    QVERIFY(graph);
    QCOMPARE(graph->data()->size(), 3);
    QCOMPARE((graph->data()->constBegin())->value, 48.0);
    QVERIFY(qIsNaN((graph->data()->constBegin() + 1)->value)); // drawn as a gap, not a line across
    QCOMPARE((graph->data()->constBegin() + 2)->value, 60.0);
    // The threshold is in view beside the samples.
    QVERIFY(graph->valueAxis()->range().contains(120));
    QVERIFY(window.statusLabel()->text().contains(QDateTime::fromMSecsSinceEpoch(m_now - 10000).toString(QStringLiteral("hh:mm:ss"))));
    window.setCursorTime(m_now - 8000);
    QVERIFY2(window.cursorLabel()->text().contains(QStringLiteral("АУ 3: Задымлённость 48")),
             qPrintable(window.cursorLabel()->text()));
    window.setCursorTime(m_now - 2000);
    QVERIFY(window.cursorLabel()->text().contains(QStringLiteral("Задымлённость —")));
}

void TestTrendsWindow::unitThatDisappearsSaysSo()
{
    TrendRecorder recorder(nullptr, [this] { return m_now; });
    smokeDetectorOnLine(recorder);
    TrendsWindow window(&recorder);
    recorder.addSeries(smoke);
    window.show();
    recorder.slotSetSmoke(3, 48);
    recorder.slotMonitoringRead(1, 35, ModbusProtocol::ResultOk);
    QVERIFY(!window.graph(smoke)->name().contains(QStringLiteral("нет на линии")));
    window.refresh();
    QCPLegend *legend = window.plot()->legend;
    QCOMPARE(legend->itemCount(), 1);
    const int legendWidth = legend->item(0)->outerRect().width();
    m_now += 1000;
    recorder.slotSetGeneralState(3, 8); // re-addressed away
    window.refresh();
    QVERIFY2(window.graph(smoke)->name().contains(QStringLiteral("нет на линии с ")),
             qPrintable(window.graph(smoke)->name()));
    // The legend lays the longer title out anew.
    QVERIFY(legend->item(0)->outerRect().width() > legendWidth);
    QCOMPARE(window.graph(smoke)->data()->constBegin()->value, 48.0);
    recorder.slotSetGeneralState(3, 1);
    QVERIFY(window.graph(smoke)->name().contains(QStringLiteral("потеря связи с ")));
}

void TestTrendsWindow::csvThatCannotBeWrittenIsReported()
{
    TrendRecorder recorder(nullptr, [this] { return m_now; });
    smokeDetectorOnLine(recorder);
    TrendsWindow window(&recorder);
    recorder.addSeries(smoke);
    window.show();
    recorder.slotSetSmoke(3, 48);
    recorder.slotMonitoringRead(1, 35, ModbusProtocol::ResultOk);
    QString told;
    whenModal<QMessageBox>([&told](QMessageBox *box) {
        told = box->text();
        box->accept();
    });
    QVERIFY(!window.saveCsv(m_dir.filePath(QStringLiteral("missing/folder/trend.csv"))));
    QVERIFY2(told.startsWith(QStringLiteral("Не удалось сохранить файл")), qPrintable(told));
    QCOMPARE(recorder.store().count(smoke), 1);
    const QString good = m_dir.filePath(QStringLiteral("trend.csv"));
    QVERIFY(window.saveCsv(good));
    QVERIFY(QFile(good).size() > 0);
}

void TestTrendsWindow::unitMenuOpensTheUnitsTrend()
{
    TrendRecorder recorder;
    recorder.slotRynSelected(2);
    recorder.slotSetType(25, 23); // smoke and heat
    recorder.slotSetGeneralState(25, 0);
    TrendsWindow window(&recorder);
    AuMenu menu;
    AuMenuContext context;
    menu.setContext(&context);
    menu.prepare(25, 23);
    QVERIFY(!menu.action(AuMenu::TrendIdentifier)->isVisible()); // no trend window to take it
    context.showTrend = [&window](int addr) { window.showUnit(addr); };
    {
        MenuPicker picker({QStringLiteral("Тренд ...")});
        menu.run({25, 23, 0}, QPoint(10, 10));
        QVERIFY(picker.opened);
        QVERIFY(!picker.missing);
    }
    QVERIFY(window.isVisible());
    QCOMPARE(recorder.series(), (QList<TrendSeries>{{2, 25, TrendCatalogue::Smoke}, {2, 25, TrendCatalogue::Temperature}}));
}

QTEST_MAIN(TestTrendsWindow)
#include "tst_trendswindow.moc"
