#include "simclock.h"

#include "simeventsource.h"
#include "simregisterstore.h"

#include <QtMath>

#include <algorithm>

namespace {

using Fields = SimControllerFields;

// Ionistor cells, in units of 1/51 V.
constexpr int cellFull = 133; // 2.6 V: charging stops here
constexpr int cellMax = 140;
constexpr double chargeRatePerSecond = 2.0;
constexpr double loopPollsPerUnitAndSecond = 4.0;

} // namespace

SimClock::SimClock(SimRegisterStore &store, SimEventSource &events, ValueSetter setValue)
    : m_store(store)
    , m_events(events)
    , m_setValue(std::move(setValue))
{
}

void SimClock::advance(int ms)
{
    if (ms <= 0)
        return;
    m_nowMs += ms;
    m_store.operatingMs += ms;
    m_store.fields[Fields::OperatingTime] =
        int(qMin<qint64>(m_store.operatingMs / 1000, Fields::maxValue(Fields::OperatingTime)));

    for (auto ramp = m_ramps.begin(); ramp != m_ramps.end();) {
        bool done = false;
        const double value = ramp->valueAt(m_nowMs, &done);
        m_setValue(ramp->address, ramp->name, value);
        ramp = done ? m_ramps.erase(ramp) : ramp + 1;
    }

    int polled = 0;
    for (int address = 1; address <= SimRegisterStore::maxAddress; ++address) {
        SimUnit &unit = m_store.units[address];
        if (!unit.isPresent())
            continue;
        if (m_store.generalState(address) != 1 && !m_store.config.isBlocked(address))
            ++polled;
        if (!unit.value(SimUnit::Charging))
            continue;
        m_chargeCarry[address] += chargeRatePerSecond * ms / 1000.0;
        const int step = int(m_chargeCarry[address]);
        m_chargeCarry[address] -= step;
        int total = 0;
        for (const auto cell : {SimUnit::U1, SimUnit::U2, SimUnit::U3}) {
            unit.setValue(cell, qMin(cellMax, unit.value(cell) + step));
            total += unit.value(cell);
        }
        if (total / 3 >= cellFull)
            unit.setValue(SimUnit::Charging, 0);
    }
    m_loopRequestCarry += polled * loopPollsPerUnitAndSecond * ms / 1000.0;
    const int requests = int(m_loopRequestCarry);
    m_loopRequestCarry -= requests;
    m_store.fields[Fields::LoopRequests] = (m_store.fields[Fields::LoopRequests] + requests) & 0xFFFF;

    if (m_store.initRemainingMs > 0) {
        m_store.initRemainingMs -= ms;
        if (m_store.initRemainingMs <= 0) {
            m_store.initRemainingMs = 0;
            m_events.finishInitialisation();
            return;
        }
    }
    m_events.update();
}

QString SimClock::startRamp(int address, const QString &name, double target, double seconds,
                            SimRamp::Shape shape, double step)
{
    if (shape != SimRamp::Linear && seconds <= 0)
        return tr("the seconds must be above 0");
    if (shape == SimRamp::Steps && step == 0)
        return tr("the step must not be 0");
    SimRamp ramp;
    ramp.address = address;
    ramp.name = name;
    ramp.to = target;
    ramp.startMs = m_nowMs;
    ramp.durationMs = qMax<qint64>(0, qRound64(seconds * 1000));
    ramp.shape = shape;
    ramp.step = step;
    if (address == 0) {
        const int field = Fields::fieldByName(name);
        if (field < 0)
            return tr("unknown controller value \"%1\"").arg(name);
        ramp.from = m_store.fields[field];
    } else {
        if (address < 1 || address > SimRegisterStore::maxAddress || !m_store.units[address].isPresent())
            return tr("no unit at %1").arg(address);
        const SimUnit &unit = m_store.units[address];
        if (name.compare(QLatin1String("temperature"), Qt::CaseInsensitive) == 0) {
            ramp.from = SimUnit::thermistorCelsius(unit.value(SimUnit::TUlo));
        } else if (name.compare(QLatin1String("voltage"), Qt::CaseInsensitive) == 0) {
            ramp.from = (unit.value(SimUnit::U1) + unit.value(SimUnit::U2) + unit.value(SimUnit::U3)) / 51.0;
        } else {
            const int field = SimUnit::fieldByName(name);
            if (field < 0 || field == SimUnit::Type)
                return tr("unknown unit value \"%1\"").arg(name);
            ramp.from = unit.value(SimUnit::Field(field));
        }
    }
    if (shape == SimRamp::Dip)
        ramp.to = ramp.from - target;
    m_ramps.erase(std::remove_if(m_ramps.begin(), m_ramps.end(),
                                 [&ramp](const SimRamp &other) {
                                     return other.address == ramp.address &&
                                            other.name.compare(ramp.name, Qt::CaseInsensitive) == 0;
                                 }),
                  m_ramps.end());
    m_ramps.append(ramp);
    return QString();
}
