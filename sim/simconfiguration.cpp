#include "simconfiguration.h"

#include "simregistermap.h"

#include <algorithm>
#include <iterator>

using namespace SimRegisterMap;

namespace {

// Factory values of the 32 constants, registers 1102..1133 (current) and 1002..1033 (default).
const quint16 factoryConstants[SimConfiguration::constantCount] = {
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

constexpr int configIndex(int reg)
{
    return reg - configFirst;
}

bool isWritableConstant(int reg)
{
    return reg >= writableConstants && reg < writableConstants + SimConfiguration::constantCount;
}

} // namespace

SimConfiguration::SimConfiguration(int address)
    : m_config(configLast - configFirst + 1, 0xFFFF)
{
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

void SimConfiguration::setDefaultConstant(int index, quint16 value)
{
    if (index >= 0 && index < constantCount)
        m_defaultConstants[index] = value;
}

void SimConfiguration::setCurrentConstant(int index, quint16 value)
{
    if (index >= 0 && index < constantCount)
        m_currentConstants[index] = value;
}

quint16 SimConfiguration::registerValue(int reg) const
{
    if (isWritableConstant(reg))
        return m_currentConstants[reg - writableConstants];
    if (!blockAt(configBlocks(), reg))
        return 0; // between the blocks, and the command registers once a command is carried out
    return m_config[configIndex(reg)];
}

void SimConfiguration::setRegister(int reg, quint16 value)
{
    if (isWritableConstant(reg))
        m_currentConstants[reg - writableConstants] = value;
    else if (reg >= configFirst && reg <= configLast)
        m_config[configIndex(reg)] = value;
}

SimConfiguration::Write SimConfiguration::write(int start, const QVector<quint16> &values)
{
    Write write;
    QSet<int> changedBlocks;
    for (int i = 0; i < values.size(); ++i) {
        const int reg = start + i;
        const quint16 value = values.at(i);
        if (reg == commandRegister) {
            write.command = value;
            continue;
        }
        if (reg == commandRegister + 1) {
            write.parameters = value;
            continue;
        }
        if (isWritableConstant(reg)) {
            if (m_currentConstants[reg - writableConstants] != value)
                changedBlocks.insert(107);
            m_currentConstants[reg - writableConstants] = value;
            continue;
        }
        const Block *block = blockAt(configBlocks(), reg);
        if (!block)
            continue;
        write.writtenRegisters.insert(reg);
        if (m_config[configIndex(reg)] != value)
            changedBlocks.insert(block->code);
        m_config[configIndex(reg)] = value;
    }
    write.changedBlocks = changedBlocks.values();
    std::sort(write.changedBlocks.begin(), write.changedBlocks.end());
    return write;
}

int SimConfiguration::value(int code, int address) const
{
    const Block *block = blockByCode(code);
    const Position at = position(*block, address);
    if (at.offset < 0)
        return 0;
    const quint32 mask = (1u << at.width) - 1u;
    return int((quint32(m_config[configIndex(block->start + at.offset)]) >> at.shift) & mask);
}

void SimConfiguration::setValue(int code, int address, int value)
{
    const Block *block = blockByCode(code);
    const Position at = position(*block, address);
    if (at.offset < 0)
        return;
    const quint32 mask = ((1u << at.width) - 1u) << at.shift;
    quint16 &word = m_config[configIndex(block->start + at.offset)];
    word = quint16((word & ~mask) | ((quint32(value) << at.shift) & mask));
}

void SimConfiguration::configureUnit(int address, const SimUnit &unit)
{
    const int type = unit.type();
    setValue(102, address, type);
    setValue(101, address, 1);
    if (SimUnit::isHeatType(type))
        setValue(100, address, 57);
    if (type == 2 || type == 3)
        setValue(106, address, unit.value(SimUnit::ChannelType));
    if (SimUnit::outputCount(type) > 0 || type == 13)
        setValue(105, address, 0xF); // a set bit: the output starts switched off
    if (SimUnit::isLoType(type)) {
        setValue(103, address, (unit.value(SimUnit::PowerLo) + 15) % 16);
        setValue(104, address, qBound(1, unit.value(SimUnit::PowerLo), 4));
    }
}

int SimConfiguration::configuredType(int address) const
{
    return address >= 1 && address <= 250 ? value(102, address) : 0;
}

bool SimConfiguration::isBlocked(int address) const
{
    return address >= 1 && address <= 250 && value(101, address) == 0;
}

int SimConfiguration::thresholdTemperature(int address) const
{
    return address >= 1 && address <= 250 ? value(100, address) : noThreshold;
}

bool SimConfiguration::isConfigured(int type)
{
    return type != 0 && type != 0xFF;
}
