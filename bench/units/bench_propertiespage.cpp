// The unit properties page on its tab, shown (offscreen), fed a complete change of the loop as the
// "all parameters" reading delivers it: block by block (every unit's type, then every general state,
// then each further value), one event-loop turn a block, so the gathered re-filter and the repaint
// each block causes are counted. Prints the GUI thread's CPU time for the whole change, for one
// unit's change, and the heap the page's 251 rows take with the model, proxy and view.
#include "auinfowidget.h"
#include "aupropertiesmodel.h"
#include "aupropertieswidget.h"
#include "benchtiming.h"
#include "copyabletableview.h"
#include "unitvaluefeed.h"

#include <QApplication>
#include <QTabWidget>
#include <QTableWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Units = 251;
constexpr int Rounds = 10;
void feedLoop(AuPropertiesModel &model, int seed)
{
    for (const UnitValueFeed &feed : unitValueFeeds()) {
        for (int addr = 1; addr <= Units; ++addr)
            feed(model, addr, addr + seed);
        QCoreApplication::processEvents();
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTableWidget reportTable;
    QTableWidget protocolTable;
    AuInfoWidget tabs(&reportTable, &protocolTable);
    tabs.resize(1400, 800);
    tabs.tabWidget()->setCurrentIndex(AuInfoWidget::PropertiesTab);
    tabs.slotFilterChanged({SmokeDetector, RelayModule2});
    tabs.show();
    settle();
    AuPropertiesWidget *page = tabs.propertiesWidget();
    AuPropertiesModel &model = *page->model();

    const std::size_t heapBefore = heapInUse();
    const double first = busyMs([&model] { feedLoop(model, 0); });
    const std::size_t heapAfter = heapInUse();
    std::printf("first filling of %d rows: %.1f ms; heap of the rows with model, proxy and view: %.1f KiB\n",
                Units, first, (heapAfter - heapBefore) / 1024.0);

    std::vector<double> full;
    for (int round = 1; round <= Rounds; ++round)
        full.push_back(busyMs([&model, round] { feedLoop(model, round * 7); }));
    std::vector<double> single;
    for (int round = 0; round < 50; ++round)
        single.push_back(busyMs([&model, round] { feedUnit(model, 17, round); }));
    std::printf("full change of %d units in %zu blocks, page visible (%d rows, %d columns shown): %.1f ms "
                "(median of %d, worst %.1f); one unit %.3f ms (median of 50, worst %.3f)\n",
                Units, unitValueFeeds().size(), page->view()->model()->rowCount(),
                page->view()->model()->columnCount(), median(full), Rounds,
                *std::max_element(full.begin(), full.end()), median(single),
                *std::max_element(single.begin(), single.end()));
    return 0;
}
