// Figures for the event log at its largest: 50,000 kept events. Prints the time to take in a batch
// of 62 events (one full event-buffer read) with a filter on and the table on screen, the time to
// save every event to CSV, and the memory the kept events take.
#include "benchtiming.h"
#include "eventdesc.h"
#include "eventscsv.h"
#include "eventsfilterproxymodel.h"
#include "eventsmodel.h"
#include "evfilter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int keptEvents = 50000;
constexpr int batchSize = 62;
constexpr int batches = 200;

// A plausible mix: 8 controllers, 250 units, codes of the description file, parameters of all kinds.
ModbusProtocol::EventList makeBatch(int seed, int size)
{
    static const int codes[] = {1, 2, 3, 10, 11, 12, 22, 23, 25, 26, 40, 42, 78, 79, 84, 101, 102, 165};
    ModbusProtocol::EventList events;
    const QDateTime now = QDateTime::currentDateTime();
    for (int i = 0; i < size; ++i) {
        const int n = seed + i;
        ModbusEvent ev;
        ev.received = now.addMSecs(n);
        ev.rynAddr = quint8(1 + n % 8);
        ev.auAddr = quint8(1 + n % 250);
        ev.inputNumber = quint8(n % 4);
        ev.evCode = quint8(codes[n % int(sizeof codes / sizeof *codes)]);
        ev.addParam = quint8(n * 7);
        events << ev;
    }
    return events;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    EventDesc eventDesc(QStringLiteral("RU"));
    if (!eventDesc.isLoaded())
        std::printf("warning: Resources/Messages.RU not found next to the benchmark; rendering defaults\n");

    // Memory: the model and the filter proxy holding 50,000 events.
    const size_t heapBefore = heapInUse();
    EvFilter filter;
    auto *model = new EventsModel;
    model->setEventDesc(&eventDesc);
    auto *proxy = new EventsFilterProxyModel(filter);
    proxy->setSourceModel(model);
    for (int seed = 0; seed < keptEvents; seed += batchSize)
        model->insertEvents(makeBatch(seed, qMin(batchSize, keptEvents - seed)));
    proxy->rowCount(); // the proxy builds its row mapping on first use
    const size_t heapAfter = heapInUse();
    std::printf("memory of %d kept events (model and proxy): %.2f MB\n", model->count(),
                double(heapAfter - heapBefore) / (1024.0 * 1024.0));

    // Batches with a filter on and the table laid out on screen, as the log shows them.
    QTableView view;
    view.setModel(proxy);
    view.resize(1000, 400);
    view.show();
    filter.rynFilterOn = 1;
    filter.rynAddr = 2;
    proxy->applyFilter();
    QCoreApplication::processEvents();

    QElapsedTimer timer;
    qint64 worst = 0;
    qint64 total = 0;
    qint64 modelOnly = 0;
    for (int i = 0; i < batches; ++i) {
        const ModbusProtocol::EventList batch = makeBatch(keptEvents + i * batchSize, batchSize);
        timer.start();
        model->insertEvents(batch);
        modelOnly += timer.nsecsElapsed();
        QCoreApplication::processEvents();
        const qint64 spent = timer.nsecsElapsed();
        total += spent;
        worst = qMax(worst, spent);
    }
    std::printf("batch of %d events into %d kept, filter on (%d rows shown): mean %.2f ms, worst %.2f ms"
                " (of which model and proxy %.2f ms)\n",
                batchSize, model->count(), proxy->rowCount(), double(total) / batches / 1e6,
                double(worst) / 1e6, double(modelOnly) / batches / 1e6);

    // Saving every kept event, filter off.
    filter = EvFilter();
    proxy->applyFilter();
    QTemporaryDir dir;
    QVector<int> columns;
    for (int column = 0; column < EventsModel::ColumnCount; ++column)
        columns << column;
    timer.start();
    const QString text =
        EventsCsv::text(*proxy, columns, evFilterSummary(filter, QString()), QDateTime::currentDateTime());
    const bool written = EventsCsv::write(dir.filePath(QStringLiteral("events.csv")), text);
    const qint64 saving = timer.elapsed();
    std::printf("saving %d events to CSV: %lld ms (%s, %lld bytes)\n", proxy->rowCount(), saving,
                written ? "written" : "FAILED", QFileInfo(dir.filePath(QStringLiteral("events.csv"))).size());

    delete proxy;
    delete model;
    return written ? 0 : 1;
}
