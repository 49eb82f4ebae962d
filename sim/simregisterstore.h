#pragma once

#include "simconfiguration.h"
#include "simcontrollerfields.h"
#include "simeventbuffer.h"
#include "simframe.h"
#include "simunit.h"

#include <array>

// What one controller keeps: its own fields, its loop of units, its configuration and constants and
// its event buffer, with the registers it answers worked out from them. The register image is worked
// out from the unit models on every read, so it cannot fall out of step with them. The controller's
// command executor, event source and clock all work on the one store.
class SimRegisterStore : public SimControllerFields
{
public:
    static constexpr int maxAddress = 251;

    SimRegisterStore(int address, int eventCapacity);

    int version() const { return fields[Version]; }
    bool isInitialising() const { return initRemainingMs > 0; }

    // The exception a request gets, 0 when it is carried out.
    quint8 exceptionFor(const SimFrame::Request &request) const;
    // Reads without side effects (no acknowledgement, no counters); 0 outside the areas.
    quint16 registerValue(int reg) const;
    bool isReadable(int start, int count) const;
    static bool isWritable(int start, int count);

    // What the controller reports for a unit, as packed into its blocks.
    int generalState(int address) const;
    int connection(int address) const;
    int reportedType(int address) const;
    int ionistorState(int address) const;
    int reportedValue(int address, int value) const;

    int chargingCount() const;
    bool loopPowered() const;
    // A detector's fire and pre-alarm from what it measures and its configured threshold.
    void applyDetectorRules(int address);

    std::array<int, FieldCount> fields{};
    std::array<SimUnit, maxAddress + 1> units{};
    SimConfiguration config;
    SimEventBuffer events;
    qint64 operatingMs = 0;
    int initRemainingMs = 0;

private:
    quint16 controllerRegister(int reg) const;
    quint16 unitRegister(int reg) const;
};
