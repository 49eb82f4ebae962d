// Feeds the summary tabs a complete change of the loop (types, general states and voltages of all 250
// units), as the decoder's signals deliver it, and prints how long the GUI thread is busy with it:
// the thread's CPU time from the first value until the layouts and the painting the change causes
// are done (the window repaints on a timer, so the event loop runs on for a while after the change).
#include "aucellswidget.h"
#include "auinfowidget.h"
#include "aulegendwidget.h"
#include "benchtiming.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTableWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Units = 250;
constexpr int Rounds = 10;

// Two loops that differ in every unit: what a controller switch or a fresh types block brings.
struct Loop
{
    int type[Units + 1];
    int state[Units + 1];
    double volt[Units + 1];
};

Loop makeLoop(int seed)
{
    static const int types[] = {4, 2, 3, 24, 23, 5, 6, 1, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 18, 12};
    static const int states[] = {0, 0, 0, 1, 2, 0, 4, 6, 9, 0, 5, 3};
    Loop loop{};
    for (int addr = 1; addr <= Units; ++addr) {
        loop.type[addr] = types[(addr + seed) % (sizeof types / sizeof *types)];
        loop.state[addr] = states[(addr * 7 + seed) % (sizeof states / sizeof *states)];
        loop.volt[addr] = 3.0 + ((addr + seed) % 40) / 20.0;
    }
    return loop;
}

void feed(AuInfoWidget &tabs, const Loop &loop)
{
    for (int addr = 1; addr <= Units; ++addr) {
        tabs.slotSetGeneralType(addr, loop.type[addr]);
        tabs.slotSetIonistorType(addr, loop.type[addr]);
        tabs.slotSetSmType(addr, loop.type[addr]);
    }
    for (int addr = 1; addr <= Units; ++addr) {
        tabs.slotSetGeneralState(addr, loop.state[addr]);
        tabs.slotSetSmState(addr, loop.state[addr]);
    }
    for (int addr = 1; addr <= Units; ++addr) {
        tabs.slotSetGeneralVoltage(addr, loop.volt[addr]);
        tabs.slotSetIonistorVoltage(addr, loop.volt[addr]);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(images);

    QTableWidget reportTable;
    QTableWidget protocolTable;
    QElapsedTimer timer;
    timer.start();
    AuInfoWidget tabs(&reportTable, &protocolTable);
    tabs.resize(1600, 900);
    tabs.show();
    settle();
    std::printf("construction and first show: %.1f ms\n", timer.nsecsElapsed() / 1e6 - SettleMs);
    std::printf("idle event loop over %d ms: %.2f ms\n", SettleMs, busyMs([] {}));

    const Loop loops[2] = {makeLoop(0), makeLoop(7)};
    for (int tab = AuInfoWidget::GeneralTab; tab <= AuInfoWidget::SmokeTab; ++tab) {
        tabs.tabWidget()->setCurrentIndex(tab);
        settle();
        std::vector<double> full;
        for (int round = 0; round < Rounds; ++round)
            full.push_back(busyMs([&] { feed(tabs, loops[round % 2]); }));
        std::vector<double> single;
        for (int round = 0; round < 50; ++round) {
            const int state = round % 2 ? 0 : 4;
            single.push_back(busyMs([&] {
                tabs.slotSetGeneralState(17, state);
                tabs.slotSetSmState(17, state);
                tabs.slotSetSmFire(17, state == 4);
            }));
        }
        std::printf("tab %d visible: full change of 250 units %.1f ms (median of %d, worst %.1f), "
                    "one unit %.2f ms (median of 50)\n",
                    tab, median(full), Rounds, *std::max_element(full.begin(), full.end()), median(single));
    }

    tabs.tabWidget()->setCurrentIndex(AuInfoWidget::GeneralTab);
    settle();
    std::vector<double> modes;
    for (int mode = 1; mode <= 8; ++mode)
        modes.push_back(busyMs([&] { emit tabs.legendWidget()->signalViewModeChanged(mode % 4); }));
    std::vector<double> filters;
    for (int round = 0; round < 6; ++round)
        filters.push_back(busyMs([&] {
            tabs.slotFilterChanged(round % 2 ? QList<int>() : QList<int>{4, 2, 3});
        }));
    std::vector<double> switches;
    for (int round = 0; round < 6; ++round)
        switches.push_back(busyMs([&] { tabs.tabWidget()->setCurrentIndex((round + 1) % 4); }));
    std::printf("view mode change %.1f ms, filter change %.1f ms, tab switch %.1f ms (medians)\n",
                median(modes), median(filters), median(switches));
    return 0;
}
