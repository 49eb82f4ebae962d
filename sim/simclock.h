#pragma once

#include "simramp.h"
#include "simregisterstore.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

#include <array>
#include <functional>

class SimEventSource;

// The controller's time: the operating time, the ramps that move a value to a target over some
// seconds, the charging of ionistors, the loop polls counted in a register, and the end of
// initialisation after power-up or reset.
class SimClock
{
    Q_DECLARE_TR_FUNCTIONS(SimClock)

public:
    // Sets a value by name as a ramp moves it: a unit value, or a controller field for address 0.
    using ValueSetter = std::function<void(int address, const QString &name, double value)>;

    SimClock(SimRegisterStore &store, SimEventSource &events, ValueSetter setValue);

    void advance(int ms);
    // A value moves to `target` over `seconds`; `address` 0 names a controller field. For a drift
    // `seconds` is the time between steps of `step`, for a charge the time constant; for a dip
    // `target` is how far the value drops.
    QString startRamp(int address, const QString &name, double target, double seconds,
                      SimRamp::Shape shape = SimRamp::Linear, double step = 0);

private:

    SimRegisterStore &m_store;
    SimEventSource &m_events;
    ValueSetter m_setValue;
    QList<SimRamp> m_ramps;
    qint64 m_nowMs = 0;
    double m_loopRequestCarry = 0;
    std::array<double, SimRegisterStore::maxAddress + 1> m_chargeCarry{};
};
