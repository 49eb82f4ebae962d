#pragma once

#include "simscenario.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class SimBus;

// The simulator's control language: one line in, one line out ("OK ..." or "ERROR ..."), so that a
// test or an engineer can script a situation on the line and wait for the tool to show it. Also
// runs the scenario's timeline, which is written in the same language.
class SimControl
{
    Q_DECLARE_TR_FUNCTIONS(SimControl)

public:
    explicit SimControl(SimBus &bus);

    void setTimeline(const QList<SimScenario::TimelineEntry> &timeline, qint64 repeatMs);

    QString execute(const QString &line);
    bool quitRequested() const { return m_quit; }
    // While frozen, time stands still: no timeline, no charging, no counters, no initialisation.
    void setFrozen(bool frozen) { m_frozen = frozen; }
    bool isFrozen() const { return m_frozen; }

    // Moves the world on: the controllers, then the timeline entries that have come due. Returns one
    // "<line>: <reply>" text for each timeline line run.
    QStringList advance(int ms);

    static QString helpText();

private:
    QString run(const QStringList &words);

    SimBus &m_bus;
    QList<SimScenario::TimelineEntry> m_timeline;
    qint64 m_repeatMs = 0;
    qint64 m_nowMs = 0;
    qint64 m_roundStartMs = 0;
    int m_next = 0;
    bool m_quit = false;
    bool m_frozen = false;
};
