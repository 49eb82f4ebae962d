#include "simeventsource.h"

#include "simregisterstore.h"
#include "simregistermap.h"

#include <QtMath>

#include <iterator>

using namespace SimRegisterMap;

namespace {

constexpr int minSupplyConstant = 7;

// The controller fields that raise one event when set and another when cleared.
struct FlagEvent
{
    SimControllerFields::Field field;
    quint8 on;
    quint8 off;
    int param;
};
const FlagEvent flagEvents[] = {
    {SimControllerFields::LoopBreak, 70, 71, 0},         {SimControllerFields::LoopShort, 72, 73, 0},
    {SimControllerFields::ShortLeft, 74, 75, 1},         {SimControllerFields::ShortRight, 74, 75, 2},
    {SimControllerFields::CaseOpen, 76, 77, 0},          {SimControllerFields::MainPowerFault, 80, 81, 0},
    {SimControllerFields::ReservePowerFault, 82, 83, 0}, {SimControllerFields::StartRelay, 84, 85, 1},
    {SimControllerFields::FireRelay, 84, 85, 2},         {SimControllerFields::FaultRelay, 84, 85, 3},
    {SimControllerFields::SliLeft, 86, 87, 1},           {SimControllerFields::SliRight, 86, 87, 2},
};
constexpr int faultFlagCount = 7; // the first seven are faults; relays and lines are not

} // namespace

SimEventSource::SimEventSource(SimRegisterStore &store)
    : m_store(store)
{
}

void SimEventSource::push(int unit, quint8 code, int param, int input)
{
    SimEvent event;
    event.unit = quint8(unit);
    event.code = code;
    event.param = quint8(qBound(0, param, 255));
    event.input = quint8(input);
    m_store.events.push(event);
}

SimEventSource::UnitSnapshot SimEventSource::snapshot(int address) const
{
    UnitSnapshot s;
    const SimUnit &unit = m_store.units[address];
    s.type = m_store.reportedType(address);
    s.known = unit.isPresent() || s.type != 0;
    if (!s.known)
        return s;
    const int state = m_store.generalState(address);
    s.lost = state == 1;
    s.blocked = m_store.config.isBlocked(address);
    const int configured = m_store.config.configuredType(address);
    s.wrongType = unit.isPresent() && SimConfiguration::isConfigured(configured) && configured != unit.type();
    s.doubled = unit.value(SimUnit::Double);
    if (!unit.isPresent())
        return s;
    s.present = true;
    const auto v = [&unit](SimUnit::Field field) { return unit.value(field); };
    s.fire = m_store.reportedValue(address, ReportedFire);
    s.preAlarm = m_store.reportedValue(address, ReportedPreAlarm);
    s.fault = v(SimUnit::Fault);
    // An open cover counts as the unit opened.
    s.opened = v(SimUnit::Opened) || ((s.type == 7 || s.type == 12) && v(SimUnit::Cover) == 1);
    s.button = v(SimUnit::Button);
    s.startButton = v(SimUnit::StartButton);
    for (int i = 0; i < 4; ++i) {
        s.inputs[i] = v(SimUnit::Field(SimUnit::In1 + i));
        s.outputs[i] = v(SimUnit::Field(SimUnit::Out1 + i));
    }
    s.valves = {v(SimUnit::Valve1), v(SimUnit::Valve2)};
    s.isolatorLeft = v(SimUnit::IsolatorLeft);
    s.isolatorRight = v(SimUnit::IsolatorRight);
    s.dust = v(SimUnit::Dust);
    s.ionistor = m_store.ionistorState(address) & 7;
    s.charging = v(SimUnit::Charging);
    s.meanCell = (v(SimUnit::U1) + v(SimUnit::U2) + v(SimUnit::U3)) / 3;
    s.lo = v(SimUnit::Lo);
    s.powerLo = v(SimUnit::PowerLo);
    s.powerSupply = v(SimUnit::PowerSupply);
    s.testMode = v(SimUnit::TestMode);
    return s;
}

// The same unit with nothing wrong: compared with the real one after initialisation it yields the
// events that report what is wrong.
SimEventSource::UnitSnapshot SimEventSource::normalised(UnitSnapshot s)
{
    s.fire = 0;
    s.preAlarm = 0;
    s.lost = 0;
    s.fault = 0;
    s.doubled = 0;
    s.wrongType = 0;
    s.opened = 0;
    s.blocked = 0;
    if (!s.present)
        return s;
    s.dust = 0;
    if (s.ionistor != 4)
        s.ionistor = 0;
    s.charging = 0;
    s.lo = 0;
    if (s.powerSupply == 0)
        s.powerSupply = 1;
    s.testMode = 0;
    if (s.button == 1)
        s.button = 0;
    if (s.startButton == 1)
        s.startButton = 2;
    return s;
}

SimEventSource::ControllerSnapshot SimEventSource::controllerSnapshot() const
{
    ControllerSnapshot s;
    for (int i = 0; i < int(std::size(flagEvents)); ++i)
        s.flags[i] = m_store.fields[flagEvents[i].field] == 1;
    s.supplyLow = m_store.fields[SimControllerFields::Supply24] * 16 < m_store.config.currentConstant(minSupplyConstant);
    return s;
}

void SimEventSource::diffController(const ControllerSnapshot &before, const ControllerSnapshot &after)
{
    for (int i = 0; i < int(std::size(flagEvents)); ++i) {
        if (before.flags[i] != after.flags[i])
            push(0, after.flags[i] ? flagEvents[i].on : flagEvents[i].off, flagEvents[i].param);
    }
    if (before.supplyLow != after.supplyLow)
        push(0, after.supplyLow ? 78 : 79, qRound(m_store.fields[SimControllerFields::Supply24] * 1.12));
}

void SimEventSource::diffUnit(int address, const UnitSnapshot &b, const UnitSnapshot &a)
{
    if (!a.known)
        return;
    const int type = a.type;
    const auto raise = [this, address](quint8 code, int param = 0, int input = 0) {
        push(address, code, param, input);
    };
    if (!b.known) {
        if (!a.lost)
            raise(90, type);
        return;
    }
    if (b.lost != a.lost)
        raise(a.lost ? 10 : 11, type);
    if (a.doubled && !b.doubled)
        raise(14);
    if (a.wrongType && !b.wrongType)
        raise(15, m_store.units[address].type());
    if (b.blocked != a.blocked)
        raise(a.blocked ? 18 : 19);
    if (b.fire != a.fire)
        raise(a.fire ? 1 : 3, type);
    if (a.preAlarm && !b.preAlarm)
        raise(2, type);
    if (b.fault != a.fault) {
        if (b.fault)
            raise(13, b.fault);
        if (a.fault)
            raise(12, a.fault);
    }
    if (b.opened != a.opened)
        raise(a.opened ? 16 : 17);
    if (SimUnit::isCallPointType(type) && b.button != a.button && (a.button == 1 || b.button == 1))
        raise(a.button == 1 ? 20 : 21);
    if (type == 7 && b.startButton != a.startButton && (a.startButton == 1 || b.startButton == 1))
        raise(a.startButton == 1 ? 20 : 21);
    for (int n = 0; n < 4; ++n) {
        if (b.inputs[n] != a.inputs[n] && a.inputs[n] <= 3)
            raise(22, a.inputs[n], n + 1);
    }
    for (int n = 0; n < 4; ++n) {
        if (b.outputs[n] != a.outputs[n] && a.outputs[n] <= 3)
            raise(23, a.outputs[n], n + 1);
    }
    for (int n = 0; n < 2; ++n) {
        if (b.valves[n] != a.valves[n] && a.valves[n] <= 3)
            raise(24, a.valves[n], n + 1);
    }
    if (b.isolatorLeft != a.isolatorLeft && a.isolatorLeft <= 1)
        raise(a.isolatorLeft ? 26 : 25, 1);
    if (b.isolatorRight != a.isolatorRight && a.isolatorRight <= 1)
        raise(a.isolatorRight ? 26 : 25, 2);
    if (b.dust != a.dust)
        raise(a.dust == 1 ? 30 : a.dust == 2 ? 31 : 32);
    if (b.ionistor != a.ionistor) {
        if ((a.ionistor == 1 || a.ionistor == 2) && b.ionistor != 1 && b.ionistor != 2)
            raise(40, a.meanCell);
        else if (a.ionistor == 3)
            raise(43);
        else if (a.ionistor == 5)
            raise(165, a.meanCell);
    }
    if (!b.charging && a.charging)
        raise(41);
    if (b.charging && !a.charging && a.ionistor == 0)
        raise(42, a.meanCell);
    if (b.lo != a.lo) {
        if (a.lo == 1 || a.lo == 2)
            raise(50, a.lo);
        else if (a.lo == 0)
            raise(51);
    }
    if (b.powerLo != a.powerLo && a.powerLo <= 4)
        raise(52, a.powerLo);
    if (b.powerSupply == 1 && a.powerSupply == 0)
        raise(53);
    if (b.powerSupply == 0 && a.powerSupply == 1)
        raise(54);
    if (b.testMode != a.testMode)
        raise(61, a.testMode);
}

void SimEventSource::update()
{
    if (m_store.isInitialising()) {
        rebaseline();
        return;
    }
    const ControllerSnapshot controller = controllerSnapshot();
    diffController(m_controllerSnapshot, controller);
    m_controllerSnapshot = controller;
    for (int address = 1; address <= SimRegisterStore::maxAddress; ++address) {
        const UnitSnapshot now = snapshot(address);
        diffUnit(address, m_snapshots[address], now);
        m_snapshots[address] = now;
    }
}

void SimEventSource::rebaseline()
{
    m_controllerSnapshot = controllerSnapshot();
    for (int address = 1; address <= SimRegisterStore::maxAddress; ++address)
        m_snapshots[address] = snapshot(address);
}

void SimEventSource::rebaseline(int address)
{
    m_snapshots[address] = snapshot(address);
}

void SimEventSource::finishInitialisation()
{
    int found = 0;
    for (const SimUnit &unit : m_store.units)
        found += unit.isPresent() ? 1 : 0;
    push(0, 102, qMin(found, 255));
    ControllerSnapshot normal = controllerSnapshot();
    for (int i = 0; i < faultFlagCount; ++i)
        normal.flags[i] = 0;
    normal.supplyLow = 0;
    diffController(normal, controllerSnapshot());
    for (int address = 1; address <= SimRegisterStore::maxAddress; ++address) {
        const UnitSnapshot now = snapshot(address);
        diffUnit(address, normalised(now), now);
    }
    rebaseline();
}
