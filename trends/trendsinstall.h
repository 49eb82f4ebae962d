#pragma once

#include "auinfowidget.h"
#include "modbusmaster.h"
#include "trendfeed.h"
#include "trendswindow.h"

#include <QAction>
#include <QMenu>

// Gives the main window its trend window: the entry "Тренды ..." in its menu (after the line
// monitor, before the first separator), "Тренд ..." in every unit menu, the decoded values and the
// controller selection of the window, and the worker's reads and port state. Call it before the
// worker's thread starts.
template <class Window>
TrendsWindow *installTrends(Window *window, QMenu *menu, ModbusMaster *worker)
{
    auto *recorder = new TrendRecorder(window);
    connectTrendFeed(window, recorder);
    QObject::connect(window, &Window::signalSelectRyn, recorder, &TrendRecorder::slotRynSelected);
    QObject::connect(worker, &ModbusMaster::signalMonitoringRead, recorder, &TrendRecorder::slotMonitoringRead);
    QObject::connect(worker, &ModbusMaster::signalPortOpened, recorder, &TrendRecorder::slotPortOpened);
    QObject::connect(recorder, &TrendRecorder::signalReadEverything, worker, &ModbusMaster::slotTrendsShown);

    auto *trends = new TrendsWindow(recorder, window);
    // The window writes its series when it goes: the recorder must outlive it.
    recorder->setParent(trends);
    auto *entry = new QAction(TrendsWindow::tr("Тренды ..."), menu);
    QAction *before = nullptr;
    for (QAction *action : menu->actions()) {
        if (action->isSeparator()) {
            before = action;
            break;
        }
    }
    menu->insertAction(before, entry);
    QObject::connect(entry, &QAction::triggered, trends, &TrendsWindow::showWindow);
    AuInfoWidget *units = window->auInfoWidget();
    units->setTrendHandler([trends](int addr) { trends->showUnit(addr); });
    QObject::connect(trends, &QObject::destroyed, units, [units] { units->setTrendHandler(nullptr); });
    return trends;
}
