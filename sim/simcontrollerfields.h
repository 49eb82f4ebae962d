#pragma once

#include <QString>
#include <QStringList>

// The controller's own values that a scenario or a control line sets by name, each with the largest
// value it may take.
class SimControllerFields
{
public:
    enum Field : int
    {
        TypeWord,
        Version,
        VersionMajor,
        Supply24,  // 24 V supply, units of 0.112 V
        Current24, // units of 1.36 mA
        Supply13,
        Current13,  // units of 0.896 mA
        Resistance, // loop resistance, units of 0.1 ohm
        CaseOpen,
        LoopBreak,
        LoopShort,
        ShortLeft,
        ShortRight,
        MainPowerFault,
        ReservePowerFault,
        LoopBufferOverflow,
        OsErrors, // bit k - 1: error type k
        Parity,
        Noise,
        DataDlit,
        SbDlit,
        Timeout,
        Overflow,
        IBig,
        ISmall,
        CrcErrors,
        FeErrors,
        NeErrors,
        OreErrors,
        ModbusErrors,
        LoopRequests,
        ModbusRequests,
        SliLeft,
        SliRight,
        StartRelay, // 0 off, 1 on
        FireRelay,
        FaultRelay,
        OperatingTime, // seconds since power-up or reset
        InitSeconds,   // how long initialisation takes after power-up or reset
        FieldCount
    };

    static QString fieldName(Field field);
    // The field of that name, whatever its case; -1 when there is none.
    static int fieldByName(const QString &name);
    static QStringList fieldNames();
    static int maxValue(int field);
};
