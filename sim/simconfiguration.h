#pragma once

#include "simunit.h"

#include <QList>
#include <QSet>
#include <QVector>

#include <array>

// One controller's configuration area (registers 5000..6033: an entry per unit in blocks 100..106,
// the command registers and the writable copy of the constants) and its 32 constants, default and
// current.
class SimConfiguration
{
public:
    static constexpr int constantCount = 32;
    static constexpr int noThreshold = 0xFF;

    // What a write into the area changed.
    struct Write
    {
        QList<int> changedBlocks; // ascending codes; 107: the constants
        QSet<int> writtenRegisters;
        int command = -1;    // the command register's value, -1 when not written
        int parameters = -1; // the parameter register's value, -1 when not written
    };

    // Nothing configured; the factory constants, the first with the controller's own address.
    explicit SimConfiguration(int address);

    quint16 defaultConstant(int index) const { return m_defaultConstants[index]; }
    quint16 currentConstant(int index) const { return m_currentConstants[index]; }
    void setDefaultConstant(int index, quint16 value);
    void setCurrentConstant(int index, quint16 value);

    // A register of the area as read; 0 between the blocks and in the command registers.
    quint16 registerValue(int reg) const;
    // Raw configuration register, 5000..6033.
    void setRegister(int reg, quint16 value);
    // Stores a write into the area; the command registers are only reported back.
    Write write(int start, const QVector<quint16> &values);

    // One unit's entry in configuration block 100..106.
    int value(int code, int address) const;
    void setValue(int code, int address, int value);
    // The entries of a correctly configured unit.
    void configureUnit(int address, const SimUnit &unit);

    int configuredType(int address) const;
    bool isBlocked(int address) const;
    int thresholdTemperature(int address) const;
    static bool isConfigured(int type);

private:
    QVector<quint16> m_config;
    std::array<quint16, constantCount> m_defaultConstants{};
    std::array<quint16, constantCount> m_currentConstants{};
};
