#include "simcommandexecutor.h"

#include "simeventsource.h"
#include "simregistermap.h"
#include "simregisterstore.h"

#include <QMap>

using namespace SimRegisterMap;

namespace {

using Fields = SimControllerFields;

constexpr int chargingConstant = 1;

QString onOff(bool on)
{
    return on ? SimCommandExecutor::tr("on") : SimCommandExecutor::tr("off");
}

} // namespace

SimCommandExecutor::SimCommandExecutor(SimRegisterStore &store, SimEventSource &events)
    : m_store(store)
    , m_events(events)
{
}

void SimCommandExecutor::reset()
{
    m_store.events.clear();
    m_store.fields[Fields::StartRelay] = 0;
    m_store.fields[Fields::FireRelay] = 0;
    m_store.fields[Fields::FaultRelay] = 0;
    m_store.fields[Fields::SliLeft] = 1;
    m_store.fields[Fields::SliRight] = 1;
    m_store.operatingMs = 0;
    m_store.fields[Fields::OperatingTime] = 0;
    applyInitialStates();
    m_events.push(0, 101);
    m_store.initRemainingMs = m_store.fields[Fields::InitSeconds] * 1000;
    m_events.rebaseline();
    if (m_store.initRemainingMs <= 0)
        m_events.finishInitialisation();
}

// Outputs and LO modes start as configured; what a unit was told to do before is forgotten.
void SimCommandExecutor::applyInitialStates()
{
    for (int address = 1; address <= SimRegisterStore::maxAddress; ++address) {
        SimUnit &unit = m_store.units[address];
        if (!unit.isPresent())
            continue;
        const int type = unit.type();
        unit.setValue(SimUnit::TestMode, 0);
        unit.setValue(SimUnit::RedLed, 0);
        unit.setValue(SimUnit::YellowLed, 0);
        unit.setValue(SimUnit::Charging, 0);
        if (SimUnit::isFlameType(type))
            unit.setValue(SimUnit::Laser, 0);
        const int outputs = type == 13 ? 2 : SimUnit::outputCount(type);
        const int initial = m_store.config.value(105, address);
        for (int n = 0; n < outputs; ++n) {
            const auto field = SimUnit::Field(SimUnit::Out1 + n);
            if (unit.value(field) <= 1)
                unit.setValue(field, (initial >> n) & 1 ? 0 : 1);
        }
        if (SimUnit::isLoType(type)) {
            const int mode = (m_store.config.value(103, address) + 1) % 16;
            unit.setValue(SimUnit::PowerLo, mode <= 4 ? mode : 0);
        }
    }
}

void SimCommandExecutor::write(int start, const QVector<quint16> &values, QString *note)
{
    const SimConfiguration::Write written = m_store.config.write(start, values);
    const QList<int> &codes = written.changedBlocks;
    // Event 103 names the block by its own numbering.
    const QMap<int, int> blockParam = {{101, 1}, {102, 2}, {100, 3}, {106, 4},
                                       {105, 5}, {103, 6}, {107, 7}, {104, 8}};
    for (const int code : codes) {
        m_events.push(0, 103, blockParam.value(code));
        const Block *block = blockByCode(code);
        for (int address = 1; address <= 250; ++address) {
            SimUnit &unit = m_store.units[address];
            const Position at = position(*block, address);
            if (!unit.isPresent() || at.offset < 0 ||
                !written.writtenRegisters.contains(block->start + at.offset))
                continue;
            applyConfigEffect(code, address);
        }
    }
    if (written.command >= 0 && written.parameters >= 0) {
        const int command = written.command;
        const int parameters = written.parameters;
        const QString done = execute(command >> 8, command & 0xFF, parameters >> 8, parameters & 0xFF);
        if (note)
            *note = done;
    } else if (note && !codes.isEmpty()) {
        *note = tr("configuration changed");
    }
}

// A written configuration entry changes what the unit does where it plausibly would at once; the
// initial states (blocks 103 and 105) wait for the next reset.
void SimCommandExecutor::applyConfigEffect(int code, int address)
{
    SimUnit &unit = m_store.units[address];
    const int type = unit.type();
    if (!unit.isPresent())
        return;
    if (code == 100 && SimUnit::isHeatType(type))
        m_store.applyDetectorRules(address);
    if (code == 104 && SimUnit::isLoType(type)) {
        const int mode = m_store.config.value(104, address);
        if (mode >= 1 && mode <= 4)
            unit.setValue(SimUnit::PowerLo, mode);
    }
    if (code == 106 && (type == 2 || type == 3))
        unit.setValue(SimUnit::ChannelType, m_store.config.value(106, address));
}

QString SimCommandExecutor::execute(int target, int command, int param1, int param2)
{
    QString done;
    if (target == 0) {
        switch (command) {
        case 1:
            reset();
            return tr("reset");
        case 3:
        case 4:
            m_store.fields[command == 3 ? Fields::SliLeft : Fields::SliRight] = 1;
            done = tr("loop line %1 on").arg(command == 3 ? tr("left") : tr("right"));
            break;
        case 5:
        case 6:
            m_store.fields[command == 5 ? Fields::SliLeft : Fields::SliRight] = 0;
            done = tr("loop line %1 off").arg(command == 5 ? tr("left") : tr("right"));
            break;
        case 7:
        case 8:
        case 9:
        case 11:
        case 12:
        case 13: {
            const Fields::Field relays[] = {Fields::FaultRelay, Fields::StartRelay, Fields::FireRelay};
            const int index = (command - 7) % 4;
            m_store.fields[relays[index]] = command < 10 ? 1 : 0;
            done = tr("%1 %2").arg(Fields::fieldName(relays[index]), onOff(command < 10));
            break;
        }
        case 19:
            clearTables();
            done = tr("tables cleared");
            break;
        default:
            return tr("ignored: controller command %1").arg(command);
        }
    } else {
        done = unitCommand(target, command, param1, param2);
    }
    m_events.update();
    return done;
}

QString SimCommandExecutor::unitCommand(int target, int command, int param1, int param2)
{
    Q_UNUSED(param2)
    if (target > SimRegisterStore::maxAddress || !m_store.units[target].isPresent())
        return tr("ignored: no unit at %1").arg(target);
    SimUnit &unit = m_store.units[target];
    const int type = unit.type();
    const auto ignored = [target, command]() {
        return tr("ignored: command %1 does not apply to the unit at %2").arg(command).arg(target);
    };
    const auto setFlag = [&unit](SimUnit::Field field, int value, const QString &what) {
        unit.setValue(field, value);
        return what;
    };
    switch (command) {
    case 16:
    case 17:
    case 18: {
        if (!SimUnit::isPowerModuleType(type))
            return ignored();
        const SimUnit::Field source = SimUnit::Field(SimUnit::MainsMain + command - 16);
        unit.setValue(SimUnit::AddData, unit.value(source));
        return tr("mains voltage %1 V reported").arg(unit.value(source));
    }
    case 19:
    case 20:
    case 21: {
        if (!SimUnit::isFlameType(type))
            return ignored();
        const int k = command - 19;
        unit.setValue(SimUnit::Field(SimUnit::W1 + k), unit.value(SimUnit::Field(SimUnit::UnitW1 + k)));
        return tr("border W%1 read").arg(k + 1);
    }
    case 63: {
        if (!SimUnit::isFlameType(type))
            return ignored();
        const bool passed = unit.value(SimUnit::Pyro) <= 1;
        unit.setValue(SimUnit::Pyro, passed ? 1 : 2);
        unit.setValue(SimUnit::PyroTimer, 0);
        m_events.push(target, 62, passed ? 1 : 2);
        return passed ? tr("pyrosensor test passed") : tr("pyrosensor test failed");
    }
    case 64:
        if (!SimUnit::isIonistorType(type) || (m_store.ionistorState(target) & 7) >= 3)
            return ignored();
        if (unit.value(SimUnit::Charging))
            return tr("already charging");
        if (m_store.chargingCount() >= (m_store.config.currentConstant(chargingConstant) >> 8))
            return tr("ignored: %1 units are charging already").arg(m_store.chargingCount());
        return setFlag(SimUnit::Charging, 1, tr("charging on"));
    case 65:
        return setFlag(SimUnit::Charging, 0, tr("charging off"));
    case 66:
    case 67:
        if (!SimUnit::isIonistorType(type))
            return ignored();
        return setFlag(SimUnit::Heater, command == 66 ? 3 : 0,
                       tr("storage element heating %1").arg(onOff(command == 66)));
    case 68:
    case 69:
        return setFlag(SimUnit::RedLed, command == 68, tr("red LED %1").arg(onOff(command == 68)));
    case 70:
    case 71:
        return setFlag(SimUnit::YellowLed, command == 70, tr("yellow LED %1").arg(onOff(command == 70)));
    case 72:
    case 73:
        return setFlag(SimUnit::TestMode, command == 72, tr("test mode %1").arg(onOff(command == 72)));
    case 74:
    case 75:
        return setFlag(SimUnit::IsolatorLeft, command == 74,
                       tr("left isolator %1").arg(command == 74 ? tr("closed") : tr("opened")));
    case 76:
    case 77:
        return setFlag(SimUnit::IsolatorRight, command == 76,
                       tr("right isolator %1").arg(command == 76 ? tr("closed") : tr("opened")));
    case 78:
    case 79:
        if (!SimUnit::isFlameType(type))
            return ignored();
        return setFlag(SimUnit::Laser, command == 78, tr("laser %1").arg(onOff(command == 78)));
    case 106:
    case 107:
    case 108:
        if (!SimUnit::isPowerModuleType(type))
            return ignored();
        if (command == 106) {
            unit.setValue(SimUnit::Out1, 0);
            unit.setValue(SimUnit::Out2, 0);
        } else {
            unit.setValue(command == 107 ? SimUnit::Out1 : SimUnit::Out2, 1);
        }
        return tr("power module relays %1 %2").arg(unit.value(SimUnit::Out1)).arg(unit.value(SimUnit::Out2));
    case 128:
        return moveUnit(target, param1);
    case 140:
    case 141:
    case 142: {
        if (!SimUnit::isFlameType(type))
            return ignored();
        const int k = command - 140;
        unit.setValue(SimUnit::Field(SimUnit::UnitW1 + k), param1);
        unit.setValue(SimUnit::Field(SimUnit::W1 + k), param1);
        m_events.push(target, 63, param1, k + 1);
        return tr("border W%1 := %2").arg(k + 1).arg(param1);
    }
    default:
        break;
    }
    if (command >= 81 && command <= 95) {
        switchRelays(target, command - 80, 1);
        return tr("relays on, mask %1").arg(command - 80);
    }
    if (command >= 113 && command <= 127) {
        switchRelays(target, command - 112, 0);
        return tr("relays off, mask %1").arg(command - 112);
    }
    return ignored();
}

void SimCommandExecutor::switchRelays(int address, int mask, int state)
{
    SimUnit &unit = m_store.units[address];
    const int type = unit.type();
    if (type != 10 && type != 11 && type != 13)
        return;
    const int outputs = type == 11 ? 4 : 2;
    for (int n = 0; n < outputs; ++n) {
        const auto field = SimUnit::Field(SimUnit::Out1 + n);
        // A broken or faulty output cannot be switched.
        if ((mask >> n) & 1 && unit.value(field) <= 1)
            unit.setValue(field, state);
    }
}

QString SimCommandExecutor::moveUnit(int from, int to)
{
    if (to < 1 || to > SimRegisterStore::maxAddress || to == from)
        return tr("ignored: new address %1").arg(to);
    SimUnit moved = m_store.units[from];
    moved.setValue(SimUnit::Double, 0);
    if (m_store.units[from].value(SimUnit::Double)) {
        // Two units answered at the old address; one of them took the new one.
        m_store.units[from].setValue(SimUnit::Double, 0);
    } else {
        m_store.units[from] = SimUnit();
    }
    if (m_store.units[to].isPresent())
        m_store.units[to].setValue(SimUnit::Double, 1);
    else
        m_store.units[to] = moved;
    m_events.push(from, 60, to);
    // The move itself is the news: the two addresses start over without further events.
    m_events.rebaseline(from);
    m_events.rebaseline(to);
    return tr("unit %1 moved to %2").arg(from).arg(to);
}

void SimCommandExecutor::clearTables()
{
    m_store.events.clear();
    for (int field = Fields::Parity; field <= Fields::ModbusRequests; ++field)
        m_store.fields[field] = 0;
    for (SimUnit &unit : m_store.units)
        unit.setValue(SimUnit::NoResponse, 0);
    m_events.push(0, 105);
}
