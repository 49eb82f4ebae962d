#pragma once

#include "simregisterstore.h"

#include <array>

// Raises the controller's events: it compares what the controller would report before and after
// every change, unit by unit and for the controller's own fields, and pushes an event for each
// difference; after initialisation it reports everything that is not normal.
class SimEventSource
{
public:
    explicit SimEventSource(SimRegisterStore &store);

    void push(int unit, quint8 code, int param = 0, int input = 0);
    // Raises the events for every change since the last call; while initialising only takes the baseline.
    void update();
    // Takes the present state as the baseline, raising nothing.
    void rebaseline();
    // The same for one address whose change was the news itself.
    void rebaseline(int address);
    // After initialisation: 102, then an event for everything that is not normal.
    void finishInitialisation();

private:
    // What a change is compared by to decide which events to raise.
    struct UnitSnapshot
    {
        int type = 0;
        bool known = false; // a unit is there or configured
        bool present = false;
        int fire = 0;
        int preAlarm = 0;
        int lost = 0;
        int fault = 0;
        int doubled = 0;
        int wrongType = 0;
        int opened = 0;
        int blocked = 0;
        int button = 0;
        int startButton = 0;
        std::array<int, 4> inputs{};
        std::array<int, 4> outputs{};
        std::array<int, 2> valves{};
        int isolatorLeft = 0;
        int isolatorRight = 0;
        int dust = 0;
        int ionistor = 0;
        int charging = 0;
        int meanCell = 0;
        int lo = 0;
        int powerLo = 0;
        int powerSupply = 0;
        int testMode = 0;
    };
    struct ControllerSnapshot
    {
        std::array<int, 12> flags{}; // the fields that have a raise/clear event pair
        int supplyLow = 0;
    };

    UnitSnapshot snapshot(int address) const;
    static UnitSnapshot normalised(UnitSnapshot snapshot);
    ControllerSnapshot controllerSnapshot() const;
    void diffUnit(int address, const UnitSnapshot &before, const UnitSnapshot &after);
    void diffController(const ControllerSnapshot &before, const ControllerSnapshot &after);

    SimRegisterStore &m_store;
    std::array<UnitSnapshot, SimRegisterStore::maxAddress + 1> m_snapshots{};
    ControllerSnapshot m_controllerSnapshot;
};
