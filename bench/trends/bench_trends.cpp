// Trends, offscreen: (1) QCustomPlot and Qt Charts with 20 series of 8 hours' history, GUI time to
// append one sample to each and repaint; (2) the trend window itself: one monitoring cycle's reads
// for 20 shown series through the recorder, and the refresh and repaint they cause, as GUI thread
// CPU and as wall time; (3) the memory of 8 hours of every series of a full loop.
#include "benchtiming.h"
#include "commandcodes.h"
#include "modbusprotocol.h"
#include "trendrecorder.h"
#include "trendswindow.h"

#include <qcustomplot.h>

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>

#ifdef RYN_BENCH_QTCHARTS
#include <QtCharts/QChartView>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#endif

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int seriesCount = 20;
constexpr double cycleSeconds = 2.77; // the general tab's cycle on a full loop; the window's is longer
constexpr int historySamples = int(8 * 3600 / cycleSeconds);
constexpr int rounds = 60;
constexpr int windowRounds = 300;
const QSize plotSize(1200, 560);

double sampleValue(int series, int i)
{
    return 40 + 10 * std::sin(i * 0.01 + series) + series;
}

void printFigure(const char *what, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    std::printf("%s: median %.2f ms, worst %.2f ms over %d rounds\n", what, median(times), times.back(),
                int(times.size()));
}

void benchQCustomPlot(double startSeconds, bool antialiased, double spanSeconds, int penWidth, bool fastPolylines)
{
    QCustomPlot plot;
    if (!antialiased)
        plot.setNotAntialiasedElements(QCP::aePlottables);
    plot.setPlottingHints(fastPolylines ? QCP::phFastPolylines | QCP::phCacheLabels : QCP::phCacheLabels);
    plot.resize(plotSize);
    plot.xAxis->setTicker(QSharedPointer<QCPAxisTickerDateTime>(new QCPAxisTickerDateTime));
    plot.legend->setVisible(true);
    for (int s = 0; s < seriesCount; ++s) {
        QCPGraph *graph = plot.addGraph();
        QVector<double> keys(historySamples);
        QVector<double> values(historySamples);
        for (int i = 0; i < historySamples; ++i) {
            keys[i] = startSeconds + i * cycleSeconds;
            values[i] = sampleValue(s, i);
        }
        graph->setData(keys, values, true);
        graph->setName(QStringLiteral("series %1").arg(s));
        graph->setPen(QPen(QColor::fromHsv(s * 17 % 360, 200, 200), penWidth));
    }
    plot.show();
    settle();
    std::vector<double> times;
    int next = historySamples;
    for (int round = 0; round < rounds; ++round, ++next) {
        const double key = startSeconds + next * cycleSeconds;
        times.push_back(busyMs([&] {
            for (int s = 0; s < seriesCount; ++s)
                plot.graph(s)->addData(key, sampleValue(s, next));
            plot.xAxis->setRange(key - spanSeconds, key);
            plot.yAxis->setRange(20, 80);
            plot.replot(QCustomPlot::rpImmediateRefresh);
        }));
    }
    const QByteArray what = QStringLiteral("QCustomPlot, 20 series of 8 h, one sample each and repaint (%1 s in view, "
                                           "pen %2, %3, %4)")
                                .arg(spanSeconds)
                                .arg(penWidth)
                                .arg(antialiased ? QStringLiteral("antialiased") : QStringLiteral("plain"))
                                .arg(fastPolylines ? QStringLiteral("segments") : QStringLiteral("polylines"))
                                .toLatin1();
    printFigure(what.constData(), times);
}

#ifdef RYN_BENCH_QTCHARTS
void benchQtCharts(double startSeconds)
{
    using namespace QtCharts;
    auto *chart = new QChart;
    auto *timeAxis = new QDateTimeAxis;
    auto *valueAxis = new QValueAxis;
    chart->addAxis(timeAxis, Qt::AlignBottom);
    chart->addAxis(valueAxis, Qt::AlignLeft);
    std::vector<QLineSeries *> series;
    for (int s = 0; s < seriesCount; ++s) {
        auto *line = new QLineSeries;
        QVector<QPointF> points(historySamples);
        for (int i = 0; i < historySamples; ++i)
            points[i] = QPointF((startSeconds + i * cycleSeconds) * 1000, sampleValue(s, i));
        line->replace(points);
        chart->addSeries(line);
        line->attachAxis(timeAxis);
        line->attachAxis(valueAxis);
        series.push_back(line);
    }
    valueAxis->setRange(20, 80);
    QChartView view(chart);
    view.resize(plotSize);
    view.show();
    settle();
    std::vector<double> times;
    int next = historySamples;
    for (int round = 0; round < rounds / 4; ++round, ++next) {
        const double key = startSeconds + next * cycleSeconds;
        times.push_back(busyMs([&] {
            for (int s = 0; s < seriesCount; ++s)
                series[size_t(s)]->append(key * 1000, sampleValue(s, next));
            timeAxis->setRange(QDateTime::fromMSecsSinceEpoch(qint64((key - 600) * 1000)),
                               QDateTime::fromMSecsSinceEpoch(qint64(key * 1000)));
            view.repaint();
        }));
    }
    printFigure("Qt Charts, 20 series of 8 h, one sample each and repaint (600 s in view, pen 2, plain)", times);
}
#endif

// The window as the program runs it: the recorder samples one cycle's reads, the window takes them
// in and repaints.
void benchWindow()
{
    qint64 nowMs = QDateTime::currentMSecsSinceEpoch() - qint64(historySamples * cycleSeconds * 1000);
    TrendRecorder recorder(nullptr, [&nowMs] { return nowMs; });
    recorder.slotRynSelected(1);
    QList<TrendSeries> series;
    for (TrendCatalogue::Reading reading : TrendCatalogue::controllerReadings().mid(0, 4))
        series << TrendSeries{1, 0, reading};
    for (int addr = 1; series.size() < seriesCount; ++addr) {
        recorder.slotSetType(addr, 24); // smoke, temperature and ionistors
        recorder.slotSetGeneralState(addr, 0);
        for (TrendCatalogue::Reading reading : TrendCatalogue::unitReadings(24)) {
            if (series.size() < seriesCount)
                series << TrendSeries{1, addr, reading};
        }
    }
    for (const TrendSeries &one : series) {
        recorder.addSeries(one);
        for (int i = 0; i < historySamples; ++i)
            recorder.store().append(one, nowMs + qint64(i * cycleSeconds * 1000), sampleValue(int(one.code() % 7), i));
    }
    nowMs += qint64(historySamples * cycleSeconds * 1000);
    TrendsWindow window(&recorder);
    window.resize(plotSize + QSize(300, 80));
    window.show();
    window.refresh();
    settle();
    const QList<int> blocks{CMD_READ_RYN_REGISTERS, CMD_READ_SMOKE, CMD_READ_T_ULO, CMD_READ_U_PART1};
    std::vector<double> cpu;
    std::vector<double> wall;
    for (int round = 0; round < windowRounds; ++round) {
        nowMs += qint64(cycleSeconds * 1000);
        for (int addr = 1; addr <= 10; ++addr) {
            recorder.slotSetSmoke(addr, uchar(30 + round % 20));
            recorder.slotSet_T_ULo(addr, uchar(120 + round % 5));
            recorder.slotSetU(addr, 5 + round % 3 * 0.1);
        }
        recorder.slotRynRegistersUpdated(998, ushort(120 + round % 9));
        // Wall time up to the repaint done; thread CPU also of what the event loop does after it.
        QElapsedTimer elapsed;
        elapsed.start();
        const double cpuStart = threadCpuMs();
        for (int code : blocks)
            recorder.slotMonitoringRead(1, code, ModbusProtocol::ResultOk);
        window.refresh();
        QCoreApplication::processEvents();
        wall.push_back(double(elapsed.nsecsElapsed()) / 1e6);
        settle();
        cpu.push_back(threadCpuMs() - cpuStart);
    }
    printFigure("trend window, one cycle's reads for 20 shown series at 8 h of history, refresh and repaint, "
                "GUI thread CPU",
                cpu);
    printFigure("trend window, the same, wall time to the repaint done", wall);
}

// A full loop: 250 units of every type as data/sim/bench.json has them, and the worst one, 250
// combined detectors with ionistors (three series each), with the controller's 16 series.
void benchMemory(const char *what, const QList<int> &types)
{
    const std::size_t heapBefore = heapInUse();
    qint64 storeBytes = 0;
    int seriesTotal = 0;
    {
        auto *store = new TrendStore;
        QList<TrendSeries> all;
        for (TrendCatalogue::Reading reading : TrendCatalogue::controllerReadings())
            all << TrendSeries{1, 0, reading};
        for (int addr = 1; addr <= 250; ++addr) {
            for (TrendCatalogue::Reading reading : TrendCatalogue::unitReadings(types.at((addr - 1) % types.size())))
                all << TrendSeries{1, addr, reading};
        }
        const qint64 start = QDateTime::currentMSecsSinceEpoch();
        for (int i = 0; i < historySamples; ++i) {
            for (const TrendSeries &one : qAsConst(all))
                store->append(one, start + qint64(i * cycleSeconds * 1000), i % 100);
        }
        const std::size_t heapAfter = heapInUse();
        storeBytes = store->bytes();
        seriesTotal = all.size();
        std::printf("memory of 8 h of %s (%d series, %d samples each at one a %.2f s cycle, nothing dropped: %s): "
                    "%.1f MB heap, %.1f MB in samples\n",
                    what, seriesTotal, historySamples, cycleSeconds, store->hasDropped() ? "no" : "yes",
                    double(heapAfter - heapBefore) / 1e6, double(storeBytes) / 1e6);
        delete store;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // `bench_trends window` measures the trend window alone (for a profiler).
    if (argc > 1 && QByteArray(argv[1]) == "window") {
        benchWindow();
        return 0;
    }
    const double start = double(QDateTime::currentMSecsSinceEpoch()) / 1000 - historySamples * cycleSeconds;
    for (double span : {600.0, 3600.0, 8 * 3600.0}) {
        benchQCustomPlot(start, true, span, 2, true);
        benchQCustomPlot(start, false, span, 1, true);
        benchQCustomPlot(start, false, span, 1, false);
    }
#ifdef RYN_BENCH_QTCHARTS
    benchQtCharts(start);
#else
    std::printf("Qt Charts not installed (libqt5charts5-dev): no comparison\n");
#endif
    benchWindow();
    QList<int> everyType;
    for (int type = 1; type <= 24; ++type)
        everyType << type;
    benchMemory("a loop of every type", everyType);
    benchMemory("a loop of 250 combined detectors with ionistors", {24});
    return 0;
}
