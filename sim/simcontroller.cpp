#include "simcontroller.h"

#include "simregistermap.h"

#include <QMap>
#include <QSet>
#include <QtMath>

#include <algorithm>
#include <iterator>

using namespace SimRegisterMap;

namespace {

struct FieldInfo
{
    const char *name;
    int max;
};

// In the order of SimController::Field.
const FieldInfo controllerFieldInfo[] = {
    {"typeWord", 65535},      {"version", 65535},
    {"versionMajor", 65535},  {"supply24", 255},
    {"current24", 255},       {"supply13", 255},
    {"current13", 255},       {"resistance", 65535},
    {"caseOpen", 1},          {"loopBreak", 1},
    {"loopShort", 1},         {"shortLeft", 1},
    {"shortRight", 1},        {"mainPowerFault", 1},
    {"reservePowerFault", 1}, {"loopBufferOverflow", 1},
    {"osErrors", 63},         {"parity", 65535},
    {"noise", 65535},         {"dataDlit", 65535},
    {"sbDlit", 65535},        {"timeout", 65535},
    {"overflow", 65535},      {"iBig", 65535},
    {"iSmall", 65535},        {"crcErrors", 65535},
    {"feErrors", 65535},      {"neErrors", 65535},
    {"oreErrors", 65535},     {"modbusErrors", 65535},
    {"loopRequests", 65535},  {"modbusRequests", 65535},
    {"sliLeft", 1},           {"sliRight", 1},
    {"startRelay", 3},        {"fireRelay", 3},
    {"faultRelay", 3},        {"operatingTime", 2147483647},
    {"initSeconds", 3600},
};
static_assert(sizeof(controllerFieldInfo) / sizeof(controllerFieldInfo[0]) == SimController::FieldCount,
              "one entry per field");

// Factory values of the 32 constants, registers 1102..1133 (current) and 1002..1033 (default).
const quint16 factoryConstants[SimController::constantCount] = {
    0x0001, // Modbus address (set to the controller's own), language RU
    0x0305, // backlight 5 min, 3 units charging at once
    0xFA0A, // cold start 10 s, 250 addresses polled
    0x0A05, 0x0305, 0x0564,
    2,                           // ionistors charged at once on a loop break or short
    2640,                        // minimum supply 18.48 V (units of 0.007 V)
    2500,   312,    2500,   312, // answer current thresholds (units of 1/62.5 mA)
    30,                          // loop restore period, s
    0x1003, 8,      5,      1000,   4334, 0x0503, 0x0A07,
    413, // ionistor overcharge, 8.1 V in units of 1/51 V
    0x6E10, 0xB4C8, 0x14E6, 0x1414, 30,   16,     60,     0x3C02, 0x7864, 0x6496, 0x50C8,
};

constexpr int chargingConstant = 1;
constexpr int minSupplyConstant = 7;
constexpr int overchargeConstant = 20;

// Ionistor cells, in units of 1/51 V.
constexpr int cellFull = 133;      // 2.6 V: charging stops here
constexpr int cellPartial = 112;   // below 2.2 V: partly discharged
constexpr int cellDischarged = 82; // below 1.6 V: discharged
constexpr int cellMax = 140;
constexpr double chargeRatePerSecond = 2.0;
constexpr double loopPollsPerUnitAndSecond = 4.0;
constexpr int preAlarmMargin = 5; // degrees below the threshold temperature
constexpr int noThreshold = 0xFF;
constexpr int notDefinedIsolators = 2 | 2 << 2; // both sides "not defined": no unit there

QString onOff(bool on)
{
    return on ? SimController::tr("on") : SimController::tr("off");
}

constexpr int configIndex(int reg)
{
    return reg - configFirst;
}

bool isConfigured(int type)
{
    return type != 0 && type != 0xFF;
}

// The controller fields that raise one event when set and another when cleared.
struct FlagEvent
{
    SimController::Field field;
    quint8 on;
    quint8 off;
    int param;
};
const FlagEvent flagEvents[] = {
    {SimController::LoopBreak, 70, 71, 0},         {SimController::LoopShort, 72, 73, 0},
    {SimController::ShortLeft, 74, 75, 1},         {SimController::ShortRight, 74, 75, 2},
    {SimController::CaseOpen, 76, 77, 0},          {SimController::MainPowerFault, 80, 81, 0},
    {SimController::ReservePowerFault, 82, 83, 0}, {SimController::StartRelay, 84, 85, 1},
    {SimController::FireRelay, 84, 85, 2},         {SimController::FaultRelay, 84, 85, 3},
    {SimController::SliLeft, 86, 87, 1},           {SimController::SliRight, 86, 87, 2},
};
constexpr int faultFlagCount = 7; // the first seven are faults; relays and lines are not

} // namespace

SimController::SimController(int address, int eventCapacity)
    : m_address(address)
    , m_config(configLast - configFirst + 1, 0xFFFF)
    , m_events(eventCapacity)
{
    m_fields[TypeWord] = 1;
    m_fields[Version] = 15;
    m_fields[VersionMajor] = 3;
    m_fields[Supply24] = 214; // 24.0 V
    m_fields[Current24] = 110;
    m_fields[Supply13] = 121; // 13.6 V
    m_fields[Current13] = 40;
    m_fields[Resistance] = 124;
    m_fields[SliLeft] = 1;
    m_fields[SliRight] = 1;
    m_fields[InitSeconds] = 3;
    std::copy(std::begin(factoryConstants), std::end(factoryConstants), m_defaultConstants.begin());
    m_defaultConstants[0] = quint16((m_defaultConstants[0] & 0xFF00) | (address & 0xFF));
    m_currentConstants = m_defaultConstants;
    // Nothing configured but the LO modes and heat flags, which have no "cleared" value.
    for (const int code : {104, 106}) {
        const Block *block = blockByCode(code);
        std::fill(m_config.begin() + configIndex(block->start),
                  m_config.begin() + configIndex(block->start + block->count), 0);
    }
}

// ---------------------------------------------------------------------------------------------
// Set-up

void SimController::placeUnit(int address, const SimUnit &unit)
{
    if (address < 1 || address > maxAddress)
        return;
    m_units[address] = unit;
    const int type = unit.type();
    if (address > 250 || type == 0)
        return;
    setConfigValue(102, address, type);
    setConfigValue(101, address, 1);
    if (SimUnit::isHeatType(type))
        setConfigValue(100, address, 57);
    if (type == 2 || type == 3)
        setConfigValue(106, address, unit.value(SimUnit::ChannelType));
    if (SimUnit::outputCount(type) > 0 || type == 13)
        setConfigValue(105, address, 0xF); // a set bit: the output starts switched off
    if (SimUnit::isLoType(type)) {
        setConfigValue(103, address, (unit.value(SimUnit::PowerLo) + 15) % 16);
        setConfigValue(104, address, qBound(1, unit.value(SimUnit::PowerLo), 4));
    }
}

void SimController::setDefaultConstant(int index, quint16 value)
{
    if (index >= 0 && index < constantCount)
        m_defaultConstants[index] = value;
}

void SimController::setCurrentConstant(int index, quint16 value)
{
    if (index >= 0 && index < constantCount)
        m_currentConstants[index] = value;
}

void SimController::setConfigRegister(int reg, quint16 value)
{
    if (reg >= writableConstants && reg < writableConstants + constantCount)
        m_currentConstants[reg - writableConstants] = value;
    else if (reg >= configFirst && reg <= configLast)
        m_config[configIndex(reg)] = value;
}

void SimController::powerUp()
{
    m_events.clear();
    // The operating time stays as the scenario gave it: the controller has been running that long.
    push(0, 101);
    m_initRemainingMs = m_fields[InitSeconds] * 1000;
    rebaseline();
    if (m_initRemainingMs <= 0)
        finishInitialisation();
}

void SimController::reset()
{
    m_events.clear();
    m_fields[StartRelay] = 0;
    m_fields[FireRelay] = 0;
    m_fields[FaultRelay] = 0;
    m_fields[SliLeft] = 1;
    m_fields[SliRight] = 1;
    m_operatingMs = 0;
    m_fields[OperatingTime] = 0;
    applyInitialStates();
    push(0, 101);
    m_initRemainingMs = m_fields[InitSeconds] * 1000;
    rebaseline();
    if (m_initRemainingMs <= 0)
        finishInitialisation();
}

// Outputs and LO modes start as configured; what a unit was told to do before is forgotten.
void SimController::applyInitialStates()
{
    for (int address = 1; address <= maxAddress; ++address) {
        SimUnit &unit = m_units[address];
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
        const int initial = configValue(105, address);
        for (int n = 0; n < outputs; ++n) {
            const auto field = SimUnit::Field(SimUnit::Out1 + n);
            if (unit.value(field) <= 1)
                unit.setValue(field, (initial >> n) & 1 ? 0 : 1);
        }
        if (SimUnit::isLoType(type)) {
            const int mode = (configValue(103, address) + 1) % 16;
            unit.setValue(SimUnit::PowerLo, mode <= 4 ? mode : 0);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// The line

quint8 SimController::exceptionFor(const SimFrame::Request &request) const
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

SimController::Outcome SimController::handleRequest(const SimFrame::Request &request)
{
    Outcome outcome;
    m_fields[ModbusRequests] = (m_fields[ModbusRequests] + 1) & 0xFFFF;
    if (const quint8 code = exceptionFor(request)) {
        m_events.noteOtherRequest();
        m_fields[ModbusErrors] = (m_fields[ModbusErrors] + 1) & 0xFFFF;
        outcome.kind = Outcome::Exception;
        outcome.exception = code;
        return outcome;
    }
    if (request.function == SimFrame::readFunction) {
        if (request.start <= m_events.lastRegister())
            m_events.noteRead(request.start, request.count);
        else
            m_events.noteOtherRequest();
        outcome.kind = Outcome::Registers;
        for (int i = 0; i < request.count; ++i)
            outcome.registers.append(registerValue(request.start + i));
        return outcome;
    }
    m_events.noteOtherRequest();
    writeConfig(request.start, request.values, &outcome.note);
    updateEvents();
    outcome.kind = Outcome::Written;
    return outcome;
}

bool SimController::isReadable(int start, int count) const
{
    const int last = start + count - 1;
    const auto inside = [start, last](int first, int end) { return start >= first && last <= end; };
    if (inside(0, m_events.lastRegister()) || inside(configFirst, configLast) || inside(unitFirst, unitLast))
        return true;
    if (version() < newVersion)
        return inside(controllerFirst, oldCurrentConstants + constantCount - 1);
    return inside(controllerFirst, controllerLastNew) ||
           inside(newDefaultConstants, newCurrentConstants + constantCount - 1);
}

bool SimController::isWritable(int start, int count)
{
    return start >= configFirst && start + count - 1 <= configLast;
}

void SimController::countCrcError()
{
    m_fields[CrcErrors] = (m_fields[CrcErrors] + 1) & 0xFFFF;
}

quint16 SimController::registerValue(int reg) const
{
    if (reg >= 0 && reg <= m_events.lastRegister())
        return m_events.registerValue(reg);
    const bool old = version() < newVersion;
    const int lastController = old ? controllerLastOld : controllerLastNew;
    if (reg >= controllerFirst && reg <= lastController)
        return controllerRegister(reg);
    const int defaults = old ? oldDefaultConstants : newDefaultConstants;
    const int currents = old ? oldCurrentConstants : newCurrentConstants;
    if (reg >= defaults && reg < defaults + constantCount)
        return m_defaultConstants[reg - defaults];
    if (reg >= currents && reg < currents + constantCount)
        return m_currentConstants[reg - currents];
    if (reg >= configFirst && reg <= configLast)
        return configRegister(reg);
    if (reg >= unitFirst && reg <= unitLast)
        return unitRegister(reg);
    return 0;
}

quint16 SimController::controllerRegister(int reg) const
{
    const auto f = [this](Field field) { return m_fields[field]; };
    switch (reg) {
    case 976:
        return quint16(f(TypeWord));
    case 977:
        return quint16(f(Version));
    case 978: {
        int configured = 0;
        int polled = 0;
        for (int address = 1; address <= maxAddress; ++address) {
            if (address <= 250 && isConfigured(configuredType(address)))
                ++configured;
            if (m_units[address].isPresent() && generalState(address) != 1 && !isBlocked(address))
                ++polled;
        }
        if (isInitialising())
            polled = 0;
        return quint16(qMin(configured, 255) << 8 | qMin(polled, 255));
    }
    case 979: {
        bool doubled = false;
        for (const SimUnit &unit : m_units)
            doubled = doubled || (unit.isPresent() && unit.value(SimUnit::Double));
        return quint16((f(SliLeft) ? 0 : 1) | (f(SliRight) ? 0 : 2) | (f(SliLeft) ? 4 : 0) |
                       (f(SliRight) ? 8 : 0) | (m_units[251].isPresent() ? 0x80 : 0) | (doubled ? 0x100 : 0));
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
            if ((state == 1 || state == 2) && !m_units[address].value(SimUnit::Charging))
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
        return quint16(m_fields[Parity + reg - 981]);
    if (reg >= 989 && reg <= 993)
        return quint16(m_fields[CrcErrors + reg - 989]);
    return 0;
}

quint16 SimController::unitRegister(int reg) const
{
    const Block *block = blockAt(unitBlocks(), reg);
    if (!block)
        return 0;
    const int value = block->value;
    return packRegister(*block, reg - block->start,
                        [this, value](int address) { return reportedValue(address, value); });
}

quint16 SimController::configRegister(int reg) const
{
    if (reg >= writableConstants && reg < writableConstants + constantCount)
        return m_currentConstants[reg - writableConstants];
    if (!blockAt(configBlocks(), reg))
        return 0; // between the blocks, and the command registers once a command is carried out
    return m_config[configIndex(reg)];
}

int SimController::configValue(int code, int address) const
{
    const Block *block = blockByCode(code);
    const Position at = position(*block, address);
    if (at.offset < 0)
        return 0;
    const quint32 mask = (1u << at.width) - 1u;
    return int((quint32(m_config[configIndex(block->start + at.offset)]) >> at.shift) & mask);
}

void SimController::setConfigValue(int code, int address, int value)
{
    const Block *block = blockByCode(code);
    const Position at = position(*block, address);
    if (at.offset < 0)
        return;
    const quint32 mask = ((1u << at.width) - 1u) << at.shift;
    quint16 &word = m_config[configIndex(block->start + at.offset)];
    word = quint16((word & ~mask) | ((quint32(value) << at.shift) & mask));
}

void SimController::writeConfig(int start, const QVector<quint16> &values, QString *note)
{
    QSet<int> changedBlocks;
    QSet<int> writtenRegisters;
    int command = -1;
    int parameters = -1;
    for (int i = 0; i < values.size(); ++i) {
        const int reg = start + i;
        const quint16 value = values.at(i);
        if (reg == commandRegister) {
            command = value;
            continue;
        }
        if (reg == commandRegister + 1) {
            parameters = value;
            continue;
        }
        if (reg >= writableConstants && reg < writableConstants + constantCount) {
            if (m_currentConstants[reg - writableConstants] != value)
                changedBlocks.insert(107);
            m_currentConstants[reg - writableConstants] = value;
            continue;
        }
        const Block *block = blockAt(configBlocks(), reg);
        if (!block)
            continue;
        writtenRegisters.insert(reg);
        if (m_config[configIndex(reg)] != value)
            changedBlocks.insert(block->code);
        m_config[configIndex(reg)] = value;
    }

    QList<int> codes = changedBlocks.values();
    std::sort(codes.begin(), codes.end());
    // Event 103 names the block by its own numbering.
    const QMap<int, int> blockParam = {{101, 1}, {102, 2}, {100, 3}, {106, 4},
                                       {105, 5}, {103, 6}, {107, 7}, {104, 8}};
    for (const int code : codes) {
        push(0, 103, blockParam.value(code));
        const Block *block = blockByCode(code);
        for (int address = 1; address <= 250; ++address) {
            SimUnit &unit = m_units[address];
            const Position at = position(*block, address);
            if (!unit.isPresent() || at.offset < 0 || !writtenRegisters.contains(block->start + at.offset))
                continue;
            applyConfigEffect(code, address);
        }
    }
    if (command >= 0 && parameters >= 0) {
        const QString done = executeCommand(command >> 8, command & 0xFF, parameters >> 8, parameters & 0xFF);
        if (note)
            *note = done;
    } else if (note && !codes.isEmpty()) {
        *note = tr("configuration changed");
    }
}

// A written configuration entry changes what the unit does where it plausibly would at once; the
// initial states (blocks 103 and 105) wait for the next reset.
void SimController::applyConfigEffect(int code, int address)
{
    SimUnit &unit = m_units[address];
    const int type = unit.type();
    if (!unit.isPresent())
        return;
    if (code == 100 && SimUnit::isHeatType(type))
        applyDetectorRules(address);
    if (code == 104 && SimUnit::isLoType(type)) {
        const int mode = configValue(104, address);
        if (mode >= 1 && mode <= 4)
            unit.setValue(SimUnit::PowerLo, mode);
    }
    if (code == 106 && (type == 2 || type == 3))
        unit.setValue(SimUnit::ChannelType, configValue(106, address));
}

QString SimController::setConfigEntry(int code, int address, int value)
{
    const Block *block = blockByCode(code);
    if (!block || block->start < configFirst || code == 107)
        return tr("there is no configuration block %1").arg(code);
    const Position at = position(*block, address);
    if (address > 250 || at.offset < 0)
        return tr("unit address %1 has no entry in configuration block %2").arg(address).arg(code);
    const int max = (1 << at.width) - 1;
    if (value < 0 || value > max)
        return tr("an entry of configuration block %1 must lie in 0..%2").arg(code).arg(max);
    setConfigValue(code, address, value);
    applyConfigEffect(code, address);
    updateEvents();
    return QString();
}

// ---------------------------------------------------------------------------------------------
// What the controller reports for a unit

int SimController::configuredType(int address) const
{
    return address >= 1 && address <= 250 ? configValue(102, address) : 0;
}

bool SimController::isBlocked(int address) const
{
    return address >= 1 && address <= 250 && configValue(101, address) == 0;
}

int SimController::thresholdTemperature(int address) const
{
    return address >= 1 && address <= 250 ? configValue(100, address) : noThreshold;
}

bool SimController::loopPowered() const
{
    return m_fields[SliLeft] || m_fields[SliRight];
}

int SimController::reportedType(int address) const
{
    const SimUnit &unit = m_units[address];
    if (unit.isPresent())
        return unit.type();
    const int configured = configuredType(address);
    return isConfigured(configured) ? configured : 0;
}

int SimController::generalState(int address) const
{
    const SimUnit &unit = m_units[address];
    if (address == maxAddress) // a unit at 251 has no configuration: it is there or not
        return unit.isPresent() ? (unit.value(SimUnit::Double) ? 9 : 0) : 8;
    const int configured = configuredType(address);
    if (!unit.isPresent())
        return isConfigured(configured) ? 1 : 8;
    if (!isConfigured(configured))
        return 8;
    if (isBlocked(address))
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

int SimController::connection(int address) const
{
    const SimUnit &unit = m_units[address];
    if (!unit.isPresent())
        return isConfigured(configuredType(address)) ? 4 : 0;
    if (unit.value(SimUnit::Double))
        return 2;
    if (!loopPowered())
        return 1;
    if (unit.value(SimUnit::Link) != 0)
        return unit.value(SimUnit::Link);
    const int configured = configuredType(address);
    if (isConfigured(configured) && configured != unit.type())
        return 5;
    return 0;
}

int SimController::ionistorState(int address) const
{
    const SimUnit &unit = m_units[address];
    if (!unit.isPresent() || !SimUnit::isIonistorType(unit.type()))
        return 4;
    if (unit.value(SimUnit::IonistorFault))
        return 3 | (unit.value(SimUnit::Charging) ? 8 : 0);
    const int u1 = unit.value(SimUnit::U1);
    const int u2 = unit.value(SimUnit::U2);
    const int u3 = unit.value(SimUnit::U3);
    if (u1 + u2 + u3 > m_currentConstants[overchargeConstant])
        return 5;
    const int mean = (u1 + u2 + u3) / 3;
    const int state = mean < cellDischarged ? 2 : mean < cellPartial ? 1 : 0;
    return state | (unit.value(SimUnit::Charging) ? 8 : 0);
}

int SimController::reportedValue(int address, int value) const
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
    const SimUnit &unit = m_units[address];
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
        return isBlocked(address) ? 0 : v(SimUnit::Fire);
    case ReportedPreAlarm:
        return isBlocked(address) ? 0 : v(SimUnit::PreAlarm);
    default:
        return value >= 0 && value < SimUnit::FieldCount ? v(SimUnit::Field(value)) : 0;
    }
}

// ---------------------------------------------------------------------------------------------
// Commands

QString SimController::executeCommand(int target, int command, int param1, int param2)
{
    QString done;
    if (target == 0) {
        switch (command) {
        case 1:
            reset();
            return tr("reset");
        case 3:
        case 4:
            m_fields[command == 3 ? SliLeft : SliRight] = 1;
            done = tr("loop line %1 on").arg(command == 3 ? tr("left") : tr("right"));
            break;
        case 5:
        case 6:
            m_fields[command == 5 ? SliLeft : SliRight] = 0;
            done = tr("loop line %1 off").arg(command == 5 ? tr("left") : tr("right"));
            break;
        case 7:
        case 8:
        case 9:
        case 11:
        case 12:
        case 13: {
            const Field relays[] = {FaultRelay, StartRelay, FireRelay};
            const int index = (command - 7) % 4;
            m_fields[relays[index]] = command < 10 ? 1 : 0;
            done = tr("%1 %2").arg(fieldName(relays[index]), onOff(command < 10));
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
    updateEvents();
    return done;
}

QString SimController::unitCommand(int target, int command, int param1, int param2)
{
    Q_UNUSED(param2)
    if (target > maxAddress || !m_units[target].isPresent())
        return tr("ignored: no unit at %1").arg(target);
    SimUnit &unit = m_units[target];
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
        push(target, 62, passed ? 1 : 2);
        return passed ? tr("pyrosensor test passed") : tr("pyrosensor test failed");
    }
    case 64:
        if (!SimUnit::isIonistorType(type) || (ionistorState(target) & 7) >= 3)
            return ignored();
        if (unit.value(SimUnit::Charging))
            return tr("already charging");
        if (chargingCount() >= (m_currentConstants[chargingConstant] >> 8))
            return tr("ignored: %1 units are charging already").arg(chargingCount());
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
        push(target, 63, param1, k + 1);
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

void SimController::switchRelays(int address, int mask, int state)
{
    SimUnit &unit = m_units[address];
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

QString SimController::moveUnit(int from, int to)
{
    if (to < 1 || to > maxAddress || to == from)
        return tr("ignored: new address %1").arg(to);
    SimUnit moved = m_units[from];
    moved.setValue(SimUnit::Double, 0);
    if (m_units[from].value(SimUnit::Double)) {
        // Two units answered at the old address; one of them took the new one.
        m_units[from].setValue(SimUnit::Double, 0);
    } else {
        m_units[from] = SimUnit();
    }
    if (m_units[to].isPresent())
        m_units[to].setValue(SimUnit::Double, 1);
    else
        m_units[to] = moved;
    push(from, 60, to);
    // The move itself is the news: the two addresses start over without further events.
    m_snapshots[from] = snapshot(from);
    m_snapshots[to] = snapshot(to);
    return tr("unit %1 moved to %2").arg(from).arg(to);
}

void SimController::clearTables()
{
    m_events.clear();
    for (int field = Parity; field <= ModbusRequests; ++field)
        m_fields[field] = 0;
    for (SimUnit &unit : m_units)
        unit.setValue(SimUnit::NoResponse, 0);
    push(0, 105);
}

int SimController::chargingCount() const
{
    int count = 0;
    for (const SimUnit &unit : m_units)
        count += unit.isPresent() && unit.value(SimUnit::Charging) ? 1 : 0;
    return count;
}

// ---------------------------------------------------------------------------------------------
// Detector rules: what a detector concludes from what it measures

void SimController::applyDetectorRules(int address)
{
    SimUnit &unit = m_units[address];
    const int type = unit.type();
    if (SimUnit::isCallPointType(type)) {
        unit.setValue(SimUnit::Fire, unit.value(SimUnit::Button) == 1);
        return;
    }
    if (!SimUnit::isSmokeType(type) && !SimUnit::isHeatType(type))
        return;
    bool fire = false;
    bool preAlarm = false;
    if (SimUnit::isSmokeType(type)) {
        const int threshold = unit.value(SimUnit::FireThreshold);
        fire = threshold > 0 && unit.value(SimUnit::Smoke) >= threshold;
    }
    if (SimUnit::isHeatType(type)) {
        const int threshold = thresholdTemperature(address);
        if (threshold != noThreshold && threshold > 0) {
            const double celsius = SimUnit::thermistorCelsius(unit.value(SimUnit::TUlo));
            fire = fire || celsius >= threshold;
            preAlarm = celsius >= threshold - preAlarmMargin;
        }
    }
    unit.setValue(SimUnit::Fire, fire);
    unit.setValue(SimUnit::PreAlarm, preAlarm);
}

// ---------------------------------------------------------------------------------------------
// Time

void SimController::advance(int ms)
{
    if (ms <= 0)
        return;
    m_nowMs += ms;
    m_operatingMs += ms;
    m_fields[OperatingTime] = int(qMin<qint64>(m_operatingMs / 1000, controllerFieldInfo[OperatingTime].max));

    for (auto ramp = m_ramps.begin(); ramp != m_ramps.end();) {
        const double progress =
            ramp->durationMs > 0 ? qBound(0.0, double(m_nowMs - ramp->startMs) / ramp->durationMs, 1.0) : 1.0;
        const double value = ramp->from + (ramp->to - ramp->from) * progress;
        if (ramp->address == 0)
            setControllerValue(ramp->name, value);
        else
            setUnitValue(ramp->address, ramp->name, value);
        ramp = progress >= 1.0 ? m_ramps.erase(ramp) : ramp + 1;
    }

    int polled = 0;
    for (int address = 1; address <= maxAddress; ++address) {
        SimUnit &unit = m_units[address];
        if (!unit.isPresent())
            continue;
        if (generalState(address) != 1 && !isBlocked(address))
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
    m_fields[LoopRequests] = (m_fields[LoopRequests] + requests) & 0xFFFF;

    if (m_initRemainingMs > 0) {
        m_initRemainingMs -= ms;
        if (m_initRemainingMs <= 0) {
            m_initRemainingMs = 0;
            finishInitialisation();
            return;
        }
    }
    updateEvents();
}

// ---------------------------------------------------------------------------------------------
// Runtime control

QString SimController::fieldName(Field field)
{
    return QLatin1String(controllerFieldInfo[field].name);
}

int SimController::fieldByName(const QString &name)
{
    for (int i = 0; i < FieldCount; ++i) {
        if (name.compare(QLatin1String(controllerFieldInfo[i].name), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QStringList SimController::fieldNames()
{
    QStringList names;
    for (const FieldInfo &info : controllerFieldInfo)
        names.append(QLatin1String(info.name));
    return names;
}

QString SimController::setUnitValue(int address, const QString &name, double value)
{
    if (address < 1 || address > maxAddress)
        return tr("unit address %1 is outside 1..%2").arg(address).arg(maxAddress);
    SimUnit &unit = m_units[address];
    QList<QPair<SimUnit::Field, int>> changes;
    if (name.compare(QLatin1String("temperature"), Qt::CaseInsensitive) == 0) {
        changes.append({SimUnit::TUlo, SimUnit::thermistorRaw(value)});
    } else if (name.compare(QLatin1String("loVoltage"), Qt::CaseInsensitive) == 0) {
        changes.append({SimUnit::TUlo, SimUnit::loVoltageRaw(value)});
    } else if (name.compare(QLatin1String("voltage"), Qt::CaseInsensitive) == 0) {
        const int cell = qBound(0, qRound(value * 51.0 / 3.0), 255);
        changes = {{SimUnit::U1, cell}, {SimUnit::U2, cell}, {SimUnit::U3, cell}};
    } else {
        const int field = SimUnit::fieldByName(name);
        if (field < 0)
            return tr("unknown unit value \"%1\"").arg(name);
        const int number = qRound(value);
        if (number < 0 || number > SimUnit::maxValue(SimUnit::Field(field)))
            return tr("%1 must lie in 0..%2").arg(name).arg(SimUnit::maxValue(SimUnit::Field(field)));
        if (field == SimUnit::Type) {
            if (number == 0)
                removeUnit(address);
            else if (!unit.isPresent())
                addUnit(address, number);
            else
                unit.setValue(SimUnit::Type, number);
            updateEvents();
            return QString();
        }
        changes.append({SimUnit::Field(field), number});
    }
    if (!unit.isPresent())
        return tr("no unit at %1").arg(address);
    bool rules = false;
    for (const auto &change : changes) {
        unit.setValue(change.first, change.second);
        rules = rules || change.first == SimUnit::Smoke || change.first == SimUnit::TUlo ||
                change.first == SimUnit::FireThreshold || change.first == SimUnit::Button;
    }
    if (rules)
        applyDetectorRules(address);
    updateEvents();
    return QString();
}

QString SimController::setControllerValue(const QString &name, double value)
{
    int field = fieldByName(name);
    int number = qRound(value);
    if (name.compare(QLatin1String("supply24V"), Qt::CaseInsensitive) == 0 ||
        name.compare(QLatin1String("supply13V"), Qt::CaseInsensitive) == 0) {
        field = name.contains(QLatin1String("24")) ? Supply24 : Supply13;
        number = qRound(value / 0.112);
    }
    if (field < 0)
        return tr("unknown controller value \"%1\"").arg(name);
    if (number < 0 || number > controllerFieldInfo[field].max)
        return tr("%1 must lie in 0..%2").arg(name).arg(controllerFieldInfo[field].max);
    m_fields[field] = number;
    if (field == OperatingTime)
        m_operatingMs = qint64(number) * 1000;
    updateEvents();
    return QString();
}

QString SimController::setUnitState(int address, const QString &state, int param)
{
    if (address < 1 || address > maxAddress)
        return tr("unit address %1 is outside 1..%2").arg(address).arg(maxAddress);
    SimUnit &unit = m_units[address];
    if (!unit.isPresent())
        return tr("no unit at %1").arg(address);
    const int type = unit.type();
    const QString name = state.toLower();
    const auto set = [&unit](SimUnit::Field field, int value) { unit.setValue(field, value); };
    if (name == QLatin1String("normal")) {
        const SimUnit fresh = SimUnit::create(type);
        for (const auto field : {SimUnit::Fire, SimUnit::PreAlarm, SimUnit::Link, SimUnit::Fault,
                                 SimUnit::Opened, SimUnit::Double, SimUnit::Smoke, SimUnit::TUlo,
                                 SimUnit::Button, SimUnit::Cover, SimUnit::StartButton})
            set(field, fresh.value(field));
        if (address <= 250) {
            setConfigValue(101, address, 1);
            setConfigValue(102, address, type);
        }
        applyDetectorRules(address);
    } else if (name == QLatin1String("lost")) {
        set(SimUnit::Link, param > 0 && param <= 4 ? param : 4);
    } else if (name == QLatin1String("online")) {
        set(SimUnit::Link, 0);
    } else if (name == QLatin1String("fault")) {
        set(SimUnit::Fault, param > 0 && param <= 6 ? param : 1);
    } else if (name == QLatin1String("fire")) {
        if (SimUnit::isSmokeType(type))
            set(SimUnit::Smoke, qMin(255, qMax(unit.value(SimUnit::FireThreshold), 1) + 10));
        else if (SimUnit::isHeatType(type) && thresholdTemperature(address) != noThreshold)
            set(SimUnit::TUlo, SimUnit::thermistorRaw(thresholdTemperature(address) + 10));
        else if (SimUnit::isCallPointType(type))
            set(SimUnit::Button, 1);
        else
            set(SimUnit::Fire, 1);
        applyDetectorRules(address);
        if (!unit.value(SimUnit::Fire)) // a heat detector without a threshold, say
            set(SimUnit::Fire, 1);
    } else if (name == QLatin1String("prealarm")) {
        if (SimUnit::isHeatType(type) && thresholdTemperature(address) != noThreshold) {
            set(SimUnit::TUlo, SimUnit::thermistorRaw(thresholdTemperature(address) - 2));
            applyDetectorRules(address);
        } else {
            set(SimUnit::PreAlarm, 1);
        }
    } else if (name == QLatin1String("opened") || name == QLatin1String("closed")) {
        set(SimUnit::Opened, name == QLatin1String("opened"));
    } else if (name == QLatin1String("blocked") || name == QLatin1String("unblocked")) {
        setConfigValue(101, address, name == QLatin1String("unblocked"));
    } else if (name == QLatin1String("double")) {
        set(SimUnit::Double, 1);
    } else if (name == QLatin1String("wrongtype")) {
        setConfigValue(102, address, param > 0 && param != type ? param : type % 24 + 1);
    } else {
        return tr("unknown state \"%1\": normal, lost, online, fault, fire, prealarm, opened, closed, "
                  "blocked, unblocked, double, wrongtype")
            .arg(state);
    }
    updateEvents();
    return QString();
}

void SimController::addUnit(int address, int type)
{
    if (address < 1 || address > maxAddress)
        return;
    m_units[address] = SimUnit::create(type);
    applyDetectorRules(address);
    updateEvents();
}

void SimController::removeUnit(int address)
{
    if (address < 1 || address > maxAddress)
        return;
    m_units[address] = SimUnit();
    updateEvents();
}

void SimController::raiseEvent(const SimEvent &event)
{
    m_events.push(event);
}

QString SimController::startRamp(int address, const QString &name, double target, double seconds)
{
    Ramp ramp;
    ramp.address = address;
    ramp.name = name;
    ramp.to = target;
    ramp.startMs = m_nowMs;
    ramp.durationMs = qMax<qint64>(0, qRound64(seconds * 1000));
    if (address == 0) {
        const int field = fieldByName(name);
        if (field < 0)
            return tr("unknown controller value \"%1\"").arg(name);
        ramp.from = m_fields[field];
    } else {
        if (address < 1 || address > maxAddress || !m_units[address].isPresent())
            return tr("no unit at %1").arg(address);
        const SimUnit &unit = m_units[address];
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
    m_ramps.erase(std::remove_if(m_ramps.begin(), m_ramps.end(),
                                 [&ramp](const Ramp &other) {
                                     return other.address == ramp.address &&
                                            other.name.compare(ramp.name, Qt::CaseInsensitive) == 0;
                                 }),
                  m_ramps.end());
    m_ramps.append(ramp);
    return QString();
}

// ---------------------------------------------------------------------------------------------
// Events

void SimController::push(int unit, quint8 code, int param, int input)
{
    SimEvent event;
    event.unit = quint8(unit);
    event.code = code;
    event.param = quint8(qBound(0, param, 255));
    event.input = quint8(input);
    m_events.push(event);
}

SimController::UnitSnapshot SimController::snapshot(int address) const
{
    UnitSnapshot s;
    const SimUnit &unit = m_units[address];
    s.type = reportedType(address);
    s.known = unit.isPresent() || s.type != 0;
    if (!s.known)
        return s;
    const int state = generalState(address);
    s.lost = state == 1;
    s.blocked = isBlocked(address);
    const int configured = configuredType(address);
    s.wrongType = unit.isPresent() && isConfigured(configured) && configured != unit.type();
    s.doubled = unit.value(SimUnit::Double);
    if (!unit.isPresent())
        return s;
    s.present = true;
    const auto v = [&unit](SimUnit::Field field) { return unit.value(field); };
    s.fire = reportedValue(address, ReportedFire);
    s.preAlarm = reportedValue(address, ReportedPreAlarm);
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
    s.ionistor = ionistorState(address) & 7;
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
SimController::UnitSnapshot SimController::normalised(UnitSnapshot s)
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

SimController::ControllerSnapshot SimController::controllerSnapshot() const
{
    ControllerSnapshot s;
    for (int i = 0; i < int(std::size(flagEvents)); ++i)
        s.flags[i] = m_fields[flagEvents[i].field] == 1;
    s.supplyLow = m_fields[Supply24] * 16 < m_currentConstants[minSupplyConstant];
    return s;
}

void SimController::diffController(const ControllerSnapshot &before, const ControllerSnapshot &after)
{
    for (int i = 0; i < int(std::size(flagEvents)); ++i) {
        if (before.flags[i] != after.flags[i])
            push(0, after.flags[i] ? flagEvents[i].on : flagEvents[i].off, flagEvents[i].param);
    }
    if (before.supplyLow != after.supplyLow)
        push(0, after.supplyLow ? 78 : 79, qRound(m_fields[Supply24] * 1.12));
}

void SimController::diffUnit(int address, const UnitSnapshot &b, const UnitSnapshot &a)
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
        raise(15, m_units[address].type());
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

void SimController::updateEvents()
{
    if (isInitialising()) {
        rebaseline();
        return;
    }
    const ControllerSnapshot controller = controllerSnapshot();
    diffController(m_controllerSnapshot, controller);
    m_controllerSnapshot = controller;
    for (int address = 1; address <= maxAddress; ++address) {
        const UnitSnapshot now = snapshot(address);
        diffUnit(address, m_snapshots[address], now);
        m_snapshots[address] = now;
    }
}

void SimController::rebaseline()
{
    m_controllerSnapshot = controllerSnapshot();
    for (int address = 1; address <= maxAddress; ++address)
        m_snapshots[address] = snapshot(address);
}

void SimController::finishInitialisation()
{
    int found = 0;
    for (const SimUnit &unit : m_units)
        found += unit.isPresent() ? 1 : 0;
    push(0, 102, qMin(found, 255));
    ControllerSnapshot normal = controllerSnapshot();
    for (int i = 0; i < faultFlagCount; ++i)
        normal.flags[i] = 0;
    normal.supplyLow = 0;
    diffController(normal, controllerSnapshot());
    for (int address = 1; address <= maxAddress; ++address) {
        const UnitSnapshot now = snapshot(address);
        diffUnit(address, normalised(now), now);
    }
    rebaseline();
}
