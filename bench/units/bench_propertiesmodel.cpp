// Feeds the unit properties model and its filter proxy (wired as the properties page wires them, no
// view) a complete change of the loop: types, general states, voltages and every other value of all
// 250 units and of unit 251, as the decoder's signals deliver them. Prints the GUI thread's CPU time
// for the change including the gathered re-filter, for one unit's change, and the heap the 251 rows
// take.
#include "aufilterproxymodel.h"
#include "aupropertiesmodel.h"
#include "benchtiming.h"
#include "unitvaluefeed.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Units = 251;
constexpr int Rounds = 10;

struct Page
{
    ColumnValidRows valid;
    QList<int> hidden{SmokeDetector, RelayModule2};
    AuPropertiesModel model{&valid};
    AuFilterProxyModel proxy{&hidden, &valid};

    Page()
    {
        proxy.setSourceModel(&model);
        proxy.setFilterKeyColumn(AuProperty::GeneralState);
        proxy.setFilterRegularExpression(QStringLiteral("^(?!%1$)").arg(8));
        QObject::connect(&model, &AuPropertiesModel::signalColumnValidRowsChanged, &proxy,
                         &AuFilterProxyModel::slotFilterChanged);
        QObject::connect(&model, &AuPropertiesModel::signalGeneralStateChanged, &proxy,
                         &AuFilterProxyModel::slotFilterChanged);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const size_t heapBefore = heapInUse();
    auto *page = new Page;
    const double first = busyMs([page] {
        for (int a = 1; a <= Units; ++a)
            feedUnit(page->model, a, 0);
    });
    const size_t heapAfter = heapInUse();
    std::printf("first filling of %d rows: %.1f ms; heap of model, proxy and column map: %.1f KiB "
                "(record %zu bytes)\n",
                Units, first, (heapAfter - heapBefore) / 1024.0, sizeof(AuUnitRecord));

    std::vector<double> full;
    for (int round = 1; round <= Rounds; ++round) {
        full.push_back(busyMs([page, round] {
            for (int a = 1; a <= Units; ++a)
                feedUnit(page->model, a, round * 7);
        }));
    }
    std::vector<double> single;
    for (int round = 0; round < 50; ++round)
        single.push_back(busyMs([page, round] { feedUnit(page->model, 17, round); }));
    std::printf("full change of %d units (%d rows shown): %.1f ms (median of %d, worst %.1f); "
                "one unit %.3f ms (median of 50)\n",
                Units, page->proxy.rowCount(), median(full), Rounds,
                *std::max_element(full.begin(), full.end()), median(single));
    delete page;
    return 0;
}
