#pragma once

#include <QCoreApplication>
#include <QString>
#include <QVector>

class SimEventSource;
class SimRegisterStore;

// Carries out what the tool writes to the controller: configuration entries, which take effect on
// the units where they plausibly would at once, and the commands of the command registers
// 5222..5223, for the controller itself (reset, loop lines, relays, clearing the tables) or for one
// unit. Each returns a short note of what it did, for the trace.
class SimCommandExecutor
{
    Q_DECLARE_TR_FUNCTIONS(SimCommandExecutor)

public:
    SimCommandExecutor(SimRegisterStore &store, SimEventSource &events);

    QString execute(int target, int command, int param1, int param2);
    // A write request into the configuration area, a command in it included.
    void write(int start, const QVector<quint16> &values, QString *note);
    // What a changed configuration entry does to the unit at once.
    void applyConfigEffect(int code, int address);
    // Event 101, the relays and loop lines as after power-up, the units as configured, and a new
    // initialisation.
    void reset();

private:
    void applyInitialStates();
    QString unitCommand(int target, int command, int param1, int param2);
    QString moveUnit(int from, int to);
    void clearTables();
    void switchRelays(int address, int mask, int state);

    SimRegisterStore &m_store;
    SimEventSource &m_events;
};
