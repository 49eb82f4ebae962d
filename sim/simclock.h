#pragma once

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
    // A value moves linearly to `target` over `seconds`; `address` 0 names a controller field.
    QString startRamp(int address, const QString &name, double target, double seconds);

private:
    struct Ramp
    {
        int address = 0;
        QString name;
        double from = 0;
        double to = 0;
        qint64 startMs = 0;
        qint64 durationMs = 0;
    };

    SimRegisterStore &m_store;
    SimEventSource &m_events;
    ValueSetter m_setValue;
    QList<Ramp> m_ramps;
    qint64 m_nowMs = 0;
    double m_loopRequestCarry = 0;
    std::array<double, SimRegisterStore::maxAddress + 1> m_chargeCarry{};
};
