#pragma once

class AuInfoWidget;
class EventsWidget;
class LinkCounters;
class MainWindow;
class ModbusMaster;
class OstrelCommPortDialog;
class ReportRunProgress;
class ResponseDecoder;
class RYNInfoWidget;

// The main window's signal wiring: the decoder's answers through the window's signals to the unit
// and controller views, and the views' requests and the worker's reports between the worker, the
// window and the views. Connections to one signal are made in the order their receivers must hear it.
class MainWindowWiring
{
public:
    MainWindowWiring(MainWindow *window, AuInfoWidget *units, RYNInfoWidget *controller,
                     EventsWidget *events);

    void connectDecoder(ResponseDecoder *decoder) const;
    void connectControllerViews(LinkCounters *counters) const;
    void connectWorker(ModbusMaster *worker, OstrelCommPortDialog *portDialog,
                       ReportRunProgress *reportRun) const;
    // The search button and the controller choice; after the trend window has connected to the
    // selection, which it hears before the controller panel.
    void connectSelection() const;

private:
    MainWindow *m_window;
    AuInfoWidget *m_units;
    RYNInfoWidget *m_controller;
    EventsWidget *m_events;
};
