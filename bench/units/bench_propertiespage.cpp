// The unit properties page on its tab, shown (offscreen), fed a complete change of the loop as the
// "all parameters" reading delivers it: block by block (every unit's type, then every general state,
// then each further value), one event-loop turn a block, so the gathered re-filter and the repaint
// each block causes are counted. Prints the GUI thread's CPU time for the whole change, for one
// unit's change (apart, the rounds in which its row stays and those in which it leaves or enters the
// list, and what new values and the idle before a round add to it), for one unit's change of state as
// the reading brings it, for the same reading again with nothing changed, for the plainest repaint
// this machine does after the same idle, and the heap the page's 251 rows take with the model, proxy
// and view.
#include "auinfowidget.h"
#include "aupropertiesmodel.h"
#include "aupropertieswidget.h"
#include "benchtiming.h"
#include "copyabletableview.h"
#include "unitvaluefeed.h"

#include <QApplication>
#include <QLabel>
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
    const int shownRows = page->view()->model()->rowCount();
    // The same reading again, every value as it was: what a repeated reading costs.
    std::vector<double> repeated;
    for (int round = 0; round < Rounds; ++round)
        repeated.push_back(busyMs([&model] { feedLoop(model, Rounds * 7); }));
    // More single-unit rounds on the command line, for a profiler.
    const int singles = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 50;
    std::vector<double> single;
    // The unit's type cycles through every type, so in some rounds its row leaves or enters the list.
    std::vector<double> stays;
    std::vector<double> moves;
    const QAbstractItemModel *shown = page->view()->model();
    for (int round = 0; round < singles; ++round) {
        const int rowsBefore = shown->rowCount();
        single.push_back(busyMs([&model, round] { feedUnit(model, 17, round); }));
        (shown->rowCount() == rowsBefore ? stays : moves).push_back(single.back());
    }
    // One unit's change of state as the reading brings it, both of its blocks in one turn: every unit's
    // general state (which picks the rows) and every unit's fire flag, in which one unit's goes to fire
    // or back; the other units' values arrive as they were. The unit is of a type the filter shows, so
    // its row is on the page and stays there.
    const auto stateBlocks = [&model](bool fire) {
        for (int addr = 1; addr < Units; ++addr)
            model.slotSetGeneralState(addr, addr == 17 && fire ? 4 : 0);
        model.slotSetGeneralState251(0);
        for (int addr = 1; addr < Units; ++addr)
            model.slotSetFire(addr, addr == 17 && fire);
    };
    model.slotSetType(17, HeatDetector);
    stateBlocks(false);
    settle();
    std::vector<double> fires;
    for (int round = 0; round < 50; ++round)
        fires.push_back(busyMs([&stateBlocks, round] { stateBlocks(round % 2 == 0); }));
    // The floor under every figure above on this machine: Qt's plainest text widget, a label in a
    // window of its own, repainting one digit after the same idle.
    QLabel label(QStringLiteral("0"));
    label.setFixedSize(60, 24);
    label.show();
    settle();
    std::vector<double> floor;
    for (int round = 1; round <= 50; ++round)
        floor.push_back(busyMs([&label, round] { label.setText(QString::number(round % 10)); }));
    // What the benchmark's own wait for the paint costs with nothing to do, in every figure above.
    std::vector<double> idle;
    for (int round = 0; round < 20; ++round)
        idle.push_back(busyMs([] {}));
    // What sets one unit's figure: the same rounds with values never shown before or all shown before
    // (their texts laid out, elided cells pictured), each after the long idle of the figures above or
    // after one of a millisecond (the processor still warm from the last round; a millisecond is ample
    // for the paint, whose events are all posted at once).
    double warmth[2][2];
    int seed = 1000;
    for (int idleMs : {SettleMs, 1}) {
        for (int seen = 0; seen < 2; ++seen) {
            std::vector<double> rounds;
            for (int round = 0; round < 30; ++round) {
                const double start = threadCpuMs();
                feedUnit(model, 17, seed + round);
                wait(idleMs);
                rounds.push_back(threadCpuMs() - start);
            }
            warmth[idleMs == 1][seen] = median(rounds);
        }
        seed += 1000;
    }
    std::printf("full change of %d units in %zu blocks, page visible (%d rows, %d columns shown): %.1f ms "
                "(median of %d, worst %.1f); one unit %.3f ms (median of %d, worst %.3f)\n",
                Units, unitValueFeeds().size(), shownRows, page->view()->model()->columnCount(), median(full),
                Rounds, *std::max_element(full.begin(), full.end()), median(single), singles,
                *std::max_element(single.begin(), single.end()));
    std::printf(
        "one unit's change of state (fire and back) as the blocks of every unit's state and fire flag "
        "bring it: %.3f ms (median of %zu, worst %.3f)\n",
        median(fires), fires.size(), *std::max_element(fires.begin(), fires.end()));
    std::printf("the same reading again, nothing changed: %.1f ms (median of %d)\n", median(repeated), Rounds);
    std::printf("one unit whose row stays: %.3f ms (median of %zu); whose row leaves or enters the list: %.3f ms "
                "(median of %zu); the idle wait for the paint: %.3f ms (median of %zu)\n",
                median(stays), stays.size(), moves.empty() ? 0.0 : median(moves), moves.size(), median(idle),
                idle.size());
    std::printf("a plain label's repaint of one digit, the machine's floor: %.3f ms (median of %zu)\n",
                median(floor), floor.size());
    std::printf("one unit, values new / shown before: after %d ms idle %.3f / %.3f ms, after 1 ms idle %.3f / %.3f ms "
                "(medians of 30)\n",
                SettleMs, warmth[0][0], warmth[0][1], warmth[1][0], warmth[1][1]);
    return 0;
}
