#include "simregisterstore.h"

#include "simdetectorrules.h"
#include "simregistermap.h"

#include <QtMath>

using namespace SimRegisterMap;

namespace {

constexpr int overchargeConstant = 20;

// Ionistor cells, in units of 1/51 V.
constexpr int cellPartial = 112;   // below 2.2 V: partly discharged
constexpr int cellDischarged = 82; // below 1.6 V: discharged
constexpr int notDefinedIsolators = 2 | 2 << 2; // both sides "not defined": no unit there

} // namespace

SimRegisterStore::SimRegisterStore(int address, int eventCapacity)
    : config(address)
    , events(eventCapacity)
{
    fields[TypeWord] = 1;
    fields[Version] = 15;
    fields[VersionMajor] = 3;
    fields[Supply24] = 214; // 24.0 V
    fields[Current24] = 110;
    fields[Supply13] = 121; // 13.6 V
    fields[Current13] = 40;
    fields[Resistance] = 124;
    fields[SliLeft] = 1;
    fields[SliRight] = 1;
    fields[InitSeconds] = 3;
}

quint8 SimRegisterStore::exceptionFor(const SimFrame::Request &request) const
{
    if (request.function == SimFrame::readFunction) {
        if (request.count == 0 || request.count > SimFrame::maxRegisters)
            return SimFrame::IllegalDataValue;
        return isReadable(request.start, request.count) ? 0 : SimFrame::IllegalDataAddress;
    }
    if (request.function == SimFrame::writeFunction) {
        if (request.count == 0 || request.count > SimFrame::maxRegisters || !request.byteCountMatches ||
            request.values.size() != request.count)
            return SimFrame::IllegalDataValue;
        return isWritable(request.start, request.count) ? 0 : SimFrame::IllegalDataAddress;
    }
    return SimFrame::IllegalFunction;
}

bool SimRegisterStore::isReadable(int start, int count) const
{
    const int last = start + count - 1;
    const auto inside = [start, last](int first, int end) { return start >= first && last <= end; };
    if (inside(0, events.lastRegister()) || inside(configFirst, configLast) || inside(unitFirst, unitLast))
        return true;
    if (version() < newVersion)
        return inside(controllerFirst, oldCurrentConstants + SimConfiguration::constantCount - 1);
    return inside(controllerFirst, controllerLastNew) ||
           inside(newDefaultConstants, newCurrentConstants + SimConfiguration::constantCount - 1);
}

bool SimRegisterStore::isWritable(int start, int count)
{
    return start >= configFirst && start + count - 1 <= configLast;
}

quint16 SimRegisterStore::registerValue(int reg) const
{
    if (reg >= 0 && reg <= events.lastRegister())
        return events.registerValue(reg);
    const bool old = version() < newVersion;
    const int lastController = old ? controllerLastOld : controllerLastNew;
    if (reg >= controllerFirst && reg <= lastController)
        return controllerRegister(reg);
    const int defaults = old ? oldDefaultConstants : newDefaultConstants;
    const int currents = old ? oldCurrentConstants : newCurrentConstants;
    if (reg >= defaults && reg < defaults + SimConfiguration::constantCount)
        return config.defaultConstant(reg - defaults);
    if (reg >= currents && reg < currents + SimConfiguration::constantCount)
        return config.currentConstant(reg - currents);
    if (reg >= configFirst && reg <= configLast)
        return config.registerValue(reg);
    if (reg >= unitFirst && reg <= unitLast)
        return unitRegister(reg);
    return 0;
}

quint16 SimRegisterStore::controllerRegister(int reg) const
{
    const auto f = [this](Field field) { return fields[field]; };
    switch (reg) {
    case 976:
        return quint16(f(TypeWord));
    case 977:
        return quint16(f(Version));
    case 978: {
        int configured = 0;
        int polled = 0;
        for (int address = 1; address <= maxAddress; ++address) {
            if (address <= 250 && SimConfiguration::isConfigured(config.configuredType(address)))
                ++configured;
            if (units[address].isPresent() && generalState(address) != 1 && !config.isBlocked(address))
                ++polled;
        }
        if (isInitialising())
            polled = 0;
        return quint16(qMin(configured, 255) << 8 | qMin(polled, 255));
    }
    case 979: {
        bool doubled = false;
        for (const SimUnit &unit : units)
            doubled = doubled || (unit.isPresent() && unit.value(SimUnit::Double));
        return quint16((f(SliLeft) ? 0 : 1) | (f(SliRight) ? 0 : 2) | (f(SliLeft) ? 4 : 0) |
                       (f(SliRight) ? 8 : 0) | (units[251].isPresent() ? 0x80 : 0) | (doubled ? 0x100 : 0));
    }
    case 980: {
        const int os = f(OsErrors);
        // Error types 1..6 sit in bits 1, 8, 9, 10, 11 and 0.
        const int osBits = ((os & 1) << 1) | ((os & 2) << 7) | ((os & 4) << 7) | ((os & 8) << 7) |
                           ((os & 16) << 7) | ((os & 32) >> 5);
        return quint16(osBits | f(ShortLeft) << 2 | f(ShortRight) << 3 | f(LoopShort) << 4 |
                       f(LoopBreak) << 5 | f(LoopBufferOverflow) << 6 | f(CaseOpen) << 7 |
                       f(MainPowerFault) << 12 | f(ReservePowerFault) << 13);
    }
    case 994:
        return quint16(f(Current24) << 8 | f(Supply24));
    case 995:
        return quint16(f(Current13) << 8 | f(Supply13));
    case 996:
        return quint16(f(LoopRequests));
    case 997:
        return quint16(f(ModbusRequests));
    case 998:
        return quint16(f(Resistance));
    case 999: {
        int toCharge = 0;
        for (int address = 1; address <= maxAddress; ++address) {
            const int state = ionistorState(address) & 7;
            if ((state == 1 || state == 2) && !units[address].value(SimUnit::Charging))
                ++toCharge;
        }
        return quint16(qMin(chargingCount(), 255) << 8 | qMin(toCharge, 255));
    }
    case 1000:
        return quint16(f(VersionMajor));
    case 1001:
        return quint16((f(StartRelay) & 3) | (f(FireRelay) & 3) << 2 | (f(FaultRelay) & 3) << 4);
    case 1002: {
        const qint64 seconds = f(OperatingTime);
        return quint16(seconds % 60 | (seconds / 60 % 60) << 6);
    }
    case 1003: {
        const qint64 seconds = f(OperatingTime);
        return quint16(seconds / 3600 % 24 | qMin<qint64>(seconds / 86400, 2047) << 5);
    }
    default:
        break;
    }
    if (reg >= 981 && reg <= 988)
        return quint16(fields[Parity + reg - 981]);
    if (reg >= 989 && reg <= 993)
        return quint16(fields[CrcErrors + reg - 989]);
    return 0;
}

quint16 SimRegisterStore::unitRegister(int reg) const
{
    const Block *block = blockAt(unitBlocks(), reg);
    if (!block)
        return 0;
    const int value = block->value;
    return packRegister(*block, reg - block->start,
                        [this, value](int address) { return reportedValue(address, value); });
}

bool SimRegisterStore::loopPowered() const
{
    return fields[SliLeft] || fields[SliRight];
}

int SimRegisterStore::reportedType(int address) const
{
    const SimUnit &unit = units[address];
    if (unit.isPresent())
        return unit.type();
    const int configured = config.configuredType(address);
    return SimConfiguration::isConfigured(configured) ? configured : 0;
}

int SimRegisterStore::generalState(int address) const
{
    const SimUnit &unit = units[address];
    if (address == maxAddress) // a unit at 251 has no configuration: it is there or not
        return unit.isPresent() ? (unit.value(SimUnit::Double) ? 9 : 0) : 8;
    const int configured = config.configuredType(address);
    if (!unit.isPresent())
        return SimConfiguration::isConfigured(configured) ? 1 : 8;
    if (!SimConfiguration::isConfigured(configured))
        return 8;
    if (config.isBlocked(address))
        return 6;
    if (unit.value(SimUnit::Double))
        return 9;
    if (unit.value(SimUnit::Link) != 0 || !loopPowered())
        return 1;
    if (configured != unit.type())
        return 3;
    if (unit.value(SimUnit::Fire))
        return 4;
    if (unit.value(SimUnit::Opened) ||
        ((unit.type() == 7 || unit.type() == 12) && unit.value(SimUnit::Cover) == 1))
        return 5;
    if (unit.value(SimUnit::Fault))
        return 2;
    return 0;
}

int SimRegisterStore::connection(int address) const
{
    const SimUnit &unit = units[address];
    if (!unit.isPresent())
        return SimConfiguration::isConfigured(config.configuredType(address)) ? 4 : 0;
    if (unit.value(SimUnit::Double))
        return 2;
    if (!loopPowered())
        return 1;
    if (unit.value(SimUnit::Link) != 0)
        return unit.value(SimUnit::Link);
    const int configured = config.configuredType(address);
    if (SimConfiguration::isConfigured(configured) && configured != unit.type())
        return 5;
    return 0;
}

int SimRegisterStore::ionistorState(int address) const
{
    const SimUnit &unit = units[address];
    if (!unit.isPresent() || !SimUnit::isIonistorType(unit.type()))
        return 4;
    if (unit.value(SimUnit::IonistorFault))
        return 3 | (unit.value(SimUnit::Charging) ? 8 : 0);
    const int u1 = unit.value(SimUnit::U1);
    const int u2 = unit.value(SimUnit::U2);
    const int u3 = unit.value(SimUnit::U3);
    if (u1 + u2 + u3 > config.currentConstant(overchargeConstant))
        return 5;
    const int mean = (u1 + u2 + u3) / 3;
    const int state = mean < cellDischarged ? 2 : mean < cellPartial ? 1 : 0;
    return state | (unit.value(SimUnit::Charging) ? 8 : 0);
}

int SimRegisterStore::reportedValue(int address, int value) const
{
    if (address < 1 || address > maxAddress)
        return 0;
    switch (value) {
    case ReportedType:
        return reportedType(address);
    case GeneralState:
        return generalState(address);
    case Connection:
        return connection(address);
    case IonistorState:
        return ionistorState(address);
    default:
        break;
    }
    const SimUnit &unit = units[address];
    if (!unit.isPresent())
        return value == Insulators ? notDefinedIsolators : 0;
    const int type = unit.type();
    const auto v = [&unit](SimUnit::Field field) { return unit.value(field); };
    const auto nibbles = [&v](SimUnit::Field first, int count) {
        int word = 0;
        for (int i = 0; i < count; ++i)
            word |= (v(SimUnit::Field(first + i)) & 0xF) << (4 * i);
        return word;
    };
    switch (value) {
    case UTotal:
        return SimUnit::isIonistorType(type) ? v(SimUnit::U1) + v(SimUnit::U2) + v(SimUnit::U3) : 0;
    case InputsWord:
        return SimUnit::inputCount(type) > 0 ? nibbles(SimUnit::In1, 4) : 0;
    case OutputsWord:
        return SimUnit::outputCount(type) > 0 ? nibbles(SimUnit::Out1, 4) : 0;
    case Vexa2R2Word:
        return type == 13 ? nibbles(SimUnit::In1, 2) | nibbles(SimUnit::Out1, 2) << 8 : 0;
    case ValvesByte:
        return type == 14 ? nibbles(SimUnit::Valve1, 2) : 0;
    case PowerWord:
        if (!SimUnit::isLoType(type))
            return 0;
        return (v(SimUnit::PowerSupply) & 3) | (v(SimUnit::Op) & 3) << 2 | (v(SimUnit::Rp) & 3) << 4 |
               (v(SimUnit::Lo) & 3) << 6 | (v(SimUnit::PowerLo) & 7) << 8;
    case Insulators:
        return (v(SimUnit::IsolatorLeft) & 3) | (v(SimUnit::IsolatorRight) & 3) << 2;
    case ReportedFire:
        return config.isBlocked(address) ? 0 : v(SimUnit::Fire);
    case ReportedPreAlarm:
        return config.isBlocked(address) ? 0 : v(SimUnit::PreAlarm);
    default:
        return value >= 0 && value < SimUnit::FieldCount ? v(SimUnit::Field(value)) : 0;
    }
}

int SimRegisterStore::chargingCount() const
{
    int count = 0;
    for (const SimUnit &unit : units)
        count += unit.isPresent() && unit.value(SimUnit::Charging) ? 1 : 0;
    return count;
}

void SimRegisterStore::applyDetectorRules(int address)
{
    SimDetectorRules::apply(units[address], config.thresholdTemperature(address));
}
