// Figures for the event log at its largest: 50,000 kept events. Prints how long the GUI thread is busy
// with a batch of 62 events (one full event-buffer read) taken into the log widget with a filter on,
// shown at the size the main window gives it on a 1366 x 768 laptop: the thread's CPU time from the
// batch until the layouts and the painting it causes are done. Then the time to save every event to
// CSV, and the memory the kept events take.
#include "benchtiming.h"
#include "eventdesc.h"
#include "eventscsv.h"
#include "eventsfilterproxymodel.h"
#include "eventsmodel.h"
#include "eventswidget.h"
#include "evfilter.h"
#include "evfilterdialog.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int keptEvents = 50000;
constexpr int batchSize = 62;

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

// The engineer's filter: controller 2 only, set in the log's own dialog.
void filterOnController2(EventsWidget &log)
{
    // The timer fires in the dialog's own event loop, the dialog on screen.
    QTimer::singleShot(0, &log, [] {
        auto *dialog = qobject_cast<EvFilterDialog *>(QApplication::activeModalWidget());
        auto *rynBox = dialog->findChildren<QGroupBox *>().at(0);
        rynBox->setChecked(true);
        rynBox->findChild<QSpinBox *>()->setValue(2);
        for (auto *button : dialog->findChildren<QPushButton *>()) {
            if (button->text() == EvFilterDialog::tr("Ввод"))
                button->click();
        }
    });
    log.slotSetFilter();
}

// A full log with its filter (off), taken in batch by batch as the worker delivers it.
struct KeptEvents
{
    explicit KeptEvents(const EventDesc &eventDesc)
    {
        model.setEventDesc(&eventDesc);
        proxy.setSourceModel(&model);
        for (int seed = 0; seed < keptEvents; seed += batchSize)
            model.insertEvents(makeBatch(seed, qMin(batchSize, keptEvents - seed)));
    }

    EvFilter filter;
    EventsModel model;
    EventsFilterProxyModel proxy{filter};
};

void memoryOfKeptEvents(const EventDesc &eventDesc)
{
    const size_t heapBefore = heapInUse();
    const KeptEvents kept(eventDesc);
    kept.proxy.rowCount(); // the proxy builds its row mapping on first use
    const size_t heapAfter = heapInUse();
    std::printf("memory of %d kept events (model and proxy): %.2f MB\n", kept.model.count(),
                double(heapAfter - heapBefore) / (1024.0 * 1024.0));
}

bool saving(const EventDesc &eventDesc)
{
    const KeptEvents kept(eventDesc);
    QTemporaryDir dir;
    QVector<int> columns;
    for (int column = 0; column < EventsModel::ColumnCount; ++column)
        columns << column;
    QElapsedTimer timer;
    timer.start();
    const QString text =
        EventsCsv::text(kept.proxy, columns, evFilterSummary(kept.filter, QString()), QDateTime::currentDateTime());
    const bool written = EventsCsv::write(dir.filePath(QStringLiteral("events.csv")), text);
    const qint64 spent = timer.elapsed();
    std::printf("saving %d events to CSV: %lld ms (%s, %lld bytes)\n", kept.proxy.rowCount(), spent,
                written ? "written" : "FAILED", QFileInfo(dir.filePath(QStringLiteral("events.csv"))).size());
    return written;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(images);
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    EventDesc eventDesc(QStringLiteral("RU"));
    if (!eventDesc.isLoaded())
        std::printf("warning: Resources/Messages.RU not found next to the benchmark; rendering defaults\n");

    memoryOfKeptEvents(eventDesc);

    // The log as the main window shows it on a 1366 x 768 laptop: full width, at its minimum height.
    EventsWidget log;
    log.setEventDescLanguage(QStringLiteral("RU"));
    for (int seed = 0; seed < keptEvents; seed += batchSize)
        log.slotEvents(makeBatch(seed, qMin(batchSize, keptEvents - seed)));
    log.resize(1366, 200);
    log.show();
    filterOnController2(log);
    settle();
    std::printf("idle event loop over %d ms: %.2f ms\n", SettleMs, busyMs([] {}));

    // More batches on the command line, for a profiler.
    const int batches = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 100;
    const size_t heapBefore = heapInUse();
    std::vector<double> call;
    std::vector<double> total;
    for (int i = 0; i < batches; ++i) {
        const ModbusProtocol::EventList batch = makeBatch(keptEvents + i * batchSize, batchSize);
        total.push_back(busyMs([&] {
            const double start = threadCpuMs();
            log.slotEvents(batch);
            call.push_back(threadCpuMs() - start);
        }));
    }
    const int shown = log.findChild<QTableView *>()->model()->rowCount();
    std::printf("batch of %d events into %d kept, filter on (%d rows shown), log shown at 1366 x 200: %.2f ms "
                "until painted (median of %d, worst %.2f; the call itself %.2f ms)\n",
                batchSize, keptEvents, shown, median(total), batches,
                *std::max_element(total.begin(), total.end()), median(call));
    std::printf("heap grown while the log took them (the cell and row-number pictures it keeps): %.2f MB\n",
                double(heapInUse() - heapBefore) / (1024.0 * 1024.0));

    return saving(eventDesc) ? 0 : 1;
}
